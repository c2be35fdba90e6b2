// The command table of jarnctl. Each file of subcommands registers its own
// entries with JARNCTL_COMMAND; main() looks the first argument up here.
#pragma once

#include <string>
#include <vector>

using JarnctlArgs = std::vector<std::string>;  // the words after the subcommand
using JarnctlFn = int (*)(const JarnctlArgs&);

struct JarnctlCommand {
  const char* name;
  const char* usage;  // the arguments, for the usage text
  JarnctlFn run;
};

// Adds a subcommand to the table; used through JARNCTL_COMMAND.
bool registerJarnctlCommand(const JarnctlCommand& command);

// Reports a usage or argument error on standard error; returns the exit status 2.
int jarnctlUsage(const char* name);

// Reports a failure on standard error; returns the exit status 1.
int jarnctlFail(const std::string& what);

#define JARNCTL_CONCAT2(a, b) a##b
#define JARNCTL_CONCAT(a, b) JARNCTL_CONCAT2(a, b)
#define JARNCTL_COMMAND(name, usage, fn) \
  static const bool JARNCTL_CONCAT(jarnctl_registered_, __LINE__) = registerJarnctlCommand({name, usage, fn})
