// PCL 5 tokenizer over the filter's buffered reader.
#include "pcl_tokenizer.h"

#include <cstring>

namespace {

const char kEsc = 27;

struct DataCommand {
  char parameter;
  char group;  // 0: no group character
  char letter; // upper case
};

// The commands followed by a byte count of binary data.
const DataCommand kDataCommands[] = {
    {'*', 'b', 'W'},  // raster row
    {'*', 'b', 'V'},  // raster plane
    {'(', 's', 'W'},  // character descriptor and data
    {')', 's', 'W'},  // font header
    {'(', 'f', 'W'},  // symbol set definition
    {'*', 'c', 'W'},  // user-defined pattern
    {'*', 'v', 'W'},  // configure image data
    {'*', 'g', 'W'},  // configure raster data
    {'*', 'l', 'W'},  // colour lookup tables
    {'*', 'i', 'W'},  // viewing illuminant
    {'*', 'm', 'W'},  // download dither matrix
    {'*', 'o', 'W'},  // driver configuration
    {'&', 'p', 'X'},  // transparent print data
    {'&', 'n', 'W'},  // alphanumeric id (media name)
    {'&', 'b', 'W'},  // I/O configuration
};

bool isUpperParam(int c) { return c >= 64 && c <= 94; }
bool isLowerParam(int c) { return c >= 96 && c <= 126; }
bool isValueByte(int c) { return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-'; }

// The byte count a value field announces: its whole part, 0 when negative.
long long countOf(const std::string& text, std::size_t start) {
  std::size_t i = start;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (n < (1LL << 40)) n = n * 10 + (text[i] - '0');
  }
  return negative ? 0 : n;
}

}  // namespace

bool isPclDataCommand(char parameter, char group, char letter) {
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  for (const DataCommand& d : kDataCommands)
    if (d.parameter == parameter && d.group == group && d.letter == letter) return true;
  return false;
}

void PclTokenizer::copyText(OutputWriter& out) {
  while (in_.fill()) {
    const char* data = in_.data();
    std::size_t n = in_.available();
    const void* esc = std::memchr(data, kEsc, n);
    std::size_t run = esc ? static_cast<std::size_t>(static_cast<const char*>(esc) - data) : n;
    if (run > 0) {
      out.write(data, run);
      in_.consume(run);
    }
    if (esc) return;
  }
}

bool PclTokenizer::readSequence(PclSequence& seq) {
  seq = PclSequence();
  int c = in_.get();
  if (c < 0) return false;
  seq.text.push_back(static_cast<char>(c));  // the ESC
  int p = in_.peek();
  if (p >= 48 && p <= 126) {  // two-character command
    seq.text.push_back(static_cast<char>(in_.get()));
    seq.terminated = true;
    return true;
  }
  if (p < 33 || p > 47) {  // a lone ESC: the next byte is not its own
    seq.stoppedAtEscape = p == kEsc;
    return true;
  }
  seq.parameter = static_cast<char>(in_.get());
  seq.text.push_back(seq.parameter);
  int g = in_.peek();
  if (isLowerParam(g)) {
    seq.group = static_cast<char>(in_.get());
    seq.text.push_back(seq.group);
  }
  readParameters(seq);
  return true;
}

void PclTokenizer::readContinuation(PclSequence& seq) {
  seq.text.clear();
  seq.terminated = seq.stoppedAtEscape = seq.continues = false;
  seq.payload = 0;
  readParameters(seq);
}

void PclTokenizer::readParameters(PclSequence& seq) {
  std::size_t fieldStart = seq.text.size();
  while (seq.text.size() < kMaxSequenceLength) {
    int c = in_.peek();
    if (c < 0) return;
    if (isValueByte(c)) {
      seq.text.push_back(static_cast<char>(in_.get()));
      continue;
    }
    if (isUpperParam(c) || isLowerParam(c)) {
      char letter = static_cast<char>(in_.get());
      seq.text.push_back(letter);
      bool upper = isUpperParam(c);
      if (isPclDataCommand(seq.parameter, seq.group, letter)) {
        seq.payload = countOf(seq.text, fieldStart);
        seq.continues = !upper;
        seq.terminated = upper;
        return;
      }
      if (upper) {
        seq.terminated = true;
        return;
      }
      fieldStart = seq.text.size();
      continue;
    }
    seq.stoppedAtEscape = c == kEsc;
    return;  // a byte that cannot belong to the sequence stays in the input
  }
}

void PclTokenizer::copyPayload(const PclSequence& seq, OutputWriter& out) {
  long long left = seq.payload;
  while (left > 0 && in_.fill()) {
    std::size_t n = in_.available();
    if (static_cast<long long>(n) > left) n = static_cast<std::size_t>(left);
    out.write(in_.data(), n);
    in_.consume(n);
    left -= static_cast<long long>(n);
  }
}
