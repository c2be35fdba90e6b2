// The installer's probe of the system and the printing system: the spooler,
// foomatic-rip, XKeysymDB, the machine, the CUPS version and model
// directory, and the directory the vendor PPD files go to. The probe only
// decides: it creates no directory and no link (goInstall does).
//
// Fixed system paths are tested through rootedPath(), so tests can point
// them into a private tree; the results are system paths.
#pragma once

#include <string>
#include <vector>

#include "install_state.h"

namespace inst {

// Bits of listSystemPPDDirs.
enum PPDDirBit {
  kBitModelDir = 0x1,
  kBitFoomatic = 0x2,
  kBitFoomaticVelta = 0x4,
  kBitCustom = 0x8,
  kBitUsrSharePPD = 0x10,
  kBitOptSharePPD = 0x20,
  kBitSharePPD = 0x40,
  kBitFoomaticBry = 0x80,
  kBitVendorUsrShare = 0x100,
  kBitOpenPrinting = 0x200,
};

// The spooler kind: QORLPMODE/JARNLPMODE (AIX included), else the daemon
// found running. Logs "System Scheduler = ...".
int probeScheduler();

// 1 when foomatic-rip is found in one of its places.
int hasFoomaticRip();

// The first XKeysymDB file into `path`; 1 found, 0 not.
int findXKeysymDB(std::string* path);

// The system kind (the back end's codes; OpenUNIX counts as unknown) and the
// node name and address into the state.
int getSystemInfo();

// The CUPS version from the local server through `netcat`, else the
// installed files; logs which source answered. 1400 when none did.
int probeCupsVersion(const std::string& netcat);

// The netcat program: "<sourceDir>/qornc" when it and sourceDir cannot be
// written by others, else nc from the system directories, else "nc".
std::string chooseNetcat();

// Sets cupsModelDir to the first existing model directory.
void findCupsModelDir();
// The first existing share PPD directory.
std::string findSharePPDDir();

// Tests the system's PPD directories, returns their bits and pre-sets
// ppdInstallDir; an earlier vendor directory goes into `earlier`.
int listSystemPPDDirs(std::string* earlier);

// The links of cupsModelDir that lead to PPD trees (at most 9), logged.
std::vector<ModelLink> readModelDirLinks();

// Everything the PPD directory decision looks at.
struct PPDDirInputs {
  std::string modelDir;       // cupsModelDir ("" or missing: no decision)
  bool modelDirExists = false;
  bool modelBryExists = false;  // "<modelDir>/bry" exists
  std::string earlier;        // an earlier installation's vendor directory
  std::string preset;         // ppdInstallDir as listSystemPPDDirs left it
  int bits = 0;
  int cupsVersion = 0;
  std::vector<ModelLink> links;
};

// What to do about the PPD directory.
struct PPDDirDecision {
  int result = 0;          // 1 a vendor directory was chosen, 0 the fallback or none
  std::string dir;         // the PPD installation directory
  bool previous = false;   // the earlier installation's directory
  bool create = false;     // make `dir` (0755) when missing
  std::string linkPath;    // a link to make ("" none) ...
  std::string linkTarget;  // ... pointing here
};

// The decision, as a pure function of its inputs.
PPDDirDecision decidePPDInstallDir(const PPDDirInputs& in);

// Takes the decision for the state (ppdInstallDir, ppdDirCreate,
// ppdLinkPath and ppdLinkTarget) and logs it; nothing is made.
int choosePPDInstallDir(const std::string& earlier);

}  // namespace inst
