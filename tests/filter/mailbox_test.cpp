// The mailbox file at print time: which lines are taken for the user and
// for root, their values, and the merges with the command line.
#include <cstdlib>
#include <sys/stat.h>

#include "filter_test_helpers.h"
#include "mailbox_merge.h"
#include "mailbox_reader.h"
#include "test_support.h"

using filter_testing::optionsFrom;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// A queue directory tree under JARNDATADIR with the given mailbox file.
class MailboxTree {
 public:
  explicit MailboxTree(const std::string& content) {
    std::string root = dir_.path() + "/Q1/root";
    ::mkdir((dir_.path() + "/Q1").c_str(), 0755);
    ::mkdir(root.c_str(), 0755);
    writeFile(root + "/JarnMailBoxFile", content);
    ::setenv("JARNDATADIR", dir_.path().c_str(), 1);
  }
  ~MailboxTree() { ::unsetenv("JARNDATADIR"); }

 private:
  TempDir dir_;
};

// One line as the administration program writes it: the name in 14
// columns, two blanks, then the fields.
std::string entry(const std::string& name, const std::string& fields) {
  std::string padded = name;
  if (padded.size() < 14) padded.resize(14, ' ');
  return padded + "  " + fields + "\n";
}

// Reads the file for user and merges, as the filter's start-up does.
JobSettings jobFor(const std::string& user, std::initializer_list<const char*> options, int* result = nullptr) {
  JobSettings s = optionsFrom(options);
  s.userName = user;
  s.printer = "Q1";
  int r = getMAILBOX(s);
  if (result) *result = r;
  mergeMailbox(s);
  mergeUserIdPassword(s);
  mergeSecurePassword(s);
  return s;
}

}  // namespace

TEST(Mailbox, UserLineWithRootFallback) {
  MailboxTree tree(entry("alice", "m=N5P     ") + entry("root", "m=N7      "));
  JobSettings s = jobFor("alice", {});
  EXPECT_EQ(s.mailbox, 5);
  EXPECT_EQ(s.proof, 1);
  s = jobFor("alice", {"-BB9"});
  EXPECT_EQ(s.mailbox, 9);
  EXPECT_EQ(s.proof, 1);  // as alice's line set it
  s = jobFor("carol", {});
  EXPECT_EQ(s.mailbox, 7);
  EXPECT_EQ(s.proof, 0);
}

TEST(Mailbox, RootOverrideWins) {
  MailboxTree tree(entry("alice", "m=N5P     ") + entry("root", "m=S7      "));
  for (const char* option : {"-BB9", "-D0"}) {
    JobSettings s = jobFor("alice", {option});
    EXPECT_EQ(s.mailbox, 7) << option;
    EXPECT_EQ(s.proof, 0) << option;
  }
}

TEST(Mailbox, UserOverrideBeatsOptionAndRoot) {
  MailboxTree tree(entry("alice", "m=S5      ") + entry("root", "m=S7      "));
  EXPECT_EQ(jobFor("alice", {"-BB9"}).mailbox, 5);
}

TEST(Mailbox, OutOfRangeAndZeroValues) {
  MailboxTree tree(entry("alice", "m=N120    p=N0000      u=N0000       s=Nsecret    ") + entry("root", "m=N4      "));
  int result = 0;
  JobSettings s = jobFor("alice", {}, &result);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(s.userMailbox, -1);
  EXPECT_EQ(s.mailbox, 4);  // root's, as alice stores none
  EXPECT_EQ(s.proof, 0);
  EXPECT_EQ(s.userAccountId, "");
  EXPECT_EQ(s.userSecurePassword, "");
  EXPECT_EQ(s.userAccountPassword, "secret");
}

TEST(Mailbox, NamesAreWholeFirstWords) {
  MailboxTree tree(entry("malice", "m=N1      ") + entry("alice2", "m=N2      ") + entry("alice", "m=N3      ") +
                   entry("root", "m=N4      "));
  EXPECT_EQ(jobFor("alice", {}).mailbox, 3);
  EXPECT_EQ(jobFor("al", {}).mailbox, 4);
  EXPECT_EQ(jobFor("malice", {}).mailbox, 1);
}

TEST(Mailbox, NameInsideRootsLineDoesNotHideIt) {
  MailboxTree tree(entry("root", "m=N4                  u=N4711      s=N99       "));
  JobSettings s = jobFor("4711", {});
  EXPECT_EQ(s.mailbox, 4);
  EXPECT_EQ(s.accountId, "4711");
  EXPECT_EQ(s.accountPassword, "99");
}

TEST(Mailbox, KeysCountOnlyAtTheStartOfAWord) {
  MailboxTree tree(entry("alice", "xm=N9 m=N5 zu=N77 u=N12"));
  JobSettings s = jobFor("alice", {});
  EXPECT_EQ(s.mailbox, 5);
  EXPECT_EQ(s.accountId, "12");
}

TEST(Mailbox, RootUserReadsTheRootLineAsItsOwn) {
  MailboxTree tree(entry("root", "m=N4P     "));
  JobSettings s = jobFor("root", {});
  EXPECT_EQ(s.userMailbox, 4);
  EXPECT_EQ(s.rootMailbox, -1);
  EXPECT_EQ(s.mailbox, 4);
  EXPECT_EQ(s.proof, 1);
}

TEST(Mailbox, CrLfLinesAndLongLines) {
  std::string longLine = "bob" + std::string(280, ' ') + "root  m=S9\n";
  MailboxTree tree("alice           m=N6      \r\n" + longLine + "carol           m=N2      \r\n");
  JobSettings s = jobFor("alice", {});
  EXPECT_EQ(s.mailbox, 6);
  // The tail of the long line is not a root line of its own.
  s = jobFor("dave", {"-BB3"});
  EXPECT_EQ(s.rootMailbox, -1);
  EXPECT_EQ(s.mailbox, 3);
  EXPECT_EQ(jobFor("carol", {}).mailbox, 2);
}

TEST(Mailbox, AccountPairMovesTogether) {
  MailboxTree tree(entry("alice", "         p=N1234       u=S500        ") +
                   entry("root", "          u=N900        s=Nrootpw   "));
  JobSettings s = jobFor("alice", {"-UID=111", "-UPW=222", "-SPW=333"});
  EXPECT_EQ(s.accountId, "500");
  EXPECT_EQ(s.accountPassword, "");  // alice's line has no password: it moves with her ID
  EXPECT_EQ(s.securePassword, "333");  // alice's p= does not override
  s = jobFor("carol", {"-UPW=222"});
  EXPECT_EQ(s.accountId, "900");
  EXPECT_EQ(s.accountPassword, "rootpw");
}

TEST(Mailbox, MissingFileOrNamesLeaveOptions) {
  ::setenv("JARNDATADIR", "/nonexistent/jarn-data", 1);
  JobSettings s = optionsFrom({"-BB8", "-UID=5"});
  s.userName = "alice";
  s.printer = "Q1";
  EXPECT_EQ(getMAILBOX(s), -1);
  mergeMailbox(s);
  mergeUserIdPassword(s);
  EXPECT_EQ(s.mailbox, 8);
  EXPECT_EQ(s.accountId, "5");
  ::unsetenv("JARNDATADIR");

  MailboxTree tree(entry("alice", "m=N5      "));
  s = JobSettings();
  s.printer = "Q1";
  EXPECT_EQ(getMAILBOX(s), -1);  // no user name
  s.userName = "alice";
  s.printer.clear();
  EXPECT_EQ(getMAILBOX(s), -1);  // no printer name
}

TEST(Mailbox, CandidatePathsStartWithJarnDataDir) {
  ::setenv("JARNDATADIR", "/srv/jarn", 1);
  std::vector<std::string> paths = mailboxFileCandidates("P");
  ::unsetenv("JARNDATADIR");
  ASSERT_EQ(paths.size(), 7u);
  EXPECT_EQ(paths[0], "/srv/jarn/P/root/JarnMailBoxFile");
  EXPECT_EQ(paths[1], "/opt/bry/P/root/JarnMailBoxFile");
  EXPECT_EQ(paths[6], "/etc/cups/velta/P/root/JarnMailBoxFile");
  EXPECT_EQ(mailboxFileCandidates("P").size(), 6u);
}
