// De-installation.
#include "deinstall.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fstream>
#include <vector>

#include "file_helpers.h"
#include "fs_root.h"
#include "install_commands.h"
#include "install_log.h"
#include "install_paths.h"
#include "install_state.h"
#include "later_steps.h"
#include "manifest.h"
#include "install_dirs.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "setup_state.h"

namespace inst {
namespace {

constexpr int kAixSystem = 5;

// Where an installed file lies.
enum Where { kInside, kUsrBinLink };

// The fixed files of an installation, in the order they go. What the next
// run needs to find and finish an interrupted or incomplete removal goes
// last: the manifests and bin/setup once everything else of the
// installation is gone, the records (the information file and its lock)
// after every directory, and neither while anything could not be removed.
const struct {
  const char* path;  // "%s" is the installation directory
  Where where;
} kInstalledFiles[] = {
    {"%s/jarn", kInside},           {"%s/bin/jarn", kInside},
    {"%s/bin/Jarn.exe", kInside},   {"%s/bin/qorgsfilter", kInside},
    {"/usr/bin/qorgsfilter", kUsrBinLink},
    {"%s/etc/UNINSTALLJARN", kInside},
    {"%s/etc/Jarn2.0.desktop", kInside}, {"%s/etc/jarn2.0.png", kInside},
    {"/usr/bin/jarn", kUsrBinLink},  {"/usr/bin/qorgsfilter", kUsrBinLink},
    {"%s/bin/nc", kInside},          {"%s/bin/jarn.old", kInside},
};
// The files the next run finds the installation by; `always` ones are
// named even when missing, the manifest only when it is there.
const struct {
  const char* path;
  bool always;
} kFinderFiles[] = {{"%s/bin/setup", true}, {"%s/JARNINST.CONF", true}, {"%s/etc/JARNINST.CONF", false}};
const char* const kInstalledDirs[] = {"Default", "ppd", "images", "etc", "bin"};
const char* const kRecordFiles[] = {"%s/jarnInfo1.0.old", "%s/jarnInfo1.0", "%s/jarnInfo2.0",
                                    "%s/.jarnInfo1.0.lock", "%s/.jarnInfo2.0.lock"};
const char kManifest[] = "etc/JARNINST.CONF";

std::string expand(const char* pattern, const std::string& dir) {
  std::string p = pattern;
  size_t at = p.find("%s");
  return at == std::string::npos ? rootedPath(p) : p.replace(at, 2, dir);
}

// True when every directory between `dir` and the last part of `path` is
// a real directory (no link).
bool noLinkOnTheWay(const std::string& dir, const std::string& path) {
  for (size_t at = path.find('/', dir.size() + 1); at != std::string::npos; at = path.find('/', at + 1)) {
    struct stat st;
    if (::lstat(path.substr(0, at).c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  }
  return true;
}

// The lexically normalised absolute form of a link's target.
std::string linkTarget(const std::string& link) {
  char buf[PATH_MAX];
  ssize_t n = ::readlink(link.c_str(), buf, sizeof buf - 1);
  if (n <= 0) return std::string();
  std::string target(buf, static_cast<size_t>(n));
  if (target[0] != '/') target = link.substr(0, link.rfind('/') + 1) + target;
  std::vector<std::string> parts;
  size_t pos = 0;
  while (pos <= target.size()) {
    size_t end = target.find('/', pos);
    if (end == std::string::npos) end = target.size();
    std::string part = target.substr(pos, end - pos);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    pos = end + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out;
}

void report(Msg what, const std::string& path, bool ok) {
  writeLog(format(what, path.c_str()) + text(ok ? kOk : kNotPossible));
}

// One installed file: removed (or, not really, found) -> OK; missing, or
// kept on purpose -> "Not possible!" without failing; not removable -> fails.
void removeFile(const std::string& path, Where where, const std::string& dir, int really) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return report(kDeletingFile, path, false);
  bool ours = where == kInside ? noLinkOnTheWay(dir, path)
                               : S_ISLNK(st.st_mode) && linkTarget(path).compare(0, dir.size() + 1, dir + "/") == 0;
  if (!ours) {
    report(kDeletingFile, path, false);
    logMsg(kKeptOutside, path.c_str(), dir.c_str());
    return;
  }
  bool ok = !really || ::unlink(path.c_str()) == 0;
  if (!ok) state().failed = 1;
  report(kDeletingFile, path, ok);
}

// True for a relative path without empty, "." or ".." parts.
bool isSafeRelative(const std::string& path) { return !path.empty() && path[0] != '/' && hasPlainParts(path); }

// A directory of the installation goes only when it is empty once the
// installation's own files are gone (a link there is only a link); one that
// still holds other files stays and is named. The Default printer's
// directory goes with its records.
void removeDir(const std::string& path, const std::string& dir, int really, bool printerRecords) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return report(kDeletingDir, path, false);
  bool ok = noLinkOnTheWay(dir, path);
  if (ok && really) {
    // The Default printer's directory holds only the program's records.
    ok = S_ISLNK(st.st_mode) ? ::unlink(path.c_str()) == 0
         : printerRecords    ? removeTree(path) == 0
                             : ::rmdir(path.c_str()) == 0;
    if (!ok && (errno == ENOTEMPTY || errno == EEXIST)) {
      report(kDeletingDir, path, false);
      logMsg(kDirNotEmpty, path.c_str());
      return;
    }
  }
  if (!ok) state().failed = 1;
  report(kDeletingDir, path, ok);
}

// The files the installation's manifest put inside it ("." and "./x"
// entries), read before the manifest itself goes.
std::vector<std::string> manifestFiles(const std::string& dir) {
  std::vector<std::string> files;
  std::ifstream in(dir + "/" + kManifest);
  std::string line;
  while (std::getline(in, line)) {
    InstallEntry e;
    if (line.find("@@NULL") != std::string::npos) break;
    if (!parseManifestLine(line, &e) || !isSafeRelative(e.source)) continue;
    if (e.dest == ".") {
      files.push_back(dir + "/" + e.source);
    } else if (e.dest.size() >= 3 && e.dest.compare(0, 2, "./") == 0 && isSafeRelative(e.dest.substr(2))) {
      files.push_back(dir + "/" + e.dest.substr(2) + "/" + baseName(e.source));
    }
  }
  return files;
}

// One of the files the next run finds the installation by: kept, and named,
// while anything else could not be removed; else removed (reported also
// when missing, with `always`).
void keepOrRemove(const std::string& path, const std::string& dir, int really, bool always) {
  struct stat st;
  bool there = ::lstat(path.c_str(), &st) == 0;
  if (really && state().failed) {
    if (there) logMsg(kKeptForNextRun, path.c_str());
    return;
  }
  if (there || always) removeFile(path, kInside, dir, really);
}

bool isRegular(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void runLogged(const char* format, const std::vector<FormatArg>& args, int* status) {
  Command cmd = commandFromFormat(format, args);
  logMsg(kExecuting, cmd.text.c_str());
  *status = runInstallCommand(cmd);
}

// rmquedev and rmque, each again by its bare name when it fails.
void removeAixQueue(const std::string& name) {
  const Tools& t = state().tools;
  int st = 0;
  runLogged(cmdfmt::kRmquedev, {t.rmquedev, name, name}, &st);
  if (st != 0) runLogged(cmdfmt::kRmquedev, {"rmquedev", name, name}, &st);
  runLogged(cmdfmt::kRmque, {t.rmque, name}, &st);
  if (st != 0) runLogged(cmdfmt::kRmque, {"rmque", name}, &st);
}

}  // namespace

bool chooseDeinstallDir(const std::string& found, int* version) {
  InstallState& s = state();
  std::string dir = s.installDir;
  if (!s.installDirGiven && !found.empty() && !checkInstallDir(found, &dir)) return false;
  if (!checkInstallDir(dir, &dir)) return false;  // the default too: never through a link
  if (s.installDirGiven || found.empty()) *version = isRegular(dir + "/jarnInfo2.0") ? 2 : 1;
  bool info = isRegular(dir + (*version == 1 ? "/jarnInfo1.0" : "/jarnInfo2.0"));
  // A removal stopped before its end leaves the manifest or bin/setup
  // without the information file: the next -d finishes it.
  if (!info && !isRegular(dir + "/" + kManifest) && !isRegular(dir + "/bin/setup")) return false;
  if (!info) *version = 2;
  s.installDir = dir;
  return true;
}

int deleteSpoolerQueue(const std::string& name) {
  InstallState& s = state();
  if (s.scheduler == kLpAix || ((s.scheduler == 0 || s.scheduler == kLpSysV || s.scheduler == kLpCups) &&
                                s.systemType == kAixSystem)) {
    removeAixQueue(name);
    return 1;
  }
  if (s.scheduler != 0 && s.scheduler != kLpSysV && s.scheduler != kLpCups) return 0;
  ::deleteSpoolerQueue(name, 0);
  getSysQ(&setup().systemQueueList, 1);
  if (isSystemQueue(name)) {
    logMsg(kQueueStillExists, name.c_str());
    s.failed = 1;
  }
  return 1;
}

int deletePrinterFiles(const std::string& name) {
  const std::string& dir = state().installDir;
  int result = removeSubTree(dir, name);
  std::string script = dir + "/" + name + ".sh";
  struct stat st;
  if (isSafeEntryName(name) && ::lstat(script.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
    ::unlink(script.c_str());
  return result;
}

void deletePrinters() {
  PList* head = &setup().printerList;
  PList* r = head;
  do {
    const std::string& name = r->name;
    if (name.empty() || name == "Default") continue;
    if (!isSafeEntryName(name)) {
      logMsg(kSkipPrinterName, name.c_str());
      continue;
    }
    deleteSpoolerQueue(name);
    deletePrinterFiles(name);
    logMsg(kDeletingPrinter, name.c_str());
  } while ((r = r->next) != head);
}

int removeInstalledFiles(int really) {
  const std::string dir = state().installDir;
  if (::chdir(dir.c_str()) != 0) {
    logMsg(kDirNotOk, dir.c_str());
    return 0;
  }
  std::vector<std::string> listed = manifestFiles(dir);
  std::vector<std::string> finders;
  for (const auto& f : kFinderFiles) finders.push_back(expand(f.path, dir));
  for (const auto& f : kInstalledFiles) removeFile(expand(f.path, dir), f.where, dir, really);
  for (const std::string& f : listed) {
    struct stat st;
    bool finder = std::find(finders.begin(), finders.end(), f) != finders.end();
    if (!finder && ::lstat(f.c_str(), &st) == 0) removeFile(f, kInside, dir, really);
  }
  // A queue or a file that is still there keeps what finds the installation.
  for (size_t i = 0; i < finders.size(); ++i) keepOrRemove(finders[i], dir, really, kFinderFiles[i].always);
  for (const char* d : kInstalledDirs) removeDir(dir + "/" + d, dir, really, std::string(d) == "Default");
  for (const char* f : kRecordFiles) keepOrRemove(expand(f, dir), dir, really, std::string(f) == "%s/jarnInfo2.0");
  return 1;
}

void removeInstallation() {
  deletePrinters();
  removeInstalledFiles(1);
}

}  // namespace inst
