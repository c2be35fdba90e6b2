// The state record's defaults, the queue reset and the snapshot keyword table.
#include "setup_state.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupState, StartDefaults) {
  resetSetup();
  const SetupState& s = setup();
  EXPECT_EQ(s.configVersion, 0x7f100);
  EXPECT_EQ(s.printerName, "Default");
  EXPECT_EQ(s.userName, "root");
  EXPECT_EQ(s.tcpPort, 9100);
  EXPECT_EQ(s.ippPath, "ipp");
  EXPECT_EQ(s.mailboxMax, 100);
  EXPECT_EQ(s.mailboxNumber, -1);
  EXPECT_EQ(s.createMode, 0);
  EXPECT_EQ(s.entryTable.size(), 1024u);
  EXPECT_EQ(s.programDir, "/opt/bry/");
}

TEST(SetupState, QueueDefaultsEmptyTheSystemQueueList) {
  resetSetup();
  SetupState& s = setup();
  addPList(&s.systemQueueList, new PList("lp0", 1));
  s.systemQueueCount = 1;
  s.lastQueueScan = 1234;
  s.tcpPort = 9101;
  s.keepOptions = 1;
  s.workEntry.mailbox = 4;
  s.printerName = "kept";
  setQueueDefaults();
  EXPECT_EQ(countPList(&s.systemQueueList), 1);
  EXPECT_EQ(s.lastQueueScan, 0);
  EXPECT_EQ(s.tcpPort, 9100);
  EXPECT_EQ(s.keepOptions, 0);
  EXPECT_EQ(s.createMode, 1);
  EXPECT_EQ(s.workEntry.mailbox, -1);
  EXPECT_EQ(s.printerName, "kept");  // the name is not a queue default
}

TEST(SetupState, SnapKeywordTableHasTenKeywords) {
  resetSetup();
  initSnapKeywords();
  const SetupState& s = setup();
  int withKeyword = 0;
  for (const auto& k : s.snapKeywords) {
    if (!k.keyword.empty()) ++withKeyword;
    EXPECT_EQ(k.found, 0);
  }
  EXPECT_EQ(withKeyword, 10);
  EXPECT_EQ(s.snapKeywords[1].keyword, "PRINTERNAME:");
  EXPECT_EQ(s.snapKeywords[1].target, &setup().printerName);
  EXPECT_EQ(s.snapKeywords[9].keyword, "PPDFILENAME:");
}

TEST(SetupState, RemoteQueueKinds) {
  resetSetup();
  const struct {
    const char* name;
    int kind;
  } cases[] = {{"lp", 1}, {"print", 2}, {"direct", 3}, {"hold", 4}, {"spool", 5}, {"raw", 6}, {"LP", 6}};
  for (const auto& c : cases) {
    storeRemoteQueue(c.name);
    EXPECT_EQ(setup().lpdRemoteKind, c.kind) << c.name;
    EXPECT_EQ(setup().remoteQueue, c.name);
  }
  storeRemoteQueue(std::string(100, 'q'));
  EXPECT_EQ(setup().remoteQueue.size(), 24u);
}

TEST(SetupState, TraceLevelIsSharedWithTheTraceGate) {
  resetSetup();
  setup().traceLevel = 2;
  EXPECT_EQ(traceLevel(), 2);
  testing::internal::CaptureStderr();
  tracef("x=%d\n", 5);
  setup().traceLevel = 0;
  tracef("hidden\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "x=5\n");
}

}  // namespace
