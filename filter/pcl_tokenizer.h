// Reading a PCL 5 stream as tokens: runs of plain bytes (copied in bulk),
// escape sequences, and the data that data-carrying commands announce.
// A parameterised sequence (ESC, parameter and group characters, value
// fields, combined commands up to the upper-case terminator) is one token.
// Its end is bounded: it also stops before an ESC, before a byte that cannot
// belong to it, at kMaxSequenceLength bytes and at end of file; what was read
// is kept as read. The data after raster rows, fonts, patterns and the other
// data commands is never scanned for commands.
#pragma once

#include <cstddef>
#include <string>

#include "stream_io.h"

constexpr std::size_t kMaxSequenceLength = 256;

// One escape sequence, or the piece of one up to a data command.
struct PclSequence {
  std::string text;        // the bytes as read (ESC first unless continued)
  char parameter = 0;      // 33..47 for a parameterised sequence, else 0
  char group = 0;          // its group character (96..126), or 0
  bool terminated = false; // ended by its upper-case terminator
  bool stoppedAtEscape = false;  // cut short by an ESC that follows
  long long payload = 0;   // data bytes that follow this piece
  bool continues = false;  // a lower-case data command: more follows the data
};

class PclTokenizer {
 public:
  explicit PclTokenizer(InputReader& in) : in_(in) {}

  // Copies the plain bytes up to the next ESC (or end of file) to out.
  void copyText(OutputWriter& out);
  // Reads the sequence that starts at the ESC now next in the input; false
  // at end of file.
  bool readSequence(PclSequence& seq);
  // After a piece that continues: reads the rest of the same sequence
  // (without an ESC of its own) into seq.
  void readContinuation(PclSequence& seq);
  // Copies seq.payload data bytes (fewer at end of file) to out unchanged.
  void copyPayload(const PclSequence& seq, OutputWriter& out);
  // The next byte without taking it, or -1 at end of file.
  int peek() { return in_.peek(); }

 private:
  void readParameters(PclSequence& seq);

  InputReader& in_;
};

// True for the data-carrying commands: parameter, group and (either case)
// parameter character, e.g. '*', 'b', 'W' for raster rows.
bool isPclDataCommand(char parameter, char group, char letter);
