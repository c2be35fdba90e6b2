// Fuzzes the configuration reader with a write and a re-read: any bytes as
// the file "jarnConfig". Checks: no crash; the written file reads back with
// the types and PPD texts that were read; reading what that read wrote gives
// the same state again.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "backend_fuzz.h"
#include "config_file.h"

namespace {

// What a written file carries over unchanged: the types and the PPD texts.
auto carried(const SetupState& s) {
  return std::make_tuple(s.printerType, s.connectType, s.ppdFileText, s.ppdOrgFileText);
}

// Everything a configuration file sets; the queue page takes the PPD texts over.
auto readState() {
  SetupState& s = setup();
  s.ppdFile = s.ppdFileText;
  s.ppdOrgFile = s.ppdOrgFileText;
  return std::make_tuple(carried(s), s.printerHost, s.deviceName, s.usbDevicePath, s.ippHost,
                         s.fileName, s.tcpPort, s.ippPath, s.remoteQueue, s.lpdRemoteKind,
                         s.programDir, s.tmpDirText, s.ppdDirText, s.configFormatVersion);
}

// Writes the state and reads the file back into a fresh state.
bool saveAndRead() {
  if (saveConfiguration() != 1) return false;
  std::string path = configFilePath();
  freshState();
  setup().userFullDir = scratchDir();
  return getConfiguration(path) == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = inputText(data, size);
  freshState();
  std::string path = writeScratch("in/jarnConfig", text);
  setup().userFullDir = scratchDir();
  std::filesystem::create_directories(scratchDir() + "/root");  // where the file is written
  if (getConfiguration(path) != 1) return 0;
  auto first = readState();
  if (!saveAndRead()) {
    if (text.find('\r') == std::string::npos) std::abort();  // only a CR may stop the write
    return 0;
  }
  auto second = readState();
  if (std::get<0>(first) != std::get<0>(second)) std::abort();
  if (!saveAndRead() || readState() != second) std::abort();
  return 0;
}
