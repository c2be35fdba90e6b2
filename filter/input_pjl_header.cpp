// Reading the driver's own PJL header off the front of the print data.
#include "input_pjl_header.h"

#include <cctype>
#include <cstdio>

#include "number_text.h"

namespace {

const char kUel[] = "\033%-12345X";
const char kPjl[] = "@PJL";
const std::size_t kKeptLine = 128;  // bytes of a line kept

bool sameLetter(int c, char want) {
  return std::toupper(c) == std::toupper(static_cast<unsigned char>(want));
}

// Takes bytes while they match text (letters in any case when anyCase);
// every byte taken is added to got. False on a mismatch or the end of input.
bool take(InputReader& in, const char* text, bool anyCase, std::string& got) {
  for (const char* t = text; *t; ++t) {
    int c = in.get();
    if (c < 0) return false;
    got += static_cast<char>(c);
    if (anyCase ? !sameLetter(c, *t) : c != static_cast<unsigned char>(*t)) return false;
  }
  return true;
}

bool isLeadByte(int c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == 4; }

// Whether a PJL line enters a language: its command is ENTER (any case)
// and the line names LANGUAGE. upper: room for the upper-case copy, kept
// by the caller so that no line of a long header allocates.
bool entersLanguage(const std::string& line, std::string& upper) {
  upper.assign(line);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  std::string::size_type word = upper.find_first_not_of(" \t", 4);
  return word != std::string::npos && upper.compare(word, 5, "ENTER") == 0 &&
         upper.find("LANGUAGE", word) != std::string::npos;
}

// The rest of a line whose "@PJL" was taken, up to and including its LF;
// false when it was too long to keep (named on standard error when loud).
bool restOfLine(InputReader& in, std::string& line, bool loud) {
  bool kept = true;
  int c;
  while ((c = in.get()) >= 0 && c != '\n') {
    if (line.size() < kKeptLine) {
      line += static_cast<char>(c);
    } else if (kept) {
      if (loud) std::fprintf(stderr, "Header buffer overflow!\n");
      kept = false;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return kept;
}

// Whether a line may be carried into another header: no control character
// but TAB (an ESC could start a UEL or a command, a CR or FF a new line).
bool isCleanLine(const std::string& line) {
  for (char c : line)
    if (c != '\t' && isControlChar(c)) return false;
  return true;
}

// Takes a line of the header that does not enter a language: one of the
// first kMaxCarriedLines is kept when it was short enough and is clean; the
// first one beyond names the cut once on standard error, it and all later
// ones are passed over.
void takeLine(InputPjlHeader& header, std::size_t& linesSeen, const std::string& line, bool kept) {
  if (linesSeen < kMaxCarriedLines) {
    ++linesSeen;
    if (kept && isCleanLine(line)) header.lines.push_back(line);
  } else if (!header.linesCut) {
    std::fprintf(stderr, "PJL header of the input: lines beyond the first %zu passed over\n", kMaxCarriedLines);
    header.linesCut = true;
  }
}

}  // namespace

InputPjlHeader readInputPjlHeader(InputReader& in) {
  InputPjlHeader header;
  std::string got;
  while (isLeadByte(in.peek())) got += static_cast<char>(in.get());
  if (in.peek() != 0x1B || !take(in, kUel, false, got)) {
    in.unread(got);
    return header;
  }
  header.found = true;
  std::size_t linesSeen = 0;
  std::string line, upper;
  for (;;) {
    int c = in.peek();
    got.clear();
    if (c == '\r' || c == '\n') {
      in.get();  // a blank line
    } else if (c == 0x1B) {
      if (!take(in, kUel, false, got)) break;
    } else if (c == '@') {
      if (!take(in, kPjl, true, got)) break;
      line.assign(got);
      bool kept = restOfLine(in, line, linesSeen < kMaxCarriedLines);
      if (entersLanguage(line, upper)) {
        if (isCleanLine(line)) header.languageLine = line;
        return header;
      }
      takeLine(header, linesSeen, line, kept);
    } else {
      return header;
    }
  }
  in.unread(got);  // the start of the data
  return header;
}

void writeInputPjlHeader(const InputPjlHeader& header, OutputWriter& out) {
  if (!header.found) return;
  out.write(kUel);
  for (const std::string& line : header.lines) {
    out.write(line);
    out.put('\n');
  }
  if (!header.languageLine.empty()) {
    out.write(header.languageLine);
    out.put('\n');
  }
}
