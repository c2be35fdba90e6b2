// The option rows' callbacks and the choice records kept current from the
// PPD's marks (see option_rows.h).
#include <Xm/TextF.h>

#include <string>

#include "callback_guard.h"
#include "counter.h"
#include "option_constraints.h"
#include "option_rows.h"
#include "page_widgets.h"
#include "ppd_choice_helpers.h"
#include "ppd_marking.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"

namespace {

// The records of one option's choices from position `next` of a table,
// brought up to date; returns the position after them.
size_t updateOptionRecords(std::vector<PpdChoiceState>& table, size_t next, ppd_option_t* option) {
  ppd_choice_t* marked = firstMarkedChoice(option);
  for (int c = 0; c < option->num_choices && next < table.size(); ++c, ++next) {
    ppd_choice_t* choice = &option->choices[c];
    int current = marked ? (choice == marked) : isDefaultChoice(option, choice);
    PpdChoiceState& record = table[next];
    if (record.isCurrent != current) record.changed = 1;
    record.isCurrent = current;
  }
  return next;
}

std::string shown(const std::string& value) { return value.empty() ? "null" : value; }

void storePassword(Widget field, int kind) {
  OptionPagesState& st = optionPages();
  std::string text = getTextValue(field);
  std::string* buffer = kind == kOptionUserId ? &st.ppdUserId
                        : kind == kOptionUserPassword ? &st.ppdUserPassword : &st.ppdSecuredPassword;
  (kind == kOptionUserId ? st.userIdEdited : kind == kOptionUserPassword ? st.userPasswordEdited
                                                                          : st.securedPasswordEdited) = 1;
  if (text.empty()) {
    buffer->clear();
  } else if (kind == kOptionUserId) {
    *buffer = text.substr(0, kSpecialValueSize - 1);
  } else {
    *buffer = updateShadow(text, *buffer).substr(0, kSpecialValueSize - 1);
    writeGuardedText(field, std::string(text.size(), '*'), &passwordFieldGuard());
  }
  if (traceLevel() > 2)
    tracef("Passwords : %s [%s / %s / %s].\n", shown(text).c_str(), shown(st.ppdSecuredPassword).c_str(),
           shown(st.ppdUserId).c_str(), shown(st.ppdUserPassword).c_str());
}

}  // namespace

void DynCallback(Widget button, XtPointer clientData, XtPointer) {
  runGuarded(button, [clientData] {
    auto* choice = static_cast<ppd_choice_t*>(clientData);
    if (!choice) {
      tracef("Invalid Dynamic Callback Arg: NULL.\n");
      return;
    }
    ppd_file_t* ppd = optionPages().currentPpd;
    if (!ppd) return;
    ppd_option_t* option = choice->option;
    if (traceLevel() > 2) tracef("DynCallback(Opt=%s, Choice=%s)\n", option->keyword, choice->choice);
    // The page shows a pick-many option as one menu and sends its first
    // marked choice: a pick there holds that choice alone, or the choice
    // marked before ("None") would be sent instead.
    if (option->ui == PPD_UI_PICKMANY) {
      for (int c = 0; c < option->num_choices; ++c) option->choices[c].marked = 0;
    }
    int conflicts = jnPpdMarkOption(ppd, option->keyword, choice->choice);
    if (conflicts > 0) {
      if (traceLevel() > 0) tracef("DynCallBack(ppdMarkOption returns: %d\n", conflicts);
      refreshOptionButtons(option, 0);
    }
    Constraints(ppd, 0, 1);
    updateCurrentOptions();
    setup().updateReported = 0;
  });
}

void updateCurrentOptions() {
  OptionPagesState& st = optionPages();
  ppd_file_t* ppd = st.currentPpd;
  if (!ppd) return;
  if (traceLevel() > 1) tracef("updateCurrentOptions(%d).\n", ppd->num_groups);
  size_t nextInstall = 0, nextPrint = 0;
  forEachOption(ppd, [&](ppd_option_t* option, bool installable) {
    if (!isOrdinaryOption(option->keyword)) return;
    size_t& next = installable ? nextInstall : nextPrint;
    next = updateOptionRecords(installable ? st.installableChoices : st.printChoices, next, option);
  });
}

void resetChangedOptions() {
  OptionPagesState& st = optionPages();
  for (auto* table : {&st.installableChoices, &st.printChoices}) {
    for (PpdChoiceState& r : *table) r.changed = 0;
  }
  st.pendingOptions.clear();
}

void clearSpecialOptionFlags() {
  OptionPagesState& st = optionPages();
  st.mailboxEdited = st.userIdEdited = st.userPasswordEdited = st.securedPasswordEdited = 0;
}

void mailboxSpinCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [w] {
    OptionPagesState& st = optionPages();
    SetupState& s = setup();
    int value = XwCounterGetValue(w);
    if (value < -1 || value >= s.mailboxMax) return;
    st.mailboxEdited = 1;
    s.mailboxNumber = st.ppdMailbox = value;
    if (traceLevel() > 2) tracef("Mailbox = %d.\n", value);
  });
}

void commitMailboxSpin() {
  if (Widget spin = optionPages().mailboxSpin) XwCounterGetValue(spin);
}

void Passwords(Widget w, XtPointer clientData, XtPointer) {
  if (passwordFieldGuard()) return;
  runGuarded(w, [w, clientData] {
    int kind = static_cast<int>(reinterpret_cast<long>(clientData));
    if (kind < kOptionSecuredPassword || kind > kOptionUserPassword) {
      tracef("Invalid Dynamic Callback Arg: NULL.\n");
      return;
    }
    storePassword(w, kind);
  });
}
