// Atomic replacement of record files through mkstemp and rename.
#include "atomic_file.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "record_lock.h"

namespace {

// The random part that mkstemp puts in place of "XXXXXX".
constexpr size_t kTempSuffixLength = 6;

std::string dirOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string joinDir(const std::string& dir, const std::string& name) {
  return (dir == "/" ? "" : dir) + "/" + name;
}

// The temporary-file prefix of a file: ".<name>.".
std::string tempPrefixOf(const std::string& target) { return "." + baseOf(target) + "."; }

bool isTemporaryOf(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + kTempSuffixLength) return false;
  if (entry.compare(0, prefix.size(), prefix) != 0) return false;
  for (size_t i = prefix.size(); i < entry.size(); ++i) {
    if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
  }
  return true;
}

}  // namespace

void removeStaleTemporaries(const std::string& target) {
  DIR* d = ::opendir(dirOf(target).c_str());
  if (!d) return;
  const std::string prefix = tempPrefixOf(target);
  while (struct dirent* e = ::readdir(d)) {
    struct stat st;
    if (!isTemporaryOf(e->d_name, prefix)) continue;
    if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      ::unlinkat(::dirfd(d), e->d_name, 0);
  }
  ::closedir(d);
}

namespace {

// True when a file or directory belongs to root or the writing user and
// others cannot write it (a sticky directory of root's excepted, where
// nobody may replace what others own).
bool safeOwner(const struct stat& st) {
  const uid_t self = ::geteuid();
  if (st.st_uid != 0 && st.st_uid != self) return false;
  if (S_ISLNK(st.st_mode) || (st.st_mode & S_IWOTH) == 0) return true;  // a link's own bits mean nothing
  return S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX) != 0 && st.st_uid == 0;
}

// True when `dir` (absolute, without links) and every directory above it
// pass safeOwner.
bool safeDirectoryChain(std::string dir) {
  for (;;) {
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0 || !safeOwner(st)) return false;
    if (dir == "/") return true;
    dir = dirOf(dir);
  }
}

// Makes a rename in `dir` durable. The file is already replaced, so a
// failure here is not reported.
void syncDirectory(const std::string& dir) {
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

}  // namespace

bool resolveWriteTarget(const std::string& path, std::string* target, std::string* error) {
  auto fail = [&](const std::string& what) {
    if (error) *error = what + " '" + path + "': " + std::strerror(errno);
    return false;
  };
  if (baseOf(path).empty()) {
    errno = EISDIR;
    return fail("Cannot write");
  }
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return fail(S_ISLNK(st.st_mode) ? "Cannot write through the link" : "Cannot reach");
    *target = real;
    std::free(real);
    return true;
  }
  if (errno != ENOENT) return fail("Cannot reach");
  char* realDir = ::realpath(dirOf(path).c_str(), nullptr);
  if (!realDir) return fail("Cannot reach the directory of");
  *target = joinDir(realDir, baseOf(path));
  std::free(realDir);
  return true;
}

bool linkMayBeFollowed(const std::string& path, std::string* error) {
  struct stat st;
  char* realDir = ::realpath(dirOf(path).c_str(), nullptr);
  char* real = ::realpath(path.c_str(), nullptr);
  bool ok = realDir && real && ::lstat(path.c_str(), &st) == 0 && safeOwner(st) &&
            safeDirectoryChain(realDir) && safeDirectoryChain(dirOf(real));
  std::free(realDir);
  std::free(real);
  if (!ok && error)
    *error = "Will not write through the link '" + path + "': it or a directory on its way can be changed by another user";
  return ok;
}

std::string makeTempFile(const std::string& directory, const std::string& prefix, int* fd) {
  std::string dir = directory.empty() ? "." : directory;
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  std::string templ = (dir == "/" ? "" : dir) + "/" + prefix + "XXXXXX";
  std::vector<char> buf(templ.begin(), templ.end());
  buf.push_back('\0');
  int f = ::mkstemp(buf.data());
  if (f < 0) return std::string();
  ::fchmod(f, 0600);
  *fd = f;
  return std::string(buf.data());
}

bool writeFileAtomic(const std::string& path, const std::string& data,
                     const AtomicWriteOptions& options, std::string* error) {
  std::string target;
  struct stat st;
  bool isLink = ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  if (options.replaceLink) {
    target = path;
  } else {
    if (isLink && !linkMayBeFollowed(path, error)) {
      errno = EPERM;
      return false;
    }
    if (!resolveWriteTarget(path, &target, error)) return false;
  }
  if (holdsRecordLock(target)) removeStaleTemporaries(target);
  int fd = -1;
  std::string tmp = makeTempFile(dirOf(target), tempPrefixOf(target), &fd);
  auto fail = [&](const char* what) {
    int err = errno;
    if (fd >= 0) ::close(fd);
    if (!tmp.empty()) ::unlink(tmp.c_str());
    if (error) *error = std::string(what) + " '" + path + "': " + std::strerror(err);
    return false;
  };
  if (tmp.empty()) return fail("Cannot create a temporary file for");
  if (!writeAll(fd, data)) return fail("Cannot write");
  if (options.owner != static_cast<uid_t>(-1) || options.group != static_cast<gid_t>(-1)) {
    // Ownership is best effort: only root may give a file away.
    if (::fchown(fd, options.owner, options.group) != 0 && options.owner != static_cast<uid_t>(-1)) {
      (void)::fchown(fd, static_cast<uid_t>(-1), options.group);
    }
  }
  if (::fchmod(fd, options.mode) != 0) return fail("Cannot set the mode of");
  if (::fsync(fd) != 0) return fail("Cannot write");
  if (::close(fd) != 0) {
    fd = -1;
    return fail("Cannot write");
  }
  fd = -1;
  if (::rename(tmp.c_str(), target.c_str()) != 0) return fail("Cannot replace");
  syncDirectory(dirOf(target));
  return true;
}

bool readWholeFd(int fd, std::string* data) {
  data->clear();
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      data->append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
      return true;
    } else if (errno != EINTR) {
      return false;
    }
  }
}

bool readWholeFile(const std::string& path, std::string* data) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = readWholeFd(fd, data);
  ::close(fd);
  return ok;
}
