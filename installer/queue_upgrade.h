// The upgrade of existing queues: the CUPS queues whose PPD is a maker's
// PPD of the first generation get the new PPD of their model, with the
// defaults the administrator chose in the old one; the old PPD is kept as
// a backup, the queue's jarnConfig moves to version 2.0 and CUPS is
// restarted when any queue changed. A step that fails leaves the queue's
// PPD as it was, is logged and marks the run as failed.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

#include "process_runner.h"
#include "vendor_list.h"

namespace inst {

// The CUPS PPD directory of the queues: "<cupsDir>/etc/cups/ppd", or
// /etc/cups/ppd (under the injected root) when cupsDir is empty or "/".
std::string queuePPDDir();

// Fills the list (the head holds the first printer) with the queues whose
// PPD, a regular "*.ppd" file, shows within its first 30 lines a model of
// the table with a known PDL and "*% Jarn version: 1"; the files are taken
// in name order. Logs the list and the new PPD of each. 1 when at least one
// was found; the number in `count`.
int listVendorPrinters(VendorPrinter* head, int* count);

// The backup path of a queue's PPD: the path up to the "/" that begins its
// first "/ppd", then "<printer>.ppd.rpmsave".
std::string backupPath(const std::string& ppdPath, const std::string& printer);

// How updatePrinters asks and acts; tests replace the actions.
struct UpgradeHooks {
  std::FILE* answers = stdin;
  std::function<bool(VendorPrinter&)> update;  // true when the queue's PPD was replaced
  std::function<int()> restart;
};

// The default actions: updatePrinter with `ppdDir`, and restartCups.
UpgradeHooks defaultUpgradeHooks(const std::string& ppdDir);

// Goes through the list in order. When asking, each printer's question
// ("y", "n", "a" all from here on, "b" no more) is asked once more after an
// answer not understood, which then counts as no; the end of the input
// counts as break. CUPS is restarted when any queue's PPD was replaced.
// 0 when count < 1, else 1.
int updatePrinters(int count, VendorPrinter* list, int ask, const UpgradeHooks& hooks);

// Brings one queue up to date with the new PPD found in `ppdDir` (else in
// the installation's ppd directory). True when its PPD was replaced.
bool updatePrinter(VendorPrinter& printer, const std::string& ppdDir);

// The new PPD of the printer with the old defaults, as text, and the vendor
// PPD it comes from; false (logged) when none can be made (none found, not
// decompressed, or not beginning "*PPD-Adobe").
bool makeNewPPD(const VendorPrinter& printer, const std::string& ppdDir, const OptNode* options,
                std::string* text, std::string* source);

// Moves "%%JARN_VERSION_1.0" lines of the printer's jarnConfig in the
// installation directory to 2.0. 1 updated, 0 no such file, -1 failed.
int processPrinterConfig(const std::string& printer);

// The command that restarts CUPS: "service cups restart" when service is
// found, else an init script of cups or cupsys; false when there is none.
bool restartCupsCommand(Command* cmd);
// Runs it and logs the result; -1 when there is none.
int restartCups();

}  // namespace inst
