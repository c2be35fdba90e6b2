// The advanced page's hooks (see advanced_hooks.h).
#include "advanced_hooks.h"

#include <string>

#include "about_dialog.h"
#include "advanced_page.h"
#include "extra_pane.h"
#include "main_window.h"
#include "page_forms.h"
#include "page_hooks.h"
#include "user_editing.h"
#include "user_entries.h"

namespace {

// A loaded queue reads its users; a queue begun starts with none. Later
// loads say nothing when mailbox support is off: only start-up does.
void reloadUsersHook(const std::string& printer) {
  if (printer.empty()) reloadUserList();
  else loadUserList(nullptr, std::string(), false);
}

void loadCupsOptionsHook() { loadCupsOptions(1); }
void applyWorkEntryHook() { applyUserEntry(0); }
void deleteUserHook() { deleteUserEntry(advancedState().deleteUserIndex); }

// Once the message page exists: the first user list (which reports a
// printer without mailbox support there) and the About dialog.
void pagesBuiltHook() {
  AdvancedPageWidgets& w = advancedPageWidgets();
  loadUserList(w.userList, std::string(), true);
  if (w.mailboxDocsList) fillUserEntryList(w.mailboxDocsList);
  if (!aboutDialog() && mainWidgets().appShell) createInfoCompDialog(mainWidgets().appShell);
}

}  // namespace

void installAdvancedPage() {
  PageHooks& h = pageHooks();
  setPageBuilder(kSlotAdvanced, createAdvOptPage);
  h.setAdvancedNextLabel = setAdvOptNextLabel;
  h.showAdvancedForm = showAdvOptForm;
  h.resetExtraPane = resetCupsOptions;
  h.showAbout = showAbout;
  h.reloadUserList = reloadUsersHook;
  h.loadCupsOptions = loadCupsOptionsHook;
  h.resetBannerFields = resetBannerFields;
  h.applyWorkEntry = applyWorkEntryHook;
  h.deleteUserAction = deleteUserHook;
  h.advancedPageHelp = advOptPageHelp;
  h.extraPaneHelp = extraPaneHelp;
  h.pagesBuilt = pagesBuiltHook;
}
