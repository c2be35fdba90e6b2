// Process runner: fork, redirect, exec an argv, wait.
#include "process_runner.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include "trace.h"

namespace {

// In the child: opens `path` with `flags` onto descriptor `target`.
bool redirect(const std::string& path, int flags, int target) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  if (fd != target) {
    if (::dup2(fd, target) < 0) return false;
    ::close(fd);
  } else {
    ::fcntl(fd, F_SETFD, 0);
  }
  return true;
}

// In the child: sets up the redirections and execs; never returns.
[[noreturn]] void execChild(const Command& cmd, int captureFd) {
  if (cmd.timeoutSeconds > 0) ::setpgid(0, 0);
  if (!cmd.stdinPath.empty() && !redirect(cmd.stdinPath, O_RDONLY, 0)) _exit(126);
  if (captureFd >= 0) {
    if (::dup2(captureFd, 1) < 0) _exit(126);
  } else if (!cmd.stdoutPath.empty()) {
    int flags = O_WRONLY | O_CREAT | (cmd.appendStdout ? O_APPEND : O_TRUNC);
    if (!redirect(cmd.stdoutPath, flags, 1)) _exit(126);
  }
  if (cmd.stderrToStdout) {
    if (::dup2(1, 2) < 0) _exit(126);
  } else if (!cmd.stderrPath.empty()) {
    if (!redirect(cmd.stderrPath, O_WRONLY | O_CREAT | O_TRUNC, 2)) _exit(126);
  }
  for (const auto& kv : cmd.env) ::setenv(kv.first.c_str(), kv.second.c_str(), 1);
  std::vector<char*> args;
  for (const auto& a : cmd.argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  ::execvp(args[0], args.data());
  _exit(127);
}

// Prints the command text when the mode and level ask for it; returns true
// when the command is to run.
bool announce(const Command& cmd, int traceLevel, RunMode mode) {
  bool print = (mode == RunMode::Spooler) ? traceLevel >= 1 : traceLevel >= 2;
  if (print) {
    std::fputs(cmd.text.c_str(), stderr);
    if (cmd.text.empty() || cmd.text.back() != '\n') std::fputc('\n', stderr);
    std::fflush(stderr);
  }
  return !(mode == RunMode::Spooler && traceLevel == 1);
}

long long nowMs() {
  struct timespec ts;
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

// The end of a command's time limit (monotonic milliseconds), or 0 for none.
struct Deadline {
  long long at = 0;
  explicit Deadline(int seconds) : at(seconds > 0 ? nowMs() + 1000LL * seconds : 0) {}
  bool passed() const { return at != 0 && nowMs() >= at; }
  // Milliseconds left for poll(): -1 waits without end.
  int left() const {
    if (at == 0) return -1;
    long long ms = at - nowMs();
    return ms > 0 ? static_cast<int>(ms) : 0;
  }
};

int waitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

// Kills the child of a command over its time limit, with its process group.
int killAfterTimeout(const Command& cmd, pid_t pid) {
  ::kill(-pid, SIGKILL);
  ::kill(pid, SIGKILL);
  tracef("%s: no end after %d s, killed.\n", cmd.argv[0].c_str(), cmd.timeoutSeconds);
  return waitFor(pid);
}

// Waits for the child until the deadline; kills it when the deadline passes.
int waitUntil(const Command& cmd, pid_t pid, const Deadline& deadline) {
  if (deadline.at == 0) return waitFor(pid);
  for (;;) {
    int status = 0;
    pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid) return status;
    if (r < 0 && errno != EINTR) return -1;
    if (deadline.passed()) return killAfterTimeout(cmd, pid);
    struct timespec pause = {0, 20 * 1000 * 1000};
    ::nanosleep(&pause, nullptr);
  }
}

// Reads the child's output until the end of the pipe or the deadline; false
// when the deadline passed first.
bool collect(int fd, const Deadline& deadline, std::string* output) {
  char buf[65536];
  for (;;) {
    struct pollfd p = {fd, POLLIN, 0};
    int ready = ::poll(&p, 1, deadline.left());
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) return false;
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      output->append(buf, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      return true;
    }
  }
}

int run(const Command& cmd, std::string* output) {
  if (cmd.argv.empty()) return 127 << 8;
  int fds[2] = {-1, -1};
  if (output && ::pipe2(fds, O_CLOEXEC) < 0) return -1;
  std::fflush(nullptr);
  Deadline deadline(cmd.timeoutSeconds);
  pid_t pid = ::fork();
  if (pid < 0) {
    if (output) {
      ::close(fds[0]);
      ::close(fds[1]);
    }
    return -1;
  }
  if (pid == 0) execChild(cmd, output ? fds[1] : -1);
  if (cmd.timeoutSeconds > 0) ::setpgid(pid, pid);  // also here: no race with a kill
  bool inTime = true;
  if (output) {
    ::close(fds[1]);
    inTime = collect(fds[0], deadline, output);
    ::close(fds[0]);
  }
  return inTime ? waitUntil(cmd, pid, deadline) : killAfterTimeout(cmd, pid);
}

}  // namespace

int runCommand(const Command& cmd, int traceLevel, RunMode mode) {
  if (!announce(cmd, traceLevel, mode)) return 0;
  return run(cmd, nullptr);
}

int runCapture(const Command& cmd, int traceLevel, std::string* output, RunMode mode) {
  output->clear();
  if (!announce(cmd, traceLevel, mode)) return 0;
  return run(cmd, output);
}

int exitCodeOf(int waitStatus) {
  if (waitStatus < 0 || !WIFEXITED(waitStatus)) return -1;
  return WEXITSTATUS(waitStatus);
}

std::string shellQuote(const std::string& word) {
  if (!word.empty() && word.find_first_not_of(
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-./:=@%+,") == std::string::npos) {
    return word;
  }
  std::string out = "'";
  for (char c : word) {
    if (c == '\'') out += "'\\''";
    else out += c;
  }
  return out + "'";
}
