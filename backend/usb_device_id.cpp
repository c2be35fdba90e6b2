// The kernel's side of the USB printer probe: node open and the usblp
// device-ID request.
#include "usb_device_id.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A Linux ioctl request number packs, from the low bits up: the request
// number (8 bits), the driver's type letter (8 bits), the size of the
// argument (14 bits) and the direction (2 bits; 2 = the kernel writes to
// the caller's buffer). The usblp driver's type letter is 'P' and its
// device-ID request is number 1, with the buffer's length as the size.
constexpr unsigned long kIocRead = 2;
constexpr unsigned long kUsblpType = 'P';
constexpr unsigned long kUsblpGetDeviceId = 1;
constexpr unsigned long kIocSizeMask = (1UL << 14) - 1;

class KernelDeviceIdSource : public UsbDeviceIdSource {
 public:
  int openNode(const std::string& path) override {
    return ::open(path.c_str(), O_RDWR | O_EXCL | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  }
  int readDeviceId(int fd, unsigned char* buffer, size_t size) override {
    if (size > kIocSizeMask) size = kIocSizeMask;
    return ::ioctl(fd, usblpGetDeviceIdRequest(size), buffer) < 0 ? -1 : 0;
  }
  void closeNode(int fd) override { ::close(fd); }
};

KernelDeviceIdSource kernelSource;
UsbDeviceIdSource* current = &kernelSource;

}  // namespace

unsigned long usblpGetDeviceIdRequest(size_t length) {
  return (kIocRead << 30) | ((static_cast<unsigned long>(length) & kIocSizeMask) << 16) |
         (kUsblpType << 8) | kUsblpGetDeviceId;
}

UsbDeviceIdSource& usbDeviceIdSource() { return *current; }

UsbDeviceIdSource* setUsbDeviceIdSource(UsbDeviceIdSource* source) {
  UsbDeviceIdSource* before = current;
  current = source ? source : &kernelSource;
  return before;
}
