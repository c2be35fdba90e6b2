// The job entry table: order, deletion, clearing and the list rows.
#include "user_entries.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "setup_state.h"
#include "string_helpers.h"
#include "trace.h"

namespace {

constexpr size_t kMaskCountLimit = 80;  // characters counted of a secret
constexpr size_t kMaskMax = 63;         // the longest mask
constexpr size_t kRowWidth = 56;
constexpr size_t kRootRowWidth = 248;
constexpr int kRowHeight = 17;
constexpr int kMinListHeight = 512;
constexpr int kSecretMinWidth = 7;

// Columns of a list row (0-based); each part overwrites what an earlier,
// longer part left there.
constexpr size_t kColLogin = 0;
constexpr size_t kLoginKept = 11;  // the box column takes what follows
constexpr size_t kColBox = 11;
constexpr size_t kColProof = 15;
constexpr size_t kColSaveMailbox = 17;
constexpr size_t kColSecure = 19;
constexpr size_t kColSaveSecure = 28;
constexpr size_t kColUserId = 30;
constexpr size_t kColSaveUserId = 39;
constexpr size_t kColUserPassword = 41;
constexpr size_t kColSaveUserPassword = 50;

// An entry of all zero bytes: no login, mailbox 0, nothing set.
UserEntry zeroEntry() {
  UserEntry e;
  e.mailbox = 0;
  return e;
}

// Writes `part` into `row` at `column`, growing the row when needed.
void putAt(std::string& row, size_t column, const std::string& part) {
  if (row.size() < column + part.size()) row.resize(column + part.size(), ' ');
  row.replace(column, part.size(), part);
}

// printf-style text, for the fixed formats of a row.
std::string format(const char* fmt, const char* text) {
  char buf[128];
  std::snprintf(buf, sizeof buf, fmt, text);
  return buf;
}

// A flag column: "1" or a blank, then six blanks.
std::string flagPart(char flag) { return std::string(1, flag ? '1' : ' ') + "      "; }

std::string entryRow(const UserEntry& e) {
  std::string row(kRowWidth, ' ');
  putAt(row, kColLogin, format("%-9s", e.login.substr(0, kLoginKept).c_str()));
  if (e.mailbox >= 0) {
    char box[16];
    std::snprintf(box, sizeof box, "%03d", e.mailbox);
    putAt(row, kColBox, box);
  } else {
    putAt(row, kColBox, "    ");
  }
  putAt(row, kColProof, flagPart(e.proof != 0));
  putAt(row, kColSaveMailbox, flagPart(e.saveMailbox));
  putAt(row, kColSecure,
        format("%-10s", e.securePassword.empty() ? "" : maskText(e.securePassword, kSecretMinWidth).c_str()));
  putAt(row, kColSaveSecure, flagPart(e.saveSecure));
  putAt(row, kColUserId,
        e.userId.empty() ? "       " : format("%-8s", maskText(e.userId, kSecretMinWidth).c_str()));
  putAt(row, kColSaveUserId, flagPart(e.saveUserId));
  putAt(row, kColUserPassword,
        e.userPassword.empty() ? "       "
                               : format("%-8s", maskText(e.userPassword, kSecretMinWidth).c_str()));
  putAt(row, kColSaveUserPassword, flagPart(e.saveUserPassword));
  return padString(row, row.size(), kRowWidth);
}

}  // namespace

std::vector<UserEntry>& userEntryTable() {
  std::vector<UserEntry>& t = setup().entryTable;
  if (t.size() != static_cast<size_t>(kMaxUserEntries)) t.resize(kMaxUserEntries);
  return t;
}

std::string maskText(const char* text, int minimumWidth) {
  if (!text) return std::string();
  size_t length = strnlen(text, kMaskCountLimit);
  size_t width = std::max(length, minimumWidth > 0 ? static_cast<size_t>(minimumWidth) : 0);
  return std::string(std::min(width, kMaskMax), '*');
}

std::string maskText(const std::string& text, int minimumWidth) {
  return maskText(text.c_str(), minimumWidth);
}

int compareUserEntries(const UserEntry& a, const UserEntry& b) {
  if (a.login.empty() || b.login.empty()) {
    return static_cast<int>(a.login.empty()) - static_cast<int>(b.login.empty());
  }
  return std::strcmp(a.login.c_str(), b.login.c_str());
}

int sortUserEntries(int count) {
  std::vector<UserEntry>& t = userEntryTable();
  size_t n = (count < 1 || count > kMaxUserEntries) ? t.size() : static_cast<size_t>(count);
  std::stable_sort(t.begin(), t.begin() + static_cast<long>(n),
                   [](const UserEntry& a, const UserEntry& b) { return compareUserEntries(a, b) < 0; });
  int named = 0;
  while (named < kMaxUserEntries && !t[static_cast<size_t>(named)].login.empty()) ++named;
  setup().entryCount = named;
  return named;
}

int delMailboxListItem(int index, int resort) {
  SetupState& s = setup();
  if (s.entryCount == 0) return 0;
  if (index >= 0 && index < kMaxUserEntries) userEntryTable()[static_cast<size_t>(index)] = zeroEntry();
  if (resort) sortUserEntries(-1);
  tracef("delMailboxListItem(%d)N2=%d\n", index, s.entryCount);
  return 0;
}

void clearUserEntries() {
  for (UserEntry& e : userEntryTable()) e = zeroEntry();
  setup().entryCount = 0;
}

std::vector<std::string> userEntryListRows() {
  const SetupState& s = setup();
  std::vector<std::string> rows;
  if (s.entryCount <= 0) {
    rows.push_back(padString("root", 4, kRootRowWidth));
    return rows;
  }
  const std::vector<UserEntry>& t = userEntryTable();
  size_t n = std::min(static_cast<size_t>(s.entryCount), t.size());
  for (size_t i = 0; i < n; ++i) {
    if (!t[i].login.empty()) rows.push_back(entryRow(t[i]));
  }
  return rows;
}

int userEntryListHeight(int rows) { return std::max(rows * kRowHeight, kMinListHeight); }
