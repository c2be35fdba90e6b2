// jarnctl: a thin command line over the back end.
//
//   jarnctl [-Z LEVEL] [-R ROOT] SUBCOMMAND ARGS...
//
// -Z sets the trace level, -R the root under which the fixed system paths
// are looked up. Errors go to standard error with a non-zero exit status.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <map>
#include <string>

#include "fatal_exit.h"
#include "fs_root.h"
#include "jarnctl.h"
#include "setup_state.h"

namespace {

std::map<std::string, JarnctlCommand>& table() {
  static std::map<std::string, JarnctlCommand> t;
  return t;
}

int usage() {
  std::fprintf(stderr, "usage: jarnctl [-Z LEVEL] [-R ROOT] SUBCOMMAND ARGS...\n");
  for (const auto& e : table()) std::fprintf(stderr, "  %s %s\n", e.first.c_str(), e.second.usage);
  return 2;
}

}  // namespace

bool registerJarnctlCommand(const JarnctlCommand& command) {
  table()[command.name] = command;
  return true;
}

int jarnctlUsage(const char* name) {
  auto it = table().find(name);
  std::fprintf(stderr, "usage: jarnctl %s %s\n", name, it == table().end() ? "" : it->second.usage);
  return 2;
}

int jarnctlFail(const std::string& what) {
  std::fprintf(stderr, "jarnctl: %s\n", what.c_str());
  return 1;
}

int main(int argc, char** argv) {
  int i = 1;
  int level = 0;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    if (std::strcmp(argv[i], "-Z") == 0 && i + 1 < argc) {
      level = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "-R") == 0 && i + 1 < argc) {
      setFsRoot(argv[++i]);
    } else {
      return usage();
    }
  }
  if (i >= argc) return usage();
  auto it = table().find(argv[i]);
  if (it == table().end()) {
    std::fprintf(stderr, "jarnctl: unknown subcommand '%s'\n", argv[i]);
    return usage();
  }
  JarnctlArgs args(argv + i + 1, argv + argc);
  try {
    setup().traceLevel = level;
    return it->second.run(args);
  } catch (const FatalExit& e) {
    return e.status();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jarnctl: %s\n", e.what());
    return 1;
  }
}
