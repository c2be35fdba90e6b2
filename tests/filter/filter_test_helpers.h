// Helpers for the filter's tests: running the option scanner on a list of
// words, and capturing what a writer produces through a real pipe.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "filter_options.h"
#include "job_settings.h"
#include "stream_io.h"

namespace filter_testing {

// Settings after scanning "qorgsfilter" followed by words.
inline JobSettings optionsFrom(std::initializer_list<const char*> words, FilterRun* runOut = nullptr) {
  std::vector<std::string> storage{"qorgsfilter"};
  for (const char* w : words) storage.push_back(w);
  std::vector<char*> argv;
  for (std::string& s : storage) argv.push_back(&s[0]);
  argv.push_back(nullptr);
  JobSettings settings;
  FilterRun run;
  initJobSettings(settings);
  parseFilterOptions(static_cast<int>(storage.size()), argv.data(), settings, run);
  buildDigitEntryIds(settings);
  if (runOut) *runOut = run;
  return settings;
}

// Everything write() puts on an OutputWriter (over a pipe), after a flush.
inline std::string captured(const std::function<void(OutputWriter&)>& write) {
  int fds[2];
  if (::pipe(fds) != 0) {
    ADD_FAILURE() << "pipe failed";
    return std::string();
  }
  std::string text;
  std::thread reader([&] {
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  });
  {
    OutputWriter out(fds[1], "test pipe");
    write(out);
    out.flush();
  }
  ::close(fds[1]);
  reader.join();
  ::close(fds[0]);
  return text;
}

// The lines of a text (LF-separated, without the LFs).
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

inline bool hasLine(const std::string& text, const std::string& line) {
  for (const std::string& l : linesOf(text))
    if (l == line) return true;
  return false;
}

inline bool hasLineStarting(const std::string& text, const std::string& start) {
  for (const std::string& l : linesOf(text))
    if (l.compare(0, start.size(), start) == 0) return true;
  return false;
}

}  // namespace filter_testing
