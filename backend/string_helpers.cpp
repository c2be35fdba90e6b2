// Text routines, in-process word expansion and the mailbox summary code.
#include "string_helpers.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

#include "setup_state.h"
#include "trace.h"

namespace {
bool isBlank(char c) { return static_cast<unsigned char>(c) <= 32; }
}  // namespace

size_t skipBlanks(const std::string& text, size_t pos) {
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  return pos < text.size() ? pos : text.size();
}

size_t skipBlanksInLine(const std::string& text, size_t pos) {
  while (pos < text.size() && text[pos] != '\n' && isBlank(text[pos])) ++pos;
  return pos < text.size() ? pos : text.size();
}

size_t skipWord(const std::string& text, size_t pos) {
  while (pos < text.size() && !isBlank(text[pos])) ++pos;
  return pos < text.size() ? pos : text.size();
}

int trimRight(std::string& text, size_t limit) {
  if (text.size() > limit) text.resize(limit);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\n')) text.pop_back();
  return static_cast<int>(text.size()) - 1;
}

std::string stripQueueMarker(const std::string& text) {
  if (text.size() > 1000) return text;
  std::string s = text;
  while (!s.empty() && (s.back() == ' ' || s.back() == ':')) s.pop_back();
  size_t pos = 0;
  if (pos < s.size() && s[pos] == '*') {
    ++pos;
    if (pos < s.size() && std::isspace(static_cast<unsigned char>(s[pos]))) ++pos;
  }
  return s.substr(pos);
}

std::string padString(const std::string& text, size_t length, size_t n) {
  std::string out = text.substr(0, std::min({length, n, text.size()}));
  out.resize(n, ' ');
  return out;
}

std::string centerLabelText(const std::string& text) {
  constexpr size_t kWidth = 14;
  std::string field(kWidth, ' ');
  if (text.size() > 12) return text.substr(0, kWidth) + std::string(kWidth - std::min(kWidth, text.size()), ' ');
  field.replace((kWidth - text.size()) / 2, text.size(), text);
  return field;
}

std::string escapeForShell(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ' || c == '(' || c == ')' || c == '%') out += '\\';
    out += c;
  }
  return out;
}

std::string commasToHashes(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == ' ') continue;
    out += (c == ',') ? '#' : c;
  }
  return out;
}

int isNonEmpty(const char* text) { return text && *text ? 1 : 0; }

int alwaysTrue() { return 1; }

std::string nextLine(const std::string& text) {
  size_t lf = text.find('\n');
  return lf == std::string::npos ? std::string() : text.substr(lf + 1);
}

std::string addTrailingSlash(const std::string& text) {
  if (!text.empty() && text.back() == '/') return text;
  return text + "/";
}

int matchAlias(const std::string& aliasList, const std::string& name) {
  if (name.empty()) return 0;
  size_t at = aliasList.find(name);
  if (at == std::string::npos) return 0;
  if (at == 0) return 1;
  size_t end = at + name.size();
  bool after = end < aliasList.size() && (aliasList[end] == '|' || aliasList[end] == ':');
  return aliasList[at - 1] == '|' && after ? 1 : 0;
}

int isPPDFileName(const std::string& name) {
  auto isPpd = [&](size_t at) {
    return std::tolower(static_cast<unsigned char>(name[at])) == 'p' &&
           std::tolower(static_cast<unsigned char>(name[at + 1])) == 'p' &&
           std::tolower(static_cast<unsigned char>(name[at + 2])) == 'd';
  };
  size_t n = name.size();
  if (n > 3 && name[n - 4] == '.' && isPpd(n - 3)) return 1;
  if (n > 7 && name.compare(n - 2, 2, "gz") == 0 && name[n - 7] == '.' && isPpd(n - 6)) return 1;
  return 0;
}

int printerTypeFromText(const std::string& text) {
  static const struct {
    const char* word;
    int type;
  } kTypes[] = {{"KRPA", 4}, {"POSTSCRIPT", 1}, {"PCL", 2}, {"PXL", 3}, {"RAW", 5}};
  for (const auto& t : kTypes) {
    if (text.find(t.word) != std::string::npos) return t.type;
  }
  return 0;
}

int toUpperCopy(const char* text, std::string* output) {
  output->clear();
  if (!text) return 0;
  for (const char* p = text; *p; ++p) *output += static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  return 1;
}

std::string stripHostPart(const char* text) {
  if (!text) return "NONE";
  std::string s = text;
  while (!s.empty() && (s.back() == ' ' || s.back() == ':')) s.pop_back();
  size_t slash = s.find('/');
  return slash == std::string::npos ? s : s.substr(slash + 1);
}

std::string cutAtSlash(const std::string& text) {
  std::string s = text.substr(0, text.find('/'));
  while (!s.empty() && (s.back() == ':' || s.back() == ' ')) s.pop_back();
  return s;
}

std::string afterBang(const std::string& text) {
  size_t bang = text.find('!');
  return bang == std::string::npos ? text : text.substr(bang + 1);
}

std::string afterFirstLine(const char* text) {
  if (!text) return "NONE";
  std::string s = text;
  size_t lf = s.find('\n');
  return lf == std::string::npos ? s : s.substr(lf + 1);
}

int countStrings(const std::vector<std::string>& texts) {
  if (texts.empty() || texts[0].empty()) return 0;
  return static_cast<int>(std::min<size_t>(texts.size(), 128));
}

namespace {
std::string savedPPDFile;
}

void savePPDFileName() {
  if (!setup().ppdFile.empty()) savedPPDFile = setup().ppdFile;
}

void restorePPDFileName() {
  if (!savedPPDFile.empty()) setup().ppdFile = savedPPDFile;
}

int getUserName(std::string* output) {
  struct passwd* pw = ::getpwuid(::geteuid());
  if (pw && pw->pw_name) {
    *output = pw->pw_name;
    return 1;
  }
  *output = "userUnknown";
  return 0;
}

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

std::string envValue(const std::string& name) {
  const char* v = std::getenv(name.c_str());
  return v ? v : "";
}

// "~" or "~user" at the start of the word: the home directory.
size_t expandTilde(const std::string& word, std::string* out) {
  size_t end = word.find('/');
  if (end == std::string::npos) end = word.size();
  std::string user = word.substr(1, end - 1);
  if (user.empty()) {
    const char* home = std::getenv("HOME");
    struct passwd* pw = home ? nullptr : ::getpwuid(::getuid());
    if (home || pw) {
      *out += home ? home : pw->pw_dir;
      return end;
    }
  } else if (struct passwd* pw = ::getpwnam(user.c_str())) {
    *out += pw->pw_dir;
    return end;
  }
  return 0;  // unknown user: the tilde stays literal
}

}  // namespace

int expandShellWord(std::string& word) {
  std::string out;
  size_t i = 0;
  if (!word.empty() && word[0] == '~') i = expandTilde(word, &out);
  while (i < word.size()) {
    char c = word[i];
    if (c == '$' && i + 1 < word.size() && word[i + 1] == '{') {
      size_t close = word.find('}', i + 2);
      std::string name = close == std::string::npos ? "" : word.substr(i + 2, close - i - 2);
      bool valid = !name.empty() && std::all_of(name.begin(), name.end(), isNameChar);
      if (valid) {
        out += envValue(name);
        i = close + 1;
        continue;
      }
    } else if (c == '$' && i + 1 < word.size() && isNameChar(word[i + 1])) {
      size_t end = i + 1;
      while (end < word.size() && isNameChar(word[end])) ++end;
      out += envValue(word.substr(i + 1, end - i - 1));
      i = end;
      continue;
    }
    out += c;
    ++i;
  }
  trimRight(out);
  word = out;
  return 0;
}

namespace {
constexpr int kBoxFixed = 0x100;
constexpr int kSecureFixed = 0x200;
constexpr int kSecureUser = 0x400;
constexpr int kBoxUser = 0x800;
constexpr int kBoxProof = 0x1000;
}  // namespace

int makeSummaryCode(std::string* output) {
  const SetupState& s = setup();
  int bits = s.mailboxSupport;
  std::string code = "#C";
  if (bits & kBoxFixed) {
    char num[16];
    std::snprintf(num, sizeof num, "%03d", s.mailboxNumber);
    code += std::string("F") + num;
  } else {
    code += (bits & kBoxUser) ? "U" : "N";
  }
  code += "S:";
  code += (bits & kSecureFixed) ? "F" : (bits & kSecureUser) ? "U" : "N";
  if ((bits & kBoxFixed) && (bits & kBoxProof)) code += " P";
  *output = code;
  return bits & (kBoxFixed | kBoxProof);
}

void getMailBoxInfo(const std::string& code) {
  if (code.size() < 2) return;
  SetupState& s = setup();
  size_t i = code[0] == '#' ? 1 : 0;
  int bits = (i < code.size() && (code[i] == 'C' || code[i] == 'c')) ? 1 : 0;
  ++i;
  if (i < code.size() && code[i] == 'F') {
    bits |= kBoxFixed;
    size_t end = ++i;
    // The number is taken only when it lies in 0..mailboxMax; digits past
    // that (however many) leave the mailbox as it is.
    long long number = 0;
    bool inRange = true;
    while (end < code.size() && std::isdigit(static_cast<unsigned char>(code[end]))) {
      number = number * 10 + (code[end++] - '0');
      if (number > s.mailboxMax) {
        inRange = false;
        number = 0;
      }
    }
    if (end > i && inRange) s.mailboxNumber = static_cast<int>(number);
    bool proof = (end < code.size() && code[end] == 'P') ||
                 (code.size() >= 2 && code.compare(code.size() - 2, 2, " P") == 0);
    if (proof) bits |= kBoxProof;
  } else if (i < code.size() && code[i] == 'U') {
    bits |= kBoxUser;
  }
  size_t sec = code.find("S:");
  if (sec != std::string::npos && sec + 2 < code.size()) {
    char c = code[sec + 2];
    if (c == 'U') bits |= kSecureUser;
    else if (c == 'F') bits |= kSecureFixed;
  }
  s.mailboxSupport = bits;
  tracef("getMailBoxInfo(nbox=%d,current=%d)\n", s.mailboxMax, s.mailboxNumber);
}

bool leadingDecimalInRange(const std::string& text, long lo, long hi, int* value) {
  size_t pos = skipBlanks(text);
  bool negative = pos < text.size() && text[pos] == '-';
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  size_t first = pos;
  long number = 0;
  bool tooLong = false;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
    if (number > 1000000000L) tooLong = true;
    else number = number * 10 + (text[pos] - '0');
  }
  if (pos == first || tooLong) return false;
  if (negative) number = -number;
  if (number < lo || number > hi) return false;
  *value = static_cast<int>(number);
  return true;
}
