// The installer's system probe.
#include "system_probe.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <netdb.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "fs_root.h"
#include "install_log.h"
#include "install_paths.h"
#include "setup_state.h"
#include "system_detection.h"

namespace inst {
namespace {

const char kFallbackAddress[] = "192.168.0.1";
constexpr size_t kMaxModelLinks = 9;

const char* const kFoomaticRips[] = {
    "/usr/bin/foomatic-rip", "/bin/foomatic-rip", "/sbin/foomatic-rip", "/usr/local/bin/foomatic-rip",
    "/opt/bin/foomatic-rip", "/usr/lib/cups/filter/foomatic-rip",
    "/usr/local/lib/cups/filter/foomatic-rip", "/opt/lib/cups/filter/foomatic-rip",
    "/lib/cups/filter/foomatic-rip"};
const char* const kXKeysymDBs[] = {
    "/usr/lib/X11/XKeysymDB", "/usr/X11R6/lib/XKeysymDB", "/usr/X11R6/lib/X11/XKeysymDB",
    "/usr/X11R5/lib/XKeysymDB", "/usr/X11R5/lib/X11/XKeysymDB", "/usr/share/X11/XKeysymDB",
    "/etc/share/X11/XKeysymDB", "/etc/X11/XKeysymDB", "/etc/share/lib/X11/XKeysymDB",
    "/etc/lib/X11/XKeysymDB", "/etc/X11/lib/XKeysymDB"};
const char* const kModelDirs[] = {"/usr/share/cups/model", "/usr/share/ppd", "/etc/cups/model",
                                  "/opt/cups/model", "/opt/cups/share/model"};
const char* const kSharePPDDirs[] = {"/usr/share/ppd", "/usr/ppd", "/opt/share/ppd", "/usr/local/share/ppd",
                                     "/usr/share/foomatic/db/source/PPD"};
const char kDefaultModelDir[] = "/usr/share/cups/model";

const char kFoomaticPPD[] = "/usr/share/foomatic/db/source/PPD";
const char kOpenPrinting[] = "/usr/share/ppd/openprinting";
const char kUsrSharePPD[] = "/usr/share/ppd";
const char kOptSharePPD[] = "/opt/share/ppd";

// Names of the spooler kinds in the log.
struct SchedulerName {
  int kind;
  const char* name;
};
const SchedulerName kSchedulerNames[] = {{1, "LP"}, {2, "LPR"}, {4, "LPRNG"}, {8, "CUPS"}, {16, "AIX"}};

bool exists(const std::string& systemPath) {
  struct stat st;
  return ::stat(rootedPath(systemPath).c_str(), &st) == 0;
}

bool isDir(const std::string& systemPath) {
  struct stat st;
  return ::stat(rootedPath(systemPath).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// A vendor directory of an earlier installation, "" when none.
std::string earlierVendorDir(const std::string& modelDir) {
  const std::pair<const char*, const char*> first[] = {
      {"/usr/share/ppd/openprinting", "/usr/share/ppd/openprinting/bry"},
      {"/usr/share/foomatic/db/source/PPD/Velta", "/usr/share/foomatic/db/source/PPD/Velta/bry"},
      {"/usr/share/foomatic/db/source/PPD", "/usr/share/foomatic/db/source/PPD/bry"}};
  std::string found;
  for (const auto& f : first)
    if (isDir(f.first) && isDir(f.second)) found = f.second;
  if (!found.empty()) return found;
  for (const std::string& d : {std::string("/opt/share/ppd/bry"), std::string("/usr/share/ppd/bry"),
                               std::string("/usr/share/ppd/cups-included/bry"), modelDir + "/custom/bry"}) {
    if (isDir(d)) return d;
  }
  return std::string();
}

void logPPDLocations(const std::string& modelDir, int bits) {
  auto shown = [](bool present, const std::string& path) { return present ? path : std::string("-"); };
  writeLog(std::string(39, '='));
  writeLog(text(kSystemPPDLocations));
  logMsg(kModelDirLine, shown(bits & kBitModelDir, modelDir).c_str());
  logMsg(kFoomaticDirLine, shown(bits & kBitFoomatic, kFoomaticPPD).c_str());
  logMsg(kVeltaDirLine, shown(bits & kBitFoomaticVelta, std::string(kFoomaticPPD) + "/Velta").c_str());
  logMsg(kCustomDirLine, shown(bits & kBitCustom, modelDir + "/custom").c_str());
  logMsg(kSystemDirLine, shown(bits & kBitSharePPD, findSharePPDDir()).c_str());
  if (bits & kBitUsrSharePPD) writeLog(text(kShareUsrLine));
  if (bits & kBitOptSharePPD) writeLog(text(kShareOptLine));
}

// The first recorded link whose path (or, for "/share/ppd", target) holds `part`.
const ModelLink* findLink(const std::vector<ModelLink>& links, const char* part) {
  for (const ModelLink& l : links) {
    if (contains(l.path, part)) return &l;
    if (std::strcmp(part, "/share/ppd") == 0 && contains(l.target, part)) return &l;
  }
  return nullptr;
}

// Steps for CUPS versions up to 1299.
void decideOld(const PPDDirInputs& in, PPDDirDecision* d) {
  const std::string modelBry = in.modelDir + "/bry";
  if (in.links.empty()) {
    d->result = 1;
    const char* share = (in.bits & kBitUsrSharePPD)   ? "/usr/share/ppd/bry"
                        : (in.bits & kBitOptSharePPD) ? "/opt/share/ppd/bry"
                                                      : nullptr;
    if (!share) {
      d->dir = modelBry;
      return;
    }
    d->dir = share;
    if (in.modelBryExists) return;
    d->create = (in.bits & kBitUsrSharePPD) != 0;
    d->linkPath = modelBry;
    d->linkTarget = share;
    return;
  }
  const ModelLink* link = nullptr;
  if (in.bits & kBitCustom) {
    link = findLink(in.links, "custom");
  } else if (in.bits & kBitFoomatic) {
    link = findLink(in.links, "foomatic");
  } else if (in.bits & (kBitUsrSharePPD | kBitOptSharePPD)) {
    link = findLink(in.links, "/share/ppd");
  }
  d->create = true;
  if (!link) {
    d->dir = modelBry;
    return;
  }
  std::string base = !link->target.empty() && link->target[0] == '/' ? link->target : link->path;
  bool endsBry = base.size() >= 4 && base.compare(base.size() - 4, 4, "/bry") == 0;
  d->dir = endsBry || base == "bry" ? base : base + "/bry";
  d->result = 1;
}

// Steps for CUPS 1.3 and later.
void decideNew(const PPDDirInputs& in, PPDDirDecision* d) {
  const bool usr = in.bits & kBitUsrSharePPD, opt = in.bits & kBitOptSharePPD;
  const bool openPrinting = in.bits & kBitOpenPrinting, vendor = in.bits & kBitVendorUsrShare;
  const std::string& p = in.preset;
  std::string dir;
  if (usr && openPrinting) {
    dir = "/usr/share/ppd/openprinting/bry";
  } else if (usr && !vendor) {
    if (opt && contains(p, "/usr/opt")) {
      dir = "/usr/opt/ppd/bry";
    } else if (!opt && contains(p, "/usr/share")) {
      dir = p;
    } else {
      dir = "/usr/share/ppd/bry";
    }
  } else if (usr) {
    dir = "/usr/share/ppd/bry";
  } else if (opt) {
    if (!contains(p, "/usr/opt")) {
      dir = "/usr/opt/ppd/bry";
    } else if (!contains(p, "/opt/share")) {
      dir = "/opt/share/ppd/bry";
    }
  }
  d->create = true;
  d->result = dir.empty() ? 0 : 1;
  d->dir = dir.empty() ? in.modelDir + "/bry" : dir;
}

}  // namespace

int probeScheduler() {
  InstallState& s = state();
  s.scheduler = getLpModeFromEnv(true);
  if (s.scheduler == 0) s.scheduler = checkLPDDaemon(1);
  setup().lpMode = s.scheduler;
  std::string name = "Unknown";
  for (const SchedulerName& n : kSchedulerNames)
    if (n.kind == s.scheduler) name = n.name;
  writeLog(std::string(text(kScheduler)) + name + "\n");
  return s.scheduler;
}

int hasFoomaticRip() {
  for (const char* p : kFoomaticRips)
    if (exists(p)) return 1;
  return 0;
}

int findXKeysymDB(std::string* path) {
  for (const char* p : kXKeysymDBs) {
    if (exists(p)) {
      *path = p;
      return 1;
    }
  }
  path->clear();
  return 0;
}

int getSystemInfo() {
  InstallState& s = state();
  MachineFacts facts = readMachineFacts();
  int kind = facts.known ? osKindFor(facts.sysname, facts.release) : kOsOther;
  if (kind == kOsOpenUnix) kind = kOsOther;
  s.nodeName = facts.nodename;
  s.ipAddress.clear();
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* res = nullptr;
  if (!s.nodeName.empty() && ::getaddrinfo(s.nodeName.c_str(), nullptr, &hints, &res) == 0 && res) {
    char buf[INET_ADDRSTRLEN];
    auto* in = reinterpret_cast<sockaddr_in*>(res->ai_addr);
    if (::inet_ntop(AF_INET, &in->sin_addr, buf, sizeof buf)) s.ipAddress = buf;
    ::freeaddrinfo(res);
  }
  if (s.nodeName.empty()) s.nodeName = "nodeName";
  if (s.ipAddress.empty()) s.ipAddress = kFallbackAddress;
  return kind;
}

std::string chooseNetcat() {
  const InstallState& s = state();
  std::string own = s.sourceDir + "/qornc";
  if (!s.sourceDir.empty() && releaseFileTrusted(own, s.sourceDir)) return own;
  return findSystemProgram("nc");
}

int probeCupsVersion(const std::string& netcat) {
  std::string source;
  int version = getHTTPCUPSVersion(netcat, &source);
  if (source == "HTTP") {
    logMsg(kCupsHeaderVersion, version);
  } else if (contains(source, "cups-config")) {
    logMsg(kCupsConfigVersion, version, source.c_str());
  } else if (!source.empty()) {
    logMsg(kCupsFileVersion, version, source.c_str());
  } else {
    writeLog(text(kCupsVersionNotFound));
    version = 1400;
  }
  state().cupsVersion = version;
  return version;
}

void findCupsModelDir() {
  InstallState& s = state();
  s.cupsModelDir = kDefaultModelDir;
  for (const char* d : kModelDirs) {
    if (isDir(d)) {
      s.cupsModelDir = d;
      return;
    }
  }
}

std::string findSharePPDDir() {
  for (const char* d : kSharePPDDirs)
    if (isDir(d)) return d;
  return kDefaultModelDir;
}

int listSystemPPDDirs(std::string* earlier) {
  InstallState& s = state();
  s.ppdInstallDir.clear();
  int bits = 0;
  findCupsModelDir();
  const std::string& model = s.cupsModelDir;
  if (isDir(model)) bits |= kBitModelDir;
  const std::string foomatic = kFoomaticPPD;
  if (isDir(foomatic)) bits |= kBitFoomatic;
  if (isDir(foomatic + "/Velta")) bits |= kBitFoomaticVelta;
  if (isDir(foomatic + "/bry")) bits |= kBitFoomaticBry;
  if (isDir(model + "/custom")) bits |= kBitCustom;
  if (isDir(kUsrSharePPD)) bits |= kBitUsrSharePPD;
  if (isDir(kOptSharePPD)) bits |= kBitOptSharePPD;
  for (const char* d : kSharePPDDirs)
    if (isDir(d)) bits |= kBitSharePPD;
  if (isDir("/usr/share/ppd/cups-included/bry") || isDir("/usr/share/ppd/bry")) bits |= kBitVendorUsrShare;
  if (isDir(kOpenPrinting)) bits |= kBitOpenPrinting;
  *earlier = earlierVendorDir(model);

  if (bits & kBitOpenPrinting) {
    bool others = isDir("/usr/share/ppd/openprinting/HP") && isDir("/usr/share/ppd/openprinting/Epson");
    s.ppdInstallDir = (bits & kBitVendorUsrShare) && others ? "/usr/share/ppd/openprinting/bry" : "/usr/share/ppd/bry";
  } else if (bits & kBitCustom) {
    s.ppdInstallDir = model + "/custom/bry";
  } else if (bits & kBitFoomatic) {
    s.ppdInstallDir = (bits & kBitFoomaticVelta) && !(bits & kBitFoomaticBry)
                          ? foomatic + "/Velta/bry"
                          : foomatic + "/bry";
  }
  logPPDLocations(model, bits);
  return bits;
}

std::vector<ModelLink> readModelDirLinks() {
  const std::string& model = state().cupsModelDir;
  std::vector<ModelLink> links;
  DIR* dir = model.empty() ? nullptr : ::opendir(rootedPath(model).c_str());
  while (dir && links.size() < kMaxModelLinks) {
    dirent* e = ::readdir(dir);
    if (!e) break;
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    std::string path = model + "/" + name;
    struct stat st;
    if (::lstat(rootedPath(path).c_str(), &st) != 0) continue;
    std::string target;
    if (S_ISLNK(st.st_mode)) {
      char buf[256];
      ssize_t n = ::readlink(rootedPath(path).c_str(), buf, sizeof buf - 1);
      if (n > 0) target.assign(buf, static_cast<size_t>(n));
    } else if (!(S_ISDIR(st.st_mode) && st.st_nlink >= 3)) {
      continue;
    }
    if (contains(name, "foomatic") || contains(name, "custom") || contains(target, "foomatic") ||
        contains(target, "/usr/share/ppd") || contains(target, "/opt/share/ppd")) {
      links.push_back({path, target});
      logMsg(kLinked, static_cast<int>(links.size()), path.c_str(), target.c_str());
    }
  }
  if (dir) ::closedir(dir);
  if (links.empty()) logMsg(kNoModelLinks, model.c_str());
  return links;
}

PPDDirDecision decidePPDInstallDir(const PPDDirInputs& in) {
  PPDDirDecision d;
  d.dir = in.preset;
  if (in.modelDir.empty() || !in.modelDirExists) return d;
  if (!in.earlier.empty()) {
    d.dir = in.earlier;
    d.previous = true;
    d.result = 1;
    return d;
  }
  if (in.cupsVersion <= 1299) {
    decideOld(in, &d);
  } else {
    decideNew(in, &d);
  }
  return d;
}

int choosePPDInstallDir(const std::string& earlier) {
  InstallState& s = state();
  PPDDirInputs in;
  in.modelDir = s.cupsModelDir;
  in.modelDirExists = isDir(s.cupsModelDir);
  in.modelBryExists = exists(s.cupsModelDir + "/bry");
  in.earlier = earlier;
  in.preset = s.ppdInstallDir;
  in.bits = s.ppdDirBits;
  in.cupsVersion = s.cupsVersion;
  in.links = s.modelLinks;
  PPDDirDecision d = decidePPDInstallDir(in);
  s.ppdInstallDir = d.dir;
  s.ppdDirCreate = d.create ? 1 : 0;
  s.ppdLinkPath = d.linkPath;
  s.ppdLinkTarget = d.linkTarget;
  if (in.modelDir.empty() || !in.modelDirExists) return d.result;
  logMsg(kPPDInstallDir, d.dir.c_str());
  if (d.previous) logMsg(kPreviousPPDDir, d.dir.c_str());
  return d.result;
}

}  // namespace inst
