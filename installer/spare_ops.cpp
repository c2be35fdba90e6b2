// Spare installer operations.
// libcups marks its whole PPD interface deprecated; it is the interface
// these readers need.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include "spare_ops.h"

#include <cups/ppd.h>
#include <strings.h>
#include <sys/stat.h>

#include <cctype>
#include <cstring>
#include <fstream>

#include "atomic_file.h"
#include "file_helpers.h"
#include "info_file.h"
#include "install_log.h"
#include "install_state.h"
#include "ppd_defaults.h"
#include "setup_state.h"
#include "system_detection.h"

namespace inst {
namespace {

const char kGroupStart[] = "*OpenGroup: InstallableOptions";

std::string trimmed(const std::string& s) {
  size_t b = skipBlanks(s);
  size_t e = s.find_last_not_of(" \t\r\n");
  return e == std::string::npos || e < b ? std::string() : s.substr(b, e + 1 - b);
}

bool startsWith(const std::string& s, const char* p) { return s.compare(0, std::strlen(p), p) == 0; }

// Walks the UI blocks of a PPD text; `visit` gets each block and whether
// it lies inside the InstallableOptions group.
template <typename Visit>
void forEachUIBlock(const std::string& ppd, bool pcl, Visit visit) {
  const char* open = pcl ? "*BeginUI" : "*OpenUI";
  const char* close = pcl ? "*EndUI" : "*CloseUI";
  bool inGroup = false;
  std::string block;
  bool inBlock = false;
  for (const std::string& line : splitRawLines(ppd)) {
    if (startsWith(line, kGroupStart)) inGroup = true;
    if (startsWith(line, "*CloseGroup: InstallableOptions")) inGroup = false;
    if (startsWith(line, open)) inBlock = true, block.clear();
    if (inBlock) block += line;
    if (inBlock && startsWith(line, close)) {
      inBlock = false;
      visit(block, inGroup);
    }
  }
}

// The host and remote queue of a device URI, and its connection type.
int splitUri(const std::string& uri, std::string* host, std::string* remote) {
  *host = "UNKNOWN";
  *remote = "UNKNOWN";
  for (auto [scheme, type] : {std::pair<const char*, int>{"lpd:", kConnectLpd}, {"socket:", kConnectTcp}}) {
    if (!startsWith(uri, scheme)) continue;
    std::string rest = uri.substr(std::strlen(scheme));
    while (startsWith(rest, "/")) rest.erase(0, 1);
    size_t cut = rest.find_first_of(type == kConnectLpd ? "/" : ":/");
    *host = rest.substr(0, cut);
    if (cut != std::string::npos) *remote = rest.substr(cut + 1);
    if (type == kConnectTcp && *remote == "UNKNOWN") *remote = "9100";
    return type;
  }
  if (startsWith(uri, "file:")) {
    *host = uri.substr(5);
    return kConnectFile;
  }
  return 0;
}

std::string padded(const char* key, size_t width, const std::string& value) {
  std::string k = key;
  k.resize(std::max(width, k.size() + 1), ' ');
  return k + value + "\n";
}

bool makeDir0755(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  return ::mkdir(path.c_str(), 0755) == 0 && ::chmod(path.c_str(), 0755) == 0;
}

}  // namespace

bool countPPDOptions(const std::string& path, int* groups, int* options) {
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (!ppd) return false;
  *groups = ppd->num_groups;
  *options = 0;
  for (int g = 0; g < ppd->num_groups; ++g) *options += ppd->groups[g].num_options;
  ppdClose(ppd);
  return true;
}

size_t skipBlanks(const std::string& text, size_t pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  return pos;
}

std::string trimTrailingBlanks(const std::string& text) {
  size_t end = text.find_last_not_of(" \t");
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

int countQuotes(const std::string& text) {
  int n = 0;
  for (char c : text) n += c == '"';
  return n;
}

std::string abandonText(bool noCups, bool noFoomatic, bool notRoot) {
  if (!noCups && !noFoomatic && !notRoot) return text(kAllOk);
  std::string out = text(kAbandonHead);
  if (noCups) out += text(kNoCupsDaemon);
  if (noFoomatic) out += text(kNoFoomatic);
  if (notRoot) out += text(kNotRoot);
  return out + text(kAbandonSorry);
}

std::string getUIBlob(const std::string& ppd, int n, bool pcl, bool inGroup) {
  std::string found;
  int seen = 0;
  forEachUIBlock(ppd, pcl, [&](const std::string& block, bool group) {
    if (inGroup && !group) return;
    if (seen++ == n) found = block;
  });
  trace("%s", format(kUIBlobTrace, n, seen, pcl ? 1 : 0, inGroup ? 1 : 0).c_str());
  return found;
}

int hasDevOptGroup(const std::string& ppd, int* dev, int* print) {
  *dev = *print = 0;
  forEachUIBlock(ppd, false, [&](const std::string&, bool group) { ++*(group ? dev : print); });
  int hasGroup = ppd.find(kGroupStart) != std::string::npos ? 1 : 0;
  trace("%s", format(kDevOptTrace, *dev + *print, *dev, *print, hasGroup).c_str());
  return *dev + *print;
}

std::string readDynamicMenu(const std::string& path, std::vector<std::string>* entries) {
  std::ifstream in(path);
  std::string line, last;
  entries->clear();
  while (std::getline(in, line)) {
    if (!startsWith(line, "DYNAMICMENU")) continue;
    size_t pos = 11;
    if (line.size() > 13 && std::isdigit(static_cast<unsigned char>(line[11])) &&
        std::isdigit(static_cast<unsigned char>(line[12])) && line[13] == ':') {
      entries->push_back(trimmed(line.substr(14)));
    } else {
      last = trimmed(line.substr(pos));
    }
  }
  return last;
}

bool getItemAndValue(const std::string& line, std::string* item, std::string* value) {
  size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  *item = trimmed(line.substr(0, colon));
  *value = trimmed(line.substr(colon + 1));
  if (value->size() >= 2 && value->front() == '"' && value->back() == '"') *value = value->substr(1, value->size() - 2);
  return true;
}

std::string getPPDStuff(const std::string& path, const std::string& keyword) {
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  ppd_option_t* option = ppd ? ppdFindOption(ppd, keyword.c_str()) : nullptr;
  std::string value = option ? option->defchoice : "";
  if (!option) logMsg(kNoFeature, keyword.c_str());
  if (ppd) ppdClose(ppd);
  return value;
}

int writeInfoFileFromTemplate(const std::string& printer) {
  const InstallState& s = state();
  std::string path = s.installDir + "/" + kInfoFileName;
  logMsg(kCreatingFile, path.c_str());
  if (!isSafeEntryName(printer)) {
    logMsg(kCannotCreateDir, (s.installDir + "/" + printer).c_str());
    return 0;
  }
  AtomicWriteOptions o;
  o.mode = 0755;
  if (!writeFileAtomic(path, defaultInfoFileText(s.installDir, printer), o)) {
    logMsg(kCannotCreateConfig, path.c_str());
    return 0;
  }
  for (const std::string& dir : {s.installDir + "/" + printer, s.installDir + "/" + printer + "/root"}) {
    if (!makeDir0755(dir)) {
      logMsg(kCannotCreateDir, dir.c_str());
      return 0;
    }
  }
  return 1;
}

int saveConfiguration(const std::string& printer, const std::string& uri) {
  const InstallState& s = state();
  const SetupState& b = setup();
  std::string path = s.installDir + "/" + printer + "/root/jarnConfig";
  std::string host, remote;
  int type = splitUri(uri, &host, &remote);
  std::string ppd = b.cupsDir.empty() || b.cupsDir == "/" ? "/etc/cups/ppd/" + printer + ".ppd"
                                                           : b.cupsDir + "/etc/cups/ppd/" + printer + ".ppd";
  std::string data = "%%JARN_CONFIGURATION_FILE\n%%JARN_VERSION_2.0\n" +
                     padded("VERSION", 12, std::to_string(b.configVersion)) + padded("PRINTERNAME", 12, printer) +
                     padded("PRINTERTYPE", 12, std::to_string(b.printerType)) +
                     padded("PRINTERCNCT", 12, std::to_string(type)) + padded("PRINTERHOST", 12, host) +
                     padded("PRINTERREMQ", 12, remote) + padded("USERDIR", 13, s.installDir) +
                     padded("PPDFILE", 13, ppd) + padded("PPDORGFILE", 13, s.installDir + "/ppd/" + printer + ".ppd");
  bool ok = isSafeEntryName(printer) && uri.find_first_of("\r\n") == std::string::npos;
  AtomicWriteOptions o;
  o.mode = 0755;
  if (!ok || !writeFileAtomic(path, data, o)) {
    logMsg(kCannotCreateJarnConfig, path.c_str());
    return 0;
  }
  logMsg(kSavedConfig, path.c_str());
  return 1;
}

int updateCupsPPD(const std::string& queue, const std::vector<JobOption>& options) {
  std::string path, data;
  if (!getCupsPPDFname(queue, &path, 1)) {
    logMsg(kUpdateNoPPD, queue.c_str());
    return 0;
  }
  struct stat st;
  if (!readWholeFile(path, &data) || ::stat(path.c_str(), &st) != 0) {
    logMsg(kUpdateCannotOpen, path.c_str());
    return 0;
  }
  std::string out;
  for (const std::string& line : splitRawLines(data)) {
    std::string key, value;
    const JobOption* match = nullptr;
    if (parseDefaultLine(line, &key, &value))
      for (const JobOption& o : options)
        if (o.first == key && o.second.find_first_of(" \t\r\n") == std::string::npos) match = &o;
    if (!match) {
      out += line;
      continue;
    }
    logMsg(kUpdateOption, key.c_str(), match->second.c_str());
    out += "*Default" + key + ": " + match->second + "\n";
  }
  AtomicWriteOptions o;
  o.mode = st.st_mode & 07777;
  o.owner = st.st_uid;
  o.group = st.st_gid;
  if (!writeFileAtomic(path, out, o)) {
    logMsg(kUpdateCannotTmp, path.c_str());
    return 0;
  }
  return 1;
}

int removeOption(std::vector<JobOption>* options, const std::string& name) {
  for (size_t i = 0; i < options->size();) {
    if (strcasecmp((*options)[i].first.c_str(), name.c_str()) != 0) {
      ++i;
      continue;
    }
    if (state().debug >= 2) trace("%s", format(kRemovedOption, name.c_str(), static_cast<int>(i)).c_str());
    options->erase(options->begin() + static_cast<long>(i));
  }
  return static_cast<int>(options->size());
}

}  // namespace inst
