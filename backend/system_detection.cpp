// System, spooler and CUPS detection.
#include "system_detection.h"

#include <cups/cups.h>
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "atomic_file.h"
#include "command_formats.h"
#include "fatal_exit.h"
#include "fs_root.h"
#include "process_runner.h"
#include "report.h"
#include "setup_state.h"
#include "trace.h"

namespace {

// The daemons looked for in the process list, in this order.
struct DaemonKind {
  const char* name;
  int lpMode;
};
const DaemonKind kDaemons[] = {
    {"cupsd", kLpCups}, {"lpsched", kLpSysV}, {"lpd", kLpBsd}, {"qdaemon", kLpAix}};

// What "Resetting scheduler to : " is followed by, per spooler kind.
struct SpoolerText {
  int lpMode;
  const char* text;
};
const SpoolerText kResetTexts[] = {{kLpSysV, "lpsched(SysV).\n"}, {kLpBsd, "LPD.\n"},
                                   {kLpLprng, "LPRNG.\n"},        {kLpCups, "CUPS.\n"},
                                   {kLpAix, "AIX.\n"}};

struct OsName {
  const char* sysname;
  int kind;
};
const OsName kOsNames[] = {{"IRIX", kOsIrix},     {"HP-UX", kOsHpUx},      {"AIX", kOsAix},
                           {"Linux", kOsLinux},   {"OSF1", kOsOsf1},       {"SCO_SV", kOsScoSv},
                           {"UnixWare", kOsUnixWare}, {"OpenUNIX", kOsOpenUnix}};

const char* const kSystemDirs[] = {"/usr/bin/", "/usr/sbin/", "/usr/ucb/",      "/bin/",
                                   "/sbin/",    "/usr/bsd/",  "/etc/",          "/usr/etc/",
                                   "/usr/lib/", "/lib/",      "/usr/local/bin/", "/usr/freeware/bin/"};
const char* const kX11Dirs[] = {
    "/usr/X11R6/bin/",      "/usr/X11/bin/",       "/usr/bin/X11R6/", "/usr/bin/X11/",
    "/usr/local/X11R6/bin/", "/usr/local/X11/bin/", "/usr/local/bin/X11R6/", "/usr/local/bin/X11/",
    "/usr/openwin/bin/",    "/usr/X11R5/bin/",     "/usr/local/X11R5/bin/", "/usr/local/bin/",
    "/usr/bin/"};
const char* const kCupsBinSubdirs[] = {"/bin/", "/sbin/", "/etc/", "/lib/"};
const char* const kCupsPrefixSubdirs[] = {"/", "/bin/", "/sbin/", "/etc/", "/lib/"};

const char* const kStartScripts[] = {"/etc/init.d/cups",       "/etc/init.d/cupsys",
                                     "/etc/rc.d/init.d/cups",  "/sbin/init.d/cups",
                                     "/etc/rc.d/init.d/cupsys", "/sbin/init.d/cupsys",
                                     "/etc/cups/cups"};
const char* const kDataDirs[] = {"/usr/share/cups", "/usr/local/share/cups", "/usr/local/cups",
                                 "/usr/cups", "/etc/share/cups"};
const char* const kBaseDirs[] = {"/etc/cups", "/etc/share/cups", "/usr/local/cups", "/usr/cups"};
const char* const kModelSubdirs[] = {"0-driverppds",     "custom",          "foomatic-db-ppds",
                                     "foomatic-ppds",    "manufacturer-ppds", "foomatic-db-ppd",
                                     "foomatic-ppd",     "3-driverppds"};
const char* const kCupsConfigPaths[] = {"/usr/bin/cups-config", "/usr/sbin/cups-config",
                                        "/sbin/cups-config"};

// The request the version probe sends to the local server.
const char kVersionRequest[] = "HEAD / HTTP/1.1\nConnection: Close\n\n\n";
constexpr int kDefaultCupsVersion = 140;

bool exists(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The first line of a text (without its line end).
std::string firstLine(const std::string& text) {
  size_t end = text.find_first_of("\r\n");
  return end == std::string::npos ? text : text.substr(0, end);
}

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// The digits of a version text from `pos`, its points dropped ("1.4.3" is
// 143); 0 when no digit follows.
int versionDigits(const std::string& text, size_t pos) {
  int value = 0;
  bool any = false;
  for (size_t i = pos; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      if (value < 100000000) value = value * 10 + (c - '0');
      any = true;
    } else if (c != '.') {
      break;
    }
  }
  return any ? value : 0;
}

// A running process as the kernel shows it: its real user and its program.
struct Process {
  uid_t uid;
  std::string exe;  // the program's path (readlink of /proc/PID/exe)
};

// The real user id of the "Uid:" line of /proc/PID/status; false when none.
bool processUid(const std::string& procDir, uid_t* uid) {
  std::string status;
  if (!readWholeFile(procDir + "/status", &status)) return false;
  size_t at = status.find("\nUid:");
  if (at == std::string::npos) return false;
  char* end = nullptr;
  unsigned long v = std::strtoul(status.c_str() + at + 5, &end, 10);
  if (end == status.c_str() + at + 5) return false;
  *uid = static_cast<uid_t>(v);
  return true;
}

// The processes of /proc (under the injectable root) whose program the
// kernel names; kernel threads and vanished processes are left out. No
// child is run: the argument text a process chose for itself plays no part.
std::vector<Process> runningProcesses() {
  std::vector<Process> out;
  std::string proc = rootedPath("/proc");
  DIR* d = ::opendir(proc.c_str());
  if (!d) return out;
  while (struct dirent* e = ::readdir(d)) {
    if (!std::isdigit(static_cast<unsigned char>(e->d_name[0]))) continue;
    std::string dir = proc + "/" + e->d_name;
    char buf[4096];
    ssize_t n = ::readlink((dir + "/exe").c_str(), buf, sizeof buf - 1);
    Process p;
    if (n <= 0 || !processUid(dir, &p.uid)) continue;
    p.exe.assign(buf, static_cast<size_t>(n));
    const std::string deleted = " (deleted)";
    if (p.exe.size() > deleted.size() && p.exe.compare(p.exe.size() - deleted.size(), deleted.size(), deleted) == 0)
      p.exe.resize(p.exe.size() - deleted.size());
    out.push_back(p);
  }
  ::closedir(d);
  return out;
}

std::string baseNameOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// True when "lpd -V" names LPRng.
bool lpdIsLprng() {
  Command cmd = commandFromFormat(fmt::kLpdVersion, {});
  cmd.stderrToStdout = true;
  std::string out;
  runCapture(cmd, traceLevel(), &out, RunMode::Quiet);
  return out.find("LPRng") != std::string::npos;
}

void fillCupsDirsFrom(const std::string& program) {
  SetupState& s = setup();
  std::string prefix;
  if (getCupsdPrefix(program, &prefix) && trustedToolDir(program.substr(0, program.rfind('/'))))
    s.cupsBinDir = prefix;
  std::string dir, execDir;
  if (getCupsPrefix(&dir, &execDir)) {
    if (!dir.empty() && dir != s.cupsDir) s.cupsDir = dir;
    if (!execDir.empty() && execDir != s.cupsBinDir) s.cupsBinDir = execDir;
  }
}

// The rest of the line after `key`, its line end cut.
std::string afterKey(const std::string& line, size_t keyPos, size_t keyLen) {
  return firstLine(line.substr(keyPos + keyLen));
}

std::string findIn(const char* const* dirs, size_t count, const std::string& name) {
  for (size_t i = 0; i < count; ++i) {
    std::string path = rootedPath(std::string(dirs[i]) + name);
    if (exists(path)) return path;
  }
  return name;
}

std::string firstExisting(const std::vector<std::string>& candidates) {
  for (const auto& c : candidates) {
    if (isDirectory(c)) return c;
  }
  return std::string();
}

void setToolPaths(int lpMode, int osKind) {
  SetupState& s = setup();
  auto& t = s.toolPaths;
  if ((osKind == kOsSunOs5 || osKind == kOsOpenUnix) && s.cupsFound == 0) {
    t[kToolLpsystem] = findSystemProgram("lpsystem");
  }
  if (lpMode == kLpBsd || lpMode == kLpLprng) {
    t[kToolLp] = findSystemProgram("lpr");
    t[kToolLpc] = findSystemProgram("lpc");
    t[kToolLpq] = findSystemProgram("lpq");
    if (lpMode == kLpLprng) {
      std::string local = findSystemProgram("printcap.local");
      t[kToolPrintcap] = local != "printcap.local" ? local : findSystemProgram("printcap");
      t[kToolCheckpc] = findSystemProgram("checkpc");
    } else {
      t[kToolPrintcap] = findSystemProgram("printcap");
    }
  } else if (lpMode == kLpCups) {
    t[kToolLp] = findCupsProgram("lp");
    t[kToolLpc] = findCupsProgram("lpc");
    t[kToolLpq] = findCupsProgram("lpq");
    t[kToolLpstat] = findCupsProgram("lpstat");
    t[kToolLpadmin] = findCupsProgram("lpadmin");
    t[kToolLpoptions] = findCupsProgram("lpoptions");
    t[kToolAccept] = findCupsProgram("accept");
    // Systems that ship CUPS's own names only (cupsaccept, cupsenable).
    if (t[kToolAccept] == "accept") t[kToolAccept] = findCupsProgram("cupsaccept");
    t[kToolEnable] = findCupsProgram("enable");
    if (t[kToolEnable] == "enable") t[kToolEnable] = findCupsProgram("cupsenable");
    t[kToolLpinfo] = findCupsProgram("lpinfo");
    t[kToolCupsd] = findCupsProgram("cupsd");
    t[kToolPrintcap] = findCupsProgram("printcap");
    t[kToolCupsDataDir] = getCupsDataDir("datadir");
    t[kToolCupsModelDir] = getCupsModelDir();
    std::string server = cupsServer() ? cupsServer() : "";
    if (server.empty() || server[0] == '/' || server.find("/var/run/cups") != std::string::npos ||
        server.find("localhost") != std::string::npos) {
      s.cupsServerName = "localhost";
    } else {
      s.cupsServerName = server;
    }
  } else {
    t[kToolLp] = findSystemProgram("lp");
    t[kToolLpstat] = findSystemProgram("lpstat");
    t[kToolLpadmin] = findSystemProgram("lpadmin");
    t[kToolLpshut] = findSystemProgram("lpshut");
    t[kToolLpsched] = findSystemProgram("lpsched");
    t[kToolLpset] = findSystemProgram("lpset");
    t[kToolAccept] = findSystemProgram("accept");
    t[kToolEnable] = findSystemProgram("enable");
  }
}

}  // namespace

MachineFacts readMachineFacts() {
  MachineFacts f;
  struct utsname u;
  if (::uname(&u) != 0) return f;
  f.known = true;
  f.sysname = u.sysname;
  f.nodename = u.nodename;
  f.release = u.release;
  return f;
}

int getLpModeFromEnv(bool withAix) {
  const char* v = std::getenv("QORLPMODE");
  if (!v) v = std::getenv("JARNLPMODE");
  if (!v) return 0;
  std::string m = v;
  if (m == "CUPS") return kLpCups;
  if (m == "LPRNG") return kLpLprng;
  if (m == "LPR") return kLpBsd;
  if (m == "LP") return kLpSysV;
  if (withAix && m == "AIX") return kLpAix;
  return 0;
}

void takeCupsEnvironment(int* request) {
  SetupState& s = setup();
  const char* dir = std::getenv("JARNCUPSDIR");
  const char* bin = std::getenv("JARNCUPSBINDIR");
  // The tools are run from there: only a directory nobody else could fill.
  s.cupsDir = dir && isDirectory(dir) && trustedToolDir(dir) ? dir : "";
  s.cupsBinDir = bin && isDirectory(bin) && trustedToolDir(bin) ? bin : "";
  cutField(s.cupsDir, kPathSize);
  cutField(s.cupsBinDir, kPathSize);
  if (!s.cupsDir.empty() && !s.cupsBinDir.empty()) {
    if (request && *request == 0) *request = kLpCups;
    s.cupsFound = 1;
  }
}

int osKindFor(const std::string& sysname, const std::string& release) {
  if (sysname == "SunOS") return std::atof(release.c_str()) >= 5 ? kOsSunOs5 : kOsSunOsOld;
  for (const OsName& o : kOsNames) {
    if (sysname == o.sysname) return o.kind;
  }
  return kOsOther;
}

std::string detectPrintSystem(int requested) {
  return detectPrintSystemFor(requested, readMachineFacts());
}

std::string detectPrintSystemFor(int requested, const MachineFacts& facts) {
  SetupState& s = setup();
  if (!facts.known) doMessage(kMsgError, "Configuration File", "Cannot find\nthe system information.\n");

  int running = checkLPDDaemon(s.cupsFound == 0 ? 1 : 0);
  if (running != kLpCups) s.fatalReason = 8;
  tracef("checkLPDDaemon = %d :: %d\n", running, s.fatalReason);

  if (facts.known) {
    if (!facts.nodename.empty()) {
      s.hostName = facts.nodename;
      cutField(s.hostName, kHostNameSize);
    }
    s.unameRelease = static_cast<float>(std::atof(facts.release.c_str()));
    s.osKind = osKindFor(facts.sysname, facts.release);
  }

  if (requested != 0 && running != 0 && running != requested) {
    std::fputs("Resetting scheduler to : ", stderr);
    for (const SpoolerText& t : kResetTexts) {
      if (t.lpMode == running) std::fputs(t.text, stderr);
    }
    s.lpMode = running;
  } else if (requested != 0) {
    s.lpMode = requested;
  } else if (running != 0) {
    s.lpMode = running;
  } else if (s.osKind == kOsSunOsOld || s.osKind == kOsLinux || s.osKind == kOsOsf1) {
    s.lpMode = kLpBsd;
  } else if (s.osKind == kOsAix) {
    s.lpMode = kLpAix;
  } else {
    s.lpMode = kLpSysV;
  }

  s.userId = static_cast<int>(::getuid());
  s.groupId = static_cast<int>(::getgid());
  setToolPaths(s.lpMode, s.osKind);

  if (struct passwd* pw = ::getpwnam("daemon")) s.daemonUid = static_cast<int>(pw->pw_uid);
  if (struct group* gr = ::getgrnam("daemon")) s.daemonGid = static_cast<int>(gr->gr_gid);
  auto& t = s.toolPaths;
  t[kToolRm] = findSystemProgram("rm");
  t[kToolCat] = findSystemProgram("cat");
  t[kToolCp] = findSystemProgram("cp");
  t[kToolMknod] = findSystemProgram("mknod");
  t[kToolWhoami] = findSystemProgram("whoami");
  t[kToolXauth] = findX11Program("xauth");
  return t[kToolXauth];
}

int checkLPDDaemon(int fillCupsDirs) {
  SetupState& s = setup();
  std::vector<Process> processes = runningProcesses();
  const uid_t self = ::geteuid();
  int found = 0;
  std::string cupsd;
  for (const DaemonKind& d : kDaemons) {
    for (const Process& p : processes) {
      // A daemon is root's (or, for a program run by another user, that
      // user's own, which it runs only as itself).
      if ((p.uid != 0 && p.uid != self) || baseNameOf(p.exe) != d.name) continue;
      found = d.lpMode;
      cupsd = p.exe;
      break;
    }
    if (found) break;
  }
  switch (found) {
    case kLpCups:
      if (fillCupsDirs) fillCupsDirsFrom(cupsd);
      s.cupsFound = 1;
      return kLpCups;
    case kLpSysV:
    case kLpAix:
      s.cupsFound = 0;
      return found;
    default:
      s.cupsFound = 0;
      return lpdIsLprng() ? kLpLprng : found;
  }
}

bool trustedToolDir(const std::string& dir) {
  if (dir.empty() || dir[0] != '/') return false;
  const uid_t self = ::geteuid();
  std::string path = dir;
  for (;;) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    if (st.st_uid != 0 && st.st_uid != self) return false;
    // A sticky directory of root's (/tmp) lets nobody replace what others own.
    bool stickyRoot = st.st_uid == 0 && (st.st_mode & S_ISVTX) != 0 && path != dir;
    if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0 && !stickyRoot) return false;
    if (path == "/") return true;
    size_t slash = path.rfind('/');
    path = slash == 0 ? "/" : path.substr(0, slash);
  }
}

bool getCupsdPrefix(const std::string& word, std::string* prefix) {
  std::string w = word;
  if (!w.empty() && w[0] == ' ') w.erase(0, 1);
  if (w.empty() || w[0] != '/') return false;
  w = firstLine(w);
  if (w.find("cupsd") == std::string::npos) return false;
  for (const char* tail : {"/sbin/cupsd", "/bin/cupsd"}) {
    size_t at = w.find(tail);
    if (at != std::string::npos) {
      *prefix = w.substr(0, at);
      return true;
    }
  }
  return false;
}

int getCupsPrefix(std::string* prefix, std::string* execPrefix) {
  SetupState& s = setup();
  prefix->clear();
  execPrefix->clear();
  for (const char* script : kStartScripts) {
    std::string text;
    if (!readWholeFile(rootedPath(script), &text)) continue;
    bool haveExec = false;
    bool havePrefix = false;
    for (const std::string& line : splitLines(text)) {
      size_t e = line.find("exec_prefix=");
      if (e != std::string::npos) {
        if (!haveExec) *execPrefix = afterKey(line, e, std::strlen("exec_prefix="));
        haveExec = true;
        continue;
      }
      size_t p = line.find("prefix=");
      if (p != std::string::npos && !havePrefix) {
        *prefix = afterKey(line, p, std::strlen("prefix="));
        havePrefix = true;
      }
    }
    if (havePrefix) return 1;
    if (haveExec) return 1;
    break;  // the first script that opens decides; without an exec prefix the scripts are given up
  }
  bool etcCups = isDirectory(rootedPath("/etc/cups"));
  if (!s.cupsBinDir.empty() && isDirectory(s.cupsBinDir)) {
    *execPrefix = s.cupsBinDir;
    if (s.cupsBinDir == "/usr" && etcCups) {
      *prefix = "/";
      return 1;
    }
  } else if (s.cupsBinDir.empty() && isDirectory(rootedPath("/usr/share/cups"))) {
    *execPrefix = "/usr";
    if (etcCups) {
      *prefix = "/";
      return 1;
    }
  }
  return 0;
}

std::string findSystemProgram(const std::string& name) {
  return findIn(kSystemDirs, sizeof kSystemDirs / sizeof kSystemDirs[0], name);
}

std::string findX11Program(const std::string& name) {
  return findIn(kX11Dirs, sizeof kX11Dirs / sizeof kX11Dirs[0], name);
}

std::string findCupsProgram(const std::string& name) {
  const SetupState& s = setup();
  if (s.cupsBinDir.empty()) return findSystemProgram(name);
  for (const char* sub : kCupsBinSubdirs) {
    std::string path = s.cupsBinDir + sub + name;
    if (exists(path)) return path;
  }
  if (!s.cupsDir.empty()) {
    for (const char* sub : kCupsPrefixSubdirs) {
      std::string path = s.cupsDir + sub + name;
      if (exists(path)) return path;
    }
  }
  return name;
}

std::string getCupsDataDir(const std::string& kind) {
  const SetupState& s = setup();
  std::vector<std::string> candidates;
  if (kind == "datadir") {
    if (!s.cupsBinDir.empty()) candidates.push_back(s.cupsBinDir + "/share/cups");
    for (const char* d : kDataDirs) candidates.push_back(rootedPath(d));
  } else if (kind == "basedir") {
    if (!s.cupsDir.empty()) candidates.push_back(s.cupsDir);
    for (const char* d : kBaseDirs) candidates.push_back(rootedPath(d));
  }
  return firstExisting(candidates);
}

std::string getCupsModelDir() {
  SetupState& s = setup();
  if (s.toolPaths[kToolCupsDataDir].empty()) s.toolPaths[kToolCupsDataDir] = getCupsDataDir("datadir");
  const std::string& data = s.toolPaths[kToolCupsDataDir];
  if (data.empty()) {
    std::fputs("Cannot get CUPS dir!\nSorry.\n", stderr);
    throw FatalExit(-1, "no CUPS data directory");
  }
  std::string model = data + "/model";
  if (!isDirectory(model)) {
    tracef("Cannot get CUPS model dir!\nSorry.\n");
    return std::string();
  }
  for (const char* sub : kModelSubdirs) {
    std::string dir = model + "/" + sub;
    if (isDirectory(dir)) return dir;
  }
  return model;
}

int getCupsPPDFname(const std::string& queue, std::string* path, int mustExist) {
  const SetupState& s = setup();
  if (s.cupsDir.empty() || s.cupsDir == "/") {
    *path = rootedPath("/etc/cups/ppd/" + queue + ".ppd");
  } else {
    *path = s.cupsDir + "/etc/cups/ppd/" + queue + ".ppd";
  }
  if (!mustExist) return 1;
  if (queue.find('/') != std::string::npos) {
    std::fprintf(stderr, "getCupsPPDFname: Cannot open PPD file: %s.\n", path->c_str());
    return 0;
  }
  if (exists(*path)) return 1;
  std::string fallback = rootedPath("/etc/cups/ppd/" + queue + ".ppd");
  if (exists(fallback)) {
    *path = fallback;
    return 1;
  }
  std::fprintf(stderr, "getCupsPPDFname: Cannot open PPD file: %s.\n", fallback.c_str());
  return 0;
}

int normalizeCupsVersion(int v) {
  if (v <= 0) return v;
  if (v < 1000) {
    do {
      v *= 10;
    } while (v < 999);
    return v;
  }
  while (v > 9999) v /= 10;
  return v;
}

int versionFromHttpAnswer(const std::string& answer) {
  for (const std::string& line : splitLines(answer)) {
    if (line.find("Server:") == std::string::npos) continue;
    size_t c = line.find("CUPS");
    if (c == std::string::npos) continue;
    size_t pos = c + 4;
    if (pos < line.size() && line[pos] == '/') ++pos;
    size_t end = pos;
    while (end < line.size() && ((line[end] >= '0' && line[end] <= '9') || line[end] == '.')) ++end;
    double v = std::atof(line.substr(pos, end - pos).c_str());
    if (v < 10) {
      v *= 100;
    } else if (v < 100) {
      v *= 10;
    }
    return static_cast<int>(std::lround(v));
  }
  return 0;
}

namespace {

// The netcat program: qornc of the installation, else nc.
std::string netcatPath() {
  const SetupState& s = setup();
  if (!s.programDir.empty()) {
    std::string dir = s.programDir;
    if (dir.back() != '/') dir += '/';
    std::string p = rootedPath(dir + "qornc");
    if (exists(p)) return p;
  }
  std::string installed = rootedPath("/opt/bry/bin/qornc");
  if (exists(installed)) return installed;
  return findSystemProgram("nc");
}

// The server the version probe asks: the one libcups is configured for
// (CUPS_SERVER, client.conf, IPP_PORT); a domain socket stands for the
// local host on the IPP port.
void probedServer(std::string* host, int* port) {
  const char* server = cupsServer();
  *host = server && *server && server[0] != '/' ? server : "localhost";
  *port = ippPort();
}

// How long the version probe waits for the local server.
constexpr int kVersionProbeSeconds = 5;

// Asks the local server on port 631 for its Server header.
int versionFromServer(const std::string& netcat) {
  int fd = -1;
  std::string request = makeTempFile("/tmp", "QORXX", &fd);
  if (request.empty()) return 0;
  ssize_t n = ::write(fd, kVersionRequest, sizeof kVersionRequest - 1);
  ::close(fd);
  int version = 0;
  if (n == static_cast<ssize_t>(sizeof kVersionRequest - 1)) {
    std::string nc = netcat.empty() ? netcatPath() : netcat;
    std::string host;
    int port = 0;
    probedServer(&host, &port);
    Command cmd = commandFromFormat(fmt::kNetcatProbe, {nc, host, port});
    cmd.stdinPath = request;
    cmd.stderrPath = "/dev/null";
    cmd.timeoutSeconds = kVersionProbeSeconds;  // a server that never answers must not hold the start
    std::string answer;
    runCapture(cmd, traceLevel(), &answer, RunMode::Quiet);
    version = versionFromHttpAnswer(answer);
    tracef("getHTTPCUPSVersion(%s) = %d.\n", nc.c_str(), version);
  }
  ::unlink(request.c_str());
  return version;
}

// The version texts of the installed files, each in turn; 0 when none
// answers. Each names the program or file it read in `from`.
int fromCupsConfig(std::string* from) {
  for (const char* p : kCupsConfigPaths) {
    std::string path = rootedPath(p);
    if (!exists(path)) continue;
    *from = path;
    Command cmd = commandFromFormat(fmt::kCupsConfigVersion, {path});
    cmd.stderrPath = "/dev/null";
    std::string out;
    runCapture(cmd, traceLevel(), &out, RunMode::Quiet);
    return versionDigits(firstLine(out), 0);
  }
  return 0;
}

// The digits after `after` on the first line of the file holding `marker`.
int fromFileLine(const std::string& path, const char* marker, const char* after, std::string* from) {
  std::string text;
  if (!readWholeFile(rootedPath(path), &text)) return 0;
  *from = rootedPath(path);
  for (const std::string& line : splitLines(text)) {
    size_t m = line.find(marker);
    if (m == std::string::npos) continue;
    size_t a = line.find(after, m);
    if (a == std::string::npos) return 0;
    return versionDigits(line, a + std::strlen(after));
  }
  return 0;
}

int fromPrintersConf(std::string* from) {
  return fromFileLine("/etc/cups/printers.conf", "Printer configuration", " v", from);
}

int fromDocIndex(std::string* from) {
  std::string text;
  if (!readWholeFile(rootedPath("/usr/share/cups/doc/index.html"), &text)) return 0;
  *from = rootedPath("/usr/share/cups/doc/index.html");
  for (const std::string& line : splitLines(text)) {
    size_t t = line.find("<TITLE>");
    if (t == std::string::npos) continue;
    size_t c = line.find("CUPS", t);
    if (c == std::string::npos) return 0;
    size_t pos = c + 4;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    return versionDigits(line, pos);
  }
  return 0;
}

int fromDocDirectory(std::string* from) {
  for (int n = 0; n <= 5; ++n) {
    std::string dir = rootedPath("/usr/share/doc/cups-1." + std::to_string(n));
    if (!isDirectory(dir)) continue;
    *from = dir;
    return 1000 + 100 * n;
  }
  return 0;
}

int fromTestprintPs(std::string* from) {
  for (const char* p : {"/etc/cups/data/testprint.ps", "/usr/share/cups/data/testprint.ps"}) {
    if (exists(rootedPath(p))) return fromFileLine(p, "Printed Using CUPS", " v", from);
  }
  return 0;
}

int fromTestprint(std::string* from) {
  for (const char* p : {"/usr/share/cups/data/testprint", "/etc/cups/data/testprint"}) {
    std::string text;
    if (!readWholeFile(rootedPath(p), &text)) continue;
    *from = rootedPath(p);
    for (const std::string& line : splitLines(text)) {
      std::string lower = line;
      for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      size_t m = lower.find("produced by cups");
      if (m == std::string::npos) continue;
      size_t pos = m + std::strlen("produced by cups");
      while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
      if (pos < line.size() && (line[pos] == 'v' || line[pos] == 'V')) ++pos;
      return versionDigits(line, pos);
    }
    return 0;
  }
  return 0;
}

}  // namespace

int getHTTPCUPSVersion(const std::string& netcat, std::string* source) {
  std::string ignored;
  std::string& from = source ? *source : ignored;
  from = "HTTP";
  int version = versionFromServer(netcat);
  if (version > 0) {
    version = normalizeCupsVersion(version);
    tracef("CUPSVersion = %d.\n", version);
    return version;
  }
  int (*const sources[])(std::string*) = {fromCupsConfig, fromPrintersConf, fromDocIndex,
                                          fromDocDirectory, fromTestprintPs, fromTestprint};
  for (auto read : sources) {
    from.clear();
    int v = read(&from);
    if (v <= 0 || v == 100) continue;  // no answer from this source
    version = normalizeCupsVersion(v);
    tracef("CUPSVersion = %d.\n", version);
    return version;
  }
  from.clear();
  version = normalizeCupsVersion(kDefaultCupsVersion);
  tracef("CUPSVersion = %d.\n", version);
  return version;
}

int checkCupsDirs() {
  const SetupState& s = setup();
  std::string dir = s.cupsDir.empty() ? "/" : s.cupsDir;
  return isDirectory(dir) && isDirectory(s.cupsBinDir) ? 1 : 0;
}

int checkPrintersConf(const std::string& path) {
  return ::access(path.c_str(), R_OK) == 0 ? 1 : 0;
}
