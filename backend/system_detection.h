// System, spooler and CUPS detection: which system this is, which spooler is
// asked for and which one runs, where CUPS lives, where every spooler program
// is, and which CUPS version serves the machine. Everything is found by
// probing files, the environment, the process list and the spooler's own
// programs; the results go into SetupState.
//
// Fixed system paths go through rootedPath(), so tests can point them into a
// private tree; programs that are not found stay bare names and are then
// looked up in PATH when they run.
#pragma once

#include <string>

// Slots of SetupState::toolPaths.
enum ToolSlot {
  kToolAccept = 0,
  kToolCat = 2,
  kToolCheckpc = 3,
  kToolCp = 4,
  kToolCupsd = 5,
  kToolCupsDataDir = 6,
  kToolCupsModelDir = 7,
  kToolEnable = 8,
  kToolLp = 11,  // lpr under BSD and LPRng
  kToolLpadmin = 12,
  kToolLpc = 13,
  kToolLpinfo = 14,
  kToolLpoptions = 15,
  kToolLpq = 16,
  kToolLpsched = 17,
  kToolLpset = 18,
  kToolLpshut = 19,
  kToolLpstat = 21,
  kToolLpsystem = 22,
  kToolMknod = 23,
  kToolPrintcap = 24,
  kToolRm = 25,
  kToolWhoami = 26,
  kToolXauth = 27,
};

// System kinds (SetupState::osKind).
enum OsKind {
  kOsOther = 0,
  kOsSunOs5 = 1,
  kOsSunOsOld = 2,
  kOsIrix = 3,
  kOsHpUx = 4,
  kOsAix = 5,
  kOsLinux = 6,
  kOsOsf1 = 7,
  kOsScoSv = 9,
  kOsUnixWare = 10,
  kOsOpenUnix = 11,
};

// What uname tells about the machine; passed in as values so that tests can
// stand for other systems.
struct MachineFacts {
  bool known = false;  // false: uname failed
  std::string sysname;
  std::string nodename;
  std::string release;
};

// The facts of this machine from uname.
MachineFacts readMachineFacts();

// The spooler asked for in QORLPMODE, else JARNLPMODE: "CUPS" 8, "LPRNG" 4,
// "LPR" 2, "LP" 1 (exact), and with `withAix` also "AIX" 16; anything else
// or unset 0.
int getLpModeFromEnv(bool withAix = false);

// Takes JARNCUPSDIR and JARNCUPSBINDIR into cupsDir and cupsBinDir (a value
// naming no existing directory, or one trustedToolDir refuses, is dropped). When both are set, CUPS becomes
// the request (when `request` was 0) and cupsFound 1.
void takeCupsEnvironment(int* request);

// The whole detection for the requested spooler (0 none) on this machine.
// Returns the path of xauth.
std::string detectPrintSystem(int requested);
// The same with the machine facts given.
std::string detectPrintSystemFor(int requested, const MachineFacts& facts);

// The system kind for a uname system name and release.
int osKindFor(const std::string& sysname, const std::string& release);

// Looks for a running spooler daemon (cupsd, lpsched, lpd, qdaemon, in this
// order) among the processes of root (or of the running user) by the program
// the kernel names for each (/proc/PID/exe, no child run) and, for lpd or
// none, for LPRng. With `fillCupsDirs` a running cupsd also gives cupsDir
// and cupsBinDir; its tool directory only when trustedToolDir accepts it.
// Returns the spooler kind found running, 0 when none.
int checkLPDDaemon(int fillCupsDirs);

// True when `dir` and every directory above it are real directories owned
// by root (or the running user) that group and others cannot write (a
// sticky directory of root's above it excepted).
bool trustedToolDir(const std::string& dir);

// The CUPS prefix from cupsd's program path ("/usr/sbin/cupsd" gives "/usr").
// False when the word does not name cupsd by an absolute path.
bool getCupsdPrefix(const std::string& word, std::string* prefix);

// The prefix and exec prefix from the CUPS start scripts or the known
// directories. 1 when found, 0 when not.
int getCupsPrefix(std::string* prefix, std::string* execPrefix);

// Full path of a program from the system, X11 or CUPS directories; the bare
// name when it is not found.
std::string findSystemProgram(const std::string& name);
std::string findX11Program(const std::string& name);
std::string findCupsProgram(const std::string& name);

// The CUPS data directory ("datadir") or configuration directory
// ("basedir"); "" when none exists or the kind is unknown.
std::string getCupsDataDir(const std::string& kind);

// The directory that holds the model PPDs inside the data directory's
// "model"; "" when there is no model directory. No data directory at all
// ends the program (FatalExit -1).
std::string getCupsModelDir();

// The installed PPD file of a queue, "<cupsDir>/etc/cups/ppd/<queue>.ppd".
// With `mustExist`, 0 when neither that file nor the one under /etc/cups
// exists. 1 otherwise.
int getCupsPPDFname(const std::string& queue, std::string* path, int mustExist);

// The CUPS version as a four-digit number (2.4 is 2400): asks the server
// libcups is configured for (a domain socket: the local host on the IPP
// port) through `netcat` (when empty: the installation's qornc,
// else nc), then the version texts of the installed files; 1400 when nothing
// answers. `source`, when given, tells which source answered: "HTTP" for the
// server, else the path of the program or file that gave the version, ""
// when none did.
int getHTTPCUPSVersion(const std::string& netcat = std::string(), std::string* source = nullptr);

// A version number brought to four digits (14 is 1400, 143 is 1430).
int normalizeCupsVersion(int version);

// The version from an HTTP answer's "Server: CUPS/x.y" line; 0 when none.
int versionFromHttpAnswer(const std::string& answer);

// 1 when cupsDir (or "/") and cupsBinDir both exist.
int checkCupsDirs();
// 1 when the file is readable.
int checkPrintersConf(const std::string& path);
