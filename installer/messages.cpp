// The table of the installer's texts.
#include "messages.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace inst {
namespace {

const char* const kTexts[] = {
#define X(name, text) text,
#include "messages.inc"
#undef X
};
static_assert(sizeof kTexts / sizeof kTexts[0] == kMsgCount, "one text per name");

}  // namespace

const char* text(Msg id) { return kTexts[id]; }

std::string format(Msg id, ...) {
  va_list args;
  va_start(args, id);
  std::string out = vformat(id, args);
  va_end(args);
  return out;
}

std::string vformat(Msg id, va_list args) {
  va_list copy;
  va_copy(copy, args);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  int n = std::vsnprintf(nullptr, 0, kTexts[id], args);
  std::string out;
  if (n > 0) {
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), kTexts[id], copy);
    out.assign(buf.data(), static_cast<size_t>(n));
  }
#pragma GCC diagnostic pop
  va_end(copy);
  return out;
}

}  // namespace inst
