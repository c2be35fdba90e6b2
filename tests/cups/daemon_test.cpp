// The queue commands, extra options, queue list and test pages against the
// private CUPS daemon that private-cupsd.sh run starts around these tests
// (CUPS_SERVER, JARNCUPSDIR and the rest come from it).
#include <signal.h>
#include <sys/wait.h>
#include <fcntl.h>

#include <cups/cups.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "cups_options.h"
#include "cups_test_support.h"
#include "device_uri.h"
#include "printers_conf.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "sleeper.h"
#include "system_detection.h"
#include "test_pages.h"

using namespace cups_testing;
using testing_support::pathExists;
using testing_support::readFile;

namespace {

// The output of a client command (LANG=C comes from the harness).
std::string client(const std::vector<std::string>& argv) {
  Command c(argv, "");
  c.stderrToStdout = true;
  std::string out;
  runCapture(c, 0, &out, RunMode::Quiet);
  return out;
}

bool contains(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// The start-up detection of the administration program, against the daemon.
class DaemonQueues : public FreshState {
 protected:
  void SetUp() override {
    if (daemonBase().empty()) GTEST_SKIP() << "needs the private daemon (private-cupsd.sh run)";
    FreshState::SetUp();
    int request = getLpModeFromEnv();
    takeCupsEnvironment(&request);
    detectPrintSystem(request);
    ASSERT_EQ(kLpCups, setup().lpMode);
    setSleeper([](unsigned) {});
  }
  void TearDown() override {
    setSleeper(nullptr);
    FreshState::TearDown();
  }

  void connection(int type) {
    SetupState& s = setup();
    s.connectType = type;
    s.lpdHost = s.newQueueRemoteHost = "127.0.0.1";
    s.remoteQueue = s.newQueueRemoteQueue = "lp";
    s.tcpHost = "127.0.0.1";
    s.tcpPort = 9101;
    s.deviceName = "/dev/ttyS0";
    s.usbVariant = 1;
    s.usbDeviceId = "usb://Velta/C400%20PS?serial=X1";
    s.ippHost = "127.0.0.1:8631";
    s.ippPath = "ipp/print";
    s.fileName = daemonBase() + "/out/job.prn";
  }
  std::string expectedUri(int type) {
    switch (type) {
      case kConnectLpd: return "lpd://127.0.0.1/lp";
      case kConnectTcp: return "socket://127.0.0.1:9101";
      case kConnectLocal: return "serial:/dev/ttyS0";
      case kConnectUsb: return "usb://Velta/C400%20PS?serial=X1";
      case kConnectIpp: return "ipp://127.0.0.1:8631/ipp/print";
      default: return daemonBase() + "/out/job.prn";  // lpstat shows file: URIs without the scheme
    }
  }
  void expectReady(const std::string& q, const std::string& uri) {
    EXPECT_EQ("device for " + q + ": " + uri + "\n", client({"lpstat", "-v", q}));
    EXPECT_TRUE(contains(client({"lpstat", "-a", q}), q + " accepting requests")) << q;
    EXPECT_TRUE(contains(client({"lpstat", "-p", q}), "enabled")) << q;
  }
  bool exists(const std::string& q) { return !contains(client({"lpstat", "-v", q}), "Invalid destination"); }
};

TEST_F(DaemonQueues, EachConnectionWithAndWithoutPpd) {
  const std::string ppd = testData("plain-ps.ppd");
  for (int type = kConnectLpd; type <= kConnectFile; ++type) {
    connection(type);
    const std::string plain = "U" + std::to_string(type);
    EXPECT_EQ(1, createQueueByUri(plain)) << plain;
    expectReady(plain, expectedUri(type));

    const std::string withPpd = "P" + std::to_string(type);
    setup().ppdFile = ppd;
    setup().ppdOrgFile.clear();
    EXPECT_EQ(0, createQueueWithPPD(withPpd)) << withPpd;
    expectReady(withPpd, expectedUri(type));
    // The installed copy takes the place of the file first chosen.
    EXPECT_EQ(std::string(getenv("JARNCUPSDIR")) + "/etc/cups/ppd/" + withPpd + ".ppd", setup().ppdFile);
    EXPECT_TRUE(contains(readFile(setup().ppdFile), "*ModelName: \"Test Plain PS\""));
  }
}

TEST_F(DaemonQueues, RefusedCreatesReportFailure) {
  connection(kConnectTcp);
  setup().tcpHost = "bad host";
  EXPECT_EQ(0, createQueueByUri("Refused1"));
  EXPECT_FALSE(exists("Refused1"));
  connection(kConnectTcp);
  setup().ppdFile = testData("broken.ppd");
  EXPECT_NE(0, createQueueWithPPD("Refused2"));
  EXPECT_FALSE(exists("Refused2"));
}

TEST_F(DaemonQueues, ExtraOptionsReadBackFromTheDaemon) {
  connection(kConnectTcp);
  ASSERT_EQ(1, createQueueByUri("Opt1"));
  SetupState& c = setup();
  const std::pair<int, int> banners[] = {{0, 6}, {1, 8}, {9, 2}, {4, 0}, {6, 6}};
  for (const auto& b : banners) {
    c.startBanner = b.first;
    c.endBanner = b.second;
    ASSERT_EQ(0, setCUPSValue("Opt1", "", kTopicBanners));
    EXPECT_EQ(b.first, getCUPSInfo("Opt1", kTopicStartBanner, nullptr));
    EXPECT_EQ(b.second, getCUPSInfo("Opt1", kTopicEndBanner, nullptr));
    EXPECT_EQ(b.first + 256 * b.second, getCUPSInfo("Opt1", kTopicBanners, nullptr));
  }
  for (int policy : {kPolicyStopPrinter, kPolicyAbortJob, kPolicyRetryJob}) {
    c.errorPolicy = policy;
    ASSERT_EQ(0, setCUPSValue("Opt1", "", kTopicErrorPolicy));
    EXPECT_EQ(policy, getCUPSInfo("Opt1", kTopicErrorPolicy, nullptr));
  }
  c.startBanner = 6;
  c.endBanner = 0;
  c.errorPolicy = kPolicyAbortJob;
  EXPECT_EQ(1, setCUPSInfo("Opt1"));
  EXPECT_EQ(6, getCUPSInfo("Opt1", kTopicBanners, nullptr));
  EXPECT_EQ(kPolicyAbortJob, getCUPSInfo("Opt1", kTopicErrorPolicy, nullptr));

  setup().tcpPort = 9102;
  EXPECT_EQ(0, sendDeviceURI("Opt1"));
  std::string uri;
  EXPECT_EQ(kConnectTcp, getCUPSInfo("Opt1", kTopicDeviceUri, &uri));
  EXPECT_EQ("socket://127.0.0.1:9102", uri);

  EXPECT_EQ(0, setCUPSValue("Opt1", testData("plain-ps.ppd"), kTopicPpd));
  std::string installed;
  EXPECT_EQ(1, getCupsPPDFname("Opt1", &installed, 1));
  EXPECT_TRUE(contains(readFile(installed), "Test Plain PS"));
  EXPECT_NE(0, setCUPSValue("Opt1", testData("broken.ppd"), kTopicPpd));  // refused by the daemon
}

TEST_F(DaemonQueues, IppUriSurvivesTheRoundTrip) {
  connection(kConnectIpp);
  ASSERT_EQ(1, createQueueByUri("Ipp1"));
  std::string uri;
  EXPECT_EQ(kConnectIpp, getCUPSInfo("Ipp1", kTopicDeviceUri, &uri));
  EXPECT_EQ("ipp://127.0.0.1:8631/ipp/print", uri);
  resetSetup();
  int request = 0;
  takeCupsEnvironment(&request);
  detectPrintSystem(request);
  setup().printerName = "Ipp1";
  StderrCapture err;
  EXPECT_EQ(kConnectIpp, parseDeviceURI());
  EXPECT_EQ("127.0.0.1:8631", setup().ippHost);
  EXPECT_EQ("ipp/print", setup().ippPath);
  EXPECT_EQ("ipp://127.0.0.1:8631/ipp/print", buildDeviceURI());
  EXPECT_EQ(0, sendDeviceURI("Ipp1"));
  EXPECT_EQ("device for Ipp1: ipp://127.0.0.1:8631/ipp/print\n", client({"lpstat", "-v", "Ipp1"}));
}

TEST_F(DaemonQueues, QueueListCacheAndRescan) {
  SetupState& s = setup();
  connection(kConnectTcp);
  ASSERT_EQ(1, createQueueByUri("List-b"));
  ASSERT_EQ(1, createQueueByUri("List-a"));
  int n = getSysQ(&s.systemQueueList, 1);
  EXPECT_EQ(1, isSystemQueue("List-a"));
  ASSERT_EQ(1, createQueueByUri("List-c"));
  EXPECT_EQ(0, isSystemQueue("List-c"));  // the cached list, within the interval
  EXPECT_EQ(n + 1, getSysQ(&s.systemQueueList, 1));
  EXPECT_EQ(1, isSystemQueue("List-c"));
  std::vector<std::string> names;
  for (PList* p = s.systemQueueList.next; p != &s.systemQueueList; p = p->next) names.push_back(p->name);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  EXPECT_EQ(static_cast<size_t>(n + 1), names.size());
}

TEST_F(DaemonQueues, DeleteAQueueAndAMissingOne) {
  connection(kConnectTcp);
  ASSERT_EQ(1, createQueueByUri("Gone1"));
  EXPECT_EQ(1, deleteSpoolerQueue("Gone1", 0));
  EXPECT_FALSE(exists("Gone1"));
  StderrCapture err;  // lpstat's probe complains about the missing queue
  EXPECT_EQ(0, deleteSpoolerQueue("Gone1", 0));
}

TEST_F(DaemonQueues, NamesReachTheDaemonLiterally) {
  TempDir cwd;
  ASSERT_EQ(0, ::chdir(cwd.path().c_str()));
  connection(kConnectFile);
  setup().fileName = "/dev/null";
  const std::string strange = "q$(touch${IFS}canary)`touch${IFS}canary2`;|&";
  setup().traceLevel = 1;
  {
    StderrCapture err;
    EXPECT_EQ(1, createQueueByUri("a;b"));
    EXPECT_TRUE(contains(err.take(), "-p a;b -v file:/dev/null -D \"Jarn 2.0 local file Queue\""));
  }
  EXPECT_FALSE(exists("a;b"));
  setup().traceLevel = 2;
  {
    StderrCapture err;
    EXPECT_EQ(1, createQueueByUri(strange));
  }
  EXPECT_EQ("device for " + strange + ": /dev/null\n", client({"lpstat", "-v", strange}));
  EXPECT_FALSE(pathExists(cwd / "canary"));
  EXPECT_FALSE(pathExists(cwd / "canary2"));
  setup().traceLevel = 0;
  EXPECT_EQ(1, deleteSpoolerQueue(strange, 0));
  ASSERT_EQ(0, ::chdir("/"));
}

// A listener that takes every job of a socket queue.
class Listener {
 public:
  Listener(int port, const std::string& out) {
    pid_ = ::fork();
    if (pid_ == 0) {
      int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(fd, 1);
      ::execlp("nc", "nc", "-lk", "127.0.0.1", std::to_string(port).c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    for (int i = 0; i < 50; ++i) {  // until it listens
      if (exitCodeOf(runCommand(Command({"nc", "-z", "127.0.0.1", std::to_string(port)}, ""), 0)) == 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  ~Listener() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }

 private:
  pid_t pid_;
};

TEST_F(DaemonQueues, TestPagesReachTheListener) {
  int port = std::atoi(getenv("CUPS_TEST_PORT")) + 1;
  while (exitCodeOf(runCommand(Command({"nc", "-z", "127.0.0.1", std::to_string(port)}, ""), 0)) == 0) ++port;
  TempDir dir;
  Listener listener(port, dir / "jobs");
  connection(kConnectTcp);
  setup().tcpPort = port;
  ASSERT_EQ(1, createQueueByUri("Pages1"));
  SetupState& s = setup();
  s.printerName = "Pages1";
  s.queueExists = isSystemQueue("Pages1");
  ASSERT_EQ(1, s.queueExists);
  testing_support::ScriptedReporter reporter;
  for (int kind : {kTestPs1, kTestPs2, kTestPs4, kTestText1, kTestText2, kTestText4}) {
    EXPECT_EQ(1, testPrintForKind(kind));
  }
  ASSERT_EQ(6u, reporter.messages.size());
  for (const auto& m : reporter.messages) EXPECT_EQ(kMsgTestPrintPassed, m.code);

  std::string jobs;
  // Each text copy ends with its closing banner: wait for the seventh.
  for (int i = 0; i < 300 && count(jobs, "End of test page") < 7; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    jobs = readFile(dir / "jobs");
  }
  EXPECT_EQ(3u, count(jobs, "%%EOF"));
  for (int pages : {1, 2, 4}) EXPECT_EQ(1u, count(jobs, "%%Pages: " + std::to_string(pages) + "\n"));
  EXPECT_EQ(3u, count(jobs, "%%Page: (Printer Test Page) 1\n"));
  EXPECT_EQ(2u, count(jobs, "%%Page: (Printer Test Page) 2\n"));
  EXPECT_EQ(1u, count(jobs, "%%Page: (Printer Test Page) 4\n"));
  EXPECT_EQ(7u, count(jobs, "\t\tPage : "));
  EXPECT_EQ(0u + 1 + 3, count(jobs, "\f"));
  EXPECT_EQ(7u, count(jobs, "\t\tQueue: Pages1\n"));
}

// A daemon that refuses file: device URIs.
TEST(NoFileDevice, AFileQueueIsRefused) {
  if (daemonBase().empty()) GTEST_SKIP() << "needs the private daemon (private-cupsd.sh run)";
  resetSetup();
  int request = 0;
  takeCupsEnvironment(&request);
  detectPrintSystem(request);
  SetupState& s = setup();
  s.connectType = kConnectFile;
  s.fileName = daemonBase() + "/out/x.prn";
  EXPECT_EQ(0, createQueueByUri("File1"));
  EXPECT_NE(0, createQueueWithPPD("File2"));
  EXPECT_TRUE(contains(client({"lpstat", "-v", "File1"}), "Invalid destination"));
  resetSetup();
}

// The version probe asks port 631 of the local host.
// The probe asks the server libcups is configured for: the daemon's socket
// stands for the local host on the IPP port, here the daemon's own.
TEST(DaemonVersionProbe, AsksTheConfiguredServersPort) {
  if (daemonBase().empty()) GTEST_SKIP() << "needs the private daemon (private-cupsd.sh run)";
  resetSetup();
  setup().programDir = daemonBase() + "/no-installation/";
  ippSetPort(std::atoi(std::getenv("CUPS_TEST_PORT")));
  std::string source;
  EXPECT_EQ(2400, getHTTPCUPSVersion(std::string(), &source));
  EXPECT_EQ("HTTP", source);  // cups-config never ran
  ippSetPort(631);
  resetSetup();
}

TEST(Port631, VersionProbeAsksTheLocalServer) {
  if (daemonBase().empty() || std::string(getenv("CUPS_TEST_PORT")) != "631") {
    GTEST_SKIP() << "needs the private daemon on port 631";
  }
  resetSetup();
  setup().programDir = daemonBase() + "/no-installation/";
  EXPECT_EQ(2400, getHTTPCUPSVersion());
  resetSetup();
}

}  // namespace
