// The job entry table: order, deletion, clearing, masks and the list rows.
#include "user_entries.h"

#include <gtest/gtest.h>

#include "setup_state.h"
#include "trace.h"

namespace {

UserEntry named(const std::string& login, int box = -1) {
  UserEntry e;
  e.login = login;
  e.mailbox = box;
  return e;
}

std::vector<std::string> logins(int n) {
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.push_back(setup().entryTable[static_cast<size_t>(i)].login);
  return out;
}

TEST(UserEntries, MaskShowsOneStarPerCharacterWithinItsBounds) {
  EXPECT_EQ(maskText(static_cast<const char*>(nullptr), 7), "");
  EXPECT_EQ(maskText("abc", 7), "*******");
  EXPECT_EQ(maskText("abcdefghij", 7), "**********");
  EXPECT_EQ(maskText("", 0), "");
  EXPECT_EQ(maskText(std::string(200, 'x'), 0), std::string(63, '*'));
  EXPECT_EQ(maskText("ab", 100), std::string(63, '*'));
}

TEST(UserEntries, SortPutsNamesInOrderAndFreeEntriesLast) {
  resetSetup();
  SetupState& s = setup();
  s.entryTable[0] = named("bob");
  s.entryTable[1] = UserEntry();
  s.entryTable[2] = named("alice", 3);
  EXPECT_EQ(sortUserEntries(3), 2);
  EXPECT_EQ(s.entryCount, 2);
  EXPECT_EQ(logins(3), (std::vector<std::string>{"alice", "bob", ""}));
  EXPECT_EQ(s.entryTable[0].mailbox, 3);  // the whole entry moves with its name

  // A count below 1 sorts the whole table, the last entry included.
  s.entryTable[1023] = named("aaron");
  EXPECT_EQ(sortUserEntries(0), 3);
  EXPECT_EQ(logins(3), (std::vector<std::string>{"aaron", "alice", "bob"}));
  EXPECT_TRUE(s.entryTable[1023].login.empty());

  EXPECT_LT(compareUserEntries(named("a"), UserEntry()), 0);
  EXPECT_GT(compareUserEntries(UserEntry(), named("a")), 0);
  EXPECT_EQ(compareUserEntries(UserEntry(), UserEntry()), 0);
  EXPECT_LT(compareUserEntries(named("Zed"), named("adam")), 0);  // byte-wise
}

TEST(UserEntries, DeleteClearsAndResorts) {
  resetSetup();
  SetupState& s = setup();
  s.entryTable[0] = named("alice", 1);
  s.entryTable[0].securePassword = "1234";
  s.entryTable[1] = named("bob", 2);
  s.entryTable[2] = named("carol", 3);
  sortUserEntries(-1);

  delMailboxListItem(0, 0);  // no re-sort: the hole stays
  EXPECT_TRUE(s.entryTable[0].login.empty());
  EXPECT_TRUE(s.entryTable[0].securePassword.empty());
  EXPECT_EQ(s.entryCount, 3);

  setTraceLevel(1);
  testing::internal::CaptureStderr();
  delMailboxListItem(1, 1);
  std::string trace = testing::internal::GetCapturedStderr();
  setTraceLevel(0);
  EXPECT_EQ(trace, "delMailboxListItem(1)N2=1\n");
  EXPECT_EQ(logins(2), (std::vector<std::string>{"carol", ""}));
  EXPECT_EQ(s.entryCount, 1);

  // Indices outside the table are ignored.
  delMailboxListItem(-1, 1);
  delMailboxListItem(1024, 1);
  EXPECT_EQ(s.entryCount, 1);

  // An empty table is left alone.
  clearUserEntries();
  s.entryTable[5] = named("ghost");
  delMailboxListItem(5, 1);
  EXPECT_EQ(s.entryTable[5].login, "ghost");
  EXPECT_EQ(s.entryCount, 0);
}

TEST(UserEntries, ClearEmptiesTheWholeTable) {
  resetSetup();
  SetupState& s = setup();
  s.entryTable[0] = named("alice");
  s.entryTable[1023] = named("zed");
  s.entryCount = 1;
  clearUserEntries();
  EXPECT_EQ(s.entryCount, 0);
  for (const UserEntry& e : s.entryTable) ASSERT_TRUE(e.login.empty());
  EXPECT_EQ(s.entryTable.size(), 1024u);
}

TEST(UserEntries, EmptyTableShowsTheRootRow) {
  resetSetup();
  std::vector<std::string> rows = userEntryListRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0], "root" + std::string(244, ' '));
}

TEST(UserEntries, RowsPutEachPartAtItsColumn) {
  resetSetup();
  SetupState& s = setup();
  UserEntry& full = s.entryTable[0];
  full = named("alice", 5);
  full.proof = 1;
  full.saveMailbox = 1;
  full.securePassword = "secret";
  full.saveSecure = 1;
  full.userId = "4711";
  full.saveUserId = 1;
  full.userPassword = "pw";
  full.saveUserPassword = 1;
  UserEntry& bare = s.entryTable[1];
  bare = named("bob");
  bare.userId = "12345678901";
  UserEntry& box0 = s.entryTable[2];
  box0 = named("averyveryverylongname", 0);
  box0.userPassword = "abcdefghijklmnopqrstuvw";  // 23 characters
  s.entryCount = 3;

  std::vector<std::string> rows = userEntryListRows();
  ASSERT_EQ(rows.size(), 3u);
  // columns:         0         1         2         3         4         5
  //                  01234567890123456789012345678901234567890123456789012345
  EXPECT_EQ(rows[0], "alice      005 1 1 *******  1 *******  1 *******  1     ");
  // A longer secret runs on until the next flag column takes over.
  EXPECT_EQ(rows[1], "bob                           *********                 ");
  EXPECT_EQ(rows[2], "averyveryve000                           *********      ");
  for (const std::string& r : rows) {
    EXPECT_EQ(r.size(), 56u);
    EXPECT_EQ(r.find_first_not_of(" *1", 15), std::string::npos) << r;  // stars only
  }
  EXPECT_EQ(userEntryListHeight(1), 512);
  EXPECT_EQ(userEntryListHeight(30), 512);
  EXPECT_EQ(userEntryListHeight(31), 527);
  EXPECT_EQ(userEntryListHeight(1024), 17408);
}

}  // namespace
