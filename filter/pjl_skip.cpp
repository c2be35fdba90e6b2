// The incoming PJL header skipper of the PCL XL road.
#include "pjl_skip.h"

#include <cctype>
#include <cstdio>

namespace {

const char kUel[] = "\033%-12345X";
const char kPjlPrefix[] = "@PJL";
const std::size_t kKeptLine = 128;  // bytes of a line kept for the test

// Reads bytes while they match text; on a mismatch or end of file the bytes
// read go to carry and the result is false.
bool readExpected(InputReader& in, const char* text, std::string& carry) {
  std::string got;
  for (const char* t = text; *t; ++t) {
    int c = in.get();
    if (c < 0) {
      carry += got;
      return false;
    }
    got += static_cast<char>(c);
    if (c != static_cast<unsigned char>(*t)) {
      carry += got;
      return false;
    }
  }
  return true;
}

bool entersLanguage(const std::string& line) {
  std::string upper;
  for (char c : line) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper.find("ENTER") != std::string::npos && upper.find("LANGUAGE") != std::string::npos;
}

}  // namespace

int skipPJLHeader(InputReader& in, std::string& carry) {
  if (in.peek() != 0x1B) return 0;
  if (!readExpected(in, kUel, carry)) return 0;
  for (;;) {
    if (!readExpected(in, kPjlPrefix, carry)) return 1;
    std::string line(kPjlPrefix);
    bool overflowReported = false;
    int c;
    while ((c = in.get()) >= 0 && c != '\n') {
      if (line.size() < kKeptLine) {
        line += static_cast<char>(c);
      } else if (!overflowReported) {
        std::fprintf(stderr, "Header buffer overflow!\n");
        overflowReported = true;
      }
    }
    if (entersLanguage(line) || c < 0) return 1;
  }
}
