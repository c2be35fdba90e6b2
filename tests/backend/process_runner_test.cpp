// The process runner: argv without a shell, redirections, trace levels.
#include "process_runner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include "test_support.h"

using testing_support::TempDir;
using testing_support::readFile;

namespace {

TEST(ProcessRunner, ArgumentsReachTheToolUnchangedByAnyShell) {
  TempDir t;
  Command c{{"printf", "%s|", "a b", "$(touch canary)", "x;y"}, "printf ..."};
  c.stdoutPath = t / "out";
  int st = runCommand(c, 0);
  EXPECT_EQ(exitCodeOf(st), 0);
  EXPECT_EQ(readFile(t / "out"), "a b|$(touch canary)|x;y|");
  EXPECT_FALSE(testing_support::pathExists("canary"));
}

TEST(ProcessRunner, TraceLevelOnePrintsTheTextAndRunsNothing) {
  TempDir t;
  Command c{{"touch", t / "made"}, "touch made"};
  testing::internal::CaptureStderr();
  EXPECT_EQ(runCommand(c, 1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "touch made\n");
  EXPECT_FALSE(testing_support::pathExists(t / "made"));
}

TEST(ProcessRunner, TraceLevelTwoPrintsAndRuns) {
  TempDir t;
  Command c{{"touch", t / "made"}, "touch made"};
  testing::internal::CaptureStderr();
  runCommand(c, 2);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "touch made\n");
  EXPECT_TRUE(testing_support::pathExists(t / "made"));
}

TEST(ProcessRunner, QuietCommandsRunAtLevelOne) {
  std::string out;
  Command c{{"echo", "hi"}, "echo hi"};
  testing::internal::CaptureStderr();
  runCapture(c, 1, &out, RunMode::Quiet);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_EQ(out, "hi\n");
}

TEST(ProcessRunner, ExitStatusAndMissingProgram) {
  Command fails{{"sh", "-c", "exit 3"}, "sh"};
  EXPECT_EQ(exitCodeOf(runCommand(fails, 0)), 3);
  Command missing{{"/nonexistent/tool"}, "tool"};
  EXPECT_EQ(exitCodeOf(runCommand(missing, 0)), 127);
}

TEST(ProcessRunner, RedirectionsInTheChild) {
  TempDir t;
  testing_support::writeFile(t / "in", "line1\nline2\n");
  Command c{{"sh", "-c", "cat; echo err >&2"}, "cat"};
  c.stdinPath = t / "in";
  c.stdoutPath = t / "out";
  c.stderrToStdout = true;
  runCommand(c, 0);
  EXPECT_EQ(readFile(t / "out"), "line1\nline2\nerr\n");
  c.appendStdout = true;
  runCommand(c, 0);
  EXPECT_EQ(readFile(t / "out"), "line1\nline2\nerr\nline1\nline2\nerr\n");
}

TEST(ProcessRunner, LargeOutputIsCapturedWhole) {
  std::string out;
  Command c{{"head", "-c", "1000000", "/dev/zero"}, "head"};
  EXPECT_EQ(exitCodeOf(runCapture(c, 0, &out)), 0);
  EXPECT_EQ(out.size(), 1000000u);
}

TEST(ProcessRunner, ShellQuoteForTraceTexts) {
  EXPECT_EQ(shellQuote("plain"), "plain");
  EXPECT_EQ(shellQuote("a b"), "'a b'");
  EXPECT_EQ(shellQuote("it's"), "'it'\\''s'");
  EXPECT_EQ(shellQuote(""), "''");
}

}  // namespace
