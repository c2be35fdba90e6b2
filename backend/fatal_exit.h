// The one way the back end ends the program: it throws FatalExit with the exit
// status, and main() turns it into the process's exit code. No helper calls
// exit() itself.
#pragma once

#include <stdexcept>
#include <string>

class FatalExit : public std::runtime_error {
 public:
  explicit FatalExit(int status, const std::string& why = "fatal exit")
      : std::runtime_error(why), status_(status) {}
  // The exit status as the caller of the program sees it (-1 becomes 255).
  int status() const { return status_ & 0xff; }
  int rawStatus() const { return status_; }

 private:
  int status_;
};
