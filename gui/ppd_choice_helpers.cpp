// Questions about the open PPD (see ppd_choice_helpers.h).
#include "ppd_choice_helpers.h"

#include <strings.h>

#include <cstring>

#include "option_labels.h"
#include "ppd_marking.h"
#include "trace.h"

bool isInstallableGroup(const ppd_group_t* group) {
  return group && std::strcmp(group->name, kInstallableGroup) == 0;
}

void forEachOption(ppd_file_t* ppd, const std::function<void(ppd_option_t*, bool installable)>& visit) {
  for (int g = 0; ppd && g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    bool installable = isInstallableGroup(group);
    for (int o = 0; o < group->num_options; ++o) visit(&group->options[o], installable);
  }
}

int firstGroupIsInstallable(const ppd_file_t* ppd) {
  return ppd && ppd->num_groups > 0 && isInstallableGroup(&ppd->groups[0]) ? 1 : 0;
}

ppd_group_t* findOptionGroup(ppd_file_t* ppd, const ppd_option_t* option) {
  if (!ppd || !option) return nullptr;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      if (std::strcmp(group->options[o].keyword, option->keyword) == 0) return group;
    }
  }
  if (traceLevel() > 0) tracef("Cannot find group for option: %s.\n", option->keyword);
  return nullptr;
}

bool isInstallableOption(ppd_file_t* ppd, const ppd_option_t* option) {
  return isInstallableGroup(findOptionGroup(ppd, option));
}

ppd_choice_t* getDefaultChoice(ppd_option_t* option) {
  if (!option) return nullptr;
  for (int c = 0; c < option->num_choices; ++c) {
    if (std::strcmp(option->choices[c].choice, option->defchoice) == 0) return &option->choices[c];
  }
  return nullptr;
}

ppd_choice_t* firstMarkedChoice(ppd_option_t* option) {
  if (!option) return nullptr;
  for (int c = 0; c < option->num_choices; ++c) {
    if (option->choices[c].marked) return &option->choices[c];
  }
  return nullptr;
}

bool isSameOption(const ppd_option_t* a, const ppd_option_t* b) {
  return a && b && std::strcmp(a->keyword, b->keyword) == 0 && a->num_choices == b->num_choices;
}

bool isPageRegion(const ppd_option_t* option) {
  return option && getSpecialOptionKind(option->keyword) == kOptionPageRegion;
}

bool isSameGroup(const ppd_group_t* a, const ppd_group_t* b) {
  return a && b && std::strcmp(a->name, b->name) == 0 && a->num_options == b->num_options;
}

bool isDefaultChoice(const ppd_option_t* option, const ppd_choice_t* choice) {
  return option && choice && std::strcmp(option->defchoice, choice->choice) == 0;
}

bool isSameChoice(const ppd_choice_t* a, const ppd_choice_t* b) {
  return a && b && std::strcmp(a->choice, b->choice) == 0;
}

ppd_option_t* findOptionWithChoice(ppd_file_t* ppd, const char* choiceName) {
  if (!ppd || !choiceName) return nullptr;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (option->num_choices > 0 && isOrdinaryOption(option->keyword) && findPpdChoice(option, choiceName)) {
        return option;
      }
    }
  }
  return nullptr;
}

bool isOffWord(const char* keyword) {
  for (const char* word : {"None", "Off", "False"}) {
    if (strcasecmp(keyword, word) == 0) return true;
  }
  return false;
}

int markDefaultChoices(ppd_file_t* ppd) {
  if (!ppd || ppd->num_groups == 0) return 0;
  markPpdDefaults(ppd);
  return 1;
}

int dumpMarkedOptions(ppd_file_t* ppd) {
  if (!ppd) return 0;
  int count = 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      for (int c = 0; c < option->num_choices; ++c) {
        if (!option->choices[c].marked) continue;
        ++count;
        if (traceLevel() > 1) tracef("%s -> %s -> %s  marked!\n", group->name, option->keyword, option->choices[c].choice);
      }
    }
  }
  if (count == 0 && traceLevel() > 1) tracef("No Marked Options.\n");
  return count;
}
