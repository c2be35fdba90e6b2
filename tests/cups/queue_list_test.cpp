// The system queue list of spoolers other than CUPS (stand-in lpstat, System
// V printer directories under a private root), the main list's items, and
// managed printers in a real information file.
#include <sys/stat.h>

#include "cups_test_support.h"
#include "fs_root.h"
#include "info_file.h"
#include "queue_list.h"
#include "sleeper.h"
#include "system_detection.h"

using namespace cups_testing;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

std::vector<std::string> names(PList* head) {
  std::vector<std::string> out;
  for (PList* p = head->next; p != head; p = p->next) out.push_back(p->name);
  return out;
}

TEST(LpstatDevices, NamesFromEachWording) {
  EXPECT_EQ(std::vector<std::string>({"lp0", "Q2", "q3", "Q4"}),
            parseLpstatDevices("device for lp0: ipp://host:631/printers/lp0\n"
                               "device for Q2 : socket://10.0.0.1:9100\n"
                               "no colon here\n"
                               "p\xc3\xa9riph\xc3\xa9rique pour : q3 lpd://h/q\n"
                               "unique de :  Q4\n"));
}

TEST(CutQueueName, AtHostOrInstance) {
  EXPECT_EQ("Q1", cutQueueName("Q1@printhost"));
  EXPECT_EQ("Q1", cutQueueName("Q1:x"));
  EXPECT_EQ("Q1", cutQueueName("Q1@h:x"));
  const std::string long100(100, 'q');
  EXPECT_EQ(long100, cutQueueName(long100));  // no 48-byte cut
  EXPECT_EQ("qqq", cutQueueName(long100, 3));
  EXPECT_EQ("", cutQueueName(""));
}

class QueueList : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    writeFile(lpstat, "#!/bin/sh\necho x >>'" + (dir / "runs") + "'\ncat '" + (dir / "listing") + "'\n");
    ::chmod(lpstat.c_str(), 0755);
    writeFile(dir / "listing", "device for zeta: socket://h\ndevice for alpha: lpd://h/q\n");
    setup().lpMode = kLpBsd;
    setup().toolPaths[kToolLpstat] = lpstat;
  }
  int runs() { return static_cast<int>(readFile(dir / "runs").size() / 2); }
  // A fresh information file in opt/ as the installation directory.
  std::string freshHome() {
    const std::string home = opt / "opt";
    EXPECT_EQ(1, createInfoFile(home, "Default"));
    setup().userDir = home;
    return home;
  }

  TempDir dir, opt;
  std::string lpstat = dir / "lpstat";
};

TEST_F(QueueList, ReadsAgainOnlyWhenForcedOrDue) {
  SetupState& s = setup();
  EXPECT_EQ(2, getSysQ(&s.systemQueueList, 0));
  EXPECT_EQ(std::vector<std::string>({"alpha", "zeta"}), names(&s.systemQueueList));  // sorted
  writeFile(dir / "listing", "device for alpha: lpd://h/q\ndevice for beta: lpd://h/q\ndevice for zeta: x\n");
  EXPECT_EQ(1, isSystemQueue("zeta"));
  EXPECT_EQ(0, isSystemQueue("beta"));  // within the interval: the cached list
  EXPECT_EQ(1, runs());
  EXPECT_EQ(3, getSysQ(&s.systemQueueList, 1));
  EXPECT_EQ(2, runs());
  s.queueRescanInterval = 0;  // always due
  EXPECT_EQ(1, isSystemQueue("beta"));
  EXPECT_EQ(3, runs());
  setQueueDefaults();  // a new queue reads the list again
  s.queueRescanInterval = 180;
  EXPECT_EQ(1, isSystemQueue("alpha"));
  EXPECT_EQ(4, runs());
}

TEST_F(QueueList, MainListMarksTheQueuesThatAreNotManaged) {
  SetupState& s = setup();
  writeFile(dir / "listing", "device for Q1@printhost: ipp://h/q\ndevice for Q2: x\n");
  getSysQ(&s.systemQueueList, 1);
  s.printerList.name = "Q1";  // the information file's first printer lives in the head
  const std::string pad62(62, ' ');
  s.queueListFilter = 3;
  EXPECT_EQ(std::vector<std::string>({"Q1@printhost" + std::string(52, ' '), "* Q2" + pad62}),
            queueListItems());
  s.queueListFilter = 1;
  EXPECT_EQ(std::vector<std::string>({"* Q2" + pad62}), queueListItems());
  s.queueListFilter = 2;
  EXPECT_EQ(std::vector<std::string>({"Q1@printhost" + std::string(52, ' ')}), queueListItems());
}

TEST_F(QueueList, SystemVPrinterDirectories) {
  TempDir root;
  setFsRoot(root.path());
  SetupState& s = setup();
  s.lpMode = kLpSysV;
  s.osKind = 4;  // HP-UX: /usr/spool/lp/member, then the fallbacks
  {
    StderrCapture err;
    EXPECT_EQ(-1, getSysVQueList(&s.systemQueueList));
    std::string e = err.take();
    EXPECT_NE(std::string::npos, e.find("No base directory-1 : " + root.path() + "/usr/spool/lp/member\n"));
    EXPECT_NE(std::string::npos, e.find("No base directory-1 : " + root.path() + "/etc/lp/printers\n"));
  }
  ::mkdir((root / "etc").c_str(), 0755);
  ::mkdir((root / "etc/lp").c_str(), 0755);
  ::mkdir((root / "etc/lp/printers").c_str(), 0755);
  ::mkdir((root / "etc/lp/printers/lj4").c_str(), 0755);
  writeFile(root / "etc/lp/printers/dumb", "");
  ::mkfifo((root / "etc/lp/printers/fifo").c_str(), 0644);
  {
    StderrCapture err;
    EXPECT_EQ(2, getSysQ(&s.systemQueueList, 1));
  }
  EXPECT_EQ(std::vector<std::string>({"dumb", "lj4"}), names(&s.systemQueueList));
  setFsRoot("");
}

TEST_F(QueueList, ManagedPrintersInTheInformationFile) {
  testing_support::ScriptedReporter reporter;
  reporter.answers = {true};
  const std::string home = freshHome();
  SetupState& s = setup();
  s.printerName = "Default";
  ASSERT_EQ(1, addPrinter("Velta1", 1));
  EXPECT_EQ(1, isManagedPrinter("Velta1"));
  EXPECT_EQ(0, isManagedPrinter("Velta"));
  EXPECT_EQ(0755, testing_support::modeOf(home + "/Velta1"));
  EXPECT_EQ(0755, testing_support::modeOf(home + "/Velta1/root"));
  const std::string info = readFile(home + "/jarnInfo2.0");
  EXPECT_NE(std::string::npos, info.find("%%QORBLOCK_PRNT_BEGIN Velta1"));
  EXPECT_EQ("Default", s.printerName);  // put back

  EXPECT_EQ(0, addPrinter("Velta1", 1));  // managed already
  ASSERT_FALSE(reporter.messages.empty());
  EXPECT_EQ(4, reporter.messages.back().code);
  EXPECT_EQ("Queue 'Velta1' already exists .... !", reporter.messages.back().text);
  EXPECT_EQ(info, readFile(home + "/jarnInfo2.0"));

  EXPECT_EQ(1, deletePrinter("Velta1"));
  EXPECT_EQ(0, isManagedPrinter("Velta1"));
  EXPECT_FALSE(testing_support::pathExists(home + "/Velta1"));
  EXPECT_EQ(std::string::npos, readFile(home + "/jarnInfo2.0").find("Velta1"));
}

// Under CUPS, which tells no queue names apart by ASCII case, another
// spelling of a managed printer is that printer: one line, one block and one
// folder, under the records' own spelling; other spoolers compare bytes.
TEST_F(QueueList, AManagedPrinterInAnotherCaseIsThatPrinter) {
  testing_support::ScriptedReporter reporter;
  reporter.answers = {true};
  const std::string home = freshHome();
  SetupState& s = setup();
  s.lpMode = kLpCups;
  ASSERT_EQ(1, addPrinter("cyc", 1));
  const std::string info = readFile(home + "/jarnInfo2.0");
  EXPECT_EQ("cyc", managedPrinterHolding("CYC"));
  EXPECT_EQ(0, addPrinter("CYC", 1));
  EXPECT_EQ(1, addPrinter("CYC", 0));
  EXPECT_EQ(0, editInfoFile("CYC", kEditAddPrinter));
  EXPECT_EQ(info, readFile(home + "/jarnInfo2.0"));
  EXPECT_FALSE(testing_support::pathExists(home + "/CYC"));
  s.lpMode = kLpBsd;
  EXPECT_EQ(0, isManagedPrinter("CYC"));
  s.lpMode = kLpCups;
  EXPECT_EQ(1, deletePrinter("CYC"));
  EXPECT_EQ(std::string::npos, readFile(home + "/jarnInfo2.0").find("cyc"));
  EXPECT_FALSE(testing_support::pathExists(home + "/cyc"));
}

// A queue's records go only with the queue: not after a dry run (trace
// level 1), nor after a failed delete, and an information file that cannot
// be changed (no PRINTERS block) keeps every file, with a message.
TEST_F(QueueList, RecordsGoOnlyWithTheQueue) {
  struct Case {
    const char* what;
    int traceLevel;
    const char* lpadminExit;
    bool breakInfoFile;
    int result;
    int messageCode;  // 0: no message
    const char* messageHas;
  };
  const Case cases[] = {
      {"deleted", 0, "0", false, 1, 0, ""},
      {"dry run", 1, "0", false, 1, 0, ""},
      {"delete fails twice", 0, "1", false, 0, 11, "Velta2"},
      {"information file not changed", 0, "0", true, 0, 1, ""},
  };
  ToolRecorder rec;
  setSleeper([](unsigned) {});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    resetSetup();
    testing_support::ScriptedReporter reporter;
    reporter.answers = {true};
    TempDir opt;
    const std::string home = opt / "opt", info = home + "/jarnInfo2.0";
    ASSERT_EQ(1, createInfoFile(home, "Default"));
    SetupState& s = setup();
    s.userDir = home;
    s.lpMode = kLpCups;
    s.toolPaths[kToolLpadmin] = rec.tool("lpadmin");
    s.toolPaths[kToolLpstat] = rec.tool("lpstat");
    ASSERT_EQ(1, addPrinter("Velta2", 1));
    if (c.breakInfoFile) {
      std::string text = readFile(info);
      text.erase(text.find(kMarkPrintersBegin), sizeof kMarkPrintersBegin - 1);
      writeFile(info, text);
    }
    const std::string before = readFile(info);
    reporter.messages.clear();
    s.traceLevel = c.traceLevel;
    EnvGuard exit("RECORD_EXIT", c.lpadminExit);
    EXPECT_EQ(c.result, deleteQueueAndRecords("Velta2"));
    const bool kept = c.result == 0 || c.traceLevel == 1;
    EXPECT_EQ(kept, isManagedPrinter("Velta2") == 1);
    EXPECT_EQ(kept, testing_support::pathExists(home + "/Velta2/root"));
    EXPECT_EQ(kept, readFile(info) == before);
    ASSERT_EQ(c.messageCode ? 1u : 0u, reporter.messages.size());
    if (c.messageCode) {
      EXPECT_EQ(c.messageCode, reporter.messages[0].code);
      EXPECT_NE(std::string::npos, reporter.messages[0].text.find(c.messageHas));
    }
  }
  setSleeper(nullptr);
}

}  // namespace
