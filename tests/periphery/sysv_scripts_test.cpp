// The System V queue scripts, checked by sh -n and run for real on a sample
// job with a stub filter that records its argv, environment and input; the
// device nodes; the spool owner; the queue-creation commands.
#include <gtest/gtest.h>

#include <grp.h>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

#include "cupsd_support.h"
#include "fs_root.h"
#include "process_runner.h"
#include "setup_state.h"
#include "sysv_scripts.h"
#include "system_detection.h"
#include "test_support.h"

using testing_support::modeOf;
using testing_support::pathExists;
using testing_support::readFile;
using testing_support::ScriptedReporter;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const char kNastyQueue[] = "q;$(touch${IFS}canary)";

// A program that records its argv (one word a line), the JARN and DISPLAY
// variables, its standard error target, and the data of its last argument
// (or standard input) in `out`.
std::string writeStub(const std::string& path, const std::string& out) {
  writeFile(path,
            "#!/bin/sh\n"
            "out='" + out + "'\n"
            ": > \"$out/argv\"\n"
            "last=\n"
            "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out/argv\"; last=$a; done\n"
            "env | grep -E '^(JARN|DISPLAY|LPMODE|PREPATH|QOR)' | sort > \"$out/env\"\n"
            "case \"$last\" in /*) cat \"$last\" > \"$out/input\" ;; *) cat > \"$out/input\" ;; esac\n"
            "echo \"stub was here\" >&2\n"
            "exit 3\n");
  ::chmod(path.c_str(), 0755);
  return path;
}

// Runs `sh script args...` in `cwd`; the exit code.
int runShell(const std::string& cwd, const std::string& script, const std::vector<std::string>& args,
             const std::string& stdinPath = "/dev/null", const std::string& stdoutPath = "") {
  Command c;
  c.argv = {"/bin/sh", "-c", "cd \"$1\" && shift && exec /bin/sh \"$@\"", "sh", cwd, script};
  c.argv.insert(c.argv.end(), args.begin(), args.end());
  c.stdinPath = stdinPath;
  c.stdoutPath = stdoutPath;
  return exitCodeOf(runCommand(c, 0, RunMode::Quiet));
}

bool syntaxOk(const std::string& path) {
  Command c({"/bin/sh", "-n", path}, "sh -n");
  return exitCodeOf(runCommand(c, 0, RunMode::Quiet)) == 0;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

class SysvScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSetup();
    sysvSettings() = SysvScriptSettings();
    setFsRoot(root.path());
    ::mkdir((root / "usr").c_str(), 0755);
    ::mkdir((root / "usr/spool").c_str(), 0755);
    ::mkdir((root / "usr/spool/lp").c_str(), 0755);
    ::mkdir((root / "usr/spool/lp/model").c_str(), 0755);
    ::mkdir((work / "out").c_str(), 0755);
    ::mkdir((work / "cwd").c_str(), 0755);
    setup().userDir = user.path();
    setup().lpMode = kLpSysV;
    setup().osKind = 6;
    writeFile(work / "job", "%!PS\nsample job\n");
  }
  void TearDown() override {
    setFsRoot("");
    sysvSettings() = SysvScriptSettings();
  }
  std::string model(const std::string& queue) { return root / ("usr/spool/lp/model/" + queue); }
  bool canaryAnywhere() {
    return pathExists(work / "cwd/canary") || pathExists(work / "canary") || pathExists(user / "canary") ||
           pathExists(root / "usr/spool/lp/model/canary");
  }

  TempDir root;
  TempDir user;
  TempDir work;
};

TEST_F(SysvScripts, InterfaceScriptRunsTheFilterWithTheJobsSettings) {
  std::string stub = writeStub(work / "filter", work / "out");
  std::string path;
  ASSERT_EQ(writeInterfaceScript(kNastyQueue, stub, kScriptLogical, &path), 1);
  EXPECT_EQ(path, model(kNastyQueue));
  EXPECT_EQ(modeOf(path), 0755);
  EXPECT_TRUE(syntaxOk(path));

  int rc = runShell(work / "cwd", path,
                    {"42", "alice@client", "Quarterly report", "2", "mbf=7 mbp duplex Hxhost", work / "job"});
  EXPECT_EQ(rc, 3) << "the script ends with the filter's status";
  EXPECT_EQ(lines(readFile(work / "out/argv")),
            (std::vector<std::string>{"-nalice", "-MBF=7", "-MBP", "-oduplex,nc=2", work / "job"}));
  std::string env = readFile(work / "out/env");
  EXPECT_NE(env.find("DISPLAY=xhost:0\n"), std::string::npos) << env;
  EXPECT_NE(env.find(std::string("JARNPRINTERNAME=") + kNastyQueue + "\n"), std::string::npos) << env;
  EXPECT_NE(env.find("JARNTITLE=Quarterly-report\n"), std::string::npos) << env;
  EXPECT_NE(env.find("JARNUSERNAME=alice\n"), std::string::npos) << env;
  EXPECT_NE(env.find("JARNSEQID=42\n"), std::string::npos) << env;
  EXPECT_EQ(readFile(work / "out/input"), "%!PS\nsample job\n");
  // The filter's errors go to the queue's log in the spool account's directory.
  EXPECT_EQ(readFile(user / (std::string(".jarnlog/") + kNastyQueue + "alice.log")), "stub was here\n");
  EXPECT_FALSE(canaryAnywhere());
}

TEST_F(SysvScripts, InterfaceScriptOptionsAndNames) {
  std::string stub = writeStub(work / "filter", work / "out");
  std::string path;
  ASSERT_EQ(writeInterfaceScript("lq", stub, kScriptLogical, &path), 1);
  struct Case {
    std::string user;
    std::string title;
    std::string copies;
    std::string options;
    std::vector<std::string> argv;
    std::string log;
  };
  const Case cases[] = {
      // No options: no -o at all.
      {"bob", "", "1", "", {"-nbob", work / "job"}, "lqbob.log"},
      // mbu= with a number, the fixed-box form, UUCP-style names.
      {"host!carol", "t", "1", "mbu=12 MBP", {"-ncarol", "-MBU=12", "-MBP", work / "job"}, "lqcarol.log"},
      {"dave", "t", "1", "MBF=3", {"-ndave", "-MBF3", work / "job"}, "lqdave.log"},
      // A box "number" that is not one is an ordinary option; c<n> is taken.
      {"erin", "t", "1", "mbf=x1 c2 MBU", {"-nerin", "-MBU", "-ombf=x1", work / "job"}, "lqerin.log"},
      // Names with shell characters and path parts reach the filter literally;
      // the log stays inside the log directory.
      {"../../$(id)`x` *", "t", "1", "", {"-n../../$(id)`x` *", work / "job"}, "lq.._..___id__x___.log"},
  };
  for (const Case& c : cases) {
    runShell(work / "cwd", path, {"7", c.user, c.title, c.copies, c.options, work / "job"});
    EXPECT_EQ(lines(readFile(work / "out/argv")), c.argv) << c.user;
    EXPECT_TRUE(pathExists(user / (".jarnlog/" + c.log))) << c.log;
  }
  // JARNTITLE falls back to the options, then to user and sequence id.
  runShell(work / "cwd", path, {"7", "fay", "", "1", "", work / "job"});
  EXPECT_NE(readFile(work / "out/env").find("JARNTITLE=fay-7\n"), std::string::npos);
  // Without a file the job comes on standard input (the CUPS way).
  writeFile(work / "stdin", "from stdin\n");
  runShell(work / "cwd", path, {"8", "gil", "t", "1", ""}, work / "stdin");
  EXPECT_EQ(readFile(work / "out/input"), "from stdin\n");
  // Too few arguments: the System V argument error.
  EXPECT_EQ(runShell(work / "cwd", path, {"1", "2"}), 1);
}

TEST_F(SysvScripts, LocalInterfaceScriptPassesTheJobThrough) {
  std::string path;
  ASSERT_EQ(writeInterfaceScript(kNastyQueue, "", kScriptLocal, &path), 1);
  EXPECT_TRUE(syntaxOk(path));
  EXPECT_EQ(runShell(work / "cwd", path, {"1", "alice", "t", "1", "mbf=2", work / "job"}, "/dev/null",
                     work / "printed"),
            0);
  EXPECT_EQ(readFile(work / "printed"), "%!PS\nsample job\n");
  EXPECT_FALSE(canaryAnywhere());
}

TEST_F(SysvScripts, QueueScriptRunsTheProgramOnItsLastArgumentOnly) {
  sysvSettings().outputProgram = writeStub(work / "out prog", work / "out");
  std::string path;
  ASSERT_EQ(writeQueueScript(kNastyQueue, &path, kScriptLogical), 1);
  EXPECT_EQ(path, user / (std::string(kNastyQueue) + ".sh"));
  EXPECT_EQ(modeOf(path), 0755);
  EXPECT_TRUE(syntaxOk(path));
  std::string text = readFile(path);
  EXPECT_NE(text.find("\n# Script for Jarn 2.0 Logical Queues.\n# Created at "), std::string::npos);
  EXPECT_EQ(runShell(work / "cwd", path, {"-x", "a b", work / "job"}), 3) << "the program's status is kept";
  EXPECT_EQ(lines(readFile(work / "out/argv")), (std::vector<std::string>{work / "job"}));
  EXPECT_EQ(readFile(work / "out/input"), "%!PS\nsample job\n");
  EXPECT_FALSE(canaryAnywhere());
}

TEST_F(SysvScripts, ExistingScriptsAreReplacedOnlyAfterYes) {
  std::string path = user / "q1.sh";
  writeFile(path, "old\n");
  ScriptedReporter rep;
  rep.answers = {false, true};
  std::string out;
  EXPECT_EQ(writeQueueScript("q1", &out, kScriptLocal), 0);
  EXPECT_EQ(readFile(path), "old\n");
  ASSERT_EQ(rep.questions.size(), 1u);
  EXPECT_EQ(rep.questions[0].text, "Script '" + path + "' exists!\nCreate new file?");
  EXPECT_EQ(writeQueueScript("q1", &out, kScriptLocal), 1);
  EXPECT_NE(readFile(path).find("# Script for Jarn 2.0 Local Queues."), std::string::npos);

  writeFile(model("q1"), "old model\n");
  rep.answers = {false};
  EXPECT_EQ(writeLocalInterfaceScript("q1"), 0);
  EXPECT_EQ(readFile(model("q1")), "old model\n");
  EXPECT_EQ(rep.questions.back().text, "Model 'q1' exists!\nCreate new file?");
}

TEST_F(SysvScripts, NamesThatCannotNameAFileAreRefused) {
  ScriptedReporter rep;
  std::string out;
  EXPECT_EQ(writeQueueScript("../evil", &out, kScriptLocal), 0);
  EXPECT_EQ(writeInterfaceScript("a/b", "cat", kScriptLogical), 0);
  EXPECT_EQ(MakeLogicalQue("..", ""), 0);
  EXPECT_EQ(rep.messages.size(), 3u);
  EXPECT_FALSE(pathExists(root / "usr/spool/lp/evil.sh"));
  // No model directory at all: a message, no file.
  Command rm({"rm", "-rf", root / "usr/spool"}, "rm");
  runCommand(rm, 0, RunMode::Quiet);
  EXPECT_EQ(writeLocalInterfaceScript("q"), 0);
  EXPECT_EQ(rep.messages.back().text, "No model directory found\nfor the interface script of 'q'.");
}

TEST_F(SysvScripts, DispatcherScriptExportsTheQueueAndRunsTheDispatcher) {
  SetupState& s = setup();
  s.lpMode = kLpCups;
  s.cupsFound = 1;
  s.cupsDir = "/opt/cups prefix";
  s.cupsBinDir = "/usr";
  s.tmpDir = "/var/tmp/jarn";
  s.printerType = kTypePclXl;
  s.toolPaths[kToolCupsDataDir] = root / "usr/share/cups";
  ::mkdir((root / "usr/share").c_str(), 0755);
  ::mkdir((root / "usr/share/cups").c_str(), 0755);
  ::mkdir((root / "usr/share/cups/model").c_str(), 0755);
  sysvSettings().colourDevice = true;
  sysvSettings().outputNoPjl = true;
  writeStub(user / "dispatcherObel", work / "out");

  ASSERT_EQ(MakeLogicalQue(kNastyQueue, "-X1 'two words'"), 1);
  std::string dispatcher = user / (std::string(kNastyQueue) + ".sh");
  std::string interface = root / (std::string("usr/share/cups/model/") + kNastyQueue);
  EXPECT_TRUE(syntaxOk(dispatcher));
  EXPECT_TRUE(syntaxOk(interface));
  EXPECT_EQ(modeOf(dispatcher), 0755);

  // A job through the interface script reaches the dispatcher program.
  int rc = runShell(work / "cwd", interface, {"9", "alice", "t", "1", "mbf=4", work / "job"});
  EXPECT_EQ(rc, 3);
  EXPECT_EQ(lines(readFile(work / "out/argv")),
            (std::vector<std::string>{std::string("-p") + kNastyQueue, "-M3", "-TPXL", "-X1", "'two", "words'",
                                      "-nalice", "-MBF=4", work / "job"}));
  std::string env = readFile(work / "out/env");
  for (const std::string& line :
       {std::string("JARNPRINTERNAME=") + kNastyQueue, std::string("LPMODE=CUPS"), "PREPATH=" + user.path(),
        "JARNINFO=" + user.path() + "/jarnInfo2.0", std::string("JARNTMPDIR=/var/tmp/jarn"),
        std::string("JARNCLRDEV=1"), std::string("QOROUTNOPJL=1"), std::string("JARNCUPSDIR=/opt/cups prefix"),
        std::string("JARNCUPSBINDIR=/usr")}) {
    EXPECT_NE(env.find(line + "\n"), std::string::npos) << line << " in\n" << env;
  }
  EXPECT_EQ(env.find("QOROUTUESC"), std::string::npos);
  EXPECT_FALSE(canaryAnywhere());

  // Other spoolers have no dispatcher script.
  s.lpMode = kLpAix;
  EXPECT_EQ(MakeLogicalQue("other", ""), 0);
  EXPECT_FALSE(pathExists(user / "other.sh"));
}

TEST_F(SysvScripts, SpoolAccountBySpoolerAndSystem) {
  struct Case {
    int lpMode;
    int osKind;
    const char* user;
    const char* group;
  };
  const Case cases[] = {
      {kLpLprng, 1, "daemon", "daemon"}, {kLpCups, 1, "root", "root"}, {kLpSysV, 1, "lp", "lp"},
      {kLpSysV, 3, "lp", "lp"},          {kLpSysV, 9, "lp", "lp"},     {kLpSysV, 11, "lp", "lp"},
      {kLpSysV, 4, "bin", "bin"},        {kLpBsd, 7, "bin", "bin"},    {kLpSysV, 5, "print", "print"},
      {kLpSysV, 10, "root", "bin"},      {kLpBsd, 6, "daemon", "daemon"}, {kLpSysV, 0, "daemon", "daemon"},
  };
  for (const Case& c : cases) {
    setup().lpMode = c.lpMode;
    setup().osKind = c.osKind;
    std::string u;
    std::string g;
    spoolAccount(&u, &g);
    EXPECT_EQ(u, c.user) << c.lpMode << "/" << c.osKind;
    EXPECT_EQ(g, c.group) << c.lpMode << "/" << c.osKind;
  }
  if (::geteuid() != 0) GTEST_SKIP() << "chown needs root";
  setup().lpMode = kLpSysV;
  setup().osKind = 1;
  writeFile(work / "spool", "x");
  ASSERT_EQ(setSpoolOwner(work / "spool"), 0);
  struct stat st;
  ASSERT_EQ(::stat((work / "spool").c_str(), &st), 0);
  const passwd* lp = ::getpwnam("lp");
  EXPECT_EQ(st.st_uid, lp ? lp->pw_uid : 0u);
  setup().osKind = 5;  // "print" does not exist here: id 0
  ASSERT_EQ(setSpoolOwner(work / "spool"), 0);
  ASSERT_EQ(::stat((work / "spool").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, ::getpwnam("print") ? ::getpwnam("print")->pw_uid : 0u);
}

TEST_F(SysvScripts, DeviceNodes) {
  ScriptedReporter rep;
  int major = 0;
  int minor = 0;
  // Unknown numbers: nothing is created (no fallback numbers).
  EXPECT_EQ(getDeviceNumbers(root / "dev/null", &major, &minor), 0);
  EXPECT_EQ(major, -1);
  ::mkdir((root / "dev").c_str(), 0755);
  EXPECT_EQ(makeDeviceNode("lpq1"), 0);
  EXPECT_FALSE(pathExists(root / "dev/lpq1"));
  // Names that leave /dev are refused.
  EXPECT_EQ(makeDeviceNode("/dev/../etc/passwd"), 0);
  EXPECT_EQ(makeDeviceNode("a/b"), 0);
  if (::geteuid() != 0) GTEST_SKIP() << "mknod needs root";
  ASSERT_EQ(::mknod((root / "dev/null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)), 0);
  ASSERT_EQ(getNullDeviceNumbers(), 1);
  EXPECT_EQ(nullDeviceMajor(), 1);
  EXPECT_EQ(nullDeviceMinor(), 3);
  ::umask(022);
  EXPECT_EQ(makeDeviceNode("lpq1"), 1);
  EXPECT_EQ(makeDeviceNode("/dev/lpq2"), 1);
  for (const char* n : {"dev/lpq1", "dev/lpq2"}) {
    struct stat st;
    ASSERT_EQ(::lstat((root / n).c_str(), &st), 0) << n;
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, ::makedev(1, 3));
    EXPECT_EQ(st.st_mode & 07777, 0666u);
  }
  // Existing with the right numbers: nothing to do; a different file: left alone.
  EXPECT_EQ(makeDeviceNode("lpq1"), 1);
  writeFile(root / "dev/plain", "data");
  EXPECT_EQ(makeDeviceNode("plain"), 0);
  EXPECT_EQ(readFile(root / "dev/plain"), "data");
}

TEST_F(SysvScripts, SystemVQueueCommandTakesNamesLiterally) {
  ScriptedReporter rep;
  // A stand-in lpadmin that records its argv, since System V's is not on Linux.
  std::string out = work / "out";
  writeFile(work / "lpadmin",
            "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '" + out + "/lpadmin'\n");
  ::chmod((work / "lpadmin").c_str(), 0755);
  writeFile(work / "accept", "#!/bin/sh\nprintf 'accept %s\\n' \"$1\" >> '" + out + "/lpadmin'\n");
  writeFile(work / "enable", "#!/bin/sh\nprintf 'enable %s\\n' \"$1\" >> '" + out + "/lpadmin'\n");
  ::chmod((work / "accept").c_str(), 0755);
  ::chmod((work / "enable").c_str(), 0755);
  SetupState& s = setup();
  s.toolPaths[kToolLpadmin] = work / "lpadmin";
  s.toolPaths[kToolAccept] = work / "accept";
  s.toolPaths[kToolEnable] = work / "enable";
  sysvSettings().preCommand = {"/bin/sh", "-c", "echo pre >> \"$0\"", out + "/lpadmin"};

  EXPECT_EQ(createScriptQueue(kNastyQueue, "", kScriptLocal | kScriptRunPreCommand), 1);
  EXPECT_EQ(lines(readFile(out + "/lpadmin")),
            (std::vector<std::string>{"pre", std::string("-p") + kNastyQueue, "-v/dev/null",
                                      std::string("-m") + kNastyQueue, std::string("accept ") + kNastyQueue,
                                      std::string("enable ") + kNastyQueue}));
  EXPECT_FALSE(canaryAnywhere());

  // At trace level 1 the commands are shown and not run.
  ::unlink((out + "/lpadmin").c_str());
  s.traceLevel = 1;
  testing::internal::CaptureStderr();
  EXPECT_EQ(createScriptQueue("q2", "", kScriptLocal), 1);
  std::string err = testing::internal::GetCapturedStderr();
  s.traceLevel = 0;
  EXPECT_FALSE(pathExists(out + "/lpadmin"));
  EXPECT_NE(err.find(work / "lpadmin" + " -pq2 -v/dev/null -mq2 2>/dev/null\n"), std::string::npos) << err;
  EXPECT_NE(err.find(work / "accept" + " q2 2>/dev/null\n"), std::string::npos) << err;
}

}  // namespace

// Against a private CUPS 2.4 daemon, which no longer takes interface scripts:
// a checked queue is never deleted or changed, and the refusal is reported.
namespace {

class SysvScriptsCups : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSetup();
    sysvSettings() = SysvScriptSettings();
    ::setenv("CUPS_SERVER", cupsd.socket().c_str(), 1);
    SetupState& s = setup();
    s.lpMode = kLpCups;
    s.cupsFound = 1;
    s.userDir = dir.path();
    s.cupsDir = dir / "prefix";
    s.toolPaths[kToolCupsDataDir] = dir / "data";
    for (const char* d : {"prefix", "prefix/etc", "prefix/etc/cups", "prefix/etc/cups/interfaces", "data",
                          "data/model"}) {
      ::mkdir((dir / d).c_str(), 0755);
    }
  }
  void TearDown() override { ::unsetenv("CUPS_SERVER"); }
  std::string deviceOf(const std::string& queue) {
    std::string out;
    cupsd.client({"lpstat", "-v", queue}, &out);
    return out;
  }

  TempDir dir;
  periphery_testing::PrivateCupsd cupsd{dir / "cupsd"};
};

TEST_F(SysvScriptsCups, RefusedInterfaceScriptsLeaveTheQueueAsItIs) {
  ASSERT_TRUE(cupsd.running());
  ASSERT_EQ(cupsd.client({"lpadmin", "-p", "KEEP", "-v", "file:/dev/null", "-E"}), 0);
  const std::string before = deviceOf("KEEP");
  ASSERT_NE(before.find("/dev/null"), std::string::npos) << before;
  ScriptedReporter rep;
  SetupState& s = setup();
  s.connectType = kConnectFile;
  s.fileName = dir / "changed-target";

  // A known CUPS 2.4: nothing is run, the reason is shown.
  s.cupsVersion = 2402;
  EXPECT_EQ(checkCupsInterface("KEEP", kScriptLocal), 0);
  ASSERT_EQ(rep.messages.size(), 1u);
  EXPECT_EQ(rep.messages[0].text,
            "This CUPS (version 2402) no longer takes\nSystem V interface scripts.\nThe queue 'KEEP' was left as it is.");
  EXPECT_EQ(deviceOf("KEEP"), before);

  // An unknown version: lpadmin is asked, refuses, and the queue stays as it was.
  s.cupsVersion = 0;
  ASSERT_EQ(writeLocalInterfaceScript("KEEP"), 1);
  EXPECT_EQ(checkCupsInterface("KEEP", kScriptLocal), 0);
  ASSERT_EQ(rep.messages.size(), 2u);
  EXPECT_EQ(rep.messages[1].text, "The spooler refused the interface script\nof the queue 'KEEP'.\nThe queue was left as it is.");
  EXPECT_EQ(deviceOf("KEEP"), before);
  EXPECT_EQ(modeOf(dir / "prefix/etc/cups/interfaces"), 0755) << "the interfaces directory keeps its mode";

  // A new logical queue is not created either, and says so.
  EXPECT_EQ(createLogicalQueue("NEWQ", ""), 0);
  EXPECT_NE(cupsd.client({"lpstat", "-p", "NEWQ"}), 0);

  // A queue whose interface file is there is left alone without a word.
  writeFile(dir / "prefix/etc/cups/interfaces/KEEP", "#!/bin/sh\n");
  EXPECT_EQ(checkCupsInterface("KEEP", kScriptLocal), 1);
  EXPECT_EQ(rep.messages.size(), 3u);
}

}  // namespace
