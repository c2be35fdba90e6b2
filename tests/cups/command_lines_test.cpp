// The spooler command lines: printed byte for byte at trace level 1 with
// nothing run, and run from an argv that holds each value literally.
#include <sys/stat.h>
#include <unistd.h>

#include "command_formats.h"
#include "cups_options.h"
#include "cups_test_support.h"
#include "device_uri.h"
#include "queue_commands.h"
#include "sleeper.h"
#include "system_detection.h"

using namespace cups_testing;

namespace {

class CommandLines : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    SetupState& s = setup();
    s.lpMode = kLpCups;
    s.toolPaths[kToolLpadmin] = "/usr/sbin/lpadmin";
    s.toolPaths[kToolAccept] = "/usr/sbin/cupsaccept";
    s.toolPaths[kToolEnable] = "/usr/sbin/cupsenable";
    s.toolPaths[kToolLpstat] = "/usr/bin/lpstat";
    s.tcpHost = "10.0.0.5";
    s.tcpPort = 9101;
    s.deviceName = "/dev/ttyS0";
    s.usbDeviceId = "usb://Velta/C400 (x)%1%%";
    s.usbDevicePath = "/dev/usb/lp0";
    s.ippHost = "127.0.0.1:8631";
    s.ippPath = "//ipp/print";
    s.fileName = "/tmp/out.prn";
    s.lpdHost = "printhost";
    s.remoteQueue = "raw";
    s.ppdFile = "/opt/ppd/C400.ppd";
    setup().newQueueRemoteHost = "copyhost";
    setup().newQueueRemoteQueue = "copyq";
    s.traceLevel = 1;
  }

  std::string createByUri(int type, int usbVariant = 0) {
    setup().connectType = type;
    setup().usbVariant = usbVariant;
    StderrCapture err;
    EXPECT_EQ(1, createQueueByUri("Q1"));  // nothing runs at level 1: success
    return err.take();
  }
  std::string createWithPpd(int type) {
    setup().connectType = type;
    StderrCapture err;
    EXPECT_EQ(0, createQueueWithPPD("Q1"));
    return err.take();
  }
};

const char kEnableLines[] =
    "/usr/sbin/cupsaccept Q1 2>/dev/null\n/usr/sbin/cupsenable Q1 2>/dev/null\n";

TEST_F(CommandLines, CreateByUriPrintsEachConnectionsLine) {
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v socket://10.0.0.5:9101 -D \"Jarn 2.0 remote TCP/IP Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectTcp));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v serial:/dev/ttyS0 -D \"Jarn 2.0 local  Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectLocal));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v usb:///dev/usb/lp0 -D \"Jarn 2.0 remote USB Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectUsb, 0));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v usb://Velta/C400\\ \\(x\\)\\%1%% -D \"Jarn 2.0 USB Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectUsb, 1));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v ipp://127.0.0.1:8631/ipp/print -D \"Jarn 2.0 remote IPP Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectIpp));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v file:/tmp/out.prn -D \"Jarn 2.0 local file Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectFile));
  EXPECT_EQ(std::string("/usr/sbin/lpadmin -p Q1 -v lpd://copyhost/copyq -D \"Jarn 2.0 remote LPD Queue\" -o printer-error-policy=retry-job 2>/dev/null\n") + kEnableLines,
            createByUri(kConnectLpd));
}

TEST_F(CommandLines, CreateWithPpdPrintsHeadAndDevicePart) {
  const std::string head = "/usr/sbin/lpadmin -p Q1 -P /opt/ppd/C400.ppd -o printer-error-policy=retry-job ";
  EXPECT_EQ(head + "-v lpd://printhost/raw -D \"Jarn 2.0 LPD Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectLpd));
  EXPECT_EQ(head + "-v socket://10.0.0.5:9101 -D \"Jarn 2.0 TCP/IP Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectTcp));
  setup().deviceName = "/dev/lp0";
  EXPECT_EQ(head + "-v parallel:/dev/lp0 -D \"Jarn 2.0 LOCAL Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectLocal));
  setup().deviceName = "/dev/null";
  EXPECT_EQ(head + "-v file:/dev/null -D \"Jarn 2.0 LOCAL Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectLocal));
  setup().usbVariant = 1;
  EXPECT_EQ(head + "-v usb://Velta/C400\\ \\(x\\)\\%1%% -D \"Jarn 2.0 USB Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectUsb));
  EXPECT_EQ(head + "-v ipp://127.0.0.1:8631/ipp/print -D \"Jarn 2.0 IPP Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectIpp));
  setup().ippPath = "";
  EXPECT_EQ(head + "-v ipp://127.0.0.1:8631/ipp -D \"Jarn 2.0 IPP Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectIpp));
  EXPECT_EQ(head + "-v file:/tmp/out.prn -D \"Jarn 2.0 LOCAL Queue\" 2>/dev/null \n" + kEnableLines,
            createWithPpd(kConnectFile));
  EXPECT_EQ(head + "\n" + kEnableLines, createWithPpd(9));
}

TEST_F(CommandLines, DeleteAndExtraOptionLines) {
  {
    StderrCapture err;
    EXPECT_EQ(1, deleteSpoolerQueue("Q1", 0));
    EXPECT_EQ("/usr/sbin/lpadmin -xQ1 2>/dev/null\n", err.take());
  }
  {
    // Asked first on the message page, as question 28; Cancel deletes nothing.
    testing_support::ScriptedReporter reporter;
    reporter.answers = {false};
    StderrCapture err;
    EXPECT_EQ(0, deleteSpoolerQueue("Q1", 1));
    EXPECT_EQ("", err.take());
    ASSERT_EQ(reporter.questions.size(), 1u);
    EXPECT_EQ(reporter.questions[0].code, 28);
    EXPECT_EQ(reporter.questions[0].title, "Jarn 2.0-10 Update");
    EXPECT_EQ(reporter.questions[0].text, "Are you sure you want to delete queue:\n\tQ1?\n");
  }
  SetupState& c = setup();
  c.startBanner = 8;
  c.endBanner = 9;
  const std::pair<int, const char*> policies[] = {
      {1, "-o printer-error-policy=stop-printer"},
      {3, "-o printer-error-policy=abort-job"},
      {2, "-o printer-error-policy=retry-job"},
      {7, "-o printer-error-policy=retry-job"}};
  StderrCapture err;
  for (int topic = 1; topic <= 3; ++topic) EXPECT_EQ(0, setCUPSValue("Q1", "", topic));
  for (const auto& p : policies) {
    c.errorPolicy = p.first;
    EXPECT_EQ(0, setCUPSValue("Q1", "", 4));
  }
  EXPECT_EQ(0, setCUPSValue("Q1", "socket://h:9100", 5));
  EXPECT_EQ(0, setCUPSValue("Q1", "/tmp/x.ppd", 6));
  EXPECT_EQ(0, setCUPSValue("Q1", "/tmp/x.ppd", 7));  // no such topic: nothing
  EXPECT_EQ(0, setCUPSValue("Q1", "", 0));
  std::string expected;
  for (int i = 0; i < 3; ++i) expected += "/usr/sbin/lpadmin -p Q1 -o job-sheets-default=topsecret,unclassified\n";
  for (const auto& p : policies) expected += std::string("/usr/sbin/lpadmin -p Q1 ") + p.second + "\n";
  expected += "/usr/sbin/lpadmin -p Q1 -v socket://h:9100\n/usr/sbin/lpadmin -p Q1 -P /tmp/x.ppd\n";
  EXPECT_EQ(expected, err.take());
}

// The argv of every format is what a shell would deliver for its text.
TEST_F(CommandLines, ArgvIsWhatTheShellWouldDeliver) {
  TempDir dir;
  const std::string dump = dir / "dump";
  testing_support::writeFile(dump, "#!/bin/sh\nfor a in \"$0\" \"$@\"; do printf '%s\\n' \"$a\"; done\n");
  ::chmod(dump.c_str(), 0755);
  const char* formats[] = {fmt::kCreateTcp,  fmt::kCreateLocal, fmt::kCreateUsbId, fmt::kCreateIpp,
                           fmt::kCreateFile, fmt::kCreateLpd,   fmt::kDelete,
                           fmt::kAccept,     fmt::kPrintLp,     fmt::kPrintLpr};
  for (const char* f : formats) {
    Command cmd = commandFromFormat(f, {dump, "Q-1", "host.example", 9100});
    std::string shell;
    Command viaShell({"/bin/sh", "-c", cmd.text}, cmd.text);
    runCapture(viaShell, 0, &shell);
    std::string mine;
    for (const std::string& a : cmd.argv) mine += a + "\n";
    EXPECT_EQ(shell, mine) << f;
  }
  Command redirected = commandFromFormat(fmt::kDeleteProbe, {"lpstat", "Q"});
  EXPECT_EQ("/dev/null", redirected.stdoutPath);
  EXPECT_EQ(std::vector<std::string>({"lpstat", "-pQ", "-l"}), redirected.argv);
  Command quiet = commandFromFormat(fmt::kCreateFile, {"lpadmin", "Q", "/dev/null"});
  EXPECT_EQ("/dev/null", quiet.stderrPath);
  EXPECT_EQ(quiet.argv.back(), "printer-error-policy=retry-job");
}

// Names, hosts and paths reach the tools literally, at every trace level.
TEST_F(CommandLines, ValuesAreNeverInterpreted) {
  TempDir cwd;
  ToolRecorder rec;
  SetupState& s = setup();
  s.toolPaths[kToolLpadmin] = rec.tool("lpadmin");
  s.toolPaths[kToolAccept] = rec.tool("cupsaccept");
  s.toolPaths[kToolEnable] = rec.tool("cupsenable");
  s.traceLevel = 2;
  s.connectType = kConnectFile;
  s.fileName = "/tmp/a b;touch " + (cwd / "canary2");
  // Shell text a queue name may hold (no blank, no "/": those are refused).
  const std::string queue = "q$(touch${IFS}canary)`touch${IFS}x`|&;";
  {
    char before[4096];
    ASSERT_TRUE(::getcwd(before, sizeof before) && ::chdir(cwd.path().c_str()) == 0);  // where a shell would touch
    StderrCapture err;
    EXPECT_EQ(1, createQueueByUri(queue));
    EXPECT_NE(std::string::npos, err.take().find("-p " + queue + " -v file:/tmp/a%20b;touch%20"));
    ASSERT_EQ(0, ::chdir(before));
  }
  auto calls = rec.calls();
  ASSERT_EQ(3u, calls.size());
  EXPECT_EQ(std::vector<std::string>({"lpadmin", "-p", queue, "-v", fileDeviceUri(s.fileName), "-D",
                                      "Jarn 2.0 local file Queue", "-o",
                                      "printer-error-policy=retry-job"}),
            calls[0]);
  EXPECT_EQ(std::vector<std::string>({"cupsaccept", queue}), calls[1]);
  EXPECT_EQ(std::vector<std::string>({"cupsenable", queue}), calls[2]);
  EXPECT_FALSE(testing_support::pathExists(cwd / "canary"));
  EXPECT_FALSE(testing_support::pathExists(cwd / "canary2"));

  // The usb: text is shown backslash-escaped, handed over in the URI's escapes.
  s.connectType = kConnectUsb;
  s.usbVariant = 1;
  s.usbDeviceId = "usb://Velta/C400 (x)";
  StderrCapture err;
  EXPECT_EQ(1, createQueueByUri("U"));
  EXPECT_NE(std::string::npos, err.take().find("-v usb://Velta/C400\\ \\(x\\) -D"));
  EXPECT_EQ("usb://Velta/C400%20(x)", rec.calls()[3][4]);
  EXPECT_EQ("usb://Velta/C400 (x)", s.usbDeviceId);  // the field is not rewritten
}

TEST_F(CommandLines, FailuresAreReportedAsFailures) {
  ToolRecorder rec;
  SetupState& s = setup();
  s.toolPaths[kToolLpadmin] = rec.tool("lpadmin");
  s.toolPaths[kToolAccept] = rec.tool("cupsaccept");
  s.toolPaths[kToolEnable] = rec.tool("cupsenable");
  s.toolPaths[kToolLpstat] = rec.tool("lpstat");
  s.traceLevel = 0;
  s.connectType = kConnectTcp;

  {  // lpadmin refuses: nothing is enabled, both senses say failure
    EnvGuard exit1("RECORD_EXIT", "1");
    EXPECT_EQ(0, createQueueByUri("Q"));
    EXPECT_NE(0, createQueueWithPPD("Q"));
    EXPECT_EQ(2u, rec.calls().size());
  }
  {  // lpadmin succeeds, enable fails
    EnvGuard exits("RECORD_EXITS", "- - 0 0 1");  // counted over all calls
    EXPECT_EQ(0, createQueueByUri("Q"));
  }
  {  // neither accept nor its fallback works: the queue would not take jobs
    EnvGuard exits("RECORD_EXITS", "- - - - - 0 1 0");
    EXPECT_EQ(0, createQueueByUri("Q"));
  }
  EXPECT_EQ(8u, rec.calls().size());  // the missing /usr/sbin/accept is not one of them

  // Both delete attempts fail: failure, after the probe and one second's wait.
  unsigned slept = 0;
  setSleeper([&](unsigned n) { slept += n; });
  {
    EnvGuard exit1("RECORD_EXIT", "1");
    EXPECT_EQ(0, deleteSpoolerQueue("Q", 0));
  }
  setSleeper(nullptr);
  EXPECT_EQ(1u, slept);
  auto calls = rec.calls();
  ASSERT_EQ(11u, calls.size());
  EXPECT_EQ(std::vector<std::string>({"lpadmin", "-xQ"}), calls[8]);
  EXPECT_EQ(std::vector<std::string>({"lpstat", "-pQ", "-l"}), calls[9]);
  EXPECT_EQ(std::vector<std::string>({"lpadmin", "-xQ"}), calls[10]);

  // Spoolers without lpadmin: nothing is run.
  s.lpMode = kLpBsd;
  EXPECT_EQ(0, deleteSpoolerQueue("Q", 0));
  EXPECT_EQ(11u, rec.calls().size());
}

}  // namespace

// The command log hears each command's text before the command runs.
TEST(SpoolerCommandLog, HearsEachCommandBeforeItRuns) {
  TempDir dir;
  const std::string mark = dir / "ran";
  std::vector<std::string> heard;
  setSpoolerCommandLog([&](const std::string& text) {
    heard.push_back(text + (::access(mark.c_str(), F_OK) == 0 ? " (after)" : " (before)"));
  });
  setup().traceLevel = 0;
  EXPECT_EQ(0, runSpoolerCommand(Command({"touch", mark}, "touch it")));
  setSpoolerCommandLog(nullptr);
  EXPECT_EQ(0, runSpoolerCommand(Command({"true"}, "not heard")));
  EXPECT_EQ(std::vector<std::string>{"touch it (before)"}, heard);
}
