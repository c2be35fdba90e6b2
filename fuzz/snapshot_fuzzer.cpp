// Fuzzes the snapshot restore: any bytes as the snapshot file. Checks: no
// crash; the file is read; the restored fields keep their visible sizes and
// a raw TCP port stays a port number.
#include <cstdlib>
#include <string>

#include "backend_fuzz.h"
#include "snapshot.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  freshState();
  std::string path = writeScratch("JarnInfo2.0", inputText(data, size));
  if (restoreSnapData(1, path) != 1) std::abort();
  const SetupState& s = setup();
  if (s.keepOptions != 1 || s.printerName.size() >= kPrinterNameSize ||
      s.remoteQueue.size() >= kFormHostSize || s.userName.size() >= kUserNameSize ||
      s.printerHost.size() >= kPathSize || s.ppdFile.size() >= kPathSize ||
      s.tcpHost.size() >= kFormHostSize)
    std::abort();
  if (s.connectType == kConnectTcp && (s.tcpPort < 0 || s.tcpPort > 65535)) std::abort();
  return 0;
}
