// PostScript header-comment walk.
#include "ps_header.h"

#include <cstring>

namespace {

bool isLineEnd(char c) { return c == '\r' || c == '\n' || c == '\f'; }

// Skips a run of line-end bytes from i.
std::size_t skipLineEnds(const char* b, std::size_t n, std::size_t i) {
  while (i < n && isLineEnd(b[i])) ++i;
  return i;
}

const char kEndComment[] = "%%EndComment";

}  // namespace

bool findEndComments(const char* lineStart, const char* lineEnd) {
  std::size_t len = static_cast<std::size_t>(lineEnd - lineStart);
  std::size_t want = sizeof kEndComment - 1;
  if (len >= want && std::memcmp(lineStart, kEndComment, want) == 0) return true;
  // A lone "%" (possibly followed by blanks) ends the header too.
  return len >= 1 && lineStart[0] == '%' && (len == 1 || lineStart[1] == ' ' || lineStart[1] == '\t');
}

bool findPSHeaderEnd(const char* b, std::size_t n, std::size_t* end, bool whole) {
  std::size_t i = 0;
  while (i < n) {
    if (b[i] != '%') {
      *end = i;
      return true;
    }
    std::size_t e = i;
    while (e < n && !isLineEnd(b[e])) ++e;
    if (e == n && !whole) return false;  // the line goes on past the block
    if (findEndComments(b + i, b + e)) {
      std::size_t after = skipLineEnds(b, n, e);
      if (after == n && !whole) return false;  // more line ends may follow
      *end = after;
      return true;
    }
    i = skipLineEnds(b, n, e);
  }
  return false;
}

bool findFirstLineEnd(const char* b, std::size_t n, std::size_t* end) {
  std::size_t e = 0;
  while (e < n && !isLineEnd(b[e])) ++e;
  if (e == n) return false;
  *end = skipLineEnds(b, n, e);
  return true;
}
