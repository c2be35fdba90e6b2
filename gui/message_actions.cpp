// The actions of the message codes (see message_actions.h).
#include "message_actions.h"

#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "program_exit.h"
#include "queue_actions.h"
#include "queue_list.h"
#include "queue_list_view.h"
#include "setup_state.h"

namespace {

void endProgram() {
  MainWidgets& m = mainWidgets();
  if (m.mainShell) XtPopdown(m.mainShell);
  Widget w = m.mainShell ? m.mainShell : m.appShell;
  if (w) requestProgramExit(w, 0);
}

bool handedToQueueActions(int code) {
  return (code >= 5 && code <= 10) || (code >= 16 && code <= 22);
}

}  // namespace

void deleteCurrentQueue() {
  SetupState& s = setup();
  std::string name = s.printerName;
  deleteQueueAndRecords(name);  // a dry run (trace level 1) keeps the records
  dropPagesQueue(name);
  refreshQueueList();
  if (pageHooks().setQueueName) pageHooks().setQueueName(nullptr, 0);
  else showPickedQueueName(std::string());
  setTestPrintSensitive(false);
  s.printerName.clear();
}

void actOnMessageCode(int code) {
  if (code == 1) {
    endProgram();
  } else if (code == 2) {
    deleteCurrentQueue();
  } else if (handedToQueueActions(code)) {
    if (pageHooks().applyMessageCode) pageHooks().applyMessageCode(code);
  } else if (code == 32) {
    if (pageHooks().deleteUserAction) pageHooks().deleteUserAction();
  }
}
