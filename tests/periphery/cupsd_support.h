// A private CUPS daemon for the periphery tests: its own tree and port,
// started by "tests/harness/private-cupsd.sh start" and stopped by its pid
// ("private-cupsd.sh stop") when the test ends, also when the test fails.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "process_runner.h"

namespace periphery_testing {

class PrivateCupsd {
 public:
  // Starts a daemon in `base` (a new directory) on a free port.
  explicit PrivateCupsd(const std::string& base) : base_(base) {
    Command c({"bash", harness(), "start", base_}, "private-cupsd.sh start");
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

  // Stops the daemon by its pid and waits until it has ended.
  void stop() {
    if (pid_ <= 0) return;
    Command c({"bash", harness(), "stop", base_}, "private-cupsd.sh stop");
    c.stdoutPath = "/dev/null";
    if (exitCodeOf(runCommand(c, 0, RunMode::Quiet)) != 0) {
      ADD_FAILURE() << "private cupsd did not stop in " << base_;
    }
    pid_ = -1;
  }

 private:
  static std::string harness() { return std::string(PERIPHERY_HARNESS_DIR) + "/private-cupsd.sh"; }
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
