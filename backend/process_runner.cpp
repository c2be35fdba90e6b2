// Process runner: fork, redirect, exec an argv, wait.
#include "process_runner.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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

int waitFor(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

int run(const Command& cmd, std::string* output) {
  if (cmd.argv.empty()) return 127 << 8;
  int fds[2] = {-1, -1};
  if (output && ::pipe2(fds, O_CLOEXEC) < 0) return -1;
  std::fflush(nullptr);
  pid_t pid = ::fork();
  if (pid < 0) {
    if (output) {
      ::close(fds[0]);
      ::close(fds[1]);
    }
    return -1;
  }
  if (pid == 0) execChild(cmd, output ? fds[1] : -1);
  if (output) {
    ::close(fds[1]);
    char buf[65536];
    for (;;) {
      ssize_t n = ::read(fds[0], buf, sizeof buf);
      if (n > 0) {
        output->append(buf, static_cast<size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        break;
      }
    }
    ::close(fds[0]);
  }
  return waitFor(pid);
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
