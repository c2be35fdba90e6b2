// The record-file lock: flock() on ".<name>.lock" beside the file, counted
// within the process.
#include "record_lock.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "atomic_file.h"

namespace {

constexpr auto kRetryPause = std::chrono::milliseconds(5);

struct HeldLock {
  int fd = -1;
  int count = 0;
};

std::mutex& registryMutex() {
  static std::mutex m;
  return m;
}

// The locks this process holds, by record file.
std::map<std::string, HeldLock>& registry() {
  static std::map<std::string, HeldLock> held;
  return held;
}

std::string lockFileOf(const std::string& target) {
  size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? "." : target.substr(0, slash);
  std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  return dir + "/." + base + ".lock";
}

int openLockFile(const std::string& lockPath) {
  int fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  // A lock file made by another user can still be locked through a read-only descriptor.
  if (fd < 0 && errno == EACCES) fd = ::open(lockPath.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  return fd;
}

// Waits for the flock on `fd` until the deadline; true when it is taken.
bool lockWithin(int fd, unsigned waitSeconds) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds);
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= deadline) {
      errno = EWOULDBLOCK;
      return false;
    }
    std::this_thread::sleep_for(kRetryPause);
  }
}

}  // namespace

bool RecordLock::acquire(const std::string& path, std::string* error, unsigned waitSeconds) {
  if (!target_.empty()) return true;
  // A link another user may have planted is refused here already, so that
  // no lock file is made beside whatever it points at.
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && !linkMayBeFollowed(path, error)) {
    errno = EPERM;
    return false;
  }
  std::string target;
  if (!resolveWriteTarget(path, &target, error)) return false;
  std::lock_guard<std::mutex> guard(registryMutex());
  HeldLock& held = registry()[target];
  if (held.count == 0) {
    std::string lockPath = lockFileOf(target);
    int fd = openLockFile(lockPath);
    if (fd < 0 || !lockWithin(fd, waitSeconds)) {
      int err = errno;
      if (fd >= 0) ::close(fd);
      registry().erase(target);
      if (error) {
        *error = "Cannot lock '" + path + "': " +
                 (err == EWOULDBLOCK ? "another program is changing it" : std::strerror(err));
      }
      return false;
    }
    held.fd = fd;
  }
  ++held.count;
  target_ = target;
  return true;
}

RecordLock::~RecordLock() {
  if (target_.empty()) return;
  std::lock_guard<std::mutex> guard(registryMutex());
  auto it = registry().find(target_);
  if (it == registry().end() || --it->second.count > 0) return;
  ::close(it->second.fd);  // closing the only descriptor releases the flock
  registry().erase(it);
}

bool holdsRecordLock(const std::string& target) {
  std::lock_guard<std::mutex> guard(registryMutex());
  auto it = registry().find(target);
  return it != registry().end() && it->second.count > 0;
}
