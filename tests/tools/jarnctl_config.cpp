// jarnctl config-write DIR PRINTER KEY=VALUE... / config-read DIR PRINTER [USER]:
// the per-printer configuration file DIR/PRINTER/USER/jarnConfig (USER is
// "root" unless userName=... is given).
//
// config-write sets the named state fields (printerType, connectType,
// printerHost, remoteQueue, tcpPort, deviceName, usbDeviceId, usbDevicePath,
// usbVariant, ippHost, ippPath, fileName, ppdFile, ppdOrgFile, userName,
// tmpDir, configVersion), makes the printer and user directories when they
// are missing and writes the file as the program does. config-read reads the
// file and prints the fields the reader sets, one "name=value" per line.
#include <cstdio>
#include <string>

#include "config_file.h"
#include "file_helpers.h"
#include "jarnctl.h"
#include "setup_state.h"

namespace {

// The state fields that config-write can set and config-read prints.
struct Field {
  const char* name;
  std::string SetupState::*text;
  int SetupState::*number;
  bool settable;  // config-write takes it
  bool read;      // config-read prints it
};

const Field kFields[] = {
    {"printerType", nullptr, &SetupState::printerType, true, true},
    {"connectType", nullptr, &SetupState::connectType, true, true},
    {"printerHost", &SetupState::printerHost, nullptr, true, true},
    {"remoteQueue", &SetupState::remoteQueue, nullptr, true, true},
    {"lpdRemoteKind", nullptr, &SetupState::lpdRemoteKind, false, true},
    {"tcpPort", nullptr, &SetupState::tcpPort, true, true},
    {"deviceName", &SetupState::deviceName, nullptr, true, true},
    {"usbDeviceId", &SetupState::usbDeviceId, nullptr, true, false},
    {"usbDevicePath", &SetupState::usbDevicePath, nullptr, true, true},
    {"usbVariant", nullptr, &SetupState::usbVariant, true, false},
    {"ippHost", &SetupState::ippHost, nullptr, true, true},
    {"ippPath", &SetupState::ippPath, nullptr, true, true},
    {"fileName", &SetupState::fileName, nullptr, true, true},
    {"ppdFile", &SetupState::ppdFile, nullptr, true, false},
    {"ppdOrgFile", &SetupState::ppdOrgFile, nullptr, true, false},
    {"userName", &SetupState::userName, nullptr, true, false},
    {"tmpDir", &SetupState::tmpDir, nullptr, true, false},
    {"configVersion", nullptr, &SetupState::configVersion, true, false},
    {"programDir", &SetupState::programDir, nullptr, false, true},
    {"tmpDirText", &SetupState::tmpDirText, nullptr, false, true},
    {"ppdDirText", &SetupState::ppdDirText, nullptr, false, true},
    {"ppdFileText", &SetupState::ppdFileText, nullptr, false, true},
    {"ppdOrgFileText", &SetupState::ppdOrgFileText, nullptr, false, true},
    {"configFormatVersion", &SetupState::configFormatVersion, nullptr, false, true},
};

const Field* findSettable(const std::string& name) {
  for (const Field& f : kFields) {
    if (f.settable && name == f.name) return &f;
  }
  return nullptr;
}

bool parseInt(const std::string& word, int* value) {
  try {
    size_t used = 0;
    *value = std::stoi(word, &used);
    return used == word.size();
  } catch (const std::exception&) {
    return false;
  }
}

// Points the state at DIR and PRINTER, as the queue page does.
void selectPrinter(SetupState& s, const std::string& dir, const std::string& printer) {
  s.userDir = dir;
  s.printerName = printer;
  s.userFullDir = dir + "/" + printer;
}

int configWrite(const JarnctlArgs& args) {
  if (args.size() < 2) return jarnctlUsage("config-write");
  SetupState& s = setup();
  selectPrinter(s, args[0], args[1]);
  for (size_t i = 2; i < args.size(); ++i) {
    size_t eq = args[i].find('=');
    const Field* f = eq == std::string::npos ? nullptr : findSettable(args[i].substr(0, eq));
    if (!f) return jarnctlFail("unknown field in '" + args[i] + "'");
    std::string value = args[i].substr(eq + 1);
    if (f->text) {
      s.*(f->text) = value;
    } else if (!parseInt(value, &(s.*(f->number)))) {
      return jarnctlFail("not a number in '" + args[i] + "'");
    }
  }
  if (!isSafeEntryName(args[1]) || makeSubDirectory(args[0], args[1]) != 0 ||
      makeUserDirectory(s.userFullDir, s.userName) != 0) {
    return jarnctlFail("cannot make the directory of '" + args[1] + "' in '" + args[0] + "'");
  }
  return saveConfiguration() == 1 ? 0 : jarnctlFail("cannot write '" + configFilePath() + "'");
}

int configRead(const JarnctlArgs& args) {
  if (args.size() < 2 || args.size() > 3) return jarnctlUsage("config-read");
  SetupState& s = setup();
  selectPrinter(s, args[0], args[1]);
  if (args.size() == 3) s.userName = args[2];
  s.verbose = 1;
  std::string path = configFilePath();
  if (path.empty() || getConfiguration(path) != 1) return jarnctlFail("cannot read '" + path + "'");
  for (const Field& f : kFields) {
    if (!f.read) continue;
    if (f.text) {
      std::printf("%s=%s\n", f.name, (s.*(f.text)).c_str());
    } else {
      std::printf("%s=%d\n", f.name, s.*(f.number));
    }
  }
  return 0;
}

}  // namespace

JARNCTL_COMMAND("config-write", "DIR PRINTER [FIELD=VALUE...]", configWrite);
JARNCTL_COMMAND("config-read", "DIR PRINTER [USER]", configRead);
