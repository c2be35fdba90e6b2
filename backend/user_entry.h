// One user's job settings on one printer, as kept in the entry table and in
// the printer's mailbox file.
#pragma once

#include <string>

constexpr size_t kUserFieldSize = 24;  // login and the three texts: 23 bytes + NUL
constexpr int kMaxUserEntries = 1024;

struct UserEntry {
  int mailbox = -1;            // 0..mailboxMax; -1 = no mailbox
  int proof = 0;               // 1 = a proof copy with mailbox jobs
  std::string login;           // empty = free slot
  std::string securePassword;  // file key "p="
  std::string userId;          // file key "u="
  std::string userPassword;    // file key "s="
  char saveSecure = 0;         // 1 = overrides the job's own value ('S')
  char saveUserId = 0;
  char saveUserPassword = 0;
  char saveMailbox = 0;
};
