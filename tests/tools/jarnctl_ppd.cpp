// jarnctl ppd-dir, ppd-list and ppd-mark: the PPD search and the program's
// own PPD option marking, as the model chooser and the option pages use them.
//
//   ppd-dir [MODELDIR]        the maker's PPD directory (MODELDIR: the CUPS
//                             model directory found at start-up)
//   ppd-list CLASS [DIR]      the chooser's listing of DIR (else of the
//                             directory found), one model name a line
//   ppd-mark FILE KEY=CHOICE… marks in order; prints each mark's conflict
//                             count, then every option's marked choice
#include <cups/ppd.h>

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD interface

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "jarnctl.h"
#include "ppd_marking.h"
#include "ppd_search.h"
#include "setup_state.h"

namespace {

int ppdDir(const JarnctlArgs& args) {
  if (args.size() > 1) return jarnctlUsage("ppd-dir");
  if (!args.empty()) setup().toolPaths[7] = args[0];
  if (!getPPDSearchPath()) return jarnctlFail("no PPD directory found");
  std::printf("%s\n", ppdSearchDir().c_str());
  return 0;
}

int ppdList(const JarnctlArgs& args) {
  if (args.empty() || args.size() > 2) return jarnctlUsage("ppd-list");
  setup().printerType = std::atoi(args[0].c_str());
  if (args.size() == 2) ppdSearchDir() = args[1];
  std::vector<std::string> items;
  if (listPPD(&items) < 0) return 1;
  for (const std::string& item : items) std::printf("%s\n", item.c_str());
  return 0;
}

// Prints "KEYWORD=CHOICE" for every option, in group order; a custom
// choice shows its parameters' values; options with no mark show "-".
void printMarks(ppd_file_t* ppd) {
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = ppd->groups + g;
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = group->options + o;
      std::string marked;
      for (int c = 0; c < option->num_choices; ++c) {
        if (!option->choices[c].marked) continue;
        if (!marked.empty()) marked += ",";
        marked += option->choices[c].choice;
      }
      std::printf("%s=%s%s", option->keyword, marked.empty() ? "-" : marked.c_str(),
                  option->conflicted ? " (conflict)" : "");
      if (marked == "Custom") std::printf(" %s", describeCustomValues(ppd, option->keyword).c_str());
      std::printf("\n");
    }
  }
}

int ppdMark(const JarnctlArgs& args) {
  if (args.empty()) return jarnctlUsage("ppd-mark");
  ppd_file_t* ppd = ppdOpenFile(args[0].c_str());
  if (!ppd) return jarnctlFail("cannot open PPD file " + args[0]);
  markPpdDefaults(ppd);
  int conflicts = jnPpdConflicts(ppd);
  for (size_t i = 1; i < args.size(); ++i) {
    size_t eq = args[i].find('=');
    if (eq == std::string::npos) {
      ppdClose(ppd);
      return jarnctlUsage("ppd-mark");
    }
    std::string key = args[i].substr(0, eq);
    std::string choice = args[i].substr(eq + 1);
    conflicts = jnPpdMarkOption(ppd, key.c_str(), choice.c_str());
    std::printf("mark %s: %d\n", args[i].c_str(), conflicts);
  }
  std::printf("conflicts: %d\n", jnPpdConflicts(ppd));
  printMarks(ppd);
  ppdClose(ppd);
  return 0;
}

}  // namespace

JARNCTL_COMMAND("ppd-dir", "[MODELDIR]", ppdDir);
JARNCTL_COMMAND("ppd-list", "CLASS [DIR]", ppdList);
JARNCTL_COMMAND("ppd-mark", "FILE KEY=CHOICE...", ppdMark);
