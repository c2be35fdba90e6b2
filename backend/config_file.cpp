// Writing and reading the per-printer configuration file "jarnConfig".
#include "config_file.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "atomic_file.h"
#include "device_uri.h"
#include "file_helpers.h"
#include "record_lock.h"
#include "report.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "trace.h"

namespace {

const char kFileMark[] = "%%JARN_CONFIGURATION_FILE";
const char kVersionMark[] = "%%JARN_VERSION";
const char kVersionPrefix[] = "%%JARN_VERSION_";
const char kSaveTitle[] = "Save Configuration";
const char kUnknown[] = "UNKNOWN";
constexpr mode_t kConfigMode = 0755;
constexpr int kDefaultTcpPort = 9100;
constexpr int kMaxTcpPort = 65535;
constexpr size_t kSettingWidth = 12;  // VERSION .. PRINTERREMQ, USERNAME
constexpr size_t kDirWidth = 13;      // USERDIR .. PPDORGFILE

// ---- writing ----

// "KEYWORD" padded to `width`, the value and a line feed.
std::string keywordLine(const char* keyword, size_t width, const std::string& value) {
  return padString(keyword, std::strlen(keyword), width) + value + "\n";
}

std::string orUnknown(const std::string& value) { return value.empty() ? kUnknown : value; }

// The PRINTERHOST value: the field of the connection type in force.
std::string hostValue(const SetupState& s) {
  switch (s.connectType) {
    case kConnectLocal:
      return orUnknown(s.deviceName);
    case kConnectUsb:
      // In the form the queue's URI has in CUPS (a blank as "%20"); the
      // backslash-escaped form is only for the command text that traces
      // print, never stored.
      return orUnknown(usbRecordText(s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath));
    case kConnectIpp:
      return orUnknown(s.ippHost);
    case kConnectFile:
      return orUnknown(s.fileName);
    default:
      return orUnknown(s.printerHost);
  }
}

// The PRINTERREMQ value: port, IPP path or remote queue name.
std::string remoteQueueValue(const SetupState& s) {
  switch (s.connectType) {
    case kConnectTcp:
      return s.tcpPort > 0 ? std::to_string(s.tcpPort) : kUnknown;
    case kConnectIpp:
      return s.ippPath;
    case kConnectLpd:
      return s.remoteQueue.empty() ? "lp" : s.remoteQueue;
    default:
      return kUnknown;
  }
}

// The whole file as it is written, line by line.
std::vector<std::string> configLines(const SetupState& s) {
  return {
      std::string(kFileMark) + "\n",
      "%%JARN_VERSION_1.0\n",
      "$$$QORSTARTPRINT\n",
      keywordLine("VERSION", kSettingWidth, std::to_string(s.configVersion)),
      keywordLine("PRINTERNAME", kSettingWidth, s.printerName),
      keywordLine("PRINTERTYPE", kSettingWidth, std::to_string(s.printerType)),
      keywordLine("PRINTERCNCT", kSettingWidth, std::to_string(s.connectType)),
      keywordLine("PRINTERHOST", kSettingWidth, hostValue(s)),
      keywordLine("PRINTERREMQ", kSettingWidth, remoteQueueValue(s)),
      keywordLine("USERNAME", kSettingWidth, s.userName),
      keywordLine("USERDIR", kDirWidth, s.userDir),
      keywordLine("TMPDIR", kDirWidth, s.tmpDir),
      keywordLine("PPDFILE", kDirWidth, s.ppdFile),
      keywordLine("PPDORGFILE", kDirWidth, s.ppdOrgFile),
      "$$$QORSTOPPRINT\n",
  };
}

// A value holding a line break would end its line early and could make up
// keyword lines of its own: such a line has more than one line feed.
const std::string* lineWithBreak(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) {
    if (l.find('\n') != l.size() - 1 || l.find('\r') != std::string::npos) return &l;
  }
  return nullptr;
}

// ---- reading ----

int decimalValue(const std::string& text) {
  long v = std::strtol(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// The decimal value when it lies in lo..hi (the digits must not overflow on
// the way); else `fallback`.
int decimalInRange(const std::string& text, long lo, long hi, int fallback) {
  errno = 0;
  long v = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE || v < lo || v > hi) return fallback;
  return static_cast<int>(v);
}

// Only the whole value "UNKNOWN" stands for a missing one; a host or path
// that merely contains the word is a real value.
bool holdsUnknown(const std::string& value) { return value == kUnknown; }

void store(std::string& field, const std::string& value, size_t size) {
  field = value;
  cutField(field, size);
}

void readVersion(SetupState& s, const std::string& word, const std::string& value) {
  size_t prefix = std::strlen(kVersionPrefix);
  if (word.compare(0, prefix, kVersionPrefix) == 0) {
    store(s.configFormatVersion, word.substr(prefix), kPathSize);
  } else {
    store(s.configFormatVersion, value, kPathSize);
  }
}

void readProgramDir(SetupState& s, const std::string&, const std::string& value) {
  store(s.programDir, value, kPathSize);
}

void readPrinterType(SetupState& s, const std::string&, const std::string& value) {
  s.printerType = decimalValue(value);
}

RecordReading& lastReading() {
  static RecordReading reading;
  return reading;
}

// A connection type outside the known codes reads as 0 (no connection).
void readConnectType(SetupState& s, const std::string&, const std::string& value) {
  s.connectType = decimalInRange(value, kConnectOldIpp, kConnectFile, 0);
  lastReading().connectType = s.connectType;
}

// The host goes where the connection type read so far says.
void readPrinterHost(SetupState& s, const std::string&, const std::string& value) {
  bool unknown = holdsUnknown(value);
  switch (s.connectType) {
    case kConnectLocal:
      store(s.deviceName, unknown ? "/dev/lp0" : value, kPathSize);
      break;
    case kConnectUsb:
      store(s.usbDevicePath, unknown ? "/dev/usb/lp0" : value, kUsbFieldSize);
      break;
    case kConnectIpp:
      store(s.ippHost, unknown ? "127.0.0.1" : value, kPathSize);
      break;
    case kConnectFile:
      store(s.fileName, unknown ? "/dev/null" : value, kPathSize);
      break;
    default:  // LPD, raw TCP and older types
      store(s.printerHost, unknown ? "localhost" : value, kPathSize);
      break;
  }
}

void readRemoteQueue(SetupState& s, const std::string&, const std::string& value) {
  switch (s.connectType) {
    case kConnectTcp: {
      // A port outside 1..65535 reads as the default, as "UNKNOWN" does.
      s.tcpPort = holdsUnknown(value) ? kDefaultTcpPort : decimalInRange(value, 1, kMaxTcpPort, kDefaultTcpPort);
      break;
    }
    case kConnectIpp:
      store(s.ippPath, holdsUnknown(value) ? "ipp" : value, kPathSize);
      break;
    case kConnectLocal:
    case kConnectUsb:
    case kConnectFile:
      break;
    default:  // LPD and older types: a remote queue name
      storeRemoteQueue(value);
      break;
  }
}

void readTmpDir(SetupState& s, const std::string&, const std::string& value) {
  store(s.tmpDirText, value, kPathSize);
}

void readPpdDir(SetupState& s, const std::string&, const std::string& value) {
  store(s.ppdDirText, value, kPathSize);
}

void readPpdFile(SetupState& s, const std::string&, const std::string& value) {
  store(s.ppdFileText, value, kPathSize);
}

void readPpdOrgFile(SetupState& s, const std::string&, const std::string& value) {
  store(s.ppdOrgFileText, value, kPathSize);
}

// The keywords the reader acts on, tried in this order against the line's
// first word. Lines of other keywords (VERSION, PRINTERNAME, USERNAME, the
// "$$$" lines) are ignored.
struct ConfigKeyword {
  const char* keyword;
  bool prefix;  // the first word need only begin with the keyword
  void (*apply)(SetupState&, const std::string& word, const std::string& value);
};

const ConfigKeyword kConfigKeywords[] = {
    {kVersionMark, true, readVersion},     {"USERDIR", false, readProgramDir},
    {"USRDIR", false, readProgramDir},     {"PRINTERTYPE", false, readPrinterType},
    {"PRINTERCNCT", false, readConnectType}, {"PRINTERHOST", false, readPrinterHost},
    {"PRINTERREMQ", false, readRemoteQueue}, {"TMPDIR", false, readTmpDir},
    {"PPDDIR", false, readPpdDir},         {"PPDFILE", false, readPpdFile},
    {"PPDORGFILE", false, readPpdOrgFile},
};

void applyConfigLine(SetupState& s, const std::string& line) {
  size_t start = skipBlanks(line);
  size_t end = skipWord(line, start);
  std::string word = line.substr(start, end - start);
  std::string value = line.substr(skipBlanks(line, end));
  for (const ConfigKeyword& k : kConfigKeywords) {
    bool match = k.prefix ? word.compare(0, std::strlen(k.keyword), k.keyword) == 0
                          : word == k.keyword;
    if (match) {
      k.apply(s, word, value);
      return;
    }
  }
}

std::vector<std::string> splitLines(const std::string& data) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < data.size()) {
    size_t lf = data.find('\n', pos);
    if (lf == std::string::npos) lf = data.size();
    lines.push_back(data.substr(pos, lf - pos));
    pos = lf + 1;
  }
  return lines;
}

// The notice of a file that exists but cannot be used, worded as for the
// information file.
std::string problemText(const std::string& path, const std::string& why) {
  return "Configuration file:\n" + path + "\ncannot be read: " + why;
}

}  // namespace

const char kRecordProblemTitle[] = "Configuration Problem";

RecordReading takeRecordReading(const std::string& printerDir) {
  RecordReading taken;
  const std::string& path = lastReading().path;
  if (!printerDir.empty() && path.compare(0, printerDir.size() + 1, printerDir + "/") == 0) taken = lastReading();
  lastReading() = RecordReading();
  return taken;
}

std::string configFilePath() {
  const SetupState& s = setup();
  if (s.userFullDir.empty() || !isSafeEntryName(s.userName)) return std::string();
  return s.userFullDir + "/" + s.userName + "/jarnConfig";
}

int saveConfiguration() {
  const SetupState& s = setup();
  std::string path = configFilePath();
  if (path.empty()) {
    doMessage(kMsgError, kSaveTitle, "Cannot create filename");
    return -1;
  }
  std::vector<std::string> lines = configLines(s);
  if (const std::string* bad = lineWithBreak(lines)) {
    std::string shown = bad->substr(0, bad->find_first_of("\r\n"));
    doMessage(kMsgError, kSaveTitle,
              "Cannot store a value holding a line break:\n'" + shown + "'");
    return -1;
  }
  std::string data;
  for (const std::string& l : lines) data += l;
  std::string before;
  if (readWholeFile(path, &before) && before == data) return 1;  // nothing to change
  // Held until the file is given to its user, so that another writer's file
  // never gets this one's owner.
  RecordLock lock;
  std::string error;
  if (!lock.acquire(path, &error)) {
    doMessage(kMsgError, kSaveTitle, error);
    return -1;
  }
  AtomicWriteOptions options;
  options.mode = kConfigMode;
  if (!writeFileAtomic(path, data, options, &error)) {
    tracef("saveConfiguration: %s\n", error.c_str());
    doMessage(kMsgError, kSaveTitle, "Cannot open file: '" + path + "'");
    return -1;
  }
  chownToUser(path, s.userName);
  return 1;
}

int getConfiguration(const std::string& path) {
  SetupState& s = setup();
  RecordReading& reading = lastReading();
  reading = RecordReading();
  reading.path = path;
  std::string data;
  if (!readWholeFile(path, &data)) {
    if (errno != ENOENT) reading.problem = problemText(path, std::strerror(errno));
    if (s.verbose) std::fprintf(stderr, "Cannot open\nthe printer config file:\n%s.\n", path.c_str());
    return 0;
  }
  std::vector<std::string> lines = splitLines(data);
  if (lines.empty() || lines[0].compare(0, std::strlen(kFileMark), kFileMark) != 0) {
    reading.problem = problemText(path, "it is not a printer configuration file");
    if (s.verbose) std::fprintf(stderr, "Configuration file '%s' is not OK.\n", path.c_str());
    return 0;
  }
  for (size_t i = 1; i < lines.size(); ++i) {
    trimRight(lines[i]);
    applyConfigLine(s, lines[i]);
  }
  return 1;
}
