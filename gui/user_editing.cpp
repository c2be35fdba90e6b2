// The user sub-form's editing (see user_editing.h).
#include "user_editing.h"

#include <Xm/List.h>
#include <Xm/ToggleB.h>

#include <vector>

#include "advanced_page.h"
#include "callback_guard.h"
#include "counter.h"
#include "dry_run.h"
#include "extra_pane.h"
#include "list_helpers.h"
#include "mailbox_file.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "queue_actions.h"
#include "report.h"
#include "secret_fields.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"
#include "user_entries.h"
#include "xm_strings.h"

namespace {

// Re-entry guards: a login field being mirrored, a list selection filling
// the fields, the program writing the box counter.
bool mirroring = false;
bool selecting = false;
bool fillingCounter = false;

const char kMissingDataText[] =
    "There are data missing for the user:\n\t'%s'\nPlease verify all required fields\n"
    "containing legal data!";
const char kTableFullText[] =
    "No more users can be added:\n\t'%s'\nThe list of this printer already\nholds 1024 users.";
const char kDeleteTitle[] = "Delete User (login)";
const char kDeleteText[] = "Are you sure you want to delete\nthe user:\n\t%s?";

std::string withLogin(const char* text, const std::string& login) {
  std::string out(text);
  size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, login);
  return out;
}

UserEntry& work() { return setup().workEntry; }

bool toggleState(Widget w) { return w && XmToggleButtonGetState(w); }
void setToggle(Widget w, int on) {
  if (w) XmToggleButtonSetState(w, on ? True : False, False);
}

void setCounter(int value) {
  fillingCounter = true;
  XwCounterSetValue(advancedPageWidgets().counter, value);
  fillingCounter = false;
}

// The counter's box as Update reads it: -1 outside 0..mailboxMax-1.
int counterBox() {
  int value = XwCounterGetValue(advancedPageWidgets().counter);
  return value < 0 || value >= setup().mailboxMax ? -1 : value;
}

// After a login was written into a field: the selection is dropped.
void loginWritten() {
  AdvancedPageWidgets& w = advancedPageWidgets();
  setWidgetSensitive(w.deleteButton, false);
  setModeButtonsSensitive(-1);
  if (w.userList) XmListDeselectAllItems(w.userList);
}

void loginChanged(Widget self, Widget other) {
  if (mirroring || selecting) return;
  std::string text = getTextValue(self);
  if (!work().login.empty() && work().login != text) clearUserRecord(&work());
  work().login = text;
  mirroring = true;
  setTextValue(other, text);
  mirroring = false;
  loginWritten();
}

// Stores the work entry into the file as it is now (another window may have
// changed it since the page read it): the user's entry when the file holds
// it, else a new one; the list then shows the file.
void storeEntry(const char* what) {
  int index = -1;
  bool full = false;
  int written = changeMailBoxFile([&index, &full] {
    index = findUserByLogin(work().login);
    if (index >= 0) {
      copyUserRecord(&userEntryTable()[static_cast<size_t>(index)], work(), 2);
      return true;
    }
    index = sortUserEntries(-1);
    full = index >= kMaxUserEntries;
    if (!full) copyUserRecord(&userEntryTable()[static_cast<size_t>(index)], work(), 1);
    return !full;
  });
  fillUserEntryList(advancedPageWidgets().userList);
  if (full) doMessage(11, kTableFullTitle, withLogin(kTableFullText, work().login));
  else if (written && isDryRun()) showDryRunFileNotice(mailboxFilePath());
  if (traceLevel() > 0) tracef("%s %d.\n", what, index);
}

void refuse(int ask, int code, const char* title, const char* text) {
  if (ask) doMessage(code, title, withLogin(text, work().login));
  else ringBell(2);
}

// Fills the fields after a selection (the work entry holds the user).
void showSelectedUser() {
  AdvancedPageWidgets& w = advancedPageWidgets();
  AdvancedState& st = advancedState();
  const UserEntry& e = work();
  int mode = e.mailbox >= 0 ? 1 : !e.securePassword.empty() ? 2 : !e.userId.empty() ? 4 : st.userMode;
  setModeButtonsSensitive(mode);
  if (mode != st.userMode) setAdvOptMode(mode);
  setCounter(e.mailbox >= 0 ? e.mailbox : -1);
  setToggle(w.proofToggle, e.mailbox >= 0 ? e.proof : 0);
  if (mode == 2) {
    fillUserIdField(std::string());
    fillPasswordField(e.securePassword, &securedShadow());
    setToggle(w.saveIdToggle, 0);
    setToggle(w.savePasswordToggle, e.saveSecure);
  } else {
    fillUserIdField(e.userId);
    fillPasswordField(e.userPassword, &accountShadow());
    setToggle(w.saveIdToggle, e.saveUserId);
    setToggle(w.savePasswordToggle, e.saveUserPassword);
  }
  setToggle(w.saveMailboxToggle, e.saveMailbox);
  setWidgetSensitive(w.deleteButton, true);
}

void selectRow(int position, const std::string& row) {
  const SetupState& s = setup();
  UserEntry picked;
  // Rows follow the table's order: the row's entry is the one at its
  // position, whatever the row's cut login column shows.
  const std::vector<UserEntry>& table = userEntryTable();
  if (position >= 1 && position <= s.entryCount && !table[static_cast<size_t>(position - 1)].login.empty()) {
    picked = table[static_cast<size_t>(position - 1)];
  } else if (!SelectLogin(row, &picked, true)) {
    return;
  }
  selecting = true;
  clearUserRecord(&work());
  copyUserRecord(&work(), picked, 1);
  AdvancedPageWidgets& w = advancedPageWidgets();
  setTextValue(w.loginField, picked.login);
  setTextValue(w.boxLoginField, picked.login);
  showSelectedUser();
  selecting = false;
}

}  // namespace

bool selectionInProgress() { return selecting; }

int findUserByLogin(const std::string& login) {
  const std::vector<UserEntry>& table = userEntryTable();
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].login == login) return static_cast<int>(i);
  }
  return -1;
}

void clearUserRecord(UserEntry* entry) {
  entry->mailbox = -1;
  entry->proof = 0;
  entry->saveSecure = entry->saveUserId = entry->saveUserPassword = 0;
  entry->securePassword.clear();
  entry->userId.clear();
  entry->userPassword.clear();
  AdvancedPageWidgets& w = advancedPageWidgets();
  setCounter(entry->mailbox);
  setToggle(w.proofToggle, entry->proof);
  fillUserIdField(std::string());
  fillPasswordField(std::string(), &securedShadow());
  accountShadow().clear();
  setToggle(w.saveIdToggle, entry->saveUserId);
  setToggle(w.savePasswordToggle, entry->saveUserPassword);
  setToggle(w.saveMailboxToggle, entry->saveMailbox);
}

void copyUserRecord(UserEntry* dst, const UserEntry& src, int flags) {
  if (flags & 1) *dst = UserEntry();
  for (auto field : {&UserEntry::login, &UserEntry::securePassword, &UserEntry::userId, &UserEntry::userPassword}) {
    if (!(src.*field).empty()) dst->*field = src.*field;
    else if (flags & 2) (dst->*field).clear();
  }
  dst->mailbox = src.mailbox;
  dst->proof = src.proof;
  dst->saveSecure = src.saveSecure;
  dst->saveUserId = src.saveUserId;
  dst->saveUserPassword = src.saveUserPassword;
  dst->saveMailbox = src.saveMailbox;
}

void updateWorkBlob(int flags) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  UserEntry& e = work();
  if (flags < 0) flags = 7;
  if (traceLevel() > 0) tracef("updateWorkBlob(%d)\n", flags);
  if (flags & 1) {
    if (traceLevel() > 0) tracef("updateWorkBlob(BoxMenu)\n");
    e.proof = toggleState(w.proofToggle);
    e.mailbox = counterBox();
    e.securePassword.clear();
    e.saveSecure = 0;
    e.saveMailbox = toggleState(w.saveMailboxToggle);
  }
  if (flags & 2) {
    if (traceLevel() > 0) tracef("updateWorkBlob(SecurePrintMenu)\n");
    e.securePassword = readPasswordField(&securedShadow());
    e.saveSecure = toggleState(w.savePasswordToggle);
    e.mailbox = -1;
    e.proof = 0;
  }
  if (flags & 4) {
    if (traceLevel() > 0) tracef("updateWorkBlob(AccountPrintMenu)\n");
    e.userId = getTextValue(w.userIdField);
    e.userPassword = readPasswordField(&accountShadow());
    e.saveUserId = toggleState(w.saveIdToggle);
    e.saveUserPassword = !e.userPassword.empty() && toggleState(w.savePasswordToggle);
    if (e.mailbox >= 0 && !e.securePassword.empty()) {
      e.securePassword.clear();
      e.saveSecure = 0;
    }
  }
}

int getUserUpdateAction(const UserEntry& e, int* exists, int mode) {
  *exists = findUserByLogin(e.login) >= 0;
  if (e.login.empty()) return -1;
  if (mode == 1) return !*exists && e.mailbox < 0 ? -1 : 1;
  if (mode == 2) return e.securePassword.empty() ? -1 : 2;
  if (mode == 4) return e.userId.empty() ? -1 : 4;
  return -1;
}

void applyUserEntry(int ask) {
  AdvancedState& st = advancedState();
  if (st.advSubForm == 5) {
    int loading = setup().pagesLoading;
    suppressUriChange();
    applyQueueSetup(0);
    setup().pagesLoading = loading;
    return;
  }
  if (st.advSubForm != 1) return;
  updateWorkBlob(st.userMode);
  int exists = 0;
  int mode = getUserUpdateAction(work(), &exists, st.userMode);
  // A login or secret the file cannot hold would read back as another user.
  if (mode < 0 || !mailboxCanStore(work())) return refuse(ask, 34, kMissingDataTitle, kMissingDataText);
  if (!exists && sortUserEntries(-1) >= kMaxUserEntries) return refuse(ask, 11, kTableFullTitle, kTableFullText);
  if (mode == 1) storeEntry(exists ? "Updated UserMailboxEntry" : "Added UserMailboxEntry");
  else storeEntry(exists ? "Updated UserSecure/AccountEntry" : "Added UserSecure/AccountEntry");
  applyQueueSetup(0);
}

void deleteUserEntry(int index) {
  if (index < 0 || index >= kMaxUserEntries) return;
  // The user shown at that index, deleted from the file as it is now.
  std::string login = userEntryTable()[static_cast<size_t>(index)].login;
  int written = changeMailBoxFile([&login] {
    int at = login.empty() ? -1 : findUserByLogin(login);
    if (at >= 0) delMailboxListItem(at, 1);
    return at >= 0;
  });
  if (written && isDryRun()) showDryRunFileNotice(mailboxFilePath());
  fillUserEntryList(advancedPageWidgets().userList);
  setModeButtonsSensitive(-1);
  advancedState().deleteUserIndex = -1;
}

void fillUserEntryList(Widget list) {
  if (!list) list = advancedPageWidgets().userList;
  if (!list) return;
  std::vector<std::string> rows = userEntryListRows();
  listSetItems(list, rows);
  setUserListHeight(list, static_cast<int>(rows.size()));
}

int loadUserList(Widget list, const std::string& path, bool report) {
  SetupState& s = setup();
  if (!s.mailboxSupport || s.mailboxMax < 1) {
    clearUserEntries();
    fillUserEntryList(list);
    if (report) doMessage(1, kNoMailboxFeatureTitle, kNoMailboxFeatureText);
    return 0;
  }
  int count = readMailBoxFile(path);
  if (count > 1) sortUserEntries(count);
  fillUserEntryList(list);
  return count > 0 ? 1 : 0;
}

void reloadUserList() {
  clearUserEntries();
  fillUserEntryList(nullptr);
}

void userListSelectCB(Widget w, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmListCallbackStruct*>(callData);
  if (!cbs || !cbs->item) return;
  runGuarded(w, [cbs] { selectRow(cbs->item_position, xmStringFirstLine(cbs->item)); });
}

void deleteUserCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    int index = work().login.empty() ? -1 : findUserByLogin(work().login);
    if (index < 0) return;
    advancedState().deleteUserIndex = index;
    doMessage(32, kDeleteTitle, withLogin(kDeleteText, work().login));
  });
}

void loginNameCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [w] { loginChanged(w, advancedPageWidgets().boxLoginField); });
}

void loginNameBoxCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [w] { loginChanged(w, advancedPageWidgets().loginField); });
}

void boxCounterCB(Widget, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XwCounterCallbackStruct*>(callData);
  SetupState& s = setup();
  if (fillingCounter || selecting || !cbs) return;
  if (cbs->value < -1 || cbs->value >= s.mailboxMax) return;
  s.mailboxNumber = cbs->value;
  work().mailbox = cbs->value;
  if (cbs->value >= 0) work().securePassword.clear();
}

void proofCopyToggleCB(Widget w, XtPointer, XtPointer) {
  int on = toggleState(w);
  advancedState().proofCopyState = on;
  work().proof = on;
  if (on && work().mailbox >= 0) work().securePassword.clear();
}

void saveMailboxToggleCB(Widget w, XtPointer, XtPointer) {
  advancedState().forceMailboxState = toggleState(w);
  work().saveMailbox = static_cast<char>(toggleState(w));
}

void savePasswordToggleCB(Widget w, XtPointer, XtPointer) {
  AdvancedState& st = advancedState();
  st.forcePasswordState = toggleState(w);
  if (st.userMode == 2) work().saveSecure = static_cast<char>(st.forcePasswordState);
  if (st.userMode == 4) work().saveUserPassword = static_cast<char>(st.forcePasswordState);
}

void saveUserIdToggleCB(Widget w, XtPointer, XtPointer) {
  AdvancedState& st = advancedState();
  st.forceUserIdState = toggleState(w);
  if (st.userMode == 4) work().saveUserId = static_cast<char>(st.forceUserIdState);
}

void showWorkLogin() {
  AdvancedPageWidgets& w = advancedPageWidgets();
  mirroring = true;
  setTextValue(w.loginField, work().login);
  setTextValue(w.boxLoginField, work().login);
  mirroring = false;
  if (!selecting) loginWritten();
}
