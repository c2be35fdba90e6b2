// Fuzzes the USB device-ID parser: three size bytes (device ID, make and
// model, URI buffers), then the driver's reply. Checks: no crash; every
// result fits its buffer, the ID holds no NUL, the URI has the scheme, and
// its command-line form keeps the field size.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "backend_fuzz.h"
#include "usb_device_id.h"
#include "usb_discovery.h"

namespace {

// A device-ID layer that replies with the fuzz input.
class InputSource : public UsbDeviceIdSource {
 public:
  std::string reply;
  int openNode(const std::string&) override { return 3; }
  int readDeviceId(int, unsigned char* buffer, size_t size) override {
    std::memcpy(buffer, reply.data(), std::min(size, reply.size()));
    return 0;
  }
  void closeNode(int) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  static InputSource source;
  setUsbDeviceIdSource(&source);
  source.reply = inputText(data + 3, size - 3);
  size_t idSize = 32 + data[0] * 4, mmSize = 32 + data[1], uriSize = 32 + data[2];
  std::string id, makeModel, uri;
  if (getUSBDeviceId(3, &id, idSize, &makeModel, mmSize, "usb", &uri, uriSize) != 0) return 0;
  if (id.empty() || id.size() >= idSize || id.find('\0') != std::string::npos ||
      makeModel.size() >= mmSize)
    std::abort();
  if (uriSize > 32 && (uri.size() >= uriSize || uri.compare(0, 6, "usb://") != 0)) std::abort();
  checkUSBString(uri);
  if (uri.size() > kUsbFieldSize - 1) std::abort();
  return 0;
}
