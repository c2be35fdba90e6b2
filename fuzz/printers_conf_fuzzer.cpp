// Fuzzes the printers.conf reader and the device URI's reading into the
// connection fields. Input: a printer name line, then printers.conf.
// Checks: no crash; each setting's code is in its range; the URI built from
// the fields read from the queue's URI reads back into the same URI.
#include <cstdlib>
#include <string>

#include "backend_fuzz.h"
#include "device_uri.h"
#include "printers_conf.h"

namespace {

// Builds the URI of the fields, reads it back and builds it again.
void checkRoundTrip(int type) {
  std::string built = buildDeviceURI();
  if (built.empty()) return;
  if (applyDeviceURI(type, built) != type || buildDeviceURI() != built) std::abort();
}

// The fields keep a usb: URI's text after its first "//" and the builder
// puts "usb://" before that text without a leading "usb:": a URI that does
// not begin "usb://" may come back otherwise (one holding a further "usb:" is
// left out too).
bool roundTripHolds(int type, const std::string& uri) {
  return type != kConnectUsb || (uri.compare(4, 2, "//") == 0 && uri.find("usb:", 4) == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = inputText(data, size);
  size_t nl = text.find('\n');
  if (nl == std::string::npos) return 0;
  freshState();
  setup().cupsDir = scratchDir();
  setup().printerName = text.substr(0, nl);
  writeScratch("etc/cups/printers.conf", text.substr(nl + 1));
  const int lowest[] = {-1, -1, -1, -1, -1}, highest[] = {9, 9, 9 + 256 * 9, 3, kConnectFile};
  for (int topic = kTopicStartBanner; topic <= kTopicDeviceUri; ++topic) {
    int code = getCUPSInfo(setup().printerName, topic, nullptr);
    if (code < lowest[topic - 1] || code > highest[topic - 1]) std::abort();
  }
  std::string uri;
  getCUPSInfo(setup().printerName, kTopicDeviceUri, &uri);
  int type = parseDeviceURI();
  if (type > 0 && roundTripHolds(type, uri)) checkRoundTrip(type);
  for (int t = kConnectOldIpp; t <= kConnectFile; ++t) {  // also under a foreign type
    freshState();
    applyDeviceURI(t, uri);
    buildDeviceURI();
  }
  return 0;
}
