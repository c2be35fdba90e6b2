// The update log.
#include "install_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <ctime>

#include "install_commands.h"
#include "install_state.h"
#include "selinux.h"

namespace inst {
namespace {
FILE*& logStream() {
  static FILE* stream = nullptr;
  return stream;
}
}  // namespace

std::string timeText() {
  std::time_t now = std::time(nullptr);
  char buf[64];
  if (!ctime_r(&now, buf)) return "\n";
  return buf;
}

bool openLogFile(int uid) {
  InstallState& s = state();
  if (uid != 0) s.logPath += "_" + std::to_string(uid);
  // O_NOFOLLOW: a link planted at the log's name is not written through.
  // Every run is appended after the earlier ones.
  int fd = ::open(s.logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644);
  FILE* f = fd < 0 ? nullptr : ::fdopen(fd, "w");
  if (!f && fd >= 0) ::close(fd);
  logStream() = f;
  s.logOpen = f ? 1 : 0;
  if (f) {
    std::string date = timeText();
    if (!date.empty() && date.back() == '\n') date.pop_back();
    writeLogBlanked(format(kRunStart, date.c_str(), s.commandLine.c_str()));
  }
  if (f && !s.tools.chcon.empty()) {
    Command cmd = chconCommand(s.tools.chcon, s.logPath, kChconUser);
    int st = runInstallCommand(cmd);
    writeLog(text(kPreparingLog));
    logMsg(kCommandReturned, cmd.text.c_str(), st);
    writeLog(std::string(39, '='));
  }
  if (s.debug > 0) {
    std::fputs(format(f ? kOpenedLog : kCannotOpenLog, s.logPath.c_str()).c_str(), stderr);
  }
  return f != nullptr;
}

void writeLog(const std::string& line) {
  if (line.empty()) return;
  FILE* out = logStream() ? logStream() : stderr;
  std::fputs(line.c_str(), out);
  if (line.back() != '\n') std::fputc('\n', out);
  std::fflush(out);
}

void stopBecause(const std::string& line) {
  writeLog(line);
  if (!logStream()) return;  // writeLog wrote it there already
  std::fputs(line.c_str(), stderr);
  if (!line.empty() && line.back() != '\n') std::fputc('\n', stderr);
}

void logMsg(Msg id, ...) {
  va_list args;
  va_start(args, id);
  std::string line = vformat(id, args);
  va_end(args);
  writeLog(line);
}

void writeLogBlanked(const std::string& line) {
  std::string out = line;
  for (char& c : out) {
    if (static_cast<unsigned char>(c) < 32 && c != '\n') c = ' ';
  }
  writeLog(out);
}

void closeLogFile() {
  FILE*& f = logStream();
  if (!f) return;
  writeLog(format(kFinishing, timeText().c_str()));
  std::fclose(f);
  f = nullptr;
  state().logOpen = 0;
}

void trace(const char* fmt, ...) {
  if (state().debug <= 0) return;
  va_list args;
  va_start(args, fmt);
  std::vfprintf(stderr, fmt, args);
  va_end(args);
}

}  // namespace inst
