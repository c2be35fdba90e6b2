// Installation directories and links.
#include "install_dirs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "foreign_names.h"
#include "install_log.h"
#include "install_paths.h"
#include "install_state.h"
#include "selinux.h"

namespace inst {

bool insideInstallation(const std::string& path) {
  const std::string& dir = state().installDir;
  return !dir.empty() && (path == dir || path.compare(0, dir.size() + 1, dir + "/") == 0);
}

bool secureDirectory(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  const InstallState& s = state();
  bool ok = ::fchown(fd, static_cast<uid_t>(s.uid), static_cast<gid_t>(s.gid)) == 0 && ::fchmod(fd, 0755) == 0;
  ::close(fd);
  return ok;
}

namespace {

// True when `dir` is a directory, not a link, of root's or the running
// user's that neither its group nor others can write.
bool ownDirectory(const std::string& dir) {
  struct stat st;
  return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && notWritableByOthers(dir);
}

}  // namespace

int makeDirectory(const std::string& path, int create, int mode) {
  if (path.empty()) return -1;
  struct stat st;
  if (insideInstallation(path) && ::lstat(path.c_str(), &st) == 0) {
    // The installation's own directories are root's, 0755, and never links.
    if (S_ISDIR(st.st_mode)) return secureDirectory(path) ? 0 : -1;
    // Anything else at the name was put there by another user while the
    // directory above was open to all: moved aside once that directory is
    // root's, then the directory is made.
    if (!create || path == state().installDir || !ownDirectory(dirName(path)) || !moveAside(path)) return -1;
  } else if (::stat(path.c_str(), &st) == 0) {
    return S_ISDIR(st.st_mode) ? 0 : -1;
  }
  if (!create || ::mkdir(path.c_str(), 0700) != 0) return -1;
  logMsg(kCreatedDir, path.c_str());
  if (::chmod(path.c_str(), static_cast<mode_t>(mode)) == 0) {
    logMsg(kChangingRights, path.c_str(), static_cast<unsigned>(mode));
  } else {
    logMsg(kCouldNotChmod, path.c_str(), static_cast<unsigned>(mode));
  }
  return 1;
}

int makeDirectoryPath(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1))
    makeDirectory(path.substr(0, slash), 1, 0755);
  return makeDirectory(path, 1, 0755);
}

int makeInstallDirs(const std::string& dir, std::string* wrong) {
  InstallState& s = state();
  if (s.installDirsMade) return 1;
  if (wrong) *wrong = dir;
  if (dir.empty()) return 0;
  const std::pair<std::string, Msg> dirs[] = {
      {dir, kNoBryDirPossible}, {dir + "/bin", kNoBryBinPossible}, {dir + "/etc", kNoBryEtcPossible}};
  for (const auto& [path, failure] : dirs) {
    if (makeDirectory(path, 1, 0755) < 0) {
      logMsg(failure, path.c_str());
      if (wrong) *wrong = path;
      return 0;
    }
  }
  chconPath(dir + "/bin", kChconUserTree, true);
  s.installDirsMade = 1;
  return 1;
}

bool existsNotDangling(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 || (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode));
}

int makeLink(const std::string& target, const std::string& link) {
  struct stat st;
  if (::stat(target.c_str(), &st) != 0) {
    logMsg(kNoFile, target.c_str());
    return -1;
  }
  if (::lstat(link.c_str(), &st) != 0) return ::symlink(target.c_str(), link.c_str());
  if (existsNotDangling(link)) {
    logMsg(kLinkExists, link.c_str());
    return -1;
  }
  // A dangling link: the new link is made beside it and renamed over it,
  // so the name is never missing and nothing else is followed.
  std::string fresh = link + ".jarn" + std::to_string(::getpid());
  ::unlink(fresh.c_str());
  if (::symlink(target.c_str(), fresh.c_str()) != 0) return -1;
  if (::rename(fresh.c_str(), link.c_str()) == 0) return 0;
  ::unlink(fresh.c_str());
  return -1;
}

int isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}

std::string dirName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace inst
