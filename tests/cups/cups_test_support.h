// Helpers of the spooler tests: environment guards, a recording stand-in for
// the spooler tools, and the facts of the private CUPS daemon that
// tests/harness/private-cupsd.sh starts around the daemon tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "setup_state.h"
#include "test_support.h"

namespace cups_testing {

using testing_support::TempDir;

inline std::string fakeBin() { return CUPS_FAKE_BIN; }
inline std::string testData(const std::string& name) { return std::string(CUPS_TEST_DATA) + "/" + name; }

// Sets (or with a null value unsets) an environment variable for the scope.
class EnvGuard {
 public:
  EnvGuard(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  EnvGuard(const char* name, const std::string& value) : EnvGuard(name, value.c_str()) {}
  ~EnvGuard() {
    if (had_) {
      ::setenv(name_.c_str(), old_.c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  std::string name_;
  std::string old_;
  bool had_ = false;
};

// Puts a directory first on PATH for the scope.
class PathFirst {
 public:
  explicit PathFirst(const std::string& dir)
      : guard_("PATH", dir + ":" + (std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin")) {}

 private:
  EnvGuard guard_;
};

// Stand-ins for spooler tools: each tool is a link named after it to the
// record-args script, which notes every call with its arguments.
class ToolRecorder {
 public:
  ToolRecorder() : file_(dir_ / "calls"), guard_("RECORD_FILE", file_) {
    ::mkdir((dir_ / "bin").c_str(), 0755);
  }

  // The path of a stand-in called `name`.
  std::string tool(const std::string& name) {
    std::string path = dir_ / ("bin/" + name);
    if (::access(path.c_str(), F_OK) != 0 &&
        ::symlink((fakeBin() + "/record-args").c_str(), path.c_str()) != 0) {
      ADD_FAILURE() << "cannot make " << path;
    }
    return path;
  }
  std::string binDir() const { return dir_ / "bin"; }

  // Every call so far: the tool's name, then its arguments.
  std::vector<std::vector<std::string>> calls() const {
    std::vector<std::vector<std::string>> out;
    std::istringstream in(testing_support::readFile(file_));
    std::string line;
    std::vector<std::string> call;
    while (std::getline(in, line)) {
      if (line == "--") {
        out.push_back(call);
        call.clear();
      } else {
        call.push_back(line);
      }
    }
    return out;
  }
  // What the tools were handed as files, one after the other.
  std::string data() const { return testing_support::readFile(file_ + ".data"); }

 private:
  TempDir dir_;
  std::string file_;
  EnvGuard guard_;
};

// A fresh state record for each test, with the trace level back at 0.
class FreshState : public ::testing::Test {
 protected:
  void SetUp() override { resetSetup(); }
  void TearDown() override { resetSetup(); }
};

// Captures standard error for the scope.
class StderrCapture {
 public:
  StderrCapture() { testing::internal::CaptureStderr(); }
  ~StderrCapture() {
    if (!taken_) testing::internal::GetCapturedStderr();
  }
  std::string take() {
    taken_ = true;
    return testing::internal::GetCapturedStderr();
  }

 private:
  bool taken_ = false;
};

// The private daemon around the daemon tests, "" when there is none.
inline std::string daemonBase() {
  const char* b = std::getenv("CUPS_TEST_BASE");
  return b ? b : "";
}

}  // namespace cups_testing
