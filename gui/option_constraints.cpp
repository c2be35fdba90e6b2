// The constraint walk and conflict colours (see option_constraints.h).
#include "option_constraints.h"

#include <Xm/Xm.h>

#include <cstring>
#include <string>

#include "option_labels.h"
#include "option_rows.h"
#include "page_widgets.h"
#include "ppd_choice_helpers.h"
#include "ppd_marking.h"
#include "question_dialogs.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"

namespace {

// The option of a constraint side when it is an ordinary option of the PPD.
ppd_option_t* ordinaryOption(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = findPpdOption(ppd, keyword);
  return option && isOrdinaryOption(option->keyword) ? option : nullptr;
}

// The choice of option2 that a constraint holds against: choice2 when given
// (marked or not), else option2's marked choice unless it is an off word.
ppd_choice_t* constrainedChoice(ppd_option_t* option2, const ppd_const_t& c) {
  if (c.choice2[0]) return findPpdChoice(option2, c.choice2);
  ppd_choice_t* marked = firstMarkedChoice(option2);
  return marked && !isOffWord(marked->choice) ? marked : nullptr;
}

// Walks the constraints of one marked choice of `scanned`; returns the count.
int walkChoice(ppd_file_t* ppd, ppd_option_t* scanned, ppd_choice_t* marked, int setSensitive) {
  int found = 0;
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t& c = ppd->consts[i];
    ppd_option_t* option1 = ordinaryOption(ppd, c.option1);
    if (!isSameOption(option1, scanned) || !c.choice1[0]) continue;
    ppd_choice_t* choice1 = findPpdChoice(option1, c.choice1);
    if (!choice1 || std::strcmp(choice1->choice, marked->choice) != 0) continue;
    ppd_option_t* option2 = ordinaryOption(ppd, c.option2);
    if (!option2 || isSameOption(option2, scanned)) continue;
    ppd_choice_t* choice2 = constrainedChoice(option2, c);
    if (!choice2) continue;
    ++found;
    if (traceLevel() > 2)
      tracef("Constraints:: %s->%s conflicts with %s->%s (%s %s %s %s)\n", option1->keyword, choice1->choice,
             option2->keyword, choice2->choice, c.option1, c.choice1, c.option2, c.choice2);
    if (setSensitive) setWidgetSensitive(getWidgetFromOpion(ppd, option2, choice2), false);
  }
  return found;
}

void setForeground(Widget w, const char* colour) {
  if (w) XtVaSetValues(w, XmNforeground, getColorPixel(w, colour), nullptr);
}

// Colours a choice's button and its option menu by conflict state.
void colourChoice(ppd_group_t* group, Widget button, Widget menu, bool conflict) {
  const OptionPagesState& st = optionPages();
  if (setup().colourMode == 3) {
    setForeground(button, conflict ? "red" : "white");
    setForeground(menu, conflict ? "red" : "white");
  } else if (menu) {
    Pixel back = conflict ? st.white : isInstallableGroup(group) ? getColorPixel(menu, "gray") : st.pageBackground;
    XmChangeColor(menu, back);
  }
}

std::string textOf(const char* text, const char* keyword) {
  ppd_file_t* ppd = optionPages().currentPpd;
  return ppdTextToLatin1(text && text[0] ? text : keyword, 256, ppd ? ppd->lang_encoding : nullptr);
}

}  // namespace

void setAllChoicesSensitive(int installableToo, bool on) {
  OptionPagesState& st = optionPages();
  for (PpdChoiceState& r : st.printChoices) setWidgetSensitive(r.button, on);
  if (!installableToo) return;
  for (PpdChoiceState& r : st.installableChoices) setWidgetSensitive(r.button, on);
}

int Constraints(ppd_file_t* ppd, int installableOnly, int setSensitive) {
  if (!ppd) return -1;
  setAllChoicesSensitive(1, true);
  int found = 0;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    if (installableOnly && !isInstallableGroup(group)) continue;
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (!isOrdinaryOption(option->keyword)) continue;
      for (int ch = 0; ch < option->num_choices; ++ch) {
        if (option->choices[ch].marked) found += walkChoice(ppd, option, &option->choices[ch], setSensitive);
      }
    }
  }
  return found > 0 ? 1 : 0;
}

int isChoiceInConflict(ppd_file_t* ppd, ppd_choice_t* choice, ppd_option_t** otherOption) {
  if (!ppd) return -1;
  if (!choice || !choice->marked) return 0;
  int result = 0;
  for (int i = 0; i < ppd->num_consts; ++i) {
    const ppd_const_t& c = ppd->consts[i];
    ppd_option_t* option1 = findPpdOption(ppd, c.option1);
    if (!isSameOption(option1, choice->option) || !c.choice1[0]) continue;
    ppd_choice_t* choice1 = findPpdChoice(option1, c.choice1);
    if (!choice1 || std::strcmp(choice1->choice, choice->choice) != 0) continue;
    ppd_option_t* option2 = findPpdOption(ppd, c.option2);
    if (!option2 || isSameOption(option2, choice->option)) continue;
    ppd_choice_t* other = constrainedChoice(option2, c);
    if (!other || !other->marked) continue;
    if (otherOption) *otherOption = option2;
    if (traceLevel() > 0)
      tracef("%s->%s conflicts with %s->%s (%s %s %s %s)\n", option1->keyword, choice1->choice, option2->keyword,
             other->choice, c.option1, c.choice1, c.option2, c.choice2);
    result = 1;
  }
  return result;
}

void setDynamicData() {
  ppd_file_t* ppd = optionPages().currentPpd;
  if (!ppd) return;
  if (traceLevel() > 1) {
    tracef("setDynamicData(Groups=%d)\n", ppd->num_groups);
    dumpMarkedOptions(ppd);
  }
  std::string lastConflict;
  for (int g = 0; g < ppd->num_groups; ++g) {
    ppd_group_t* group = &ppd->groups[g];
    for (int o = 0; o < group->num_options; ++o) {
      ppd_option_t* option = &group->options[o];
      if (!isOrdinaryOption(option->keyword)) continue;
      OptionMenuSlot* slot = getOptionMenuWidget(option);
      for (int ch = 0; ch < option->num_choices; ++ch) {
        ppd_choice_t* choice = &option->choices[ch];
        Widget button = getWidgetFromOpion(ppd, option, choice);
        ppd_option_t* other = nullptr;
        bool conflict = isChoiceInConflict(ppd, choice, &other) == 1;
        if (choice->marked || isDefaultChoice(option, choice)) {
          if (conflict && other) {
            lastConflict = "Conflict: " + textOf(option->text, option->keyword) + "/" +
                           textOf(choice->text, choice->choice) + "\nand " + textOf(other->text, other->keyword) + "\n";
          }
          colourChoice(group, button, slot ? slot->menu : nullptr, conflict);
        }
        setWidgetSensitive(button, !conflict);
      }
    }
  }
  // The box is modal: one popup holding the last conflict found.
  if (!lastConflict.empty()) showConflictBox("PPD Conflict", lastConflict);
}

void refreshOptionButtons(ppd_option_t* option, int testConflicts) {
  OptionPagesState& st = optionPages();
  ppd_file_t* ppd = st.currentPpd;
  if (!ppd || !option) return;
  for (int ch = 0; ch < option->num_choices; ++ch) {
    ppd_choice_t* choice = &option->choices[ch];
    Widget button = getWidgetFromOpion(ppd, option, choice);
    if (testConflicts && isChoiceInConflict(ppd, choice, nullptr) == 1) {
      setWidgetSensitive(button, false);
      continue;
    }
    if (setup().colourMode == 3) setForeground(button, "white");
    else if (button) XmChangeColor(button, st.pageBackground);
    setWidgetSensitive(button, true);
  }
}
