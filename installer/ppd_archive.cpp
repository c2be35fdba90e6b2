// Saving the PPD files of an earlier installation.
#include "ppd_archive.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "atomic_file.h"
#include "system_detection.h"
#include "install_commands.h"
#include "install_log.h"
#include "install_state.h"

namespace inst {
namespace {

const char kArchiveDir[] = "/var/tmp";

// The entry names of a directory, sorted; false when it cannot be read.
bool listEntries(const std::string& dir, std::vector<std::string>* names) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  ::closedir(d);
  std::sort(names->begin(), names->end());
  return true;
}

}  // namespace

std::string ppdArchivePath() { return std::string(kArchiveDir) + "/JarnPPDFiles" + kRelease + ".tar"; }

int savePPDFiles(const std::string& dir) {
  std::vector<std::string> names;
  if (dir.empty() || ::access(dir.c_str(), X_OK) != 0 || !listEntries(dir, &names)) {
    logMsg(kCannotAccessPPDDir, dir.c_str());
    return -1;
  }
  if (names.empty()) return 0;
  int fd = -1;
  std::string temp = makeTempFile(kArchiveDir, "JarnPPDFiles", &fd);
  if (temp.empty()) return -1;
  ::close(fd);
  Command cmd = commandFromFormat(cmdfmt::kTarPPDs, {findSystemProgram("tar"), temp, dir});
  for (const std::string& name : names) {
    cmd.argv.push_back(name);
    cmd.text += " " + name;
  }
  int st = runInstallCommand(cmd);
  if (st != 0 || ::rename(temp.c_str(), ppdArchivePath().c_str()) != 0) {
    ::unlink(temp.c_str());
    return st != 0 ? st : -1;
  }
  logMsg(kSavedPPDFrom, dir.c_str());
  logMsg(kSavedPPDTo, ppdArchivePath().c_str());
  return 0;
}

}  // namespace inst
