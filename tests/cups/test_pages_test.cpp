// The test documents, their printing through stand-in print commands, and
// what a queue deletion removes beside the spooler.
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>

#include "cups_test_support.h"
#include "fs_root.h"
#include "queue_commands.h"
#include "sleeper.h"
#include "system_detection.h"
#include "test_pages.h"

using namespace cups_testing;
using testing_support::pathExists;
using testing_support::writeFile;

namespace {

size_t count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(TestDocuments, PostScriptAnnouncesItsRealPageCount) {
  for (int pages : {1, 2, 4}) {
    std::string ps = postScriptTestPage(pages, "root", "Wed Dec  9 10:00:00 2026");
    EXPECT_EQ(0u, ps.find("%!PS-Adobe-3.0\n%%Title: (Printer Test Page)\n%%Creator: (root : Jarn 1.0)\n"
                          "%%CreationDate: (Wed Dec  9 10:00:00 2026)\n"));
    EXPECT_EQ(1u, count(ps, "%%Pages: " + std::to_string(pages) + "\n"));
    EXPECT_EQ(1u, count(ps, "%%Pages:"));
    for (int p = 1; p <= pages; ++p) {
      EXPECT_EQ(1u, count(ps, "%%Page: (Printer Test Page) " + std::to_string(p) + "\n"));
    }
    EXPECT_EQ(static_cast<size_t>(pages), count(ps, "gsave\ndrawGraphics\ndrawText\nshowpage\ngrestore\n"));
    EXPECT_EQ(ps.size() - 7, ps.rfind("\n%%EOF\n"));
  }
  EXPECT_EQ(std::string::npos, postScriptTestPage(1, "u", "").find("%%CreationDate"));
}

// A real interpreter renders the document with the announced number of pages.
TEST(TestDocuments, GhostscriptRendersEveryPage) {
  if (::access("/usr/bin/gs", X_OK) != 0) GTEST_SKIP() << "no Ghostscript";
  TempDir dir;
  writeFile(dir / "t.ps", postScriptTestPage(4, "root", "now"));
  Command gs({"/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r10",
              "-sOutputFile=" + (dir / "page%d.pgm"), dir / "t.ps"},
             "gs");
  gs.stderrToStdout = true;
  std::string out;
  EXPECT_EQ(0, exitCodeOf(runCapture(gs, 0, &out))) << out;
  EXPECT_EQ("", out);
  EXPECT_TRUE(pathExists(dir / "page4.pgm"));
  EXPECT_FALSE(pathExists(dir / "page5.pgm"));
}

// CUPS's pstops takes each page as a unit: it combines, drops and reorders
// them, and every page must still render on its own.
TEST(TestDocuments, EveryPageStandsAloneThroughPstops) {
  const std::string pstops = "/usr/lib/cups/filter/pstops";
  if (::access("/usr/bin/gs", X_OK) != 0 || ::access(pstops.c_str(), X_OK) != 0) {
    GTEST_SKIP() << "no Ghostscript or pstops";
  }
  struct Case {
    int pages;
    const char* options;
    int sheets;
  };
  const Case cases[] = {{4, "number-up=2", 2},         {4, "page-ranges=3", 1},
                        {4, "outputorder=reverse", 4}, {4, "number-up=4 outputorder=reverse", 1},
                        {2, "number-up=2", 1},         {2, "outputorder=reverse", 2}};
  for (const Case& c : cases) {
    TempDir dir;
    writeFile(dir / "t.ps", postScriptTestPage(c.pages, "root", "now"));
    Command filter({pstops, "1", "root", "t", "1", c.options, dir / "t.ps"}, "pstops");
    filter.stdoutPath = dir / "job.ps";
    filter.stderrPath = dir / "pstops.log";
    ASSERT_EQ(0, exitCodeOf(runCommand(filter, 0))) << c.options;
    Command gs({"/usr/bin/gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=pgmraw", "-r10",
                "-g85x110", "-sOutputFile=" + (dir / "p%d.pgm"), dir / "job.ps"},
               "gs");
    gs.stderrToStdout = true;
    std::string out;
    EXPECT_EQ(0, exitCodeOf(runCapture(gs, 0, &out))) << c.options << "\n" << out;
    EXPECT_EQ("", out) << c.options;
    EXPECT_TRUE(pathExists(dir / ("p" + std::to_string(c.sheets) + ".pgm"))) << c.options;
    EXPECT_FALSE(pathExists(dir / ("p" + std::to_string(c.sheets + 1) + ".pgm"))) << c.options;
    if (std::string(c.options) != "number-up=2") continue;
    // Two of the same page to a sheet: each in its own half, alike.
    std::string px = testing_support::readFile(dir / "p1.pgm");
    auto half = px.end() - 85 * 110 / 2;
    long top = std::count_if(half - 85 * 110 / 2, half, [](char b) { return b != '\xff'; });
    EXPECT_GT(top, 100);
    EXPECT_NEAR(top, std::count_if(half, px.end(), [](char b) { return b != '\xff'; }), top / 10);
  }
}

TEST(TestDocuments, TextCopiesAreSeparatedByOneFormFeed) {
  std::string t = textTestPage(2, "root", "* Q1", "Wed Dec  9 10:00:00 2026");
  EXPECT_EQ(1u, count(t, "\f"));
  EXPECT_NE('\f', t.back());
  EXPECT_LT(t.find("\n\t\tPage : 1\n\n"), t.find('\f'));
  EXPECT_GT(t.find("\n\t\tPage : 2\n\n"), t.find('\f'));
  EXPECT_EQ(2u, count(t, "\n\t\tUser : root\n\n"));
  EXPECT_EQ(2u, count(t, "\n\t\tQueue: * Q1\n\n"));
  EXPECT_EQ(2u, count(t, "\n\t\tDate : Wed Dec  9 10:00:00 2026\n\n"));
  EXPECT_EQ(3u, count(textTestPage(4, "u", "q", "d"), "\f"));
}

class TestPrint : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    SetupState& s = setup();
    s.lpMode = kLpCups;
    s.toolPaths[kToolLp] = rec.tool("lp");
    s.printerName = "* Q1  :";
    s.queueExists = 1;
  }
  ToolRecorder rec;
  testing_support::ScriptedReporter reporter;
};

TEST_F(TestPrint, PrintsOnTheQueueBehindTheMark) {
  EXPECT_EQ(1, testPrintForKind(kTestPs4));
  auto calls = rec.calls();
  ASSERT_EQ(1u, calls.size());
  ASSERT_EQ(5u, calls[0].size());
  EXPECT_EQ(std::vector<std::string>({"lp", "-s", "-c", "-dQ1"}),
            std::vector<std::string>(calls[0].begin(), calls[0].begin() + 4));
  EXPECT_EQ(0u, calls[0][4].find("/tmp/QORXX"));
  EXPECT_FALSE(pathExists(calls[0][4]));  // removed after use
  EXPECT_EQ(1u, count(rec.data(), "%%Pages: 4\n"));
  ASSERT_EQ(1u, reporter.messages.size());
  EXPECT_EQ(40, reporter.messages[0].code);
  EXPECT_EQ("TEST PRINT", reporter.messages[0].title);

  setup().lpMode = kLpBsd;
  setup().toolPaths[kToolLp] = rec.tool("lpr");
  EXPECT_EQ(1, testPrintForKind(kTestText2));
  EXPECT_EQ("-PQ1", rec.calls()[1][1]);
  EXPECT_EQ(1u, count(rec.data(), "\f"));
  EXPECT_EQ(2u, count(rec.data(), "\t\tQueue: * Q1  :\n"));
}

TEST_F(TestPrint, OutcomeMessages) {
  {
    EnvGuard fail("RECORD_EXIT", "3");
    testPrintForKind(kTestPs1);
  }
  ASSERT_EQ(1u, reporter.messages.size());
  EXPECT_EQ(39, reporter.messages[0].code);
  EXPECT_EQ(0u, reporter.messages[0].text.find("The test print job did not pass correctly?"));

  setup().traceLevel = 1;  // shown, not run: passed
  StderrCapture err;
  testPrintForKind(kTestText1);
  std::string shown = err.take();
  EXPECT_EQ(0u, shown.find(rec.tool("lp") + " -s -c -dQ1 /tmp/QORXX"));
  EXPECT_EQ(1u, rec.calls().size());
  EXPECT_EQ(40, reporter.messages.back().code);

  testPrintForKind(4);  // no document of that kind: nothing at all
  setup().queueExists = 0;
  EXPECT_EQ(0, testPrintForKind(kTestPs1));
  EXPECT_EQ(2u, reporter.messages.size());
}

// What a deletion removes beside the spooler: only the null device node of
// a System V queue, and only a regular model file.
class DeleteLeftovers : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    setFsRoot(root.path());
    ::mkdir((root / "dev").c_str(), 0755);
    SetupState& s = setup();
    s.toolPaths[kToolLpadmin] = rec.tool("lpadmin");
    s.toolPaths[kToolLpstat] = rec.tool("lpstat");
    s.toolPaths[kToolCupsDataDir] = root / "data";
    ::mkdir((root / "data").c_str(), 0755);
    ::mkdir((root / "data/model").c_str(), 0755);
  }
  void TearDown() override {
    setFsRoot("");
    FreshState::TearDown();
  }
  bool node(const std::string& name, unsigned major, unsigned minor) {
    return ::mknod((root / ("dev/" + name)).c_str(), S_IFCHR | 0666, makedev(major, minor)) == 0;
  }
  TempDir root;
  ToolRecorder rec;
};

TEST_F(DeleteLeftovers, SystemVNullNodesOnly) {
  if (!node("lp9", 1, 3) || !node("zero", 1, 5) || !node("null", 1, 3)) GTEST_SKIP() << "no mknod here";
  writeFile(root / "dev/sda", "disk");
  SetupState& s = setup();
  s.lpMode = kLpSysV;
  for (const char* q : {"lp9", "zero", "sda", "null"}) EXPECT_EQ(1, deleteSpoolerQueue(q, 0));
  EXPECT_FALSE(pathExists(root / "dev/lp9"));
  EXPECT_TRUE(pathExists(root / "dev/zero"));
  EXPECT_TRUE(pathExists(root / "dev/sda"));
  EXPECT_TRUE(pathExists(root / "dev/null"));

  ASSERT_TRUE(node("lp8", 1, 3));
  s.lpMode = kLpCups;  // not System V: no device node is touched
  EXPECT_EQ(1, deleteSpoolerQueue("lp8", 0));
  EXPECT_TRUE(pathExists(root / "dev/lp8"));
  s.traceLevel = 1;
  s.lpMode = kLpSysV;
  StderrCapture err;
  EXPECT_EQ(1, deleteSpoolerQueue("lp8", 0));  // nothing runs, nothing is removed
  EXPECT_TRUE(pathExists(root / "dev/lp8"));
}

TEST_F(DeleteLeftovers, RegularModelFilesOnly) {
  SetupState& s = setup();
  s.lpMode = kLpCups;
  writeFile(root / "data/model/Q1", "old interface");
  ::mkdir((root / "data/model/Q2").c_str(), 0755);
  ::symlink("/etc/passwd", (root / "data/model/Q3").c_str());
  for (const char* q : {"Q1", "Q2", "Q3"}) EXPECT_EQ(1, deleteSpoolerQueue(q, 0));
  EXPECT_FALSE(pathExists(root / "data/model/Q1"));
  EXPECT_EQ("old interface", testing_support::readFile(root / "data/model/Q1.old"));
  EXPECT_TRUE(pathExists(root / "data/model/Q2"));
  EXPECT_TRUE(pathExists(root / "data/model/Q3"));

  // A failed deletion keeps everything.
  writeFile(root / "data/model/Q4", "x");
  setSleeper([](unsigned) {});
  {
    EnvGuard fail("RECORD_EXIT", "1");
    EXPECT_EQ(0, deleteSpoolerQueue("Q4", 0));
  }
  setSleeper(nullptr);
  EXPECT_TRUE(pathExists(root / "data/model/Q4"));
}

}  // namespace
