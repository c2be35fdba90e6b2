// The driver's state access (see drive_state.h).
#include "drive_state.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <map>
#include <vector>

#include "page_navigation.h"
#include "queue_actions.h"
#include "queue_commands.h"
#include "setup_state.h"
#include "usb_device_id.h"

namespace {

std::map<std::string, int*> intFields() {
  SetupState& s = setup();
  return {{"printerType", &s.printerType},       {"connectType", &s.connectType},
          {"connectKind", &s.connectKind},       {"lpdRemoteKind", &s.lpdRemoteKind},
          {"tcpPort", &s.tcpPort},               {"localDeviceKind", &s.localDeviceKind},
          {"usbVariant", &s.usbVariant},         {"createMode", &s.createMode},
          {"queueExists", &s.queueExists},       {"queueManaged", &s.queueManaged},
          {"deviceUriChanged", &s.deviceUriChanged}, {"connectTypeChanged", &s.connectTypeChanged},
          {"queueLoadPending", &s.queueLoadPending}, {"pagesLoading", &s.pagesLoading},
          {"updateReported", &s.updateReported}, {"fatalReason", &s.fatalReason},
          {"panelMode", &s.panelMode},           {"messageCode", &s.messageCode},
          {"lpMode", &s.lpMode},                 {"cupsFound", &s.cupsFound},
          {"traceLevel", &s.traceLevel},         {"applyEntry", &s.applyEntry},
          {"usbDeviceCount", &s.usbDeviceCount}, {"bellCount", &navigation().bellCount},
          {"mailboxMax", &s.mailboxMax}};
}

std::map<std::string, std::string*> textFields() {
  SetupState& s = setup();
  return {{"printerName", &s.printerName}, {"queueDirName", &s.queueDirName}, {"lpdHost", &s.lpdHost},
          {"printerHost", &s.printerHost}, {"remoteQueue", &s.remoteQueue},   {"tcpHost", &s.tcpHost},
          {"deviceName", &s.deviceName},   {"usbDeviceId", &s.usbDeviceId},   {"usbDevicePath", &s.usbDevicePath},
          {"ippHost", &s.ippHost},         {"ippPath", &s.ippPath},           {"fileName", &s.fileName},
          {"ppdFile", &s.ppdFile},         {"modelName", &s.modelName},       {"userDir", &s.userDir},
          {"messageText", &s.messageText}};
}

// Node n of the probe answers with line n of the file.
class CannedUsbIds : public UsbDeviceIdSource {
 public:
  std::vector<std::string> ids;
  int openNode(const std::string& path) override {
    size_t digit = path.find_last_not_of("0123456789");
    int n = std::stoi(path.substr(digit + 1));
    bool first = path.find("/usblp") != std::string::npos && path.find("/usb/") == std::string::npos;
    if (!first || n >= static_cast<int>(ids.size())) {
      errno = ENOENT;
      return -1;
    }
    return 1000 + n;
  }
  int readDeviceId(int fd, unsigned char* buffer, size_t size) override {
    const std::string& id = ids[static_cast<size_t>(fd - 1000)];
    if (id.size() + 2 > size) return -1;
    buffer[0] = static_cast<unsigned char>((id.size() + 2) >> 8);
    buffer[1] = static_cast<unsigned char>((id.size() + 2) & 0xff);
    id.copy(reinterpret_cast<char*>(buffer) + 2, id.size());
    return 0;
  }
  void closeNode(int) override {}
};

}  // namespace

std::string getDriveField(const std::string& name) {
  if (name == "tabMask") {
    int mask = 0;
    for (int tab = 0; tab < 7; ++tab) mask |= navigation().tabEnabled[tab] ? tabBit(tab) : 0;
    return std::to_string(mask);
  }
  auto ints = intFields();
  if (ints.count(name)) return std::to_string(*ints[name]);
  auto texts = textFields();
  return texts.count(name) ? *texts[name] : std::string();
}

bool setDriveField(const std::string& name, const std::string& value) {
  auto ints = intFields();
  if (ints.count(name)) {
    *ints[name] = std::atoi(value.c_str());
    return true;
  }
  auto texts = textFields();
  if (!texts.count(name)) return false;
  *texts[name] = value;
  return true;
}

bool useCannedUsbIds(const std::string& path) {
  static CannedUsbIds canned;
  std::ifstream in(path);
  if (!in) return false;
  canned.ids.clear();
  for (std::string line; std::getline(in, line);) {
    if (!line.empty()) canned.ids.push_back(line);
  }
  setUsbDeviceIdSource(&canned);
  return true;
}

int createFromPages() {
  SetupState& s = setup();
  if (!getSetupInfo()) return -1;
  return s.printerType == kTypeRaw ? createQueueByUri(s.printerName) : createQueueWithPPD(s.printerName);
}
