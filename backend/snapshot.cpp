// The restore of a snapshot: the SESSION block of an information-file style
// file fills the snapshot keyword table, whose targets are queue fields of
// the state; the connection fields are then derived from them.
#include "snapshot.h"

#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdlib>

#include "info_file.h"
#include "trace.h"

namespace {

constexpr char kSnapFileName[] = "JarnInfo2.0";
constexpr int kHighestPort = 65535;

// Decimal value at the start of `text`; false when it holds none or it does
// not fit an int.
bool decimalValue(const std::string& text, long* value) {
  if (text.empty()) return false;
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(start, &end, 10);
  if (end == start || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  *value = v;
  return true;
}

// The visible size of each snapshot target that is smaller than a path.
void cutSnapFields(SetupState& s) {
  cutField(s.printerName, kPrinterNameSize);
  cutField(s.remoteQueue, kFormHostSize);
  cutField(s.userName, kUserNameSize);
  cutField(s.userDir, kPathSize);
  cutField(s.userFullDir, kPathSize);
  cutField(s.ppdFile, kPathSize);
  cutField(s.printerHost, kPathSize);
}

void restoreTcp(SetupState& s) {
  tracef("RestoreSnap for 9100:");
  long port = 0;
  if (!s.remoteQueue.empty() && std::isdigit(static_cast<unsigned char>(s.remoteQueue[0])) &&
      decimalValue(s.remoteQueue, &port) && port <= kHighestPort) {
    s.tcpPort = static_cast<int>(port);
  }
  if (!s.printerHost.empty()) {
    s.tcpHost = s.printerHost;
    cutField(s.tcpHost, kFormHostSize);
  }
  tracef(" IP=%s, Port=%d\n", s.tcpHost.c_str(), s.tcpPort);
}

void restoreLocal(SetupState& s) {
  tracef("RestoreSnap for LOCAL:");
  storeLocalDevice(s.deviceName);
  tracef(" Device: %s\n", s.deviceName.c_str());
}

}  // namespace

std::string snapFileFromEnvironment() {
  for (const char* var : {"JARNINFO", "JARNUSERINFO"}) {
    const char* v = std::getenv(var);
    if (v && *v) return v;
  }
  const char* dir = std::getenv("JARNUSERDIR");
  if (!dir || !*dir) return std::string();
  std::string path = dir;
  if (path.back() != '/') path += '/';
  return path + kSnapFileName;
}

void matchSnapKeyword(const SnapKeyword& entry, const std::string& keyword, int* target) {
  if (entry.keyword.empty() || entry.found != 1 || !entry.target || !target) return;
  if (entry.keyword.compare(0, keyword.size(), keyword) != 0) return;
  long v = 0;
  if (decimalValue(*entry.target, &v)) *target = static_cast<int>(v);
}

int restoreSnapData(int mode, const std::string& fileName) {
  std::string file;
  if (mode == 0) {
    file = snapFileFromEnvironment();
  } else {
    initSnapKeywords();
    file = fileName;
  }
  if (file.empty()) {
    tracef("restoreSnapData::fname = NULL\n");
    return 0;
  }
  tracef("restoreSnapData::fname = %s\n", file.c_str());

  SetupState& s = setup();
  if (readInfoBlock(file, std::string(), nullptr, s.snapKeywords.data(), s.snapKeywords.size(),
                    kInfoBlockSession) != 0)
    return 0;
  cutSnapFields(s);
  for (const SnapKeyword& entry : s.snapKeywords) {
    matchSnapKeyword(entry, "PRINTERTYPE:", &s.printerType);
    matchSnapKeyword(entry, "PRINTERCNCT:", &s.connectType);
  }
  s.keepOptions = 1;

  switch (s.connectType) {
    case kConnectTcp:
      restoreTcp(s);
      break;
    case kConnectLpd:
      storeRemoteQueue(s.remoteQueue);
      break;
    case kConnectLocal:
      restoreLocal(s);
      break;
    default:
      break;
  }
  return 1;
}
