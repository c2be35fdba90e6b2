// System, spooler and CUPS detection, with a stand-in lpd first on PATH and
// the fixed system paths (a /proc of made-up processes included) under a
// private root.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "cups_test_support.h"
#include "fatal_exit.h"
#include "fs_root.h"
#include "system_detection.h"

using namespace cups_testing;
using testing_support::writeFile;

namespace {

// A made-up process: its real user and the program the kernel names.
struct FakeProcess {
  int pid;
  unsigned uid;
  std::string exe;
};

// A private root with stand-in ps and lpd first on PATH.
class Detection : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    setFsRoot(root.path());
  }
  void TearDown() override {
    setFsRoot("");
    FreshState::TearDown();
  }
  // The processes that /proc under the root shows (the earlier ones go).
  void running(const std::vector<FakeProcess>& processes) {
    std::filesystem::remove_all(root / "proc");
    for (const FakeProcess& p : processes) {
      std::string dir = root.path() + "/proc/" + std::to_string(p.pid);
      makeDirs(dir);
      writeFile(dir + "/status", "Name:\tx\nUid:\t" + std::to_string(p.uid) + "\t0\t0\t0\n");
      ::symlink(p.exe.c_str(), (dir + "/exe").c_str());
    }
  }
  // An executable script under the root.
  void script(const std::string& path, const std::string& body) {
    std::string full = root.path() + path;
    makeDirs(full.substr(0, full.rfind('/')));
    writeFile(full, "#!/bin/sh\n" + body);
    ::chmod(full.c_str(), 0755);
  }
  void file(const std::string& path, const std::string& text) {
    std::string full = root.path() + path;
    makeDirs(full.substr(0, full.rfind('/')));
    writeFile(full, text);
  }
  void makeDirs(const std::string& dir) {
    for (size_t i = 1; i <= dir.size(); ++i) {
      if (i == dir.size() || dir[i] == '/') ::mkdir(dir.substr(0, i).c_str(), 0755);
    }
  }
  MachineFacts machine(const char* sys, const char* release = "5.10") {
    MachineFacts f;
    f.known = true;
    f.sysname = sys;
    f.nodename = "node1";
    f.release = release;
    return f;
  }

  TempDir root;
  PathFirst path{fakeBin()};
  EnvGuard lpd{"FAKE_LPD_VERSION", nullptr};
};

TEST(LpModeFromEnv, QorlpmodeFirstThenJarnlpmode) {
  EnvGuard j("JARNLPMODE", "LPR");
  {
    EnvGuard q("QORLPMODE", "LP");
    EXPECT_EQ(1, getLpModeFromEnv());
  }
  {
    EnvGuard q("QORLPMODE", "lp");
    EXPECT_EQ(0, getLpModeFromEnv());  // set, so it wins, but not a known value
  }
  EnvGuard q("QORLPMODE", nullptr);
  EXPECT_EQ(2, getLpModeFromEnv());
  EnvGuard j2("JARNLPMODE", "CUPS");
  EXPECT_EQ(8, getLpModeFromEnv());
  EnvGuard j3("JARNLPMODE", "LPRNG");
  EXPECT_EQ(4, getLpModeFromEnv());
  EnvGuard j4("JARNLPMODE", "AIX");
  EXPECT_EQ(0, getLpModeFromEnv());  // the administration program knows no AIX request
  EXPECT_EQ(16, getLpModeFromEnv(true));
}

TEST(SystemKinds, FromUname) {
  EXPECT_EQ(1, osKindFor("SunOS", "5.10"));
  EXPECT_EQ(2, osKindFor("SunOS", "4.1.4"));
  EXPECT_EQ(4, osKindFor("HP-UX", "B.11.31"));
  EXPECT_EQ(6, osKindFor("Linux", "6.1.0"));
  EXPECT_EQ(11, osKindFor("OpenUNIX", "8"));
  EXPECT_EQ(0, osKindFor("Darwin", "23"));
}

TEST(CupsVersion, NumbersAndServerLines) {
  EXPECT_EQ(1400, normalizeCupsVersion(14));
  EXPECT_EQ(1430, normalizeCupsVersion(143));
  EXPECT_EQ(2420, normalizeCupsVersion(242));
  EXPECT_EQ(9990, normalizeCupsVersion(999));
  EXPECT_EQ(1234, normalizeCupsVersion(123456));
  EXPECT_EQ(0, normalizeCupsVersion(0));
  EXPECT_EQ(-3, normalizeCupsVersion(-3));
  EXPECT_EQ(140, versionFromHttpAnswer("HTTP/1.1 200 OK\r\nServer: CUPS/1.4\r\n"));
  EXPECT_EQ(2200, normalizeCupsVersion(versionFromHttpAnswer("Server: CUPS/2.2 IPP/2.1\n")));
  EXPECT_EQ(1400, normalizeCupsVersion(versionFromHttpAnswer("Server: CUPS/1.4.3\n")));
  EXPECT_EQ(0, versionFromHttpAnswer("Server: Apache/2.4\nX: CUPS/2.4\n"));
}

TEST(CupsdPrefix, FromTheCommandWord) {
  std::string p;
  ASSERT_TRUE(getCupsdPrefix("/usr/sbin/cupsd", &p));
  EXPECT_EQ("/usr", p);
  ASSERT_TRUE(getCupsdPrefix(" /opt/cups/bin/cupsd\n", &p));
  EXPECT_EQ("/opt/cups", p);
  EXPECT_FALSE(getCupsdPrefix("cupsd", &p));
  EXPECT_FALSE(getCupsdPrefix("/usr/bin/vi", &p));
}

TEST_F(Detection, RequestedCupsWithLpschedRunningTakesSystemV) {
  running({{101, 0, "/usr/lib/lpsched"}});
  StderrCapture err;
  detectPrintSystemFor(kLpCups, machine("SunOS"));
  EXPECT_EQ("Resetting scheduler to : lpsched(SysV).\n", err.take());
  SetupState& s = setup();
  EXPECT_EQ(kLpSysV, s.lpMode);
  EXPECT_EQ(8, s.fatalReason);
  EXPECT_EQ(0, s.cupsFound);
  EXPECT_EQ(1, s.osKind);
  EXPECT_EQ("node1", s.hostName);
  EXPECT_EQ("lpsystem", s.toolPaths[kToolLpsystem]);
}

TEST_F(Detection, NothingRunningFollowsTheSystemKind) {
  running({});
  detectPrintSystemFor(0, machine("Linux", "6.1"));
  EXPECT_EQ(kLpBsd, setup().lpMode);
  resetSetup();
  detectPrintSystemFor(0, machine("HP-UX", "B.11"));
  EXPECT_EQ(kLpSysV, setup().lpMode);
  resetSetup();
  detectPrintSystemFor(0, machine("AIX", "7"));
  EXPECT_EQ(kLpAix, setup().lpMode);
  resetSetup();
  detectPrintSystemFor(kLpLprng, machine("Linux", "6.1"));  // a request with nothing running stands
  EXPECT_EQ(kLpLprng, setup().lpMode);
}

TEST_F(Detection, DaemonsAreFoundByProcessName) {
  // An editor holding cupsd.conf is not cupsd; another user's "cupsd" is
  // nobody's daemon.
  running({{200, 0, "/usr/bin/vim.basic"}, {201, 4242, "/tmp/evil/sbin/cupsd"}, {202, 0, "/usr/sbin/lpd"}});
  EXPECT_EQ(kLpBsd, checkLPDDaemon(0));
  EXPECT_EQ(0, setup().cupsFound);

  EnvGuard lprng("FAKE_LPD_VERSION", "lpd: LPRng-3.8.28 (Irvine)");
  EXPECT_EQ(kLpLprng, checkLPDDaemon(0));
  running({{300, 0, "/usr/lpd/qdaemon"}});
  EXPECT_EQ(kLpAix, checkLPDDaemon(0));

  running({{400, 0, "/usr/sbin/cupsd (deleted)"}, {401, 0, "/usr/lib/lpsched"}});
  EXPECT_EQ(kLpCups, checkLPDDaemon(1));
  EXPECT_EQ(1, setup().cupsFound);
  EXPECT_EQ("/usr", setup().cupsBinDir);
}

TEST_F(Detection, CupsToolsTakeCupsNamesWhereThePlainOnesAreMissing) {
  // A cupsd of its own prefix: the programs are looked for there.
  running({{400, 0, root.path() + "/opt/cups/sbin/cupsd"}});
  script("/opt/cups/sbin/lpadmin", "exit 0\n");
  script("/opt/cups/sbin/cupsaccept", "exit 0\n");
  script("/opt/cups/sbin/cupsenable", "exit 0\n");
  file("/opt/cups/share/cups/model/custom/x.ppd", "");
  std::string xauth = detectPrintSystemFor(0, machine("Linux", "6.1"));
  SetupState& s = setup();
  const std::string prefix = root.path() + "/opt/cups";
  EXPECT_EQ(kLpCups, s.lpMode);
  EXPECT_EQ(0, s.fatalReason);
  EXPECT_EQ(prefix, s.cupsBinDir);
  EXPECT_EQ(prefix + "/sbin/cupsaccept", s.toolPaths[kToolAccept]);
  EXPECT_EQ(prefix + "/sbin/cupsenable", s.toolPaths[kToolEnable]);
  EXPECT_EQ(prefix + "/sbin/lpadmin", s.toolPaths[kToolLpadmin]);
  EXPECT_EQ("lpstat", s.toolPaths[kToolLpstat]);  // not found: the bare name
  EXPECT_EQ(prefix + "/share/cups", s.toolPaths[kToolCupsDataDir]);
  EXPECT_EQ(prefix + "/share/cups/model/custom", s.toolPaths[kToolCupsModelDir]);
  EXPECT_EQ("xauth", xauth);
}

TEST_F(Detection, ToolDirectoryOthersCanChangeIsNotTaken) {
  script("/opt/w/sbin/lpadmin", "exit 0\n");
  ::chmod((root.path() + "/opt/w").c_str(), 0777);
  running({{400, 0, root.path() + "/opt/w/sbin/cupsd"}});
  EXPECT_EQ(kLpCups, checkLPDDaemon(1));
  EXPECT_EQ("", setup().cupsBinDir);
  EXPECT_FALSE(trustedToolDir(root.path() + "/opt/w/sbin"));
  EXPECT_TRUE(trustedToolDir("/usr/sbin"));
}

TEST_F(Detection, CupsPrefixFromTheStartScript) {
  file("/etc/init.d/cups", "#!/bin/sh\nprefix=/opt/c\nexec_prefix=/opt/c/x\n");
  std::string prefix, exec;
  EXPECT_EQ(1, getCupsPrefix(&prefix, &exec));
  EXPECT_EQ("/opt/c", prefix);
  EXPECT_EQ("/opt/c/x", exec);
  file("/etc/init.d/cups", "#!/bin/sh\n");  // no exec prefix: the known directories decide
  file("/usr/share/cups/x", "");
  ::mkdir((root / "etc/cups").c_str(), 0755);
  EXPECT_EQ(1, getCupsPrefix(&prefix, &exec));
  EXPECT_EQ("/", prefix);
  EXPECT_EQ("/usr", exec);
}

TEST_F(Detection, NoCupsDataDirectoryEndsTheProgram) {
  EXPECT_THROW(getCupsModelDir(), FatalExit);
  file("/usr/share/cups/x", "");
  EXPECT_EQ("", getCupsModelDir());  // no model directory: none
}

TEST_F(Detection, CupsDirectoriesFromTheEnvironment) {
  TempDir prefix;
  EnvGuard d("JARNCUPSDIR", prefix.path());
  EnvGuard b("JARNCUPSBINDIR", "/usr");
  int request = 0;
  takeCupsEnvironment(&request);
  EXPECT_EQ(kLpCups, request);
  EXPECT_EQ(1, setup().cupsFound);
  EXPECT_EQ(prefix.path(), setup().cupsDir);
  std::string ppd;
  EXPECT_EQ(1, getCupsPPDFname("Q1", &ppd, 0));
  EXPECT_EQ(prefix.path() + "/etc/cups/ppd/Q1.ppd", ppd);
  StderrCapture err;
  EXPECT_EQ(0, getCupsPPDFname("Q1", &ppd, 1));
  EnvGuard gone("JARNCUPSDIR", "/no/such/dir");
  resetSetup();
  request = 0;
  takeCupsEnvironment(&request);
  EXPECT_EQ(0, request);
  EXPECT_EQ("", setup().cupsDir);
  ASSERT_EQ(0, ::chmod(prefix.path().c_str(), 0777));  // a directory others can fill is no tool directory
  EnvGuard open("JARNCUPSBINDIR", prefix.path());
  resetSetup();
  takeCupsEnvironment(&request);
  EXPECT_EQ("", setup().cupsBinDir);
}

// With no server answering, each source of the version is tried in turn.
TEST_F(Detection, VersionFallbacksEachInTurn) {
  script("/usr/bin/nc", "cat >/dev/null\n");  // no server behind it
  std::string source = "x";
  EXPECT_EQ(1400, getHTTPCUPSVersion("", &source));
  EXPECT_EQ("", source);

  file("/usr/share/cups/data/testprint", "This page was Produced by CUPS V1.2\n");
  EXPECT_EQ(1200, getHTTPCUPSVersion("", &source));
  EXPECT_EQ(root.path() + "/usr/share/cups/data/testprint", source);
  file("/usr/share/cups/data/testprint.ps", "%%Title: Printed Using CUPS v1.1.23\n");
  EXPECT_EQ(1123, getHTTPCUPSVersion());
  ::mkdir((root / "usr/share/doc").c_str(), 0755);
  ::mkdir((root / "usr/share/doc/cups-1.3").c_str(), 0755);
  EXPECT_EQ(1300, getHTTPCUPSVersion());
  file("/usr/share/cups/doc/index.html", "<HTML><TITLE>Home - CUPS 1.5.3</TITLE>\n");
  EXPECT_EQ(1530, getHTTPCUPSVersion());
  file("/etc/cups/printers.conf", "# Printer configuration file for CUPS v1.0.0\n");
  EXPECT_EQ(1530, getHTTPCUPSVersion());  // exactly 100 counts as no answer
  file("/etc/cups/printers.conf", "# Printer configuration file for CUPS v2.2.7\n");
  EXPECT_EQ(2270, getHTTPCUPSVersion());
  script("/usr/bin/cups-config", "echo 2.3.1\n");
  EXPECT_EQ(2310, getHTTPCUPSVersion("", &source));
  EXPECT_EQ(root.path() + "/usr/bin/cups-config", source);

  script("/usr/bin/nc", "cat >/dev/null; printf 'HTTP/1.1 400 Bad Request\\r\\nServer: CUPS/2.4 IPP/2.1\\r\\n\\r\\n'\n");
  EXPECT_EQ(2400, getHTTPCUPSVersion());
  // The installation's own netcat comes first.
  script("/opt/bry/bin/qornc", "cat >/dev/null; printf 'Server: CUPS/1.4\\r\\n'\n");
  EXPECT_EQ(1400, getHTTPCUPSVersion("", &source));
  EXPECT_EQ("HTTP", source);
  // A netcat program given by the caller comes before both.
  EXPECT_EQ(2400, getHTTPCUPSVersion(root.path() + "/usr/bin/nc"));
}

}  // namespace
