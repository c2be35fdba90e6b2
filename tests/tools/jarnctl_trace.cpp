// jarnctl run-trace: shows how the process runner treats a command at the
// trace level in force (-Z). Prints the wait status's exit code.
#include <cstdio>

#include "jarnctl.h"
#include "process_runner.h"
#include "setup_state.h"

namespace {

int runTrace(const JarnctlArgs& args) {
  if (args.empty()) return jarnctlUsage("run-trace");
  Command c;
  c.argv = args;
  for (const auto& a : args) c.text += (c.text.empty() ? "" : " ") + shellQuote(a);
  int st = runCommand(c, setup().traceLevel);
  std::printf("%d\n", exitCodeOf(st));
  return 0;
}

}  // namespace

JARNCTL_COMMAND("run-trace", "PROGRAM [ARG...]", runTrace);
