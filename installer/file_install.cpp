// goInstall: installs a release from sourceDir into installDir. It makes
// the installation and PPD directories, writes the generated files and the
// information file, copies every manifest entry with its mode, loads the
// SELinux module and makes the links in /usr/bin. A failure that leaves the
// installation incomplete marks the run as failed and the run goes on; an
// installation directory that cannot be made stops it, and so do programs
// that are not in place after the copy (then nothing is linked to them).
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "file_install.h"
#include "atomic_file.h"
#include "generated_files.h"
#include "info_setup.h"
#include "install_commands.h"
#include "install_dirs.h"
#include "install_log.h"
#include "install_paths.h"
#include "install_state.h"
#include "later_steps.h"
#include "ppd_archive.h"
#include "selinux.h"

namespace inst {
namespace {

// The programs that the start-up script, the /usr/bin links and the removal
// run, inside the installation directory.
const char* const kNeededPrograms[] = {"bin/jarn", "bin/Jarn.exe", "bin/qorgsfilter", "bin/setup"};

std::string withWrong(std::string line) {
  if (!line.empty() && line.back() == '\n') line.pop_back();
  return line + text(kWrong);
}

// The directory of "?" entries: the PPD installation directory, else the
// CUPS model directory; "" when neither is a directory.
std::string ppdTarget() {
  const InstallState& s = state();
  for (const std::string* dir : {&s.ppdInstallDir, &s.cupsModelDir})
    if (!dir->empty() && isDirectory(*dir)) return *dir;
  return std::string();
}

// The destination of an entry by its DEST; other forms keep the previous
// entry's, made as a directory once a "./x" or absolute DEST was seen.
CopyStep destinationOf(const InstallEntry& e, const CopyStep& previous, const std::string& installDir,
                       const std::string& ppdDir, bool* makeDirs) {
  const std::string& d = e.dest;
  CopyStep out;
  if (d == "." || d == "/") {
    out.path = installDir + "/" + e.source;
    out.isFile = true;
  } else if (e.destIsPPD) {
    out.path = ppdDir;
    out.noPPDDir = ppdDir.empty();
  } else if (d.size() >= 3 && (d.compare(0, 2, "./") == 0 || d[0] == '/')) {
    out.path = d[0] == '/' ? d : installDir + "/" + d.substr(2);
    out.makeDir = *makeDirs = true;
  } else {
    out = previous;
    out.makeDir = *makeDirs && !out.isFile && !out.noPPDDir;
  }
  return out;
}

// True when neither sourceDir nor any part of the SOURCE path below it can
// be written by group or others.
bool sourceTrusted(const std::string& source) {
  const std::string& dir = state().sourceDir;
  if (!notWritableByOthers(dir)) return false;
  for (size_t slash = source.find('/'); slash != std::string::npos; slash = source.find('/', slash + 1))
    if (!notWritableByOthers(dir + "/" + source.substr(0, slash))) return false;
  return notWritableByOthers(dir + "/" + source);
}

// Copies `source` to `target` whole or not at all: a new temporary name in
// the target's directory (made exclusively), the mode (`mode`, else the
// source's permission bits) and the run's user set on the open file, then
// renamed over the target; a link at the target is replaced, never followed.
bool copyWhole(const std::string& source, const std::string& target, int mode) {
  const InstallState& s = state();
  struct stat st;
  std::string data;
  if (::stat(source.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !readWholeFile(source, &data)) return false;
  AtomicWriteOptions o;
  o.mode = static_cast<mode_t>(mode > 0 ? mode : st.st_mode & 0777);
  o.owner = static_cast<uid_t>(s.uid);
  o.group = static_cast<gid_t>(s.gid);
  o.replaceLink = true;
  std::string dir = target.substr(0, target.rfind('/'));
  // Inside the installation only into a directory that is its own.
  if (insideInstallation(dir) && makeDirectory(dir, 0, 0755) < 0) return false;
  removeStaleTemporaries(target);  // of a run killed while copying
  return writeFileAtomic(target, data, o);
}

// Copies one entry and sets its mode; a failure is logged with ": WRONG!!!".
void copyEntry(const InstallEntry& e, const CopyStep& d) {
  InstallState& s = state();
  std::string line = format(kCopyingFile, e.source.c_str(), d.path.c_str());
  std::replace_if(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }, ' ');
  if (d.makeDir) makeDirectory(d.path, 1, 0755);
  std::string source = s.sourceDir + "/" + e.source;
  std::string target = d.isFile || !isDirectory(d.path) ? d.path : d.path + "/" + baseName(e.source);
  if (!sourceTrusted(e.source) || !copyWhole(source, target, e.mode)) {
    writeLog(line + text(kWrong));
    s.failed = 1;
    return;
  }
  writeLog(line);
  if (e.mode > 0) logMsg(kChangingRights, target.c_str(), static_cast<unsigned>(e.mode));
}

// The copy loop: each entry traced, each step of the plan carried out; a
// failure marks the run.
void copyEntries(int count, int copyFlag) {
  InstallState& s = state();
  count = std::min(count, static_cast<int>(s.manifest.size()));
  logMsg(kCopyLoop, count);
  trace(text(kCopyLoop), count);
  std::vector<CopyStep> steps = planCopies(s.manifest, count, s.installDir, ppdTarget(), copyFlag);
  auto step = steps.begin();
  for (size_t i = 0; i < static_cast<size_t>(count); ++i) {
    const InstallEntry& e = s.manifest[i];
    trace(text(kCopyEntryTrace), static_cast<int>(i), e.source.c_str(), e.dest.c_str(), static_cast<unsigned>(e.mode));
    if (step == steps.end() || step->entry != i) continue;
    if (step->noPPDDir) {
      logMsg(kCannotAccessPPDDir, s.ppdInstallDir.c_str());
      s.failed = 1;
    } else {
      copyEntry(e, *step);
    }
    ++step;
  }
}

// Makes the PPD installation directory and the model-directory link the
// probe decided on; an upgrade from 1.0 saves the PPD files found there.
void preparePPDDir() {
  InstallState& s = state();
  std::string& dir = s.ppdInstallDir;
  if (!dir.empty() && !isDirectory(dir)) {
    if (::mkdir(dir.c_str(), 0700) == 0) {
      if (::chmod(dir.c_str(), 0755) == 0) {
        logMsg(kChangingRights, dir.c_str(), 0755u);
      } else {
        logMsg(kCouldNotChmodDir, dir.c_str());
      }
    } else {
      logMsg(kCouldNotCreateDir, dir.c_str());
      logMsg(kFallbackModelDir, s.cupsModelDir.c_str());
      dir = s.cupsModelDir + "/bry";
      if (makeDirectory(dir, 0, 0755) < 0 && makeDirectory(dir, 1, 0755) < 0) logMsg(kDirNotOk, dir.c_str());
    }
  } else {
    logMsg(kPPDInstallDir, dir.c_str());
  }
  s.ppdDirReady = 1;
  if (!s.ppdLinkPath.empty()) {
    std::string line = format(kLinked, 1, s.ppdLinkPath.c_str(), s.ppdLinkTarget.c_str());
    writeLog(makeLink(s.ppdLinkTarget, s.ppdLinkPath) == 0 ? line : withWrong(line));
  }
  if (s.mode == 1) savePPDFiles(dir);
}

// The installation directory itself: made for a new installation, checked
// for an upgrade. False when it is not there.
bool installDirReady() {
  InstallState& s = state();
  int made;
  if (s.mode == 0) {
    if (s.installDir == kDefaultInstallDir) makeDirectoryPath(s.installDir);
    made = makeDirectory(s.installDir, 1, 0755);
  } else {
    made = makeDirectory(s.installDir, 0, 0755);
  }
  if (made < 0) {
    stopBecause(format(kDirNotOk, s.installDir.c_str()));
    return false;
  }
  logMsg(kInstallDirOk, s.installDir.c_str());
  return true;
}

// The start-up script, the information file, the uninstall script and the
// desktop entry, by mode.
void writeGeneratedFiles() {
  InstallState& s = state();
  const std::string& dir = s.installDir;
  ScriptFacts facts = scriptFactsFromState();
  int ok = 1;
  if (s.mode == 0) {
    logMsg(kCreatingStartup, dir.c_str());
    ok &= writeStartupScript(dir, facts);
  } else if (s.mode == 1) {
    logMsg(kCreatingNewStartup, dir.c_str());
    ok &= replaceStartupScript(dir, facts);
  } else {
    logMsg(kSkipStartup, dir.c_str());
  }
  if (s.mode == 0) {
    logMsg(kCreatingInfo, dir.c_str());
    ok &= writeInfoFile();
  } else if (s.mode == 1) {
    logMsg(kCopyingInfo, dir.c_str());
    ok &= convertInfoFile();
  } else {
    logMsg(kSkipInfo, dir.c_str());
  }
  logMsg(kCreatingUninstall, dir.c_str());
  ok &= writeUninstallScript(dir, facts);
  writeLog(text(kCreatingStartScripts));
  ok &= writeDesktopEntry(dir, facts);
  if (!ok) s.failed = 1;
}

// A command's link in /usr/bin, made when missing (or dangling), then the
// link and its target relabelled.
void linkCommand(const std::string& link, const std::string& target) {
  if (!existsNotDangling(link)) {
    std::string line = format(kLinked, 1, link.c_str(), target.c_str());
    writeLog(makeLink(target, link) == 0 ? line : withWrong(line));
  }
  chconPath(link, kChconUser, true);
  chconPath(target, kChconBin, true);
}

// True when each needed program is a regular file its owner can run; each
// one that is not is named on standard error and in the log.
bool programsInPlace(const std::string& installDir) {
  bool all = true;
  for (const char* program : kNeededPrograms) {
    std::string path = installDir + "/" + program;
    struct stat st;
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR)) continue;
    stopBecause(format(kProgramMissing, path.c_str()));
    all = false;
  }
  return all;
}

}  // namespace

std::vector<CopyStep> planCopies(const std::vector<InstallEntry>& entries, int count,
                                 const std::string& installDir, const std::string& ppdDir, int copyFlag) {
  std::vector<CopyStep> steps;
  int saved = copyFlag;
  bool makeDirs = false;
  CopyStep dest;
  for (size_t i = 0; i < entries.size() && static_cast<int>(i) < count; ++i) {
    const InstallEntry& e = entries[i];
    if (e.destIsPPD) {
      saved = copyFlag;
      copyFlag = 1;
    }
    dest = destinationOf(e, dest, installDir, ppdDir, &makeDirs);
    dest.entry = i;
    if (!copyFlag) {
      copyFlag = saved;
      continue;
    }
    copyFlag = 1;
    bool doCopy = (e.source.size() > 2 || e.source == "nc") && dest.path.size() > 2;
    if (dest.noPPDDir || doCopy) steps.push_back(dest);
  }
  return steps;
}

int goInstall(int count) {
  InstallState& s = state();
  if (s.sourceDir == "/opt/bry/bin") s.sourceDir = kDefaultInstallDir;
  logMsg(::chdir(s.sourceDir.c_str()) == 0 ? kCdTo : kCannotCd, s.sourceDir.c_str());
  int copyFlag = s.sourceDir != s.installDir ? 1 : 0;
  if (copyFlag) logMsg(kSetupAfterRpm, s.sourceDir.c_str());
  s.outcome = kDoneStopped;  // from here on the run changes things
  std::string wrong;
  if (!makeInstallDirs(s.installDir, &wrong)) {
    stopBecause(format(kNoBryDir, wrong.c_str()));
    stopBecause(text(kSorryQuit));
    s.failed = 1;
    return 0;
  }
  preparePPDDir();
  if (!installDirReady()) {
    s.failed = 1;
    return 0;
  }
  writeGeneratedFiles();
  copyEntries(count, copyFlag);
  if (!programsInPlace(s.installDir)) {
    stopBecause(text(kInstallIncomplete));
    s.failed = 1;
    return 0;
  }
  if (s.selinux) installSELinuxModule(s.installDir);
  linkCommand("/usr/bin/qorgsfilter", s.installDir + "/bin/qorgsfilter");
  linkCommand("/usr/bin/jarn", s.installDir + "/bin/jarn");
  return 1;
}

}  // namespace inst
