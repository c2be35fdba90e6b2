// The one process runner of the suite: runs a tool from an argv, with no
// shell, redirections done in the child, and returns the wait status.
//
// Each command carries the text the system prints for it at the trace levels
// (the command line as a shell would have read it). At trace level 1 a
// spooler command is printed and not run; from level 2 it is printed and run.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct Command {
  Command() = default;
  Command(std::vector<std::string> args, std::string commandText)
      : argv(std::move(args)), text(std::move(commandText)) {}

  std::vector<std::string> argv;  // argv[0]: the program, looked up in PATH when it holds no "/"
  std::string text;               // the system's own command text, for traces
  std::string stdinPath;          // read standard input from this file ("" = inherit)
  std::string stdoutPath;         // write standard output to this file ("" = inherit)
  bool appendStdout = false;      // append instead of truncating stdoutPath
  std::string stderrPath;         // write standard error to this file ("" = inherit)
  bool stderrToStdout = false;    // "2>&1"
  std::vector<std::pair<std::string, std::string>> env;  // variables set in the child
  // Time limit in seconds (0: none). The child then runs in a process group
  // of its own; when the limit passes, the group is killed and the run
  // counts as failed (the status of a killed child).
  int timeoutSeconds = 0;
};

// How a command relates to the trace level.
enum class RunMode {
  Spooler,  // level 1 prints and does not run; level 2+ prints and runs
  Quiet,    // always runs; the text is printed from level 2 on
};

// Runs the command and returns its wait status (as waitpid gives it).
// A dry run at trace level 1 returns 0. A program that cannot be started
// gives the status of an exit with 127.
int runCommand(const Command& cmd, int traceLevel, RunMode mode = RunMode::Spooler);

// As runCommand, with the child's standard output collected into `output`
// (stdoutPath is ignored). A dry run leaves `output` empty.
int runCapture(const Command& cmd, int traceLevel, std::string* output,
               RunMode mode = RunMode::Spooler);

// The exit code of a wait status, or -1 when the child did not exit normally.
int exitCodeOf(int waitStatus);

// Quotes one word for a shell command text (used to build trace texts and
// generated scripts, never to run anything).
std::string shellQuote(const std::string& word);
