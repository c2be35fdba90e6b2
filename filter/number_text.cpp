// Saturating number reading and text cutting for the filter.
#include "number_text.h"

#include <climits>

namespace {

// The decimal integer that starts the text (after blanks, with an optional
// sign), 0 when there is none; a magnitude beyond the int range stops
// growing just past it, so the caller still sees that it lies outside.
long long leadingNumber(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  const long long beyond = static_cast<long long>(INT_MAX) + 2;
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > beyond) value = beyond;
  }
  return negative ? -value : value;
}

}  // namespace

int leadingInt(const char* text) {
  long long value = leadingNumber(text);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int leadingIntIn(const char* text, int lowest, int highest) {
  long long value = leadingNumber(text);
  return value < lowest || value > highest ? 0 : static_cast<int>(value);
}

bool isControlChar(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u < 32 || u == 127;
}

std::string cutAtControlOrBlank(const std::string& text) {
  std::string::size_type n = 0;
  while (n < text.size() && text[n] != ' ' && !isControlChar(text[n])) ++n;
  return text.substr(0, n);
}
