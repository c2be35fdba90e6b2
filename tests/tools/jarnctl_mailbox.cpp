// jarnctl mailbox-write FILE / mailbox-read FILE [MAXBOX]: the mailbox file
// as a table of words, one user per line:
//
//   login box proof securePW userID userPW flags
//
// box -1 means none, proof is 0 or 1, "-" stands for an empty text, and
// flags is four letters S or N: override of the mailbox, the secure
// password, the ID and the ID password. mailbox-write takes the table on
// standard input; mailbox-read prints the table it read in the same form
// (MAXBOX: the highest mailbox number accepted, 100 by default).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "jarnctl.h"
#include "mailbox_file.h"
#include "setup_state.h"
#include "user_entry.h"

namespace {

std::string textWord(const std::string& word) { return word == "-" ? std::string() : word; }
const char* shownWord(const std::string& text) { return text.empty() ? "-" : text.c_str(); }

bool parseInt(const std::string& word, int* value) {
  try {
    size_t used = 0;
    *value = std::stoi(word, &used);
    return used == word.size();
  } catch (const std::exception&) {
    return false;
  }
}

bool parseFlags(const std::string& word, UserEntry& e) {
  if (word.size() != 4 || word.find_first_not_of("SN") != std::string::npos) return false;
  e.saveMailbox = word[0] == 'S';
  e.saveSecure = word[1] == 'S';
  e.saveUserId = word[2] == 'S';
  e.saveUserPassword = word[3] == 'S';
  return true;
}

// One input line into `e`; an error text, or "" when it is good.
std::string parseEntry(const std::string& line, UserEntry& e) {
  std::istringstream in(line);
  std::string login, box, proof, secure, id, password, flags, extra;
  if (!(in >> login >> box >> proof >> secure >> id >> password >> flags) || (in >> extra)) {
    return "expected: login box proof securePW userID userPW flags";
  }
  if (!parseInt(box, &e.mailbox) || e.mailbox < -1) return "bad box '" + box + "'";
  if (proof != "0" && proof != "1") return "bad proof '" + proof + "' (0 or 1)";
  e.proof = proof == "1";
  if (!parseFlags(flags, e)) return "bad flags '" + flags + "' (four letters S or N)";
  e.login = textWord(login);
  e.securePassword = textWord(secure);
  e.userId = textWord(id);
  e.userPassword = textWord(password);
  return std::string();
}

int mailboxWrite(const JarnctlArgs& args) {
  if (args.size() != 1) return jarnctlUsage("mailbox-write");
  SetupState& s = setup();
  std::string line;
  int lineNo = 0;
  size_t used = 0;
  while (std::getline(std::cin, line)) {
    ++lineNo;
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    if (used >= s.entryTable.size()) return jarnctlFail("more than 1024 entries");
    std::string error = parseEntry(line, s.entryTable[used]);
    if (!error.empty()) return jarnctlFail("line " + std::to_string(lineNo) + ": " + error);
    ++used;
  }
  s.entryCount = static_cast<int>(used);
  if (writeMailBoxFile(args[0]) != 1) return jarnctlFail("cannot write '" + args[0] + "'");
  return 0;
}

int mailboxRead(const JarnctlArgs& args) {
  if (args.empty() || args.size() > 2) return jarnctlUsage("mailbox-read");
  SetupState& s = setup();
  if (args.size() == 2 && !parseInt(args[1], &s.mailboxMax)) return jarnctlUsage("mailbox-read");
  if (!std::ifstream(args[0])) return jarnctlFail("cannot open '" + args[0] + "'");
  int count = readMailBoxFile(args[0]);
  for (int i = 0; i < count; ++i) {
    const UserEntry& e = s.entryTable[static_cast<size_t>(i)];
    std::printf("%s %d %d %s %s %s %c%c%c%c\n", shownWord(e.login), e.mailbox, e.proof,
                shownWord(e.securePassword), shownWord(e.userId), shownWord(e.userPassword),
                e.saveMailbox ? 'S' : 'N', e.saveSecure ? 'S' : 'N', e.saveUserId ? 'S' : 'N',
                e.saveUserPassword ? 'S' : 'N');
  }
  return 0;
}

}  // namespace

JARNCTL_COMMAND("mailbox-write", "FILE  (entries on stdin: login box proof securePW userID userPW flags)",
                mailboxWrite);
JARNCTL_COMMAND("mailbox-read", "FILE [MAXBOX]", mailboxRead);
