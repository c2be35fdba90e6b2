// Fuzzes the PPD marking layer: a choice text line (a choice, "Custom.<value>"
// or "{name=value ...}"), then the PPD that libcups opens. Checks: no crash
// or leak; marking any choice of an option by its name leaves it marked.
// libcups marks its whole PPD interface deprecated; the marking layer is
// built on it.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "backend_fuzz.h"
#include "ppd_marking.h"

namespace {

// Every option of the group and its subgroups.
void collect(ppd_group_t* group, std::vector<ppd_option_t*>* out) {
  for (int o = 0; o < group->num_options; ++o) out->push_back(group->options + o);
  for (int s = 0; s < group->num_subgroups; ++s) collect(group->subgroups + s, out);
}

}  // namespace

// libcups's own PPD reader loses a string on some malformed files; leaks
// below it are not the marking layer's.
extern "C" const char* __lsan_default_suppressions() { return "leak:_ppdOpen\n"; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text = inputText(data, size);
  size_t nl = text.find('\n');
  if (nl == std::string::npos) return 0;
  freshState();
  std::string path = writeScratch("fuzz.ppd", text.substr(nl + 1));
  ppd_file_t* ppd = ppdOpenFile(path.c_str());
  if (!ppd) return 0;
  std::vector<ppd_option_t*> options;
  for (int g = 0; g < ppd->num_groups; ++g) collect(ppd->groups + g, &options);
  markPpdDefaults(ppd);
  std::string choiceText = text.substr(0, nl);
  for (ppd_option_t* option : options) {
    std::string keyword = option->keyword;
    // Only an option that its keyword finds can be marked through it: not
    // one whose keyword is too long or differs from another's only in case.
    bool found = findPpdOption(ppd, keyword.c_str()) == option;
    for (int c = 0; c < option->num_choices; ++c) {
      std::string choice = option->choices[c].choice;
      jnPpdMarkOption(ppd, keyword.c_str(), choice.c_str());
      bool byName = strncasecmp(choice.c_str(), "Custom.", 7) != 0 && choice[0] != '{';
      if (found && byName && !isChoiceMarked(ppd, keyword.c_str(), choice.c_str())) std::abort();
    }
    jnPpdMarkOption(ppd, keyword.c_str(), choiceText.c_str());
    findMarkedChoice(ppd, keyword.c_str());
    describeCustomValues(ppd, keyword.c_str());
  }
  jnPpdConflicts(ppd);
  ppdClose(ppd);
  return 0;
}
