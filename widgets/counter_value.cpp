// The counter's value words, texts and step arithmetic (see counter_value.h).
#include "counter_value.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const char kDigits[] = "0123456789";
const char kHexDigits[] = "0123456789ABCDEFabcdef";

float bitsToFloat(int word) {
  float f;
  std::memcpy(&f, &word, sizeof f);
  return f;
}

int floatToBits(float f) {
  int word;
  std::memcpy(&word, &f, sizeof word);
  return word;
}

bool topByteIsInt(int word) {
  unsigned top = static_cast<unsigned>(word) >> 24;
  return top == 0x00 || top == 0xFF;
}

bool fitsInt32(double number) {
  return number >= static_cast<double>(INT_MIN) && number <= static_cast<double>(INT_MAX);
}

// printf into a string of any length.
std::string formatted(const char* format, int width, int precision, double number, int integer,
                      bool isFloat) {
  std::vector<char> buf(64);
  for (;;) {
    int n = isFloat ? std::snprintf(buf.data(), buf.size(), format, width, precision, number)
                    : std::snprintf(buf.data(), buf.size(), format, width, integer);
    if (n < 0) return std::string();
    if (static_cast<size_t>(n) < buf.size()) return std::string(buf.data(), n);
    buf.resize(static_cast<size_t>(n) + 1);
  }
}

bool allOf(const std::string& text, size_t from, size_t to, const char* allowed) {
  for (size_t i = from; i < to; ++i)
    if (!std::strchr(allowed, text[i]) || text[i] == '\0') return false;
  return true;
}

}  // namespace

int counterNormaliseWord(int format, int word) {
  if (format == 0 && topByteIsInt(word)) return floatToBits(static_cast<float>(word));
  if (format == 1 && !topByteIsInt(word)) {
    double f = bitsToFloat(word);
    if (std::isnan(f)) return 0;
    if (f >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (f <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(f);
  }
  return word;
}

double counterWordToNumber(int format, int word) {
  if (format == 0) return bitsToFloat(word);
  return word;
}

bool counterNumberToWord(int format, double number, int* word) {
  if (std::isnan(number)) return false;
  if (format == 0) {
    if (std::fabs(number) > FLT_MAX) return false;
    *word = floatToBits(static_cast<float>(number));
    return true;
  }
  double whole = std::trunc(number);
  if (!fitsInt32(whole)) return false;
  *word = static_cast<int>(whole);
  return true;
}

bool counterHasLimits(const CounterWords& words) { return words.minimum != words.maximum; }

bool counterWithinLimits(const CounterWords& words, double number) {
  if (!counterHasLimits(words)) return true;
  return number >= counterWordToNumber(words.format, words.minimum) &&
         number <= counterWordToNumber(words.format, words.maximum);
}

std::string counterFormatText(int format, int columns, int decimalPoints, double number) {
  std::string text;
  if (format == 0) {
    text = formatted("%-*.*f", columns, decimalPoints, number, 0, true);
  } else {
    double whole = std::trunc(number);
    int integer = fitsInt32(whole) ? static_cast<int>(whole) : 0;
    text = formatted(format == 2 ? "%-*x" : "%-*d", columns, 0, 0.0, integer, false);
  }
  size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

bool counterParseText(int format, const std::string& text, double* number) {
  if (text.empty() || text == "+" || text == "-") {
    *number = 0;
    return true;
  }
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  if (format == 2) {
    unsigned long long v = std::strtoull(start, &end, 16);
    if (end == start || errno == ERANGE || v > 0xFFFFFFFFull) return false;
    *number = static_cast<int32_t>(static_cast<uint32_t>(v));
  } else if (format == 1) {
    long long v = std::strtoll(start, &end, 10);
    if (end == start || errno == ERANGE) return false;
    *number = static_cast<double>(v);
  } else {
    if (text == "." || text == "+." || text == "-.") {
      *number = 0;
      return true;
    }
    double v = std::strtod(start, &end);
    if (end == start || std::isnan(v) || std::isinf(v)) return false;
    *number = v;
  }
  return true;
}

bool counterTextHasDigit(int format, const std::string& text) {
  return text.find_first_of(format == 2 ? kHexDigits : kDigits) != std::string::npos;
}

bool counterTextAcceptable(int format, const std::string& text) {
  if (format == 2) return allOf(text, 0, text.size(), kHexDigits);
  size_t from = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  if (format == 1) return allOf(text, from, text.size(), kDigits);
  size_t point = text.find('.', from);
  if (point == std::string::npos) return allOf(text, from, text.size(), kDigits);
  return allOf(text, from, point, kDigits) && allOf(text, point + 1, text.size(), kDigits);
}

bool counterStep(const CounterWords& words, double current, double times, bool clamp,
                 double* result) {
  double next;
  if (words.format == 0) {
    next = current + times * counterWordToNumber(0, words.increment);
    if (std::isnan(next)) return false;
  } else {
    // 64-bit integers: value + 16 x increment cannot overflow them.
    int64_t step = static_cast<int64_t>(std::trunc(times)) * static_cast<int64_t>(words.increment);
    next = static_cast<double>(static_cast<int64_t>(std::trunc(current)) + step);
  }
  if (clamp && counterHasLimits(words)) {
    double lo = counterWordToNumber(words.format, words.minimum);
    double hi = counterWordToNumber(words.format, words.maximum);
    if (next < lo) next = lo;
    if (next > hi) next = hi;
  }
  int word;
  if (!counterNumberToWord(words.format, next, &word)) return false;
  *result = next;
  return true;
}
