// The main flow of setup.
#include "setup_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <exception>

#include "answers.h"
#include "deinstall.h"
#include "fatal_exit.h"
#include "info_setup.h"
#include "install_log.h"
#include "install_paths.h"
#include "install_state.h"
#include "later_steps.h"
#include "manifest.h"
#include "options.h"
#include "queue_commands.h"
#include "report.h"
#include "selinux.h"
#include "setup_state.h"
#include "system_detection.h"
#include "system_probe.h"

namespace inst {
namespace {

const char kLogPath[] = "/var/log/Jarn2.0_UpdateLog";
constexpr int kCups = 8;

// The back end's messages go to the log; its questions are answered no.
class LogReporter : public Reporter {
 public:
  void message(int, const std::string& title, const std::string& body) override {
    logMsg(kBackendMessage, title.c_str(), body.c_str());
  }
  bool ask(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return false;
  }
};

// A SELinux tool's absolute path, "" when not found.
std::string selinuxTool(const char* name) {
  std::string p = findSystemProgram(name);
  return p.empty() || p[0] != '/' ? std::string() : p;
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string currentDir() {
  char buf[4096];
  return ::getcwd(buf, sizeof buf) ? buf : ".";
}

// A text for standard error (with one more line feed) and the log.
void tell(Msg id) {
  std::fprintf(stderr, "%s\n", text(id));
  writeLog(text(id));
}


void findTools() {
  Tools& t = state().tools;
  for (auto [slot, name] : {std::pair<std::string*, const char*>{&t.accept, "accept"}, {&t.cat, "cat"},
                            {&t.chown, "chown"}, {&t.cp, "cp"}, {&t.rm, "rm"}, {&t.cupsenable, "cupsenable"},
                            {&t.gzip, "gzip"}, {&t.ln, "ln"}, {&t.whoami, "whoami"}}) {
    *slot = findSystemProgram(name);
  }
  SetupState& b = setup();
  b.toolPaths[kToolLpadmin] = findSystemProgram("lpadmin");
  b.toolPaths[kToolLpstat] = findSystemProgram("lpstat");
}

// Logs why the run is abandoned (step of the preconditions).
void reportAbandon() {
  const InstallState& s = state();
  if (!s.abandon) return;
  stopBecause(text(kAbandonedBecause));
  if (s.noCups) stopBecause(text(kNoCupsDaemon));
  if (s.noFoomatic) stopBecause(text(kNoFoomatic));
  if (!s.isRoot) stopBecause(text(kNotRoot));
  stopBecause(text(kSorry));
}

// The probe of the spooler, CUPS, the machine and the PPD directories.
void probeSystem() {
  InstallState& s = state();
  SetupState& b = setup();
  trace("%s", text(kTraceRootMode));
  probeScheduler();
  s.noCups = s.scheduler != kCups;
  s.abandon = s.noCups || s.noFoomatic || !s.isRoot ? 1 : 0;
  reportAbandon();
  if (!s.noCups) {
    logMsg(kCupsBaseDir, b.cupsDir.c_str());
    logMsg(kCupsBinDir, b.cupsBinDir.c_str());
    probeCupsVersion(chooseNetcat());
  }
  trace("%s", text(kTraceFullInfo));
  s.systemType = getSystemInfo();
  if (!s.noCups) {
    b.toolPaths[kToolCupsDataDir] = getCupsDataDir("datadir");
    b.toolPaths[kToolLpadmin] = findCupsProgram("lpadmin");
    b.toolPaths[kToolLpstat] = findCupsProgram("lpstat");
    logMsg(kLpadminPath, b.toolPaths[kToolLpadmin].c_str());
    logMsg(kLpstatPath, b.toolPaths[kToolLpstat].c_str());
  }
  std::string earlier;
  s.ppdDirBits = listSystemPPDDirs(&earlier);
  s.modelLinks = readModelDirLinks();
  choosePPDInstallDir(earlier);
  s.xkeysymFound = findXKeysymDB(&s.xkeysymPath);
  if (s.xkeysymFound) {
    logMsg(kXKeysym, s.xkeysymPath.c_str());
  } else {
    writeLog(text(kXKeysymNone));
  }
}

// Takes over an earlier installation for an upgrade or an update.
void takeEarlierInstallation() {
  InstallState& s = state();
  int version = -1;
  s.foundInstallation = findInstallation(&s.foundDir, &version);
  if (!s.foundInstallation) {
    writeLog(text(kNewInstallation));
    return;
  }
  logMsg(kFoundInstallation, s.foundDir.c_str());
  std::string checked;
  if (!checkInstallDir(s.foundDir, &checked) || !isDirectory(checked)) {
    logMsg(kDirNotOk, s.foundDir.c_str());
    return;
  }
  s.installDir = checked;
  s.mode = version == 1 || version == 2 ? version : 0;
  logMsg(kUpgradeMode, version);
  logMsg(kDirOk, s.installDir.c_str());
  int count = readInstalledPrinters(version);
  logMsg(kPrintersFound, count < 0 ? 0 : count);
}

void install() {
  InstallState& s = state();
  takeEarlierInstallation();
  if (s.abandon) {
    stopBecause(text(kInsufficientData));
    return;
  }
  if (s.interactive) {
    Msg q = s.mode == 1 ? kAskUpdateFrom1 : s.mode == 2 ? kAskUpdate2 : kAskInstall;
    if (askQuestion(text(q)) != kAnswerYes) {
      tell(kAbandonedByUser);
      return;
    }
  }
  if (!goInstall(s.manifestCount)) return;
  s.outcome = s.mode == 1 ? (s.notUpgraded ? kDoneNotUpgraded : kDoneUpgraded)
              : s.mode == 2 ? kDoneUpdated : kDoneInstalled;
  int printers = listVendorPrinters();
  if (printers > 0) updatePrinters(printers);
  setAsideFirstGenerationInfo();
}

void deinstall() {
  int version = -1;
  std::string found;
  if (!findInstallation(&found, &version)) found.clear();
  if (!chooseDeinstallDir(found, &version)) {
    tell(kNoInstallationFound);
    tell(kSorry);
    return;
  }
  Msg closing = kAbandonedByUser;
  if (askQuestion(text(kAskDelete)) == kAnswerYes) {
    int count = readInstalledPrinters(version);
    logMsg(kPrintersFound, count < 0 ? 0 : count);
    removeInstallation();
    bool complete = !state().failed;
    state().outcome = complete ? kDoneRemoved : kDoneNotAllRemoved;
    closing = complete ? kUninstalled : kNotAllUninstalled;
  }
  tell(closing);
}

// Everything after the log is open.
void flow(const char* argv0, const std::vector<ParsedOption>& options) {
  InstallState& s = state();
  findTools();
  logMsg(kStarting, timeText().c_str());
  s.sourceDir = getSourceDir(argv0 ? argv0 : "", currentDir());
  logMsg(kSourceDir, s.sourceDir.c_str());
  if (s.sourceDir.compare(0, 8, kDefaultInstallDir) != 0 && s.fromAnyDir == 0 && !s.deinstall) {
    writeLog(text(kSimulation));
    std::fprintf(stderr, "%s\n", text(kSimulation));
    return;
  }
  logMsg(kSelinuxRunning, s.selinux ? "Yes" : "No");
  s.tools.semodule = selinuxTool("semodule");
  if (!s.deinstall) checkSELinuxModule(s.sourceDir + "/etc/jarn.pp");
  s.noFoomatic = hasFoomaticRip() ? 0 : 1;
  s.isRoot = s.uid == 0 ? 1 : 0;
  applySecondPhase(options);
  if (s.installDirRefused) {
    stopBecause(format(kRefusedInstallDir, s.refusedInstallDir.c_str(), s.refusedReason.c_str()));
    s.failed = 1;
    return;
  }
  if (s.uid != 0) {
    trace("%s", text(kMustBeRootTrace));
    stopBecause(std::string(text(kMustBeRoot)) + "\n");
    return;
  }
  if (!s.deinstall) {
    s.manifestCount = getInfoData();
    if (s.manifestCount < 1) {
      stopBecause(format(kMissingInfo, s.sourceDir.c_str(), s.manifestName.c_str()));
      stopBecause(text(kInsufficientData));
      s.failed = 1;
      return;
    }
  }
  probeSystem();
  if (s.deinstall) {
    deinstall();
  } else {
    install();
  }
}

// The run's one closing line on standard output: what it did and where.
void sayWhatWasDone() {
  const InstallState& s = state();
  std::string line = format(s.outcome ? static_cast<Msg>(s.outcome) : kDoneNothing, s.installDir.c_str());
  if (s.failed) line = format(kDoneWithErrors, line.c_str(), s.logPath.c_str());
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int runSetup(int argc, char* argv[]) {
  InstallState& s = state();
  s.tools.selinuxenabled = selinuxTool("selinuxenabled");
  s.tools.restorecon = selinuxTool("restorecon");
  s.tools.chcon = selinuxTool("chcon");
  s.uid = static_cast<int>(::getuid());
  s.gid = static_cast<int>(::getgid());
  s.selinux = isSELinuxEnabled();
  bool bad = false;
  std::vector<ParsedOption> options = parseOptions(argc, argv, &bad);
  if (bad) {
    std::fputs(usageText().c_str(), stderr);
    return 2;
  }
  if (applyFirstPhase(options)) {
    std::fputs(usageText().c_str(), stdout);
    return 0;
  }
  for (int i = 0; i < argc; ++i) s.commandLine += (i ? " " : "") + std::string(argv[i]);
  if (!s.deinstall && s.selinux) std::fputs(text(kSelinuxDots), stderr);
  LogReporter reporter;
  Reporter* before = setReporter(&reporter);
  setSpoolerCommandLog([](const std::string& command) { logMsg(kExecuting, command.c_str()); });
  s.logPath = kLogPath;
  openLogFile(s.uid);
  try {
    flow(argc > 0 ? argv[0] : nullptr, options);
  } catch (const FatalExit& e) {
    logMsg(kInternalError, e.what());
    s.failed = 1;
  } catch (const std::exception& e) {
    logMsg(kInternalError, e.what());
    s.failed = 1;
  }
  closeLogFile();
  setSpoolerCommandLog(nullptr);
  setReporter(before);
  sayWhatWasDone();
  return s.failed ? 1 : 0;
}

}  // namespace inst
