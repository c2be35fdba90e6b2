// Reading a row of the user list back into a job entry. A row has fixed
// columns (login 0-10, box 11-13, flags at 15 and 17, the masked secured
// password 19-27 with its flag at 28, the masked user ID 30-37 with its flag
// at 39, the masked accounting password 41-48 with its flag at 50); the
// clear secrets come from the table entry of the row's login.
#include <algorithm>
#include <cstdlib>

#include "setup_state.h"
#include "trace.h"
#include "user_editing.h"
#include "user_entries.h"

namespace {

constexpr size_t kLoginMax = kUserFieldSize - 1;

char at(const std::string& row, size_t column) { return column < row.size() ? row[column] : ' '; }

// A flag column: set unless '0' or blank.
char flagAt(const std::string& row, size_t column) {
  char c = at(row, column);
  return c != '0' && c != ' ' ? 1 : 0;
}

// True when a column of [from, to] holds `c` (any non-blank when c is 0).
bool spanHolds(const std::string& row, size_t from, size_t to, char c) {
  for (size_t i = from; i <= to; ++i) {
    char x = at(row, i);
    if (c ? x == c : x != ' ') return true;
  }
  return false;
}

int boxOfRow(const std::string& row) {
  std::string part = row.size() > 11 ? row.substr(11, 3) : std::string();
  int n = std::atoi(part.c_str());
  if (n != 0) return n;
  return part.find('0') != std::string::npos ? 0 : -1;
}

void traceSecret(const char* name, const std::string& text) {
  if (traceLevel() > 0) tracef("%s: %s[%zu]\n", name, text.c_str(), text.size());
}

}  // namespace

bool SelectLogin(const std::string& given, UserEntry* entry, bool withSecrets) {
  std::string row = given.substr(0, given.find_last_not_of(' ') + 1);
  size_t end = row.find(' ');
  std::string login = row.substr(0, std::min(end == std::string::npos ? row.size() : end, kLoginMax));
  if (login.empty()) return false;
  UserEntry e;
  e.login = login;
  e.mailbox = boxOfRow(row);
  if (e.mailbox >= 0) {
    e.proof = flagAt(row, 15);
    e.saveMailbox = flagAt(row, 17);
  }
  if (traceLevel() > 0) {
    tracef("SelectLogin: %s\n", login.c_str());
    tracef("SelectMailBox: %d\n", e.mailbox);
    tracef("SelectProofCopy: %d\n", e.proof);
    tracef("SelectSaveMailbox: %d\n", e.saveMailbox);
  }
  if (withSecrets) {
    int index = findUserByLogin(login);
    const UserEntry* stored = index >= 0 ? &userEntryTable()[static_cast<size_t>(index)] : nullptr;
    if (stored && spanHolds(row, 19, 26, '*')) e.securePassword = stored->securePassword;
    e.saveSecure = flagAt(row, 28);
    if (stored && spanHolds(row, 30, 37, 0)) e.userId = stored->userId;
    e.saveUserId = flagAt(row, 39);
    if (stored && spanHolds(row, 41, 48, '*')) e.userPassword = stored->userPassword;
    e.saveUserPassword = flagAt(row, 50);
    traceSecret("SelectPassword", e.userPassword);
    traceSecret("SelectUserID", e.userId);
    traceSecret("SelectSecurePW", e.securePassword);
  }
  *entry = e;
  return true;
}
