// The mailbox file: its line layout, round trips of every flag, long mailbox
// numbers, secrets that look like keys, refused values, long and many lines,
// its mode and group, and its failures.
#include "mailbox_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include "setup_state.h"
#include "test_support.h"
#include "trace.h"

namespace {

using testing_support::readFile;
using testing_support::ScriptedReporter;
using testing_support::TempDir;
using testing_support::writeFile;

UserEntry entry(const std::string& login, int box, int proof, const std::string& secure,
                const std::string& id, const std::string& password, const char* flags = "NNNN") {
  UserEntry e;
  e.login = login;
  e.mailbox = box;
  e.proof = proof;
  e.securePassword = secure;
  e.userId = id;
  e.userPassword = password;
  e.saveMailbox = flags[0] == 'S';
  e.saveSecure = flags[1] == 'S';
  e.saveUserId = flags[2] == 'S';
  e.saveUserPassword = flags[3] == 'S';
  return e;
}

void fill(const std::vector<UserEntry>& entries) {
  resetSetup();
  SetupState& s = setup();
  for (size_t i = 0; i < entries.size(); ++i) s.entryTable[i] = entries[i];
  s.entryCount = static_cast<int>(entries.size());
}

void expectSame(const UserEntry& a, const UserEntry& b) {
  SCOPED_TRACE(a.login);
  EXPECT_EQ(a.login, b.login);
  EXPECT_EQ(a.mailbox, b.mailbox);
  EXPECT_EQ(a.proof, b.proof);
  EXPECT_EQ(a.securePassword, b.securePassword);
  EXPECT_EQ(a.userId, b.userId);
  EXPECT_EQ(a.userPassword, b.userPassword);
  EXPECT_EQ(a.saveMailbox != 0, b.saveMailbox != 0);
  EXPECT_EQ(a.saveSecure != 0, b.saveSecure != 0);
  EXPECT_EQ(a.saveUserId != 0, b.saveUserId != 0);
  EXPECT_EQ(a.saveUserPassword != 0, b.saveUserPassword != 0);
}

// Writes the entries, reads them back into a fresh state and compares.
void roundTrip(const TempDir& dir, const std::vector<UserEntry>& entries, int mailboxMax = 100) {
  fill(entries);
  std::string path = dir / "JarnMailBoxFile";
  ASSERT_EQ(writeMailBoxFile(path), 1);
  resetSetup();
  setup().mailboxMax = mailboxMax;
  ASSERT_EQ(readMailBoxFile(path), static_cast<int>(entries.size()));
  EXPECT_EQ(setup().entryCount, static_cast<int>(entries.size()));
  for (size_t i = 0; i < entries.size(); ++i) expectSame(setup().entryTable[i], entries[i]);
}

ino_t inodeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(MailboxFile, LinesHaveTheirFixedLayout) {
  TempDir dir;
  fill({entry("alice", 5, 1, "", "", ""),
        entry("bob", -1, 0, "", "4711", ""),
        entry("carol", 12, 0, "", "", "", "SNNN"),
        entry("dave", 123, 1, "99", "7", "pw", "NSSS"),
        entry("averyveryverylongname", 0, 0, "", "", "")});
  std::string path = dir / "JarnMailBoxFile";
  ASSERT_EQ(writeMailBoxFile(path), 1);
  EXPECT_EQ(readFile(path),
            "alice           m=N5P     " + std::string(33, ' ') + "\n"
            "bob             " + std::string(9, ' ') + std::string(11, ' ') + " u=N4711      " +
                std::string(11, ' ') + "\n"
            "carol           m=S12     " + std::string(33, ' ') + "\n"
            "dave            m=N123P   p=S99         u=S7          s=Spw        \n"
            "averyveryverylongname  m=N0      " + std::string(33, ' ') + "\n");
  EXPECT_EQ(setup().mailboxSummary, "#CUS:U");
}

TEST(MailboxFile, SummaryCodeTellsWhatTheEntriesUse) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  struct Case {
    UserEntry e;
    const char* code;
  };
  const Case cases[] = {
      {entry("a", 3, 0, "", "", ""), "#CUS:N"},
      {entry("a", -1, 0, "55", "", ""), "#CUS:N"},
      {entry("a", -1, 0, "", "9", ""), "#CNS:U"},
      {entry("a", -1, 0, "", "", "pw"), ""},
  };
  for (const Case& c : cases) {
    fill({c.e});
    ASSERT_EQ(writeMailBoxFile(path), 1);
    EXPECT_EQ(setup().mailboxSummary, c.code) << c.e.mailbox;
  }
}

TEST(MailboxFile, EveryFlagAndFieldSurvivesARoundTrip) {
  TempDir dir;
  roundTrip(dir, {
                     entry("plain", 0, 0, "", "", ""),
                     entry("boxonly", 7, 1, "", "", "", "SNNN"),
                     entry("secure", -1, 0, "1234", "", "", "NSNN"),
                     entry("account", -1, 0, "", "815", "geheim", "NNSN"),
                     entry("accpw", 99, 0, "", "815", "geheim", "NNNS"),
                     entry("all", 100, 1, "31337", "0042", "x-y_z", "SSSS"),
                     entry(std::string(23, 'n'), 1, 0, std::string(23, 'p'), std::string(23, 'u'),
                           std::string(23, 's'), "SNSN"),
                 });
}

TEST(MailboxFile, LargeMailboxNumbersAreWrittenInFull) {
  TempDir dir;
  fill({entry("big", 1000, 0, "", "", ""), entry("bigp", 1000, 1, "", "", ""),
        entry("huge", 123456789, 1, "", "7", "")});
  std::string path = dir / "JarnMailBoxFile";
  ASSERT_EQ(writeMailBoxFile(path), 1);
  std::string text = readFile(path);
  EXPECT_NE(text.find("big             m=N1000   " + std::string(33, ' ') + "\n"), std::string::npos);
  EXPECT_NE(text.find("bigp            m=N1000P  "), std::string::npos);
  EXPECT_NE(text.find("huge            m=N123456789P " + std::string(11, ' ') + " u=N7   "), std::string::npos);

  roundTrip(dir, {entry("big", 1000, 0, "", "", ""), entry("huge", 123456789, 1, "", "7", "", "SNNN")},
            1000000000);

  // Above mailboxMax the box is dropped, but the other keys of the line stay.
  resetSetup();
  EXPECT_EQ(readMailBoxFile(path), 1);
  EXPECT_EQ(setup().entryTable[0].login, "huge");
  EXPECT_EQ(setup().entryTable[0].mailbox, -1);
  EXPECT_EQ(setup().entryTable[0].userId, "7");
}

TEST(MailboxFile, SecretsThatLookLikeKeysStayWhole) {
  TempDir dir;
  roundTrip(dir, {entry("alice", -1, 0, "u=123", "", "m=5p=x", "NSNS"),
                  entry("m=N5", 3, 0, "", "s=S1", "")});
}

TEST(MailboxFile, ValuesTheFileCannotCarryAreRefused) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  fill({entry("alice", 1, 0, "", "", "")});
  ASSERT_EQ(writeMailBoxFile(path), 1);
  std::string old = readFile(path);
  const UserEntry bad[] = {
      entry("bob", -1, 0, "pass word", "", ""),
      entry("bob", -1, 0, "", "", "tab\there"),
      entry("bob smith", 1, 0, "", "", ""),
      entry("bob", -1, 0, "", std::string(24, '1'), ""),
  };
  for (const UserEntry& b : bad) {
    EXPECT_FALSE(mailboxCanStore(b));
    ScriptedReporter rep;
    fill({entry("alice", 1, 0, "", "", ""), b});
    EXPECT_EQ(writeMailBoxFile(path), 0);
    EXPECT_EQ(readFile(path), old);
    EXPECT_EQ(setup().mailboxSummary, "");
    ASSERT_EQ(rep.messages.size(), 1u);
    EXPECT_EQ(rep.messages[0].code, 11);
    EXPECT_EQ(rep.messages[0].title, "Mailbox File");
    EXPECT_NE(rep.messages[0].text.find("'" + b.login + "'"), std::string::npos);
  }
}

TEST(MailboxFile, WholeLinesAreReadAndValuesCutToTheirField) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  writeFile(path,
            "alice" + std::string(150, ' ') + "u=N77 p=S" + std::string(40, 'x') + "\n" +
                std::string(40, 'L') + " s=N" + std::string(30, 'y') + " m=S9\n");
  resetSetup();
  ASSERT_EQ(readMailBoxFile(path), 2);
  const UserEntry& a = setup().entryTable[0];
  EXPECT_EQ(a.login, "alice");
  EXPECT_EQ(a.userId, "77");
  EXPECT_EQ(a.securePassword, std::string(23, 'x'));
  EXPECT_TRUE(a.saveSecure);
  const UserEntry& b = setup().entryTable[1];
  EXPECT_EQ(b.login, std::string(23, 'L'));
  EXPECT_EQ(b.userPassword, std::string(23, 'y'));
  EXPECT_EQ(b.mailbox, 9);
  EXPECT_TRUE(b.saveMailbox);
}

TEST(MailboxFile, ReadingStopsAt1024Entries) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  std::string text;
  for (int i = 0; i < 1025; ++i) text += "user" + std::to_string(i) + " m=N" + std::to_string(i % 100) + "\n";
  writeFile(path, text);
  resetSetup();
  EXPECT_EQ(readMailBoxFile(path), 1024);
  EXPECT_EQ(setup().entryCount, 1024);
  EXPECT_EQ(setup().entryTable[1023].login, "user1023");
  EXPECT_EQ(setup().entryTable[1023].mailbox, 23);
}

TEST(MailboxFile, ReaderToleratesHandWrittenLines) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  writeFile(path,
            "\n"
            "\tskipped m=N1\n"
            "nokeys at all\n"
            "onlyfar m=N101\n"
            "farbox m=N101 u=N5\n"
            "lower m=S7p\n"
            "zero m=N p=N\n"
            "crlf m=N3 s=Sx\r\n"
            "last p=S42");
  resetSetup();
  SetupState& s = setup();
  ASSERT_EQ(readMailBoxFile(path), 5);
  std::vector<UserEntry> want = {
      entry("farbox", -1, 0, "", "5", ""),
      entry("lower", 7, 1, "", "", "", "SNNN"),
      entry("zero", 0, 0, "", "", ""),
      entry("crlf", 3, 0, "", "", "x", "NNNS"),
      entry("last", -1, 0, "42", "", "", "NSNN"),
  };
  for (size_t i = 0; i < want.size(); ++i) expectSame(s.entryTable[i], want[i]);
  EXPECT_TRUE(s.entryTable[5].login.empty());
  EXPECT_EQ(s.entryTable[5].mailbox, -1);
}

TEST(MailboxFile, FileIsReplacedWithMode0640ForTheFilterGroup) {
  TempDir dir;
  std::string path = dir / "JarnMailBoxFile";
  fill({entry("alice", 1, 0, "", "", "")});
  ASSERT_EQ(writeMailBoxFile(path), 1);
  EXPECT_EQ(testing_support::modeOf(path), 0640);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  struct group* gr = ::getgrnam("lp");
  if (gr && ::geteuid() == 0) {
    EXPECT_EQ(st.st_gid, gr->gr_gid);
  }

  // A reader that has the old file open keeps reading the old contents.
  std::string old = readFile(path);
  int fd = ::open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ino_t before = inodeOf(path);
  setup().entryTable[0].mailbox = 2;
  ASSERT_EQ(writeMailBoxFile(path), 1);
  EXPECT_NE(inodeOf(path), before);
  EXPECT_EQ(testing_support::modeOf(path), 0640);
  std::string seen(old.size(), '\0');
  EXPECT_EQ(::pread(fd, &seen[0], seen.size(), 0), static_cast<ssize_t>(old.size()));
  ::close(fd);
  EXPECT_EQ(seen, old);
  EXPECT_NE(readFile(path).find("m=N2 "), std::string::npos);
}

TEST(MailboxFile, UncreatableFileFailsAndLeavesTheTable) {
  TempDir dir;
  writeFile(dir / "plain", "not a directory");
  std::string path = dir / "plain/JarnMailBoxFile";
  fill({entry("alice", 1, 0, "", "", "")});
  setup().mailboxSummary = "#CUS:N";
  ScriptedReporter rep;
  EXPECT_EQ(writeMailBoxFile(path), 0);
  EXPECT_EQ(setup().mailboxSummary, "");
  EXPECT_EQ(setup().entryTable[0].login, "alice");
  EXPECT_EQ(setup().entryCount, 1);
  ASSERT_EQ(rep.messages.size(), 1u);
  EXPECT_EQ(rep.messages[0].code, 11);
  EXPECT_EQ(rep.messages[0].text, "Cannot write the mailbox file:\n'" + path + "'");
}

TEST(MailboxFile, DefaultPathIsThePrintersRootDirectory) {
  TempDir dir;
  fill({entry("alice", 4, 0, "", "", "")});
  SetupState& s = setup();
  s.userFullDir = dir / "Q";
  ASSERT_EQ(::mkdir(s.userFullDir.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((s.userFullDir + "/root").c_str(), 0755), 0);
  setTraceLevel(2);  // traces, and writes (level 1 is a dry run)
  testing::internal::CaptureStderr();
  EXPECT_EQ(writeMailBoxFile(), 1);
  s.entryTable[0] = UserEntry();
  EXPECT_EQ(readMailBoxFile(), 1);
  std::string path = dir / "Q/root/JarnMailBoxFile";
  ::unlink(path.c_str());
  EXPECT_EQ(readMailBoxFile(), 0);
  std::string trace = testing::internal::GetCapturedStderr();
  setTraceLevel(0);
  EXPECT_EQ(trace, "Stored fileBoxFile: '" + path + "'.\nLoaded fileBoxFile: '" + path +
                       "'.\nNo fileBoxFile: '" + path + "'.\n");
  EXPECT_EQ(s.entryCount, 0);
  EXPECT_EQ(s.entryTable[0].login, "");
  EXPECT_EQ(s.entryTable[0].mailbox, -1);

  // Without a printer directory there is no file at all: nothing is
  // written, the table reads as empty, and nothing is said.
  s.userFullDir.clear();
  s.entryTable[0] = entry("kept", 1, 0, "", "", "");
  s.entryCount = 1;
  ScriptedReporter rep;
  bool rootFile = testing_support::pathExists("/root/JarnMailBoxFile");
  EXPECT_EQ(writeMailBoxFile(), 0);
  EXPECT_EQ(testing_support::pathExists("/root/JarnMailBoxFile"), rootFile);
  EXPECT_EQ(readMailBoxFile(), 0);
  EXPECT_EQ(s.entryTable[0].login, "");
  EXPECT_EQ(s.entryCount, 0);
  EXPECT_TRUE(rep.messages.empty()) << rep.messages[0].text;
}

TEST(MailboxFile, FreeEntriesWriteNoLine) {
  TempDir dir;
  fill({entry("alice", 1, 0, "", "", ""), UserEntry(), entry("carol", 2, 0, "", "", "")});
  std::string path = dir / "JarnMailBoxFile";
  ASSERT_EQ(writeMailBoxFile(path), 1);
  resetSetup();
  EXPECT_EQ(readMailBoxFile(path), 2);
  EXPECT_EQ(setup().entryTable[1].login, "carol");
}

// The line code on its own, as the installer uses it: a line read back is
// the entry written, a box above the maximum is dropped.
TEST(MailboxFile, OneLineOnItsOwn) {
  UserEntry e = entry("dave", 12, 1, "77", "u1", "s1", "SNSN");
  std::string line = formatMailBoxLine(e);
  EXPECT_EQ(line.substr(0, 27), "dave            m=S12P    p");
  UserEntry back;
  ASSERT_TRUE(parseMailBoxLine(line, 100, &back));
  expectSame(back, e);
  UserEntry capped;
  ASSERT_TRUE(parseMailBoxLine(line, 11, &capped));
  EXPECT_EQ(capped.mailbox, -1);
  EXPECT_FALSE(parseMailBoxLine("\tdave  m=S12", 100, &capped));
}

}  // namespace
