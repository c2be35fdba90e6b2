// The upgrade of existing queues.
#include "queue_upgrade.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "answers.h"
#include "atomic_file.h"
#include "file_helpers.h"
#include "fs_root.h"
#include "install_commands.h"
#include "install_dirs.h"
#include "install_log.h"
#include "install_state.h"
#include "later_steps.h"
#include "ppd_defaults.h"
#include "ppd_identity.h"
#include "setup_state.h"
#include "system_detection.h"

namespace inst {
namespace {

constexpr int kHeadLines = 30;

const Msg kPdlTexts[] = {kPdlUnknown, kPdlPostScript, kPdlPcl, kPdlPxl, kPdlKrpa, kPdlRaw, kPdlSpecial};

// A private work directory (mkdtemp, 0700) removed with its contents.
class WorkDir {
 public:
  WorkDir() {
    char templ[] = "/tmp/qorupXXXXXX";
    if (::mkdtemp(templ)) path_ = templ;
  }
  ~WorkDir() {
    if (!path_.empty()) removeTree(path_);
  }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The queue's model and generation from the head of its PPD.
bool readQueuePPD(const std::string& path, VendorPrinter* p) {
  std::FILE* f = std::fopen(path.c_str(), "r");
  if (!f) return false;
  char buf[256];
  int version = -1;
  bool model = false;
  for (int n = 0; n < kHeadLines && (!model || version < 1) && std::fgets(buf, sizeof buf, f); ++n) {
    std::string line = buf;
    if (!model) {
      int pdl = kNoPdl, number = 0;
      std::string text = matchModelName(line, &pdl, &number);
      if (!text.empty()) {
        model = true;
        p->modelName = text;
        p->modelNumber = number;
        p->pdl = pdl;
      }
    }
    if (version < 1) version = getPPDVersion(line);
  }
  std::fclose(f);
  return model && version == 1 && p->pdl != kNoPdl;
}

std::string fallbackPPDDir() { return state().installDir + "/ppd"; }

bool findNewPPD(const VendorPrinter& p, const std::string& ppdDir, std::string* path) {
  return (!ppdDir.empty() && findPPDForModel(ppdDir, p, path)) || findPPDForModel(fallbackPPDDir(), p, path);
}

void logPrinter(const VendorPrinter& p) {
  if (p.printerName.empty()) {
    writeLog(text(kPrinterUnknown));
  } else {
    logMsg(kPrinterLine, p.printerName.c_str());
  }
  logMsg(kPPDFileLine, p.ppdPath.c_str());
  logMsg(kModelLine, p.modelName.c_str());
  logMsg(kVeltaIdLine, p.modelNumber);
  writeLog(text(kPdlTexts[p.pdl >= 0 && p.pdl <= 6 ? p.pdl : 0]));
}

// One printer's answer; an answer not understood is asked once more and
// then counts as no; the end of the input is break.
int askUpdate(const std::string& printer, std::FILE* in) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    std::fputs(format(kAskUpdatePrinter, printer.c_str()).c_str(), stdout);
    std::fprintf(stdout, "\n%s ", text(kAnswerAllHint));
    std::fflush(stdout);
    std::string line;
    if (!readAnswerLine(in, &line)) return kAnswerBreak;
    int answer = parseAnswerAll(line);
    if (answer != kAnswerUnknown) return answer;
  }
  return kAnswerNo;
}

bool saveOldPPD(const VendorPrinter& p) {
  std::string backup = backupPath(p.ppdPath, p.printerName);
  int result = runInstallFormat(cmdfmt::kCopyForce, {state().tools.cp, p.ppdPath, backup});
  logMsg(kSavingPPD, p.ppdPath.c_str(), backup.c_str(), result);
  return result == 0;
}

// The options of a file (mode, owner, group) for its replacement.
bool sameAttributes(const std::string& path, AtomicWriteOptions* o) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return false;
  o->mode = st.st_mode & 07777;
  o->owner = st.st_uid;
  o->group = st.st_gid;
  return true;
}

// Replaces a file by `data` keeping its mode, owner and group.
bool replaceKeeping(const std::string& path, const std::string& data) {
  AtomicWriteOptions o;
  return sameAttributes(path, &o) && writeFileAtomic(path, data, o);
}

bool copyNewPPD(const std::string& text, const std::string& source, const std::string& target) {
  int result = replaceKeeping(target, text) ? 0 : 1;
  logMsg(kCopyingPPD, source.c_str(), target.c_str(), result);
  return result == 0;
}

bool startsWith(const std::string& s, const char* prefix) {
  return s.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The printers that listVendorPrinters() found for updatePrinters(int).
VendorPrinter& runList() {
  static VendorPrinter list;
  return list;
}

}  // namespace

std::string queuePPDDir() {
  const std::string& base = setup().cupsDir;
  return base.empty() || base == "/" ? rootedPath("/etc/cups/ppd") : base + "/etc/cups/ppd";
}

int listVendorPrinters(VendorPrinter* head, int* count) {
  *count = 0;
  std::string dir = queuePPDDir();
  for (const std::string& name : regularFiles(dir, ".ppd")) {
    std::string printer = name.substr(0, name.size() - 4);
    if (!isSafeEntryName(printer) || printer.size() > kPrinterNameMax) {
      logMsg(kSkipPPDName, name.c_str());
      continue;
    }
    VendorPrinter probe;
    probe.ppdPath = dir + "/" + name;
    if (!readQueuePPD(probe.ppdPath, &probe)) continue;
    VendorPrinter* p = *count == 0 ? head : new VendorPrinter;
    p->modelName = probe.modelName;
    p->modelNumber = probe.modelNumber;
    p->pdl = probe.pdl;
    p->ppdPath = probe.ppdPath;
    p->printerName = printer;
    p->index = *count;
    if (p != head) addPList(head, p);
    ++*count;
  }
  logMsg(kVeltaPrinters, *count);
  if (*count == 0) return 0;
  VendorPrinter* p = head;
  do {
    logPrinter(*p);
  } while ((p = p->next) != head);
  logMsg(kVeltaPPDs, *count);
  p = head;
  do {
    std::string path;
    if (findNewPPD(*p, state().ppdInstallDir, &path)) {
      logMsg(kPPDLine, path.c_str());
    } else {
      writeLog(text(kPPDNotFound));
    }
  } while ((p = p->next) != head);
  return 1;
}

std::string backupPath(const std::string& ppdPath, const std::string& printer) {
  size_t at = ppdPath.find("/ppd");
  if (at == std::string::npos) at = ppdPath.rfind('/');
  return ppdPath.substr(0, at + 1) + printer + ".ppd.rpmsave";
}

UpgradeHooks defaultUpgradeHooks(const std::string& ppdDir) {
  UpgradeHooks h;
  h.update = [ppdDir](VendorPrinter& p) { return updatePrinter(p, ppdDir); };
  h.restart = [] { return restartCups(); };
  return h;
}

int updatePrinters(int count, VendorPrinter* list, int ask, const UpgradeHooks& hooks) {
  if (count < 1 || !list) return 0;
  bool all = !ask;
  int updated = 0;
  VendorPrinter* p = list;
  do {
    if (!all) {
      int answer = askUpdate(p->printerName, hooks.answers);
      if (answer == kAnswerBreak) break;
      if (answer == kAnswerNo) continue;
      if (answer == kAnswerAll) all = true;
    }
    if (hooks.update(*p)) ++updated;
  } while ((p = p->next) != list);
  if (updated > 0) hooks.restart();
  return 1;
}

bool makeNewPPD(const VendorPrinter& p, const std::string& ppdDir, const OptNode* options, std::string* out,
                std::string* sourcePath) {
  logMsg(kProcessingPPD, p.printerName.c_str());
  std::string& source = *sourcePath;
  if (!findNewPPD(p, ppdDir, &source)) {
    writeLog(text(kPPDNotFound));
    return false;
  }
  logMsg(kPPDLine, source.c_str());
  WorkDir work;
  if (work.path().empty()) return false;
  bool gz = source.find(".gz") != std::string::npos;
  std::string copy = work.path() + "/qorin.ppd";
  if (runInstallFormat(cmdfmt::kCopy, {state().tools.cp, source, gz ? copy + ".gz" : copy}) != 0 ||
      (gz && runInstallFormat(cmdfmt::kGunzip, {state().tools.gzip, copy + ".gz"}) != 0)) {
    logMsg(gz ? kDecompressProblem : kOpenProblem, source.c_str(), p.printerName.c_str());
    return false;
  }
  std::string oldText;
  if (!readWholeFile(copy, &oldText)) {
    logMsg(kOpenProblem, copy.c_str(), p.printerName.c_str());
    return false;
  }
  *out = processNewPPD(oldText, options, p.printerName);
  logMsg(kNewPPD, p.printerName.c_str(), source.c_str());
  return startsWith(*out, "*PPD-Adobe");
}

bool updatePrinter(VendorPrinter& p, const std::string& ppdDir) {
  writeLog(std::string(58, '='));
  logMsg(kPrinterWithPPD, p.printerName.c_str(), p.ppdPath.c_str());
  OptNode options;
  bool replaced = false;
  std::string newText, source;
  if (!readPPDDefaults(p.ppdPath, &options)) {
    logMsg(kOldPPDUnreadable, p.printerName.c_str());
  } else if (!saveOldPPD(p)) {
    logMsg(kBackupFailedKept, p.printerName.c_str());
  } else if (!makeNewPPD(p, ppdDir, &options, &newText, &source)) {
    logMsg(kNoNewPPDKept, p.printerName.c_str());
  } else if (processPrinterConfig(p.printerName) < 0) {
    // The configuration goes first: a queue whose PPD is still of the first
    // generation is found and finished by the next run.
    state().failed = 1;
  } else if (copyNewPPD(newText, source, p.ppdPath)) {
    replaced = true;
  }
  if (!replaced) state().failed = 1;
  freeOptList(&options);
  return replaced;
}

int processPrinterConfig(const std::string& printer) {
  const std::string dir = state().installDir + "/" + printer;
  std::string path = dir + "/root/jarnConfig";
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return 0;
  // The printer's directories become root's (0755) before anything is
  // written there; a configuration that is not a plain file is not read.
  if (!secureDirectory(dir) || !secureDirectory(dir + "/root") || !S_ISREG(st.st_mode)) {
    logMsg(kConfigNotUpdated, printer.c_str());
    return 0;
  }
  std::string data;
  if (!readWholeFile(path, &data)) return 0;
  std::string out;
  for (const std::string& line : splitRawLines(data))
    out += line.find("%%JARN_VERSION_1.0") != std::string::npos ? "%%JARN_VERSION_2.0\n" : line;
  if (!replaceKeeping(path, out)) {
    logMsg(kConfigNotUpdated, printer.c_str());
    return -1;
  }
  logMsg(kConfigUpdated, printer.c_str());
  return 1;
}

bool restartCupsCommand(Command* cmd) {
  std::string service = findSystemProgram("service");
  if (!service.empty() && service.find('/') != std::string::npos) {
    *cmd = commandFromFormat(cmdfmt::kServiceRestart, {service});
    return true;
  }
  for (const char* script : {"/etc/init.d/cups", "/etc/init.d/cupsys"}) {
    std::string path = rootedPath(script);
    if (::access(path.c_str(), F_OK) == 0) {
      *cmd = commandFromFormat(cmdfmt::kInitScriptRestart, {path});
      return true;
    }
  }
  return false;
}

int restartCups() {
  Command cmd;
  int result = -1;
  if (restartCupsCommand(&cmd)) {
    result = runInstallCommand(cmd);
  } else {
    writeLog(text(kCannotResetCups));
  }
  logMsg(kCupsReset, result);
  return result;
}

// The steps of the main flow.
int listVendorPrinters() {
  int count = 0;
  freeVendorList(&runList());
  listVendorPrinters(&runList(), &count);
  return count;
}

void updatePrinters(int count) {
  InstallState& s = state();
  updatePrinters(count, &runList(), s.interactive, defaultUpgradeHooks(s.ppdInstallDir));
  freeVendorList(&runList());
}

}  // namespace inst
