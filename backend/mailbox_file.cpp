// Writing and reading the mailbox file "JarnMailBoxFile".
//
// A line is the login in 14 columns and two blanks, then the mailbox field
// "m=" (flag, number, "P" for a proof copy; 10 columns, 9 blanks without a
// mailbox), the secure-print password "p=", the department ID " u=" and the
// department password " s=" (flag and text in 10 columns; 11 blanks when
// empty). The flag is 'S' when the stored value overrides the job's own,
// else 'N'. Every key starts a blank-separated word, which is how the reader
// finds it.
#include "mailbox_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <grp.h>
#include <sys/stat.h>
#include <vector>

#include "atomic_file.h"
#include "dry_run.h"
#include "record_lock.h"
#include "report.h"
#include "setup_state.h"
#include "trace.h"
#include "user_entries.h"

namespace {

const char kFileName[] = "/root/JarnMailBoxFile";
constexpr mode_t kMailboxMode = 0640;  // passwords: the owner and the filter's group only
const char kFilterGroup[] = "lp";
constexpr size_t kLoginWidth = 14;
constexpr size_t kMailboxWidth = 10;
constexpr size_t kNoMailboxWidth = 9;
constexpr size_t kTextWidth = 10;
constexpr size_t kEmptyTextWidth = 11;
constexpr size_t kValueMax = kUserFieldSize - 1;

// The messages of the mailbox file, in one place. Their code returns to the
// page on OK instead of ending the program.
constexpr int kMsgMailbox = 11;
const char kMailboxTitle[] = "Mailbox File";
const char kBadValueText[] =
    "Cannot store the job entry of the user:\n\t'%s'\n"
    "Its name, passwords and ID must not hold blanks\n"
    "and are at most 23 characters long.";
const char kWriteFailedText[] = "Cannot write the mailbox file:\n'%s'";

std::string withName(const char* text, const std::string& name) {
  std::string out(text);
  size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, name);
  return out;
}

// A byte that ends a value in the file: a blank or a control character.
bool endsValue(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u <= 32 || u == 127;
}

// The given path, else the current printer's file ("" without a printer
// directory: then there is no file, and nothing to say about it).
std::string resolvePath(const std::string& path) {
  return path.empty() ? mailboxFilePath() : path;
}

// Empties the whole table, as a missing file reads.
void emptyTable() {
  std::vector<UserEntry>& t = userEntryTable();
  std::fill(t.begin(), t.end(), UserEntry());
  setup().entryCount = 0;
}

// ---- writing ----

char flagChar(char flag) { return flag ? 'S' : 'N'; }

std::string mailboxField(const UserEntry& e) {
  if (e.mailbox < 0) return std::string(kNoMailboxWidth, ' ');
  std::string f = "m=";
  f += flagChar(e.saveMailbox);
  f += std::to_string(e.mailbox);
  if (e.proof) f += 'P';
  // Long numbers are written in full, still followed by a blank.
  f.resize(std::max(kMailboxWidth, f.size() + 1), ' ');
  return f;
}

std::string textField(const char* key, char flag, const std::string& value) {
  if (value.empty()) return std::string(kEmptyTextWidth, ' ');
  std::string text = value;
  text.resize(std::max(kTextWidth, text.size()), ' ');
  return std::string(key) + flagChar(flag) + text;
}

std::string entryLine(const UserEntry& e) {
  std::string name = e.login;
  name.resize(std::max(kLoginWidth, name.size()), ' ');
  return name + "  " + mailboxField(e) + textField("p=", e.saveSecure, e.securePassword) +
         textField(" u=", e.saveUserId, e.userId) +
         textField(" s=", e.saveUserPassword, e.userPassword) + "\n";
}

// A value the file can carry: at most 23 characters, none ending a value.
bool storable(const std::string& value) {
  return value.size() <= kValueMax && std::none_of(value.begin(), value.end(), endsValue);
}

// "#C" then 'U' when an entry has a mailbox or a secure-print password,
// "S:" then 'U' when one has a department ID; "" when neither.
std::string summaryCode(bool anyMailboxOrSecure, bool anyUserId) {
  if (!anyMailboxOrSecure && !anyUserId) return std::string();
  std::string code = "#C";
  code += anyMailboxOrSecure ? 'U' : 'N';
  code += "S:";
  code += anyUserId ? 'U' : 'N';
  return code;
}

gid_t filterGroup() {
  struct group* gr = ::getgrnam(kFilterGroup);
  return gr ? gr->gr_gid : static_cast<gid_t>(-1);
}

// ---- reading ----

int decimalValue(const std::string& text) {
  long v = std::strtol(text.c_str(), nullptr, 10);
  if (v > INT_MAX) return INT_MAX;
  if (v < INT_MIN) return INT_MIN;
  return static_cast<int>(v);
}

// The blank-separated words of a line.
std::vector<std::string> wordsOf(const std::string& line) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && endsValue(line[pos])) ++pos;
    size_t end = pos;
    while (end < line.size() && !endsValue(line[end])) ++end;
    if (end > pos) words.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return words;
}

// The first word after the login that begins with `key`, or null.
const std::string* findKey(const std::vector<std::string>& words, const char* key) {
  for (size_t i = 1; i < words.size(); ++i) {
    if (words[i].compare(0, 2, key) == 0) return &words[i];
  }
  return nullptr;
}

// A key word: the flag after the key, and the value after the flag.
char wordFlag(const std::string& word) { return word.size() > 2 ? word[2] : '\0'; }
std::string wordValue(const std::string& word) {
  std::string value = word.size() > 3 ? word.substr(3) : std::string();
  if (value.size() > kValueMax) value.resize(kValueMax);
  return value;
}

// Reads "m=": stores the mailbox when it lies in 0..mailboxMax.
bool readMailbox(const std::string& word, int mailboxMax, UserEntry& e) {
  std::string number = word.size() > 3 ? word.substr(3) : std::string();
  int proof = 0;
  if (!number.empty() && (number.back() == 'P' || number.back() == 'p')) {
    proof = 1;
    number.pop_back();
  }
  int box = decimalValue(number);
  if (box < 0 || box > mailboxMax) return false;
  e.mailbox = box;
  e.proof = proof;
  e.saveMailbox = wordFlag(word) == 'S';
  return true;
}

bool readText(const std::vector<std::string>& words, const char* key, std::string& text,
              char& save) {
  const std::string* word = findKey(words, key);
  if (!word) return false;
  save = wordFlag(*word) == 'S';
  text = wordValue(*word);
  return true;
}

// Reads one line into `e`; true when the line makes an entry.
bool readEntryLine(const std::string& line, int mailboxMax, UserEntry& e) {
  if (line.empty() || (static_cast<unsigned char>(line[0]) < 32 || line[0] == 127)) return false;
  std::vector<std::string> words = wordsOf(line);
  if (words.empty()) return false;
  bool accepted = false;
  if (const std::string* m = findKey(words, "m=")) accepted = readMailbox(*m, mailboxMax, e);
  accepted |= readText(words, "p=", e.securePassword, e.saveSecure);
  accepted |= readText(words, "u=", e.userId, e.saveUserId);
  accepted |= readText(words, "s=", e.userPassword, e.saveUserPassword);
  if (!accepted) return false;
  e.login = words[0].substr(0, kValueMax);
  return true;
}

}  // namespace

std::string formatMailBoxLine(const UserEntry& entry) { return entryLine(entry); }

bool parseMailBoxLine(const std::string& line, int mailboxMax, UserEntry* entry) {
  return readEntryLine(line, mailboxMax, *entry);
}

bool mailboxCanStore(const UserEntry& e) {
  return storable(e.login) && storable(e.securePassword) && storable(e.userId) &&
         storable(e.userPassword);
}

std::string mailboxFilePath() {
  const std::string& dir = setup().userFullDir;
  return dir.empty() ? std::string() : dir + kFileName;
}

int writeMailBoxFile(const std::string& givenPath) {
  SetupState& s = setup();
  std::string path = resolvePath(givenPath);
  if (path.empty()) return 0;
  std::string data;
  bool anyMailboxOrSecure = false;
  bool anyUserId = false;
  for (const UserEntry& e : userEntryTable()) {
    if (e.login.empty()) continue;
    if (!mailboxCanStore(e)) {
      s.mailboxSummary.clear();
      doMessage(kMsgMailbox, kMailboxTitle, withName(kBadValueText, e.login));
      return 0;
    }
    data += formatMailBoxLine(e);
    anyMailboxOrSecure |= e.mailbox >= 0 || !e.securePassword.empty();
    anyUserId |= !e.userId.empty();
  }
  if (skipWriteInDryRun(path)) {
    s.mailboxSummary = summaryCode(anyMailboxOrSecure, anyUserId);
    return 1;
  }
  AtomicWriteOptions options;
  options.mode = kMailboxMode;
  options.group = filterGroup();
  std::string error;
  RecordLock lock;
  if (!lock.acquire(path, &error) || !writeFileAtomic(path, data, options, &error)) {
    tracef("writeMailBoxFile: %s\n", error.c_str());
    s.mailboxSummary.clear();
    doMessage(kMsgMailbox, kMailboxTitle, withName(kWriteFailedText, path));
    return 0;
  }
  s.mailboxSummary = summaryCode(anyMailboxOrSecure, anyUserId);
  tracef("Stored fileBoxFile: '%s'.\n", path.c_str());
  return 1;
}

int changeMailBoxFile(const std::function<bool()>& change, const std::string& givenPath) {
  std::string path = resolvePath(givenPath);
  if (path.empty()) {
    if (change()) sortUserEntries(-1);
    return 0;
  }
  RecordLock lock;
  std::string error;
  struct stat st;
  // A dry run takes no lock: its lock file would be written beside the file.
  bool locked = isDryRun() || lock.acquire(path, &error);
  bool exists = locked && ::stat(path.c_str(), &st) == 0;
  // Without the lock (no directory yet: a queue not yet created) the table
  // takes the change and the write says why it fails.
  if (!locked) tracef("changeMailBoxFile: %s\n", error.c_str());
  auto readBack = [&path] {
    int count = readMailBoxFile(path);
    if (count > 1) sortUserEntries(count);
  };
  if (exists) readBack();
  if (!change()) return 0;
  sortUserEntries(-1);
  int written = writeMailBoxFile(path);
  if (!written && exists) readBack();  // the table shows the file, as it stayed
  return written;
}

int readMailBoxFile(const std::string& givenPath) {
  SetupState& s = setup();
  std::string path = resolvePath(givenPath);
  emptyTable();
  if (path.empty()) return 0;
  std::vector<UserEntry>& t = userEntryTable();
  std::string data;
  if (!readWholeFile(path, &data)) {
    tracef("No fileBoxFile: '%s'.\n", path.c_str());
    return 0;
  }
  int count = 0;
  size_t pos = 0;
  while (pos < data.size() && count < kMaxUserEntries) {
    size_t lf = data.find('\n', pos);
    if (lf == std::string::npos) lf = data.size();
    if (parseMailBoxLine(data.substr(pos, lf - pos), s.mailboxMax, &t[static_cast<size_t>(count)])) {
      ++count;
    } else {
      t[static_cast<size_t>(count)] = UserEntry();
    }
    pos = lf + 1;
  }
  s.entryCount = count;
  tracef("Loaded fileBoxFile: '%s'.\n", path.c_str());
  return count;
}
