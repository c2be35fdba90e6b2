// Names another user may have put into an installation directory.
#include "foreign_names.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "atomic_file.h"
#include "install_log.h"

namespace inst {
namespace {

bool ownRegular(const struct stat& st) {
  return S_ISREG(st.st_mode) && (st.st_uid == 0 || st.st_uid == ::geteuid());
}

// rename() that never replaces `to`; where the file system cannot promise
// that, a name found free just before is taken.
bool renameNoReplace(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  struct stat st;
  if (::lstat(to.c_str(), &st) == 0) {
    errno = EEXIST;
    return false;
  }
  return errno == ENOENT && ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool isOwnFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && ownRegular(st);
}

bool isForeignFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && !ownRegular(st);
}

bool readOwnFile(const std::string& path, std::string* data) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && ownRegular(st) && readWholeFd(fd, data);
  ::close(fd);
  return ok;
}

bool renameToFreeName(const std::string& from, const std::string& name, std::string* to) {
  for (int n = 0; n < 100; ++n) {
    std::string candidate = n == 0 ? name : name + "." + std::to_string(n);
    if (renameNoReplace(from, candidate)) {
      *to = candidate;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool moveAside(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return true;  // nothing there
  std::string to;
  if (!renameToFreeName(path, path + (S_ISLNK(st.st_mode) ? ".link-moved" : ".moved"), &to)) {
    logMsg(kCannotMoveAside, path.c_str());
    return false;
  }
  logMsg(kMovedAside, path.c_str(), to.c_str());
  return true;
}

}  // namespace inst
