// Shared set-up of the back-end fuzz targets: a Reporter that shows nothing
// and answers "no", a fresh state for each input, and a private scratch
// directory (removed at exit) for the files a target writes from its input.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "report.h"
#include "setup_state.h"

class SilentReporter : public Reporter {
 public:
  void message(int, const std::string&, const std::string&) override {}
  bool ask(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return false;
  }
  bool askInPanel(int, const std::string&, const std::string&) override { return false; }
};

struct ScratchDir {
  std::string path;
  ScratchDir() {
    char templ[] = "/tmp/jarn-fuzz-XXXXXX";
    if (!::mkdtemp(templ)) std::abort();
    path = templ;
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
};

// The scratch directory; the first call also installs the silent Reporter.
inline const std::string& scratchDir() {
  static SilentReporter silent;
  static ScratchDir dir;
  setReporter(&silent);
  return dir.path;
}

// Starts an input: a fresh state with the silent Reporter in force.
inline void freshState() {
  resetSetup();
  scratchDir();
}

// Writes `text` to `name` inside the scratch directory (made with its parent
// directories) and returns the file's path.
inline std::string writeScratch(const std::string& name, const std::string& text) {
  std::filesystem::path path = std::filesystem::path(scratchDir()) / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return path.string();
}

inline std::string inputText(const uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}
