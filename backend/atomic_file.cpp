// Atomic replacement of record files through mkstemp and rename.
#include "atomic_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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

}  // namespace

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
  int fd = -1;
  std::string tmp = makeTempFile(dirOf(path), "." + baseOf(path) + ".", &fd);
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
  if (::rename(tmp.c_str(), path.c_str()) != 0) return fail("Cannot replace");
  return true;
}

bool readWholeFile(const std::string& path, std::string* data) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  data->clear();
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      data->append(buf, static_cast<size_t>(n));
    } else if (n == 0) {
      break;
    } else if (errno != EINTR) {
      ::close(fd);
      return false;
    }
  }
  ::close(fd);
  return true;
}
