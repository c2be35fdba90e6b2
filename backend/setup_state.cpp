// The state record, its start and queue defaults, and the snapshot keywords.
#include "setup_state.h"

#include <memory>

#include "trace.h"

namespace {
std::unique_ptr<SetupState> current;

// The remote LPD queue names that have a kind of their own.
struct RemoteQueueKind {
  const char* name;
  int kind;
};
const RemoteQueueKind kRemoteQueueKinds[] = {
    {"lp", 1}, {"print", 2}, {"direct", 3}, {"hold", 4}, {"spool", 5},
};
constexpr int kRemoteQueueOther = 6;
}  // namespace

SetupState::SetupState() : entryTable(kMaxUserEntries) {}

SetupState::~SetupState() {
  freePList(&printerList);
  freeUList(&userList);
  freeUList(&printerUserList);
  freePList(&systemQueueList);
  freePList(&usbDeviceList);
}

SetupState& setup() {
  if (!current) current.reset(new SetupState());
  return *current;
}

void resetSetup() {
  current.reset(new SetupState());
  setTraceLevel(0);
}

void cutField(std::string& text, size_t size) {
  if (size > 0 && text.size() > size - 1) text.resize(size - 1);
}

void initSnapKeywords() {
  SetupState& s = setup();
  struct Row {
    const char* keyword;
    std::string* target;
  };
  const Row rows[] = {
      {"KEEPOPTIONS:", &s.snapKeepOptions}, {"PRINTERNAME:", &s.printerName},
      {"PRINTERHOST:", &s.printerHost},     {"PRINTERREMQ:", &s.remoteQueue},
      {"PRINTERTYPE:", &s.snapPrinterType}, {"PRINTERCNCT:", &s.snapConnectType},
      {"USR:", &s.userName},                {"USERDIR:", &s.userDir},
      {"USERFULLDIR:", &s.userFullDir},     {"PPDFILENAME:", &s.ppdFile},
  };
  for (auto& k : s.snapKeywords) k = SnapKeyword();
  size_t i = 0;
  for (const Row& r : rows) {
    s.snapKeywords[i].keyword = r.keyword;
    s.snapKeywords[i].target = r.target;
    ++i;
  }
}

void clearSettingChanges(SetupState& s) {
  s.bannersChanged = s.errorPolicyChanged = s.ppdChanged = s.deviceUriChanged = 0;
}

void setQueueDefaults() {
  initSnapKeywords();
  SetupState& s = setup();
  s.configVersion = kDefaultConfigVersion;
  s.printerType = kTypePostScript;
  s.connectType = kConnectLpd;
  s.connectKind = kConnectLpd;
  s.lpdRemoteKind = 1;
  s.tcpPort = 9100;
  s.createMode = 1;
  s.queueExists = 0;
  s.queueManaged = 0;
  s.keepOptions = 0;
  s.testPageKind = 0;
  clearSettingChanges(s);
  s.connectTypeChanged = 0;
  s.mailboxNumber = -1;
  s.workEntry = UserEntry();
  s.panelMode = 0;
  freePList(&s.systemQueueList);
  s.systemQueueCount = 0;
  s.lastQueueScan = 0;
}

void storeRemoteQueue(const std::string& name) {
  SetupState& s = setup();
  s.remoteQueue = name;
  cutField(s.remoteQueue, kRemoteQueueBytes + 1);
  s.lpdRemoteKind = kRemoteQueueOther;
  for (const auto& k : kRemoteQueueKinds) {
    if (name == k.name) s.lpdRemoteKind = k.kind;
  }
}

void storeLocalDevice(const std::string& path) {
  SetupState& s = setup();
  s.deviceName = path.empty() ? std::string("/dev/null") : path;
  cutField(s.deviceName, kPathSize);
  static const char* const kMenuDevices[] = {"/dev/lp0", "/dev/lp1", "/dev/ttya", "/dev/ttyb",
                                             "/dev/null"};
  s.localDeviceKind = 1;
  for (int i = 0; i < 5; ++i) {
    if (s.deviceName == kMenuDevices[i]) s.localDeviceKind = i + 2;
  }
}
