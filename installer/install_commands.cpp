// The installer's command lines.
#include "install_commands.h"

#include "install_state.h"

namespace inst {
namespace cmdfmt {
const char* const kChconUser = "%s -u system_u %s 2>/dev/null";
const char* const kChconUserTree = "%s -R -u system_u %s 2>/dev/null";
const char* const kChconBin = "%s -t bin_t %s 2>/dev/null";
const char* const kRestoreconTree = "%s -i -R %s";
const char* const kRestoreconFile = "%s -i %s";
const char* const kSemoduleInstall = "%s -i %s";
const char* const kProbe = "%s";
const char* const kCopy = "%s  %s %s";
const char* const kCopyForce = "%s -f %s %s";
const char* const kGunzip = "%s -d %s";
const char* const kServiceRestart = "%s cups restart";
const char* const kInitScriptRestart = "%s restart";
const char* const kRmquedev = "%s -d %s.dev -q %s 2>/dev/null";
const char* const kRmque = "%s -q %s 2>/dev/null";
const char* const kTarPPDs = "%s cf %s -C %s --";
}  // namespace cmdfmt

int runInstallCommand(const Command& cmd) {
  return exitCodeOf(runCommand(cmd, state().debug, RunMode::Quiet));
}

int runInstallFormat(const char* format, const std::vector<FormatArg>& args) {
  return runInstallCommand(commandFromFormat(format, args));
}

}  // namespace inst
