// The installer's information file steps.
#include "info_setup.h"

#include <sys/stat.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "atomic_file.h"
#include "fs_root.h"
#include "info_file.h"
#include "install_log.h"
#include "install_state.h"
#include "setup_state.h"

namespace inst {
namespace {

const char kInfo1[] = "jarnInfo1.0";
const char kInfo2[] = "jarnInfo2.0";
constexpr size_t kLineMax = 255;

const char* const kInfoLines[] = {
    "#", "# Jarn 2.0 Information File", "#", "%%QORBLOCK_GENERAL_BEGIN", "USRDIR          @D@",
    "HOMEDIR         $HOME", "TMPDIR          /tmp", "%%QORBLOCK_GENERAL_END", "#", "#",
    "%%QORBLOCK_PRINTERS_BEGIN", "Default", "%%QORBLOCK_PRINTERS_END", "#", "#",
    "%%QORBLOCK_USERS_BEGIN", "root", "%%QORBLOCK_USERS_END", "#", "#",
    "%%QORBLOCK_PRNT_BEGIN Default", "root", "%%QORBLOCK_PRNT_END Default", "#", "#", "%%QOREND"};

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

std::string dirOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string installDirOrDefault() {
  const std::string& d = state().installDir;
  return d.empty() ? kDefaultInstallDir : d;
}

// The USRDIR value of a file: after the keyword and the blanks and control
// characters that follow it, up to the next blank or line end.
bool usrDirOf(const std::string& path, std::string* dir) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    size_t at = line.find("USRDIR");
    if (at == std::string::npos) continue;
    size_t pos = at + 6;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) <= 32) ++pos;
    size_t end = line.find_first_of(" \r\n", pos);
    *dir = line.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    return true;
  }
  return false;
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
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {  // a link there is replaced
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
    if (!usrDirOf(c, &found)) continue;
    *dir = found;
    *version = baseOf(c) == kInfo1 ? 1 : 2;
    if (*version == 1 && (exists(dirOf(c) + "/" + kInfo2) || exists(rootedPath(found + "/" + kInfo2))))
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
  return writeNewInfo(dir + "/" + kInfo2, infoFileText(dir));
}

void setAsideFirstGenerationInfo() {
  const InstallState& s = state();
  std::string dir = installDirOrDefault();
  std::string first = dir + "/" + kInfo1, aside = first + ".old";
  if (s.failed || !exists(first) || !exists(dir + "/" + kInfo2)) return;
  struct stat st;
  if (::lstat(aside.c_str(), &st) == 0) {
    ::unlink(first.c_str());  // the earlier backup stays
    logMsg(kBackupKept, aside.c_str());
  } else if (std::rename(first.c_str(), aside.c_str()) == 0) {
    logMsg(kMovedScript, first.c_str(), aside.c_str());
  }
}

int convertInfoFile() {
  std::string dir = installDirOrDefault();
  std::string from = dir + "/" + kInfo1;
  if (exists(dir + "/" + kInfo2)) return writeInfoFile();  // kept as it is
  std::ifstream in(from);
  if (!in) {
    logMsg(kCannotOpenFile, from.c_str());
    return writeInfoFile();
  }
  std::string out, line;
  bool titled = false;
  while (std::getline(in, line)) {
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
