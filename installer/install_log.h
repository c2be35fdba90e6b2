// The update log: every step of a run is written to it, one line at a time,
// flushed after each line. Without an open log the lines go to standard
// error.
#pragma once

#include <string>

#include "messages.h"

namespace inst {

// Opens state().logPath for writing (an earlier log is replaced), with
// "_<uid>" appended for a user other than root; labels it for SELinux when
// chcon was found and writes the log's head. True when it opened.
bool openLogFile(int uid);

// Writes a line (a line feed is added when missing); an empty text is
// ignored.
void writeLog(const std::string& text);

// Formats a message and logs it.
void logMsg(Msg id, ...);

// A reason to stop or to fail: written to the log and to standard error.
void stopBecause(const std::string& line);

// Logs the line with every character below 32, line feeds aside, made a blank.
void writeLogBlanked(const std::string& text);

// Writes the closing line and closes the log, when it was opened.
void closeLogFile();

// The local time as ctime() gives it (ending in a line feed).
std::string timeText();

// printf-style trace on standard error at the installer's trace level > 0.
void trace(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace inst
