// The plan of goInstall's copy loop: which manifest entries are copied
// where. goInstall itself is declared with the other steps after the
// hand-over (later_steps.h).
#pragma once

#include <string>
#include <vector>

#include "install_state.h"

namespace inst {

// One entry the loop acts on.
struct CopyStep {
  size_t entry = 0;       // index in the manifest
  std::string path;       // the destination: a directory, or the file itself (isFile)
  bool isFile = false;    // "." and "/": the path of the copied file, which gets the mode
  bool makeDir = false;   // make `path` as a directory when missing
  bool noPPDDir = false;  // a "?" entry with no PPD directory: not copied, a failure
};

// The steps for the first `count` entries, installing into `installDir`,
// "?" entries into `ppdDir` ("" when there is none). With `copyFlag` 0 (the
// release is the installation itself) nothing is copied before the first
// "?" entry. Entries with a SOURCE of 2 characters (but "nc") or a
// destination of 2 are left out.
std::vector<CopyStep> planCopies(const std::vector<InstallEntry>& entries, int count,
                                 const std::string& installDir, const std::string& ppdDir, int copyFlag);

}  // namespace inst
