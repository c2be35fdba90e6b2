// Saturating number reading and text cutting for the filter.
#include "number_text.h"

#include <climits>

int leadingInt(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\f' || *p == '\v') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  long long value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
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
