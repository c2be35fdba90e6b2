// The installer's spare operations: PPD readers and writers, text helpers,
// the per-printer configuration writer of version 2.0, the information file
// from its template, and the graphical installer's check text. No step of
// setup calls them; setupctl reaches a few.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace inst {

using JobOption = std::pair<std::string, std::string>;  // name, value

// Over the groups of a PPD: the number of groups and the sum of their
// option counts. False when libcups cannot open it.
bool countPPDOptions(const std::string& path, int* groups, int* options);

// Text helpers: the position after leading blanks and tabs; the text
// without trailing blanks and tabs; the number of double quotes.
size_t skipBlanks(const std::string& text, size_t pos = 0);
std::string trimTrailingBlanks(const std::string& text);
int countQuotes(const std::string& text);

// The graphical installer's check text for the reasons given.
std::string abandonText(bool noCups, bool noFoomatic, bool notRoot);

// The n-th (from 0) *OpenUI/*CloseUI block of a PPD text (*BeginUI/*EndUI
// with `pcl`), only those inside the "InstallableOptions" group when
// `inGroup`; "" when there is none.
std::string getUIBlob(const std::string& ppd, int n, bool pcl, bool inGroup);
// The number of UI blocks, with those inside and outside the
// "InstallableOptions" group in `dev` and `print`.
int hasDevOptGroup(const std::string& ppd, int* dev, int* print);

// The value of a file's last "DYNAMICMENU" line and, in order, the texts
// of its "DYNAMICMENUnn:" entries.
std::string readDynamicMenu(const std::string& path, std::vector<std::string>* entries);

// Splits "item: value" (both trimmed, the value's quotes removed). False
// without a colon.
bool getItemAndValue(const std::string& line, std::string* item, std::string* value);
// The default choice of a PPD feature (keyword without "*"); logs "No
// feature for: '%s'" and gives "" when the PPD has none.
std::string getPPDStuff(const std::string& path, const std::string& keyword);

// Writes "<installDir>/jarnInfo2.0" from the template for `printer` and
// makes "<installDir>/<printer>" and its "root" (0755). 1 on success.
int writeInfoFileFromTemplate(const std::string& printer);

// Writes "<installDir>/<printer>/root/jarnConfig" in the version-2.0 form
// for a queue with the device URI `uri` (lpd://HOST/QUEUE,
// socket://HOST[:PORT], file:PATH). 1 written, 0 not.
int saveConfiguration(const std::string& printer, const std::string& uri);

// Rewrites the queue's CUPS PPD in place (mode, owner and group kept): each
// *Default line of an option in `options` takes the option's value. 1 done.
int updateCupsPPD(const std::string& queue, const std::vector<JobOption>& options);

// Removes every option of the name (any case); the new count.
int removeOption(std::vector<JobOption>* options, const std::string& name);

}  // namespace inst
