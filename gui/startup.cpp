// Start-up of the administration program (see startup.h).
#include "startup.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "config_file.h"
#include "fallback_resources.h"
#include "fatal_exit.h"
#include "font_fallback.h"
#include "file_helpers.h"
#include "gui_reporter.h"
#include "info_file.h"
#include "main_window.h"
#include "program_exit.h"
#include "question_dialogs.h"
#include "screen_values.h"
#include "setup_state.h"
#include "snapshot.h"
#include "string_helpers.h"
#include "system_detection.h"
#include "trace.h"

namespace {

const char kAppClass[] = "Jarn9_1";
const char kDefaultHome[] = "/opt/bry";

// Environment values the back end reads by itself: one that does not fit a
// path field is dropped before anything reads it.
const char* const kPathVariables[] = {"JARNINFO",     "JARNCUPSDIR", "JARNCUPSBINDIR",
                                      "JARNHOME",     "JARNHOMEDIR", "JARNUSERINFO",
                                      "JARNUSERDIR",  "JARNWORKDIR", "JARNDIR"};

bool accessible(const std::string& path) { return !path.empty() && ::access(path.c_str(), F_OK) == 0; }

void dropOverlongEnvironment() {
  for (const char* name : kPathVariables) {
    const char* value = std::getenv(name);
    if (value && boundedEnvironment(name, kStartPathSize).empty()) ::unsetenv(name);
  }
}

// The defaults set before the options.
void setFirstDefaults() {
  SetupState& s = setup();
  s.mailboxSupport = 1;
  s.mailboxMax = 100;
  s.colourMode = 1;
  s.queueRescanInterval = 180;
  setLogoShown(true);
}

// The defaults set after the options and the CUPS environment.
void setSecondDefaults() {
  SetupState& s = setup();
  s.userId = static_cast<int>(::getuid());
  s.groupId = static_cast<int>(::getgid());
  s.userName = "root";
  s.ippPath = "ipp";
  s.keepOptions = 0;
  s.createMode = 0;
  s.mailboxNumber = -1;
  s.workEntry.mailbox = -1;
  s.panelMode = 0;
  s.fatalReason = 0;
  s.queueListFilter = 3;
  s.printerType = kTypePostScript;
  s.connectType = kConnectLpd;
  s.okButtonMode = 2;
  s.tcpPort = 9100;
  s.lpdRemoteKind = 1;
  s.connectKind = kConnectLpd;
  s.testPageKind = 0;
  s.configVersion = kDefaultConfigVersion;
}

// HOMEDIR from the environment when no option gave it.
void findHomeDir(StartupValues* v) {
  if (v->homeDir.empty()) {
    for (const char* name : {"JARNHOME", "JARNHOMEDIR", "HOME"}) {
      std::string value = boundedEnvironment(name, kStartPathSize);
      if (accessible(value)) {
        v->homeDir = value;
        break;
      }
    }
    if (v->homeDir.empty()) v->homeDir = kDefaultHome;
  }
  if (v->verbose && !accessible(v->homeDir)) {
    std::fprintf(stderr, "No Jarn home directory found.[%s]\n",
                 v->homeDir.empty() ? "NULL" : v->homeDir.c_str());
  }
}

const char* schedulerText(int lpMode) {
  switch (lpMode) {
    case 1: return "lpsched(SysV).\n";
    case 2: return "LPD(BSD).\n";
    case 4: return "LPD(LPRng).\n";
    case 8: return "CUPS.\n";
    case 16: return "AIX.\n";
    case 32: return "Script.\n";
    default: return "Unknown.\n";
  }
}

void verboseReport(const StartupValues& v) {
  SetupState& s = setup();
  std::fputs("Jarn 2.0-0\n", stderr);
  if (s.mailboxSupport == 0) std::fputs("No mailbox support.\n", stderr);
  else if (s.mailboxSupport == 1) std::fprintf(stderr, "Velta : %d boxes\n", s.mailboxMax);
  else std::fprintf(stderr, "Unknown : %d boxes\n", s.mailboxMax);
  std::fputs("Scheduler   : ", stderr);
  std::fputs(schedulerText(s.lpMode), stderr);
  if (v.noPjl) std::fputs("Generate queues without PJL header.\n", stderr);
  if (s.fatalReason == 8) std::fputs("*** No CUPS daemon found! ***\n", stderr);
}

// The start-up printer's configuration file and its PPD path.
void loadPrinterConfiguration(StartupValues* v) {
  SetupState& s = setup();
  std::string printerDir = joinBoundedPath(v->usrDir, v->printerName);
  std::string userDir = joinBoundedPath(printerDir, v->userName);
  std::string path = joinBoundedPath(userDir, "jarnConfig");
  if (printerDir.empty() || userDir.empty() || path.empty()) return;
  if (getConfiguration(path) != 1) return;
  if (v->verbose && s.ppdFileText.empty()) std::fputs("No model found.\n", stderr);
  if (s.ppdDirText.empty()) {
    std::string dir = addTrailingSlash(v->usrDir) + v->printerName + "/";
    s.ppdDirText = dir.size() < kPathSize ? dir : std::string();
  }
  if (!s.ppdFileText.empty() && s.ppdFileText[0] != '/') {
    s.ppdFileText = absolutePpdPath(s.ppdDirText, s.ppdFileText);
  }
}

// Opens the display; null (after the message) when there is none.
Display* openDisplay(const StartupValues& v, XtAppContext* app) {
  XtToolkitInitialize();
  *app = XtCreateApplicationContext();
  XtAppSetFallbackResources(*app, fallbackResources());
  // The toolkit reads its own options (-xrm, -geometry, -bg, ...) from what
  // the program's options left.
  std::vector<std::string> words = {v.programName};
  words.insert(words.end(), v.toolkitArgs.begin(), v.toolkitArgs.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(&w[0]);
  argv.push_back(nullptr);
  int argc = static_cast<int>(words.size());
  Display* dpy = XtOpenDisplay(*app, v.displayName.empty() ? nullptr : v.displayName.c_str(),
                               v.programName.c_str(), kAppClass, nullptr, 0, &argc, argv.data());
  if (!dpy) {
    std::fprintf(stderr, "%s: Unable to open Display.\n", v.programName.c_str());
    return nullptr;
  }
  substituteMissingFonts(dpy);
  return dpy;
}

// The application shell: never mapped, it is the parent of the main window
// and of the dialogs shown before it.
Widget createApplicationShell(Display* dpy, const StartupValues& v) {
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XmNwidth, 1), ++n;
  XtSetArg(args[n], XmNheight, 1), ++n;
  XtSetArg(args[n], XmNmappedWhenManaged, False), ++n;
  Widget shell = XtAppCreateShell(v.programName.c_str(), kAppClass, applicationShellWidgetClass,
                                  dpy, args, n);
  XtRealizeWidget(shell);
  return shell;
}

AfterPopupHook& afterPopupHook() {
  static AfterPopupHook hook = nullptr;
  return hook;
}

int runProgram(int argc, char** argv) {
  StartupValues& v = startupValues();
  std::vector<std::string> args(argv, argv + argc);
  int status = prepareStartup(args, &v);
  if (status >= 0) return status;

  XtAppContext app = nullptr;
  Display* dpy = openDisplay(v, &app);
  if (!dpy) return 1;
  Widget appShell = createApplicationShell(dpy, v);
  mainWidgets().appShell = appShell;
  setReporter(&guiReporter());
  initScreen(appShell);

  loadInformation(&v);
  SetupState& s = setup();
  if (s.colourMode >= 0) {
    loadButtonPixmaps(&programImages(), appShell, s.userDir, s.colourMode == 0 || s.colourMode == 2);
  }
  if (v.verbose) verboseReport(v);
  createMainWindow(appShell, v.width, v.height);
  // -geometry names the application shell, which is never shown: it places
  // the main window instead.
  String geometry = nullptr;
  XtVaGetValues(appShell, XtNgeometry, &geometry, nullptr);
  if (geometry) XtVaSetValues(mainWidgets().mainShell, XtNgeometry, geometry, nullptr);
  popupMainWindow();
  raiseStartupMessages();
  if (afterPopupHook()) afterPopupHook()(app);
  return runMainLoop(app);
}

}  // namespace

StartupValues& startupValues() {
  static StartupValues values;
  return values;
}

std::string joinBoundedPath(const std::string& directory, const std::string& name) {
  if (directory.empty()) return std::string();
  std::string path = directory;
  if (path.back() != '/') path += '/';
  path += name;
  return path.size() < kStartPathSize ? path : std::string();
}

std::string absolutePpdPath(const std::string& printerDir, const std::string& ppdPath) {
  if (ppdPath.empty() || ppdPath[0] == '/') return ppdPath;
  std::string rest = ppdPath.compare(0, 2, "./") == 0 ? ppdPath.substr(2) : ppdPath;
  std::string path = printerDir;
  if (path.empty() || path.back() != '/') path += '/';
  path += rest;
  return path.size() < kStartPathSize ? path : std::string();
}

int prepareStartup(std::vector<std::string> args, StartupValues* v) {
  if (!args.empty()) {
    std::string program = args[0];
    size_t slash = program.rfind('/');
    v->programName = slash == std::string::npos ? program : program.substr(slash + 1);
  }
  v->displayName = extractDisplayOption(args);
  v->toolkitArgs = extractToolkitOptions(args);
  dropOverlongEnvironment();

  // 1, 2: the information file from the environment, the fixed directories.
  v->infoFilePath = boundedEnvironment("JARNINFO", kStartPathSize);
  if (!accessible(v->infoFilePath)) v->infoFilePath.clear();
  v->schedulerRequest = getLpModeFromEnv();

  // 3, 4: first defaults, then the options.
  setFirstDefaults();
  parseStartupOptions(args, v);
  if (v->showUsage) {
    printUsage(stdout);
    return 0;
  }

  // 5, 6, 7
  SetupState& s = setup();
  if (!v->usrDir.empty()) {
    s.userDir = v->usrDir;
    s.programDir = v->usrDir;
  }
  if (v->verbose && traceLevel() != 0) std::fputs("Jarn : Debug Mode Active.\n", stderr);
  takeCupsEnvironment(&v->schedulerRequest);

  // 8: snapshot keywords, second defaults, detection.
  initSnapKeywords();
  setSecondDefaults();
  detectPrintSystem(v->schedulerRequest);
  s.cupsVersion = getHTTPCUPSVersion();
  s.createMode = 0;

  // 9
  findHomeDir(v);
  return -1;
}

void loadInformation(StartupValues* v) {
  SetupState& s = setup();
  // 11: an earlier run's settings.
  if (v->restoreMode == 1 && restoreSnapData(0, std::string()) == 1 && !s.userDir.empty()) {
    v->usrDir = s.userDir;
    v->infoFilePath = joinBoundedPath(v->usrDir, kInfoFileName);
  }
  // 12: the information file, created after asking when it is missing.
  if (readInfoGeneral(v->usrDir, v->infoFilePath) == 0) {
    createInfoFile(v->usrDir, v->printerName);
    readInfoGeneral(v->usrDir, v->infoFilePath);
  }
  readInfoPrinters(1);
  readInfoUsers();
  // 13
  if (v->userName.empty()) v->userName = s.userName.empty() ? "root" : s.userName;
  if (v->printerName.empty()) {
    if (s.printerName.empty()) s.printerName = "Default";
    v->printerName = s.printerName;
  }
  // 14
  loadPrinterConfiguration(v);
}

void setAfterPopupHook(AfterPopupHook hook) { afterPopupHook() = hook; }

int jarnMain(int argc, char** argv) {
  try {
    return runProgram(argc, argv);
  } catch (const FatalExit& e) {
    return e.status();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Jarn: %s\n", e.what());
    return 1;
  }
}
