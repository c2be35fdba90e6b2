// An independent PCL 5 scanner for the tests: it splits a whole stream into
// plain text, escape sequences (combined sequences split into their single
// commands) and the binary data that data commands carry, following the
// PCL 5 technical reference's escape-sequence syntax. It shares nothing with
// the filter, so that the filter's output can be checked against its input.
#pragma once

#include <string>
#include <vector>

namespace pcl5 {

// One command: "E" for ESC E, or parameter+group, value and terminator
// ("&l", "26", 'A'); a combined sequence gives one per parameter character,
// letters upper-cased.
struct Command {
  std::string prefix;
  std::string value;
  char letter = 0;
  std::string data;  // the bytes a data command carries
  std::string text() const { return prefix + value + letter; }
};

struct Scan {
  std::vector<Command> commands;  // in stream order
  std::string text;               // every byte outside escape sequences and data
  std::string data;               // every data byte, in order
  bool complete = true;           // false: a sequence or its data was cut off
  std::string problem;            // what was wrong first, with its offset
};

Scan scan(const std::string& stream);

// The commands' texts ("&l26A", "*b10W", "E"), in order.
std::vector<std::string> commandTexts(const Scan& s);

}  // namespace pcl5
