// A private CUPS daemon for the periphery tests: its own tree and port,
// started by tests/harness/private-cupsd.sh and stopped by its pid when the
// test ends, also when the test fails.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "process_runner.h"

namespace periphery_testing {

// True while the process exists and is not a zombie.
inline bool processAlive(pid_t pid) {
  if (::kill(pid, 0) != 0) return false;
  std::string stat;
  FILE* f = std::fopen(("/proc/" + std::to_string(pid) + "/stat").c_str(), "r");
  if (!f) return false;
  char buf[512];
  size_t n = std::fread(buf, 1, sizeof buf - 1, f);
  std::fclose(f);
  stat.assign(buf, n);
  size_t paren = stat.rfind(')');
  return !(paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z');
}

class PrivateCupsd {
 public:
  // Starts a daemon in `base` (a new directory) on a free port.
  explicit PrivateCupsd(const std::string& base) : base_(base) {
    Command c({"bash", std::string(PERIPHERY_HARNESS_DIR) + "/private-cupsd.sh", "start", base_},
              "private-cupsd.sh start");
    c.stdoutPath = "/dev/null";
    int rc = exitCodeOf(runCommand(c, 0, RunMode::Quiet));
    pid_ = std::atoi(readSmallFile(base_ + "/cupsd.pid").c_str());
    port_ = std::atoi(readSmallFile(base_ + "/port").c_str());
    if (rc != 0 || pid_ <= 0 || port_ <= 0) {
      ADD_FAILURE() << "private cupsd did not start in " << base_;
      stop();
      pid_ = -1;
    }
  }
  ~PrivateCupsd() { stop(); }
  PrivateCupsd(const PrivateCupsd&) = delete;
  PrivateCupsd& operator=(const PrivateCupsd&) = delete;

  bool running() const { return pid_ > 0; }
  int port() const { return port_; }
  std::string socket() const { return base_ + "/cups.sock"; }
  const std::string& base() const { return base_; }

  // Runs a CUPS client program against this daemon (over its socket); the exit code.
  int client(std::vector<std::string> argv, std::string* output = nullptr) const {
    Command c(argv, argv[0]);
    c.env = {{"CUPS_SERVER", socket()}, {"LANG", "C"}, {"HOME", base_ + "/home"}};
    c.stderrPath = base_ + "/log/client_stderr";
    std::string out;
    int st = runCapture(c, 0, &out, RunMode::Quiet);
    if (output) *output = out;
    return exitCodeOf(st);
  }

  // Stops the daemon by its pid and waits until it is gone.
  void stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 100 && processAlive(pid_); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (processAlive(pid_)) ::kill(pid_, SIGKILL);
    pid_ = -1;
  }

 private:
  static std::string readSmallFile(const std::string& path) {
    std::string text;
    FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return text;
    char buf[64];
    size_t n = std::fread(buf, 1, sizeof buf - 1, f);
    std::fclose(f);
    return text.assign(buf, n);
  }

  std::string base_;
  int port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace periphery_testing
