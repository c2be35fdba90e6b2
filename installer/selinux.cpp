// SELinux labelling and the policy module.
#include "selinux.h"

#include <sys/stat.h>

#include <cstdio>

#include "install_commands.h"
#include "install_log.h"
#include "install_state.h"

namespace inst {
namespace {

bool isAbsolute(const std::string& path) { return !path.empty() && path[0] == '/'; }

bool exists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

Command chconCommand(const std::string& chcon, const std::string& path, ChconKind kind) {
  const char* format = kind == kChconUser       ? cmdfmt::kChconUser
                       : kind == kChconUserTree ? cmdfmt::kChconUserTree
                                                : cmdfmt::kChconBin;
  return commandFromFormat(format, {chcon, path});
}

int isSELinuxEnabled() {
  const std::string& tool = state().tools.selinuxenabled;
  if (!isAbsolute(tool)) return 0;
  return runInstallFormat(cmdfmt::kProbe, {tool}) == 0 ? 1 : 0;
}

int chconPath(const std::string& path, ChconKind kind, bool log) {
  const std::string& tool = state().tools.chcon;
  if (!isAbsolute(tool)) return -1;
  Command cmd = chconCommand(tool, path, kind);
  int st = runInstallCommand(cmd);
  if (log) logMsg(kChconResult, cmd.text.c_str(), st);
  return st;
}

int restoreconPath(const std::string& path, bool directory, bool log) {
  const std::string& tool = state().tools.restorecon;
  if (!isAbsolute(tool)) return -1;
  int st = runInstallFormat(directory ? cmdfmt::kRestoreconTree : cmdfmt::kRestoreconFile, {tool, path});
  if (log) logMsg(kRestoreconResult, directory ? "directory" : "file", path.c_str(), st);
  return st;
}

void checkSELinuxModule(const std::string& moduleFile) {
  const InstallState& s = state();
  if (!s.selinux || !isAbsolute(s.tools.semodule)) return;
  if (exists(moduleFile)) return;
  std::fprintf(stderr, "%s\n", text(kNoModuleFile));
  writeLog(text(kNoModuleFile));
}

int installSELinuxModule(const std::string& installDir) {
  const InstallState& s = state();
  if (!s.selinux) {
    writeLog(text(kNoSelinux));
    return -1;
  }
  if (!isAbsolute(s.tools.semodule)) return -1;
  std::string module = installDir + "/etc/jarn.pp";
  if (!exists(module)) {
    writeLog(text(kNoModuleFile));
    return -1;
  }
  int st = runInstallFormat(cmdfmt::kSemoduleInstall, {s.tools.semodule, module});
  logMsg(kModuleInstallReturns, st);
  if (st == 0) writeLog(text(kSelinuxModuleInstalled));
  return st;
}

}  // namespace inst
