// The directories and links an installation makes: the installation
// directory with its bin and etc, the destinations of the manifest, and the
// links in /usr/bin and the CUPS model directory. Directories are made 0755
// and only what was just made is chmodded.
#pragma once

#include <string>

namespace inst {

// Checks `path` and, with `create`, makes it: -1 for an empty path, a path
// that is not a directory, a missing one without `create`, or a failing
// mkdir; 0 when it is a directory; 1 when it was made (logged, then chmodded
// to `mode`, logged).
// A directory of the installation (installDir or below) that exists is made
// the run's user's with mode 0755 first. Anything else at a name below
// installDir (a link, a file) is, with `create` and once the directory
// above is the run's user's and closed to others, moved aside (logged) and
// the directory made; otherwise it counts as not a directory (-1).
int makeDirectory(const std::string& path, int create, int mode);

// True when `path` is installDir or lies under it.
bool insideInstallation(const std::string& path);

// Gives the directory `path` (never through a link) to the run's user with
// mode 0755; false when it is no directory or cannot be changed.
bool secureDirectory(const std::string& path);

// Makes every leading part of `path` and then `path` (0755); the last result.
int makeDirectoryPath(const std::string& path);

// Makes `dir`, "<dir>/bin" and "<dir>/etc" (0755) once per run, then
// relabels the bin directory. 1 on success; 0, logged, on failure, with the
// directory that could not be made in `wrong` (when given).
int makeInstallDirs(const std::string& dir, std::string* wrong = nullptr);

// True when `path` exists, a symbolic link counting only when it leads to
// something: a link whose target is gone is as good as missing.
bool existsNotDangling(const std::string& path);

// Makes `link` a symbolic link to `target`. A dangling link at `link` is
// replaced in one rename; any other existing file is kept ("exists
// already", -1). -1 ("No file") when the target is missing. 0 on success.
int makeLink(const std::string& target, const std::string& link);

// 1 when `path` is a directory.
int isDirectory(const std::string& path);

// The part of `path` after its last "/".
std::string baseName(const std::string& path);

// The directory `path` is in: the part before its last "/" ("/" for a name
// just under it, "." for a path without one).
std::string dirName(const std::string& path);

}  // namespace inst
