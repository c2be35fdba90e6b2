// SELinux support: whether SELinux is in force, the check and the loading
// of the release's policy module, and relabelling paths with chcon and
// restorecon. The tools are only run from absolute paths.
#pragma once

#include <string>

#include "process_runner.h"

namespace inst {

// How chconPath relabels.
enum ChconKind {
  kChconUser,      // "-u system_u"
  kChconUserTree,  // "-R -u system_u"
  kChconBin,       // "-t bin_t"
};

// The command that relabels `path` with the chcon program `chcon`.
Command chconCommand(const std::string& chcon, const std::string& path, ChconKind kind);

// 1 when selinuxenabled was found and exits with 0.
int isSELinuxEnabled();

// Relabels `path`; -1 (nothing run) when chcon was not found under an
// absolute path, else its exit code. With `log` the command and result are
// logged.
int chconPath(const std::string& path, ChconKind kind, bool log);

// Restores the default label of a file or, with `directory`, of a tree; -1
// when restorecon was not found under an absolute path.
int restoreconPath(const std::string& path, bool directory, bool log);

// At start-up, with SELinux in force: says when the module file `moduleFile`
// is missing. Nothing is loaded.
void checkSELinuxModule(const std::string& moduleFile);

// Loads the module "<installDir>/etc/jarn.pp" with semodule; its exit code
// (-1 when SELinux is off, semodule or the file is missing). Logs the result,
// and "SELinux module jarn.pp is installed." only when semodule returned 0.
int installSELinuxModule(const std::string& installDir);

}  // namespace inst
