// The PJL header that a driver puts in front of its own print data: a UEL,
// "@PJL" lines and the line that enters a language. Passed on behind the
// filter's header it would start a second job on the device (the settings
// of the first one lost), so it is taken apart: its UELs and its language
// line go, its other lines are carried inside the filter's header.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "stream_io.h"

// The most lines carried from an input header (each at most 128 bytes): a
// header of any size is read in fixed memory.
constexpr std::size_t kMaxCarriedLines = 256;

struct InputPjlHeader {
  bool found = false;               // a header was taken from the input
  std::vector<std::string> lines;   // its "@PJL" lines, without line ends
  std::string languageLine;         // its ENTER LANGUAGE line, or empty
  bool linesCut = false;            // lines beyond kMaxCarriedLines were passed over
};

// Takes a leading header from in: optional white space or ^D bytes, one or
// more UELs, then "@PJL" lines (any case), blank lines and further UELs, up
// to and including the line that enters a language. It also ends before
// the first byte that belongs to none of these, and at the end of input.
// Without a UEL at its start nothing is taken. A line longer than 128 bytes
// gives "Header buffer overflow!" on standard error and is not kept; nor is
// a line holding a control character other than TAB (ESC, a bare CR, FF),
// which could start a command or a line of its own wherever it is carried.
// Only the first kMaxCarriedLines lines are looked at; the rest of a longer
// header is read and passed over (named once on standard error, without
// overflow messages), so memory stays flat whatever the header's size.
InputPjlHeader readInputPjlHeader(InputReader& in);

// Writes a header taken from the input back as one job start: a UEL, its
// lines and its language line (for the road that writes no header of its
// own). Nothing when none was found.
void writeInputPjlHeader(const InputPjlHeader& header, OutputWriter& out);
