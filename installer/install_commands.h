// The installer's command lines, as data: each format is the command line
// the log shows, turned into an argv by the back end's commandFromFormat
// (values are single words, never split or expanded), and run quietly.
#pragma once

#include <string>
#include <vector>

#include "command_formats.h"
#include "process_runner.h"

namespace inst {
namespace cmdfmt {
extern const char* const kChconUser;      // chcon -u system_u PATH
extern const char* const kChconUserTree;  // chcon -R -u system_u PATH
extern const char* const kChconBin;       // chcon -t bin_t PATH
extern const char* const kRestoreconTree;
extern const char* const kRestoreconFile;
extern const char* const kSemoduleInstall;
extern const char* const kProbe;          // a program run alone (selinuxenabled)
extern const char* const kCopy;
extern const char* const kCopyForce;
extern const char* const kGunzip;
extern const char* const kServiceRestart;
extern const char* const kInitScriptRestart;
extern const char* const kRmquedev;
extern const char* const kRmque;
extern const char* const kTarPPDs;         // followed by the entry names
}  // namespace cmdfmt

// Runs a command quietly (its text is traced from the installer's trace
// level 2); its exit code, -1 when it did not exit normally.
int runInstallCommand(const Command& cmd);
int runInstallFormat(const char* format, const std::vector<FormatArg>& args);

}  // namespace inst
