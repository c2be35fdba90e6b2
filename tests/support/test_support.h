// Shared test helpers: private temporary directories, whole-file reads and
// writes, and a scripted Reporter that records messages and answers questions.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "report.h"

namespace testing_support {

// A fresh directory from mkdtemp, removed with its contents at the end.
class TempDir {
 public:
  TempDir() {
    std::string templ = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") + "/jarn-test-XXXXXX";
    std::vector<char> buf(templ.begin(), templ.end());
    buf.push_back('\0');
    if (!::mkdtemp(buf.data())) ADD_FAILURE() << "mkdtemp failed";
    path_ = buf.data();
  }
  ~TempDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    // Directories a test closed are opened again first, so that all can go.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec)) {
      if (it->is_directory(ec) && !it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    if (fs::remove_all(path_, ec) == static_cast<std::uintmax_t>(-1) || ec) {
      std::fprintf(stderr, "cannot remove %s\n", path_.c_str());
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void writeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << data;
}

inline bool pathExists(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0;
}

inline int modeOf(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) != 0) return -1;
  return static_cast<int>(st.st_mode & 07777);
}

// A Reporter that records every message and answers questions from a script
// (then "no" once the script runs out).
class ScriptedReporter : public Reporter {
 public:
  struct Message {
    int code;
    std::string title;
    std::string text;
  };
  ScriptedReporter() { previous_ = setReporter(this); }
  ~ScriptedReporter() override { setReporter(previous_); }

  void message(int code, const std::string& title, const std::string& text) override {
    messages.push_back({code, title, text});
  }
  bool ask(const std::string& title, const std::string& text, const std::string&,
           const std::string&) override {
    questions.push_back({0, title, text});
    if (answers.empty()) return false;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }

  bool askInPanel(int code, const std::string& title, const std::string& text) override {
    bool answer = ask(title, text, "OK", "Cancel");
    questions.back().code = code;
    return answer;
  }

  std::vector<Message> messages;
  std::vector<Message> questions;  // the code is that of a message-page question, else 0
  std::deque<bool> answers;

 private:
  Reporter* previous_;
};

}  // namespace testing_support
