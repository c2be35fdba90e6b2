// The main window's menus (see main_menus.h).
#include "main_menus.h"

#include <Xm/CascadeB.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>

#include "callback_guard.h"
#include "colour_scheme.h"
#include "main_window.h"
#include "message_page.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "program_exit.h"
#include "queue_actions.h"
#include "queue_list_view.h"
#include "setup_state.h"
#include "snapshot.h"
#include "test_pages.h"
#include "trace.h"
#include "widget_tips.h"
#include "xm_strings.h"

namespace {

// One menu entry: widget name, label, callback, client data.
struct Entry {
  const char* name;
  const char* label;
  XtCallbackProc callback;
  long data;
};

const Entry kEditEntries[kTabCount] = {
    {"mainMenuEditQueues", "Queue", editEntryCB, 0},
    {"mainMenuEditConnect", "Port", editEntryCB, 1},
    {"mainMenuEditPPD", "Model Selection", editEntryCB, 2},
    {"mainMenuEditDevConf", "Device Conf.", editEntryCB, 3},
    {"mainMenuEditPrntConf", "Print Options.", editEntryCB, 4},
    {"mainMenuEditAdv", "Advanced", editEntryCB, 5},
    {"mainMenuEditExtraConf", "Extra", editEntryCB, 6},
};

const Entry kFilterEntries[3] = {
    {"mainMenuOptions_b2QueAll", "All Queues", queueFilterCB, 3},
    {"mainMenuOptions_b2QueJarn", "Jarn Queues", queueFilterCB, 2},
    {"mainMenuOptions_b2QueSystem", "System Queues", queueFilterCB, 1},
};

const Entry kTestPrintEntries[kTestPrintCount] = {
    {"mainMenuOptions_b3testPrint1ASCII", "1 page ASCII", testPrintCB, kTestText1},
    {"mainMenuOptions_b3testPrint2ASCII", "2 pages ASCII", testPrintCB, kTestText2},
    {"mainMenuOptions_b3testPrint4ASCII", "4 pages ASCII", testPrintCB, kTestText4},
    {"mainMenuOptions_b3testPrint1PS", "1 page PostScript", testPrintCB, kTestPs1},
    {"mainMenuOptions_b3testPrint2PS", "2 pages PostScript", testPrintCB, kTestPs2},
    {"mainMenuOptions_b3testPrint4PS", "4 pages PostScript", testPrintCB, kTestPs4},
};

Widget makeButton(Widget menu, const char* name, const char* label, WidgetClass cls) {
  XmString text = makeXmString(label);
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XmNlabelString, text), ++n;
  n = addColourArgs(args, n, menu);
  Widget w = XtCreateManagedWidget(name, cls, menu, args, n);
  XmStringFree(text);
  return w;
}

Widget makeEntry(Widget menu, const Entry& e) {
  Widget w = makeButton(menu, e.name, e.label, xmPushButtonWidgetClass);
  XtAddCallback(w, XmNactivateCallback, e.callback, reinterpret_cast<XtPointer>(e.data));
  return w;
}

Widget makeToggle(Widget menu, const char* name, const char* label, XtCallbackProc cb,
                  XtPointer data, bool on) {
  Widget w = makeButton(menu, name, label, xmToggleButtonWidgetClass);
  XmToggleButtonSetState(w, on ? True : False, False);
  XtAddCallback(w, XmNvalueChangedCallback, cb, data);
  return w;
}

Widget makePulldown(Widget parent, const char* name, bool radio) {
  Arg args[4];
  Cardinal n = 0;
  if (radio) XtSetArg(args[n], XmNradioBehavior, True), ++n;
  n = addColourArgs(args, n, parent);
  return XmCreatePulldownMenu(parent, const_cast<char*>(name), args, n);
}

Widget makeCascade(Widget parent, const char* name, const char* label, Widget pulldown) {
  Widget c = makeButton(parent, name, label, xmCascadeButtonWidgetClass);
  XtVaSetValues(c, XmNsubMenuId, pulldown, nullptr);
  return c;
}

void buildFileMenu(Widget bar, MainWidgets& m) {
  Widget menu = makePulldown(bar, "mainMenuMain", false);
  m.createToggle = makeToggle(menu, "mainMenuMainCreate", "Create", createToggleCB, nullptr, false);
  m.saveEntry = makeEntry(menu, {"mainMenuMainSave", "Save", saveMenuCB, 0});
  m.quitEntry = makeEntry(menu, {"mainMenuMainQuit", "Cancel", quitMenuCB, 0});
  m.fileMenu = makeCascade(bar, "mainMenuMainHook", "File", menu);
}

void buildEditMenu(Widget bar, MainWidgets& m) {
  Widget menu = makePulldown(bar, "mainMenuEdit", false);
  for (int i = 0; i < kTabCount; ++i) m.editEntries[i] = makeEntry(menu, kEditEntries[i]);
  m.editMenu = makeCascade(bar, "mainMenuEditHook", "Edit", menu);
}

void buildOptionsMenu(Widget bar, MainWidgets& m) {
  Widget menu = makePulldown(bar, "mainMenuOptions", false);
  Widget types = makePulldown(menu, "mainMenuOptions_b2QueType", true);
  for (int i = 0; i < 3; ++i) {
    const Entry& e = kFilterEntries[i];
    m.filterToggles[i] = makeToggle(types, e.name, e.label, e.callback,
                                    reinterpret_cast<XtPointer>(e.data),
                                    setup().queueListFilter == e.data);
  }
  makeCascade(menu, "mainMenuOptions_b2", "Queue Types", types);
  Widget prints = makePulldown(menu, "mainMenuOptions_b3testPrint", false);
  for (int i = 0; i < kTestPrintCount; ++i) m.testPrintEntries[i] = makeEntry(prints, kTestPrintEntries[i]);
  makeCascade(menu, "mainMenuOptions_b3", "Print Test Page", prints);
  m.tipToggle = makeToggle(menu, "mainMenuResetQtip", "Blob Help", tipToggleCB, nullptr, true);
  m.resetEntry = makeEntry(menu, {"mainMenuResetSQPB", "Reset Jarn", resetMenuCB, 0});
  m.optionsMenu = makeCascade(bar, "mainMenuOptionsHook", "Options", menu);
}

void buildAboutMenu(Widget bar, MainWidgets& m) {
  Widget menu = makePulldown(bar, "mainMenuAbout", false);
  m.aboutEntry = makeEntry(menu, {"mainMenuAboutVelta", "About Velta", aboutMenuCB, 0});
  m.aboutMenu = makeCascade(bar, "mainMenuAboutHook", "About", menu);
}

// Empties the queue page and takes the selection off the list row it showed.
void clearQueuePage() {
  if (pageHooks().setQueueName) pageHooks().setQueueName(nullptr, 0);
  else showPickedQueueName(std::string());
  if (mainWidgets().queueList) XmListDeselectAllItems(mainWidgets().queueList);
}

}  // namespace

Widget createMainMenus(Widget form) {
  MainWidgets& m = mainWidgets();
  Arg args[8];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  n = addColourArgs(args, n, form);
  Widget bar = XmCreateMenuBar(form, const_cast<char*>("mainMenu"), args, n);
  m.menuBar = bar;
  buildFileMenu(bar, m);
  buildEditMenu(bar, m);
  buildOptionsMenu(bar, m);
  buildAboutMenu(bar, m);
  XtManageChild(bar);
  return bar;
}

void setCreateMode(bool on) {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  s.createMode = on ? 1 : 0;
  if (on) {
    clearQueuePage();
    s.printerName.clear();
    dropPagesQueue();
  }
  if (h.setOptionUpdateCreate) h.setOptionUpdateCreate(on);
  if (h.setNewQueueHint) h.setNewQueueHint(on);
  if (traceLevel() > 0) tracef("CreateToggle=%d.\n", s.createMode);
}

void createToggleCB(Widget w, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmToggleButtonCallbackStruct*>(callData);
  bool on = cbs ? cbs->set != 0 : XmToggleButtonGetState(w) != 0;
  runGuarded(w, [on] { setCreateMode(on); });
}

void saveMenuCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    if (pageHooks().saveAction) pageHooks().saveAction();
  });
}

void quitMenuCB(Widget w, XtPointer, XtPointer) { runGuarded(w, askQuitQuestion); }

void testPrintCB(Widget w, XtPointer clientData, XtPointer) {
  int kind = static_cast<int>(reinterpret_cast<long>(clientData));
  runGuarded(w, [kind] { testPrintForKind(kind); });
}

void tipToggleCB(Widget w, XtPointer, XtPointer) { setTipsEnabled(XmToggleButtonGetState(w) != 0); }

void resetProgram() {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  if (h.resetOptionPages) h.resetOptionPages();
  if (h.resetExtraPane) h.resetExtraPane();
  setQueueDefaults();
  dropPagesQueue();
  restoreSnapData(0, std::string());
  SetThumbIndex(2);
  SetThumbIndex(1);
  SetThumbIndex(0);
  setTestPrintSensitive(false);
  setEditMenuSensitive(255, 1);
  setThumbIndexSensitive(255, 1);
  // A message that stood is dropped with the rest of the state.
  s.messagePageState = 0;
  s.okButtonMode = 2;
  setThumbIndexWidgetSensitive(true);
  s.panelMode = kPageQueue;
  ManageMainForm(kPageQueue);
  setQueueListSensitive(true);
  clearQueuePage();
  if (h.resetQueueType) h.resetQueueType();
  s.bannersChanged = 0;
}

void resetMenuCB(Widget w, XtPointer, XtPointer) { runGuarded(w, resetProgram); }

void aboutMenuCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    if (pageHooks().showAbout) pageHooks().showAbout();
  });
}

void exitCB(Widget w, XtPointer, XtPointer) {
  MainWidgets& m = mainWidgets();
  if (m.mainShell) XtPopdown(m.mainShell);
  requestProgramExit(w, 0);
}
