// Reading the user's and root's job entries from the mailbox file. A line
// is a user name (its first word) followed by "m=", "p=", "u=" and "s="
// values, each key's next character being the override flag ('S' or 'N').
#include "mailbox_reader.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "line_file.h"
#include "number_text.h"

namespace {

const std::string::size_type kMaxLineLength = 255;
const std::string::size_type kMinLineLength = 5;

const char* const kInstallDirs[] = {
    "/opt/bry", "/usr/local/qor", "/usr/local/bry", "/etc/cups/bry", "/usr/local/velta", "/etc/cups/velta",
};

// Where one line's values go: the user's fields or root's.
struct StoredValues {
  const char* traceName;  // "usr" or "root"
  int& mailbox;
  int& mailboxOverride;
  int& proof;
  std::string& accountPassword;
  int& accountPasswordOverride;
  std::string& accountId;
  int& accountIdOverride;
  std::string& securePassword;
  int& securePasswordOverride;
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// A key's value: its override flag and its text (up to the first blank or
// control character). False when the key does not start a word of rest.
bool findKey(const std::string& rest, const char* key, bool& override, std::string& value) {
  std::string::size_type at = 0;
  for (;;) {
    at = rest.find(key, at);
    if (at == std::string::npos) return false;
    if (at == 0 || isBlank(rest[at - 1])) break;
    ++at;
  }
  std::string::size_type flag = at + 2;
  override = flag < rest.size() && rest[flag] == 'S';
  value = flag < rest.size() ? cutAtControlOrBlank(rest.substr(flag + 1)) : std::string();
  return true;
}

// Reads the values after a line's name; false when a mailbox number was out
// of range.
bool readValues(const std::string& rest, StoredValues& to, int debug) {
  bool inRange = true;
  bool override = false;
  std::string value;
  if (findKey(rest, "m=", override, value)) {
    to.mailboxOverride = override ? 1 : 0;
    bool proof = !value.empty() && (value.back() == 'P' || value.back() == 'p');
    if (proof) value.pop_back();
    to.proof = proof ? 1 : 0;
    int number = leadingInt(value);
    inRange = number >= 0 && number <= 99;
    to.mailbox = inRange ? number : -1;
    if (debug > 0) std::fprintf(stderr, "getMAILBOX(%sMailBox=%d)\n", to.traceName, to.mailbox);
  }
  if (findKey(rest, "s=", override, value)) {
    to.accountPasswordOverride = override ? 1 : 0;
    if (!value.empty()) {
      to.accountPassword = value;
      if (debug > 0) std::fprintf(stderr, "getMAILBOX(%sUserPW=%s)\n", to.traceName, value.c_str());
    }
  }
  if (findKey(rest, "u=", override, value)) {
    to.accountIdOverride = override ? 1 : 0;
    if (leadingInt(value) > 0) {
      to.accountId = value;
      if (debug > 0) std::fprintf(stderr, "getMAILBOX(%sUserID=%s)\n", to.traceName, value.c_str());
    }
  }
  if (findKey(rest, "p=", override, value)) {
    to.securePasswordOverride = override ? 1 : 0;
    if (leadingInt(value) > 0) {
      to.securePassword = value;
      if (debug > 0) std::fprintf(stderr, "getMAILBOX(%sSecurePW=%s)\n", to.traceName, value.c_str());
    }
  }
  return inRange;
}

}  // namespace

std::vector<std::string> mailboxFileCandidates(const std::string& printer) {
  std::vector<std::string> paths;
  const char* dataDir = std::getenv("JARNDATADIR");
  if (dataDir) paths.push_back(std::string(dataDir) + "/" + printer + "/root/JarnMailBoxFile");
  for (const char* dir : kInstallDirs) paths.push_back(std::string(dir) + "/" + printer + "/root/JarnMailBoxFile");
  return paths;
}

int getMAILBOX(JobSettings& s) {
  if (s.printer.empty() || s.userName.empty()) return -1;
  std::vector<std::string> candidates = mailboxFileCandidates(s.printer);
  std::string chosen;
  for (const std::string& path : candidates) {
    chosen = path;
    if (::access(path.c_str(), R_OK) == 0) break;
  }
  if (s.debugLevel > 0) std::fprintf(stderr, "getMAILBOX(%s)\n", chosen.c_str());
  return readMailboxFile(chosen, s);
}

int readMailboxFile(const std::string& path, JobSettings& s) {
  LineFile in(path);
  if (!in.ok()) return -1;
  StoredValues user = {"usr",
                       s.userMailbox, s.userMailboxOverride, s.proof,
                       s.userAccountPassword, s.userAccountPasswordOverride,
                       s.userAccountId, s.userAccountIdOverride,
                       s.userSecurePassword, s.userSecurePasswordOverride};
  StoredValues root = {"root",
                       s.rootMailbox, s.rootMailboxOverride, s.rootProof,
                       s.rootAccountPassword, s.rootAccountPasswordOverride,
                       s.rootAccountId, s.rootAccountIdOverride,
                       s.rootSecurePassword, s.rootSecurePasswordOverride};
  bool taken = false;
  bool inRange = true;
  bool rootTaken = false;
  std::string line;
  while (in.next(line)) {
    // Only a line's first 255 characters count; the rest is dropped.
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    if (line.size() < kMinLineLength) continue;
    std::string::size_type start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    std::string::size_type end = start;
    while (end < line.size() && !isBlank(line[end]) && !isControlChar(line[end])) ++end;
    std::string name = line.substr(start, end - start);
    bool valuesFollow = end < line.size() && isBlank(line[end]);
    std::string rest = line.substr(end);
    if (name == s.userName) {
      if (s.debugLevel > 0) std::fprintf(stderr, "getMAILBOX(user=%s)\n", s.userName.c_str());
      taken = true;
      if (valuesFollow && !readValues(rest, user, s.debugLevel)) inRange = false;
      if (rootTaken) break;
    } else if (name == "root" && !rootTaken && valuesFollow) {
      if (s.debugLevel > 0) std::fprintf(stderr, "getMAILBOX(user=root)\n");
      taken = rootTaken = true;
      if (!readValues(rest, root, s.debugLevel)) inRange = false;
    }
  }
  return (taken && inRange) ? 1 : 0;
}
