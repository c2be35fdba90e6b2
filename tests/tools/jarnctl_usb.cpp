// jarnctl usb-list and usb-escape: the USB printer probe and the command-line
// form of a usb URI.
//
//   usb-list          probes the USB printer nodes (under -R ROOT) and prints
//                     the count, then one "position<TAB>name" line a printer
//   usb-escape TEXT   prints checkUSBString's form of TEXT
//   ipp-escape TEXT   prints an IPP path as command lines show it
//
// With JARNCTL_USB_CANNED=1 the node files hold canned driver replies (the
// two-byte length and the device ID) instead of being real printer nodes.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "device_uri.h"
#include "jarnctl.h"
#include "setup_state.h"
#include "usb_device_id.h"
#include "usb_discovery.h"

namespace {

// Node files whose bytes are what the driver would reply.
class CannedDeviceIdSource : public UsbDeviceIdSource {
 public:
  int openNode(const std::string& path) override {
    return ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  }
  int readDeviceId(int fd, unsigned char* buffer, size_t size) override {
    size_t got = 0;
    while (got < size) {
      ssize_t n = ::read(fd, buffer + got, size - got);
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    return got > 0 ? 0 : -1;
  }
  void closeNode(int fd) override { ::close(fd); }
};

int usbList(const JarnctlArgs& args) {
  if (!args.empty()) return jarnctlUsage("usb-list");
  CannedDeviceIdSource canned;
  const char* mode = std::getenv("JARNCTL_USB_CANNED");
  bool useCanned = mode && std::strcmp(mode, "1") == 0;
  if (useCanned) setUsbDeviceIdSource(&canned);
  int found = getUSBDevice();
  setup().usbDeviceCount = found;
  std::printf("found: %d\n", found);
  const PList* head = &setup().usbDeviceList;
  for (const PList* p = head->next; p != head; p = p->next) std::printf("%d\t%s\n", p->position, p->name.c_str());
  if (useCanned) setUsbDeviceIdSource(nullptr);
  return 0;
}

int usbEscape(const JarnctlArgs& args) {
  if (args.size() != 1) return jarnctlUsage("usb-escape");
  std::string text = args[0];
  checkUSBString(text);
  std::printf("%s\n", text.c_str());
  return 0;
}

int ippEscape(const JarnctlArgs& args) {
  if (args.size() != 1) return jarnctlUsage("ipp-escape");
  std::printf("%s\n", ippPathShellText(args[0]).c_str());
  return 0;
}

}  // namespace

JARNCTL_COMMAND("usb-list", "", usbList);
JARNCTL_COMMAND("usb-escape", "TEXT", usbEscape);
JARNCTL_COMMAND("ipp-escape", "TEXT", ippEscape);
