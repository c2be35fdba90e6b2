// The installer's information file steps.
#include "info_setup.h"

#include <sys/stat.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "atomic_file.h"
#include "foreign_names.h"
#include "fs_root.h"
#include "info_file.h"
#include "install_dirs.h"
#include "install_log.h"
#include "install_state.h"
#include "setup_state.h"

namespace inst {
namespace {

const char kInfo1[] = "jarnInfo1.0";
const char kInfo2[] = "jarnInfo2.0";
const char kInfo1Old[] = "jarnInfo1.0.old";
constexpr size_t kLineMax = 255;

const char* const kInfoLines[] = {
    "#", "# Jarn 2.0 Information File", "#", "%%QORBLOCK_GENERAL_BEGIN", "USRDIR          @D@",
    "HOMEDIR         $HOME", "TMPDIR          /tmp", "%%QORBLOCK_GENERAL_END", "#", "#",
    "%%QORBLOCK_PRINTERS_BEGIN", "Default", "%%QORBLOCK_PRINTERS_END", "#", "#",
    "%%QORBLOCK_USERS_BEGIN", "root", "%%QORBLOCK_USERS_END", "#", "#",
    "%%QORBLOCK_PRNT_BEGIN Default", "root", "%%QORBLOCK_PRNT_END Default", "#", "#", "%%QOREND"};

bool exists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

std::string installDirOrDefault() {
  const std::string& d = state().installDir;
  return d.empty() ? kDefaultInstallDir : d;
}

// The USRDIR value of a text: after the keyword and the blanks and control
// characters that follow it, up to the next blank or line end.
bool usrDirIn(const std::string& data, std::string* dir) {
  size_t at = data.find("USRDIR");
  if (at == std::string::npos) return false;
  size_t pos = at + 6;
  while (pos < data.size() && static_cast<unsigned char>(data[pos]) <= 32 && data[pos] != '\n') ++pos;
  size_t end = data.find_first_of(" \r\n", pos);
  *dir = data.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
  return true;
}

// The USRDIR value of a file; with `ownOnly` only of the installation's own
// file (not a link, nor another user's file).
bool usrDirOf(const std::string& path, bool ownOnly, std::string* dir) {
  std::string data;
  if (!(ownOnly ? readOwnFile(path, &data) : readWholeFile(path, &data))) return false;
  return usrDirIn(data, dir);
}

// The information files' names in `dir` that another user may have put
// there are moved aside, so that every later step meets only root's files.
void setAsideForeignInfoNames(const std::string& dir) {
  for (const std::string name : {kInfo1, kInfo2, kInfo1Old}) {
    std::string path = dir + "/" + name;
    if (isForeignFile(path)) moveAside(path);
  }
}

AtomicWriteOptions infoFileMode() {
  AtomicWriteOptions o;
  o.mode = 0755;
  o.owner = static_cast<uid_t>(state().uid);
  o.group = static_cast<gid_t>(state().gid);
  o.replaceLink = true;  // a link planted at the name is replaced, never followed
  return o;
}

// Writes a new jarnInfo2.0 unless one is there; 1 written or kept.
int writeNewInfo(const std::string& path, const std::string& data) {
  removeStaleTemporaries(path);  // of a run killed before its rename
  if (isOwnFile(path)) {
    logMsg(kInfoKept, path.c_str());
    return 1;
  }
  std::string error;
  if (!writeFileAtomic(path, data, infoFileMode(), &error)) {
    logMsg(kCannotOpenFile, path.c_str());
    return 0;
  }
  return 1;
}

}  // namespace

int findInstallation(std::string* dir, int* version) {
  std::vector<std::string> candidates;
  const char* env = std::getenv("JARNINFO");
  if (env && *env) {
    candidates.push_back(env);
  } else {
    candidates.push_back(rootedPath(std::string(kDefaultInstallDir) + "/" + kInfo1));
    candidates.push_back(rootedPath(std::string(kDefaultInstallDir) + "/" + kInfo2));
  }
  for (const std::string& c : candidates) {
    std::string found;
    if (!usrDirOf(c, !env || !*env, &found)) continue;
    *dir = found;
    *version = baseName(c) == kInfo1 ? 1 : 2;
    if (*version == 1 && (isOwnFile(dirName(c) + "/" + kInfo2) || isOwnFile(rootedPath(found + "/" + kInfo2))))
      *version = 2;
    return 1;
  }
  *version = -1;
  return 0;
}

int readInstalledPrinters(int version) {
  InstallState& s = state();
  InfoFile file;
  std::string path = installDirOrDefault() + "/" + (version == 1 ? kInfo1 : kInfo2);
  s.printerCount = 0;
  if (!openInfoFile(std::string(), path, &file) || !readInfoPrinters(0)) return -1;
  s.printerCount = setup().managedPrinterCount;
  return s.printerCount;
}

std::string infoFileText(const std::string& installDir) {
  std::string out;
  for (const char* line : kInfoLines) {
    std::string l = line;
    size_t at = l.find("@D@");
    if (at != std::string::npos) l.replace(at, 3, installDir);
    out += l + "\n";
  }
  return out;
}

int writeInfoFile() {
  std::string dir = installDirOrDefault();
  setAsideForeignInfoNames(dir);
  return writeNewInfo(dir + "/" + kInfo2, infoFileText(dir));
}

void setAsideFirstGenerationInfo() {
  const InstallState& s = state();
  if (s.failed || s.notUpgraded) return;
  std::string dir = installDirOrDefault();
  std::string first = dir + "/" + kInfo1, aside = dir + "/" + kInfo1Old;
  if (!exists(first)) return;
  setAsideForeignInfoNames(dir);
  if (!isOwnFile(first) || !isOwnFile(dir + "/" + kInfo2)) return;
  std::string backup, now;
  if (readOwnFile(aside, &backup) && readOwnFile(first, &now) && backup == now) {
    ::unlink(first.c_str());  // the same contents are in the earlier backup
    logMsg(kBackupKept, aside.c_str());
    return;
  }
  std::string to;  // never over an earlier backup: the first free name
  if (renameToFreeName(first, aside, &to)) logMsg(kMovedScript, first.c_str(), to.c_str());
}

int convertInfoFile() {
  std::string dir = installDirOrDefault();
  std::string from = dir + "/" + kInfo1;
  bool planted = isForeignFile(from);  // not root's 1.0 file: nothing to upgrade from
  setAsideForeignInfoNames(dir);
  if (isOwnFile(dir + "/" + kInfo2)) return writeInfoFile();  // kept as it is
  std::string data;
  if (!readOwnFile(from, &data)) {
    bool fresh = !planted && !exists(from);  // no 1.0 file: a fresh one
    if (fresh) {
      logMsg(kCannotOpenFile, from.c_str());
    } else {
      stopBecause(format(kCannotOpenFile, from.c_str()));
      state().notUpgraded = 1;
    }
    int written = writeInfoFile();
    return fresh ? written : 0;
  }
  std::string out;
  bool titled = false;
  for (size_t pos = 0; pos < data.size();) {
    size_t end = data.find('\n', pos);
    std::string line = data.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    pos = end == std::string::npos ? data.size() : end + 1;
    if (line.size() > kLineMax) line.resize(kLineMax);
    if (!titled && line.find("Information File") != std::string::npos) {
      line = text(kInfoTitle);
      titled = true;
    }
    out += line + "\n";
  }
  if (!writeNewInfo(dir + "/" + kInfo2, out)) return 0;
  writeLog(text(kCopiedInfo));
  return 1;
}

}  // namespace inst
