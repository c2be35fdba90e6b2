// The queue-name check and its message.
#include "queue_name.h"

#include <cstring>

#include "report.h"
#include "setup_state.h"

namespace {

const char kTitle[] = "Queue Name";

// The bytes a queue name never holds besides blanks and control characters.
const char kForbidden[] = "/\\#'\"";

// The bytes a new queue's name never holds besides: CUPS's clients read
// "NAME@HOST" as a queue on another server and "A,B" as a list of queues,
// the daemon refuses "?", and the listings carry a host after ":".
const char kNotInNewNames[] = "@?:,";

// A name shown in a message: control characters would garble it.
std::string printable(const std::string& name) {
  std::string out;
  for (unsigned char c : name) out += (c < 32 || c == 127) ? '?' : static_cast<char>(c);
  return out;
}

std::string quoted(const std::string& name) { return "The queue name '" + printable(name) + "'\n"; }

// A name too long to be shown whole, cut for the message.
std::string tooLong(const std::string& name, size_t limit) {
  return quoted(name.substr(0, 32) + "...") + "is longer than " + std::to_string(limit) + " bytes.";
}

// The ASCII letter in lower case; other bytes as they are.
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool checkQueueName(const std::string& name, std::string* why) {
  std::string reason;
  if (name.empty()) {
    reason = "A queue needs a name.";
  } else if (name.size() > kMaxQueueNameBytes) {
    reason = tooLong(name, kMaxQueueNameBytes);
  } else if (name == "." || name == "..") {
    reason = quoted(name) + "names a directory of its own.";
  } else if (name[0] == '-') {
    reason = quoted(name) + "must not begin with '-'.";
  } else {
    for (unsigned char c : name) {
      if (c <= 32 || c == 127) {
        reason = quoted(name) + "must not hold blanks or control characters.";
      } else if (std::strchr(kForbidden, c)) {
        reason = quoted(name) + "must not hold '/', '\\', '#' or quotes.";
      }
      if (!reason.empty()) break;
    }
  }
  if (why) *why = reason;
  return reason.empty();
}

bool sameQueueName(const std::string& a, const std::string& b) {
  if (setup().lpMode != kLpCups || a.size() != b.size()) return a == b;
  for (size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

bool checkNewQueueName(const std::string& name, std::string* why) {
  // The record folder and the information file hold no longer name.
  if (name.size() > kMaxNewQueueNameBytes) {
    if (why) *why = tooLong(name, kMaxNewQueueNameBytes);
    return false;
  }
  if (!checkQueueName(name, why)) return false;
  std::string reason;
  for (unsigned char c : name) {
    if (c > 126) {
      reason = quoted(name) + "may hold only letters, digits and\nthe ASCII signs, no accented letters.";
    } else if (std::strchr(kNotInNewNames, c)) {
      reason = quoted(name) + "must not hold '@', '?', ':' or ',':\nCUPS and its clients read them\nas a server, a request or a list.";
    }
    if (!reason.empty()) break;
  }
  if (why) *why = reason;
  return reason.empty();
}

bool reportNewQueueName(const std::string& name) {
  std::string why;
  if (checkNewQueueName(name, &why)) return true;
  doMessage(kMsgCorrectable, kTitle, why);
  return false;
}

bool checkFileQueuePath(const std::string& path, std::string* why) {
  bool full = !path.empty() && path[0] == '/';
  if (why) {
    *why = full ? std::string()
                : "The file name '" + printable(path) + "'\nmust be a full path beginning with '/'.";
  }
  return full;
}

bool reportFileQueuePath(const std::string& path) {
  std::string why;
  if (checkFileQueuePath(path, &why)) return true;
  doMessage(kMsgCorrectable, "File Name", why);
  return false;
}

bool reportQueueName(const std::string& name) {
  std::string why;
  if (checkQueueName(name, &why)) return true;
  doMessage(kMsgCorrectable, kTitle, why);
  return false;
}
