// Helpers of the periphery tests: a child process started from an argv that
// says "ready" (perhaps followed by a number) on standard output once it is
// set up, and is stopped by its pid when the test ends (also when it fails).
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace periphery_testing {

class ReadyProcess {
 public:
  // Starts argv[0] with its arguments and waits up to five seconds for its "ready" line.
  explicit ReadyProcess(const std::vector<std::string>& argv) {
    int fds[2];
    if (::pipe(fds) != 0) {
      ADD_FAILURE() << "pipe failed";
      return;
    }
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(fds[1], 1);
      ::close(fds[0]);
      ::close(fds[1]);
      std::vector<char*> args;
      for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
      args.push_back(nullptr);
      ::execv(args[0], args.data());
      _exit(127);
    }
    ::close(fds[1]);
    std::string line;
    char c;
    // Up to five seconds of silence; the line ends with its line feed.
    for (int waited = 0; waited < 50 && !(line.find("ready") != std::string::npos && line.back() == '\n');) {
      fd_set set;
      FD_ZERO(&set);
      FD_SET(fds[0], &set);
      timeval tv = {0, 100000};
      if (::select(fds[0] + 1, &set, nullptr, nullptr, &tv) > 0) {
        if (::read(fds[0], &c, 1) != 1) break;
        line += c;
      } else {
        ++waited;
      }
    }
    ::close(fds[0]);
    ready_ = line.find("ready") != std::string::npos;
    line_ = line;
    if (!ready_) ADD_FAILURE() << "helper " << argv[0] << " did not get ready";
  }
  ~ReadyProcess() { stop(); }
  ReadyProcess(const ReadyProcess&) = delete;
  ReadyProcess& operator=(const ReadyProcess&) = delete;

  bool ready() const { return ready_; }
  // The number after "ready" on the ready line (a port), 0 when none.
  int readyNumber() const {
    size_t at = line_.find("ready");
    return at == std::string::npos ? 0 : std::atoi(line_.c_str() + at + 5);
  }

  void stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool ready_ = false;
  std::string line_;
};

}  // namespace periphery_testing
