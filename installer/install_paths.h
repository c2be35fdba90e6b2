// Paths the installer is given or finds: the installation directory it may
// use, the directory it installs from, and whether a release file may be
// trusted by root.
#pragma once

#include <string>

namespace inst {

// Checks an installation directory (-u, or the USRDIR of an earlier
// installation). After one trailing "/" is removed it must be an absolute,
// normalised path (no "//", "." or ".." parts) of letters, digits and
// "._+-/", at most 255 characters, neither "/" nor a top-level directory,
// outside the system trees (/etc, /var, /bin, /sbin, /lib*, /boot, /dev,
// /proc, /sys, /run, /tmp, /usr; under /usr only a directory of its own
// under /usr/local), and no existing part of it a link. True with the path
// in `checked` when accepted; otherwise `why` (when given) says which rule
// refused it.
bool checkInstallDir(const std::string& dir, std::string* checked, std::string* why = nullptr);

// True when no part of `path` between its "/"s (after a leading "/") is
// empty, "." or "..".
bool hasPlainParts(const std::string& path);

// The directory the release lies in: the directory of the program's path
// when that is absolute ("/opt/bry/bin" counts as "/opt/bry"), else `cwd`.
std::string getSourceDir(const std::string& argv0, const std::string& cwd);

// True when `path` exists, belongs to root or the running user, and cannot
// be written by its group or others.
bool notWritableByOthers(const std::string& path);

// True when a release file may be used by root: the file and the directory
// `dir` (and `subdir` when given and present) are not writable by group or
// others.
bool releaseFileTrusted(const std::string& file, const std::string& dir,
                        const std::string& subdir = std::string());

}  // namespace inst
