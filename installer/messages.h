// The installer's texts: every message, question, log line, usage line and
// comment line of a generated file, in one table so that they can be
// replaced as a set. A text is named by its Msg and formatted by format().
#pragma once

#include <cstdarg>
#include <string>

namespace inst {

enum Msg {
#define X(name, text) name,
#include "messages.inc"
#undef X
  kMsgCount
};

// The text of a message.
const char* text(Msg id);

// The text with its printf conversions filled in.
std::string format(Msg id, ...);
std::string vformat(Msg id, va_list args);

}  // namespace inst
