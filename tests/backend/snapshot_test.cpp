// The snapshot restore: a SESSION block in a real file fills the queue fields.
#include "snapshot.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "setup_state.h"
#include "test_support.h"

namespace {

using testing_support::TempDir;
using testing_support::writeFile;

const char* const kSnapVars[] = {"JARNINFO", "JARNUSERINFO", "JARNUSERDIR"};

class SnapshotTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* v : kSnapVars) {
      const char* old = std::getenv(v);
      saved.push_back(old ? std::make_pair(true, std::string(old)) : std::make_pair(false, std::string()));
      ::unsetenv(v);
    }
    resetSetup();
    setQueueDefaults();
  }
  void TearDown() override {
    for (size_t i = 0; i < saved.size(); ++i) {
      if (saved[i].first) ::setenv(kSnapVars[i], saved[i].second.c_str(), 1);
      else ::unsetenv(kSnapVars[i]);
    }
    resetSetup();
  }
  // A snapshot file holding the SESSION lines.
  std::string snapshot(const std::string& lines) {
    std::string path = dir / "snap";
    writeFile(path, "#\n%%QORBLOCK_SESSION_BEGIN\n" + lines + "%%QORBLOCK_SESSION_END\n#\n%%QOREND");
    return path;
  }
  const SnapKeyword& entry(const std::string& keyword) {
    for (const SnapKeyword& k : setup().snapKeywords)
      if (k.keyword == keyword) return k;
    static SnapKeyword none;
    return none;
  }

  std::vector<std::pair<bool, std::string>> saved;
  TempDir dir;
};

TEST_F(SnapshotTest, RawTcpTakesThePortFromTheRemoteQueueAndTheHost) {
  std::string f = snapshot("PRINTERNAME: lab\nPRINTERHOST:  10.0.0.5  \nPRINTERREMQ: 9101\n"
                           "PRINTERTYPE: 2\nPRINTERCNCT: 3\nUSERDIR: /u\nUSERFULLDIR: /u/p\nUSR: bob\n"
                           "PPDFILENAME:/p/x.ppd\n");
  setTraceLevel(1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(restoreSnapData(1, f), 1);
  std::string trace = testing::internal::GetCapturedStderr();
  SetupState& s = setup();
  EXPECT_EQ(s.connectType, 3);
  EXPECT_EQ(s.printerType, 2);
  EXPECT_EQ(s.tcpPort, 9101);
  EXPECT_EQ(s.tcpHost, "10.0.0.5");
  EXPECT_EQ(s.printerName, "lab");
  EXPECT_EQ(s.userName, "bob");
  EXPECT_EQ(s.userDir, "/u");
  EXPECT_EQ(s.userFullDir, "/u/p");
  EXPECT_EQ(s.ppdFile, "/p/x.ppd");
  EXPECT_EQ(s.keepOptions, 1);
  EXPECT_EQ(trace, "restoreSnapData::fname = " + f + "\nRestoreSnap for 9100: IP=10.0.0.5, Port=9101\n");
}

TEST_F(SnapshotTest, ARemoteQueueThatIsNotANumberLeavesThePort) {
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERCNCT: 3\nPRINTERREMQ: lp9\n")), 1);
  EXPECT_EQ(setup().tcpPort, 9100);
  EXPECT_EQ(setup().tcpHost, "");
}

TEST_F(SnapshotTest, AKeywordWithOnlyBlanksEmptiesItsTargetAndIsNotFound) {
  setup().userName = "someone";
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERTYPE:    \nUSR:\t \n")), 1);
  EXPECT_EQ(setup().printerType, 1);
  EXPECT_EQ(entry("PRINTERTYPE:").found, 0);
  EXPECT_EQ(setup().snapPrinterType, "");
  EXPECT_EQ(setup().userName, "");
}

TEST_F(SnapshotTest, LpdAndLocalConnectionsTakeTheirEffects) {
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERCNCT: 2\nPRINTERREMQ: print\n")), 1);
  EXPECT_EQ(setup().lpdRemoteKind, 2);
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERCNCT: 2\nPRINTERREMQ: queue7\n")), 1);
  EXPECT_EQ(setup().lpdRemoteKind, 6);

  setup().deviceName = "/dev/lp0";
  setTraceLevel(1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERCNCT: 4\n")), 1);
  std::string trace = testing::internal::GetCapturedStderr();
  EXPECT_NE(trace.find("RestoreSnap for LOCAL: Device: /dev/lp0\n"), std::string::npos) << trace;
  EXPECT_EQ(setup().deviceName, "/dev/lp0");
}

TEST_F(SnapshotTest, OverLongValuesAreCutAndOutOfRangeNumbersIgnored) {
  std::string longName(500, 'n');
  std::string longHost(300, 'h');
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERNAME: " + longName + "\nPRINTERHOST: " + longHost +
                                        "\nPRINTERTYPE: 99999999999999999999\n"
                                        "PRINTERCNCT: 3\nPRINTERREMQ: 4294967297\n")),
            1);
  SetupState& s = setup();
  EXPECT_EQ(s.printerName, longName.substr(0, 127));
  EXPECT_EQ(s.printerHost, longHost.substr(0, 255));
  EXPECT_EQ(s.tcpHost, longHost.substr(0, 63));
  EXPECT_EQ(s.printerType, 1);
  EXPECT_EQ(s.tcpPort, 9100);
  EXPECT_EQ(s.remoteQueue.size(), 10u);
}

TEST_F(SnapshotTest, NoSessionBlockStillKeepsTheOptions) {
  std::string f = dir / "plain";
  writeFile(f, "%%QORBLOCK_GENERAL_BEGIN\nPRINTERCNCT: 3\n%%QORBLOCK_GENERAL_END\n%%QOREND");
  EXPECT_EQ(restoreSnapData(1, f), 1);
  EXPECT_EQ(setup().keepOptions, 1);
  EXPECT_EQ(setup().connectType, 2);
}

TEST_F(SnapshotTest, AFileThatCannotBeReadIsNoSnapshot) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(restoreSnapData(1, dir / "missing"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No config file: No such file or directory\n");
  EXPECT_EQ(setup().keepOptions, 0);
}

TEST_F(SnapshotTest, ModeZeroWithoutVariablesHasNoFile) {
  setTraceLevel(1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(restoreSnapData(0, dir / "ignored"), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "restoreSnapData::fname = NULL\n");
  EXPECT_EQ(setup().keepOptions, 0);
}

TEST_F(SnapshotTest, EnvironmentChoosesTheFileInItsOrder) {
  std::string f = snapshot("PRINTERNAME: fromenv\n");
  ::setenv("JARNUSERDIR", dir.path().c_str(), 1);
  EXPECT_EQ(snapFileFromEnvironment(), dir.path() + "/JarnInfo2.0");
  ::setenv("JARNUSERDIR", (dir.path() + "/").c_str(), 1);
  EXPECT_EQ(snapFileFromEnvironment(), dir.path() + "/JarnInfo2.0");
  ::setenv("JARNUSERINFO", "/u/info", 1);
  EXPECT_EQ(snapFileFromEnvironment(), "/u/info");
  ::setenv("JARNINFO", f.c_str(), 1);
  EXPECT_EQ(snapFileFromEnvironment(), f);
  EXPECT_EQ(restoreSnapData(0, ""), 1);
  EXPECT_EQ(setup().printerName, "fromenv");
}

TEST_F(SnapshotTest, AnotherModeFillsTheKeywordTableAgain) {
  setup().snapKeywords[4].found = 1;  // a stale "PRINTERTYPE:" from an earlier read
  setup().snapPrinterType = "3";
  EXPECT_EQ(restoreSnapData(1, snapshot("PRINTERNAME: x\n")), 1);
  EXPECT_EQ(setup().printerType, 1);
  EXPECT_EQ(entry("PRINTERNAME:").found, 1);
}

TEST_F(SnapshotTest, MatchSnapKeywordNeedsAFoundEntryWhoseKeywordBeginsWithTheGivenOne) {
  std::string text = "42";
  SnapKeyword e{"PRINTERCNCT:", &text, 1};
  int target = 7;
  matchSnapKeyword(e, "PRINTERTYPE:", &target);
  EXPECT_EQ(target, 7);
  matchSnapKeyword(e, "PRINTER", &target);
  EXPECT_EQ(target, 42);
  e.found = 0;
  text = "5";
  matchSnapKeyword(e, "PRINTERCNCT:", &target);
  EXPECT_EQ(target, 42);
  e.found = 1;
  text = "abc";
  matchSnapKeyword(e, "PRINTERCNCT:", &target);
  EXPECT_EQ(target, 42) << "a text without a number leaves the target";
}

}  // namespace
