// The message page and the main window's OK and Quit buttons.
#include "message_page.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/Text.h>

#include "callback_guard.h"
#include "colour_scheme.h"
#include "main_window.h"
#include "message_actions.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "program_exit.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"

namespace {

Widget pixLabel = nullptr;
Widget textWidget = nullptr;

// Icon kinds by code, filled once.
struct IconTable {
  int kinds[128];
  IconTable() {
    for (int& k : kinds) k = 1;
    for (int c : {1, 3, 23, 28, 64}) kinds[c] = 4;
    for (int c : {4, 5, 6, 7, 8, 9, 10, 16, 17, 18, 19, 20, 21, 22, 24, 26, 27, 32, 40}) kinds[c] = 5;
    for (int c : {11, 12}) kinds[c] = 2;
    for (int c : {33, 37, 39}) kinds[c] = 3;
  }
};
const IconTable kIconTable;

// The image of an icon kind; the hand when that image is missing.
Pixmap iconPixmap(int kind) {
  static const int kImageOfKind[6] = {kImgHand, kImgHand, kImgStop, kImgWarn1, kImgWarn2, kImgQuestion};
  const ButtonImages& images = programImages();
  Pixmap p = images.pixmaps[static_cast<size_t>(kImageOfKind[kind >= 1 && kind <= 5 ? kind : 1])];
  return p ? p : images.pixmaps[kImgHand];
}

void setIcon(int code) {
  if (!pixLabel) return;
  Pixmap p = messageIconPixmap(code);
  XtVaSetValues(pixLabel, XmNlabelPixmap, p ? p : XmUNSPECIFIED_PIXMAP, nullptr);
}

void putText(const std::string& text) {
  setup().messageText = text;
  if (textWidget) {
    XmTextSetString(textWidget, const_cast<char*>(text.c_str()));
    flushDisplay(textWidget);
  }
}

// Tab strip and Edit entries off while a message stands; the recorded Edit
// mask stays the one that was in force.
void lockNavigation() {
  NavigationState& nav = navigation();
  int mask = nav.savedMenuMask;
  int on = nav.savedMenuSensitive;
  setThumbIndexWidgetSensitive(false);
  setEditMenuSensitive(255, 0);
  nav.savedMenuMask = mask;
  nav.savedMenuSensitive = on;
}

void unlockNavigation() {
  NavigationState& nav = navigation();
  setThumbIndexWidgetSensitive(true);
  setEditMenuSensitive(nav.savedMenuMask, nav.savedMenuSensitive);
}

// The queue list and the menu bar off while a pending action stands, and
// back as they were once OK or Quit has answered it.
void lockForPendingAction() {
  MessagePageMemory& mem = messagePageMemory();
  MainWidgets& m = mainWidgets();
  if (mem.actionLocked) return;
  mem.listWasOn = m.queueList && XtIsSensitive(m.queueList);
  mem.menuWasOn = m.menuBar && XtIsSensitive(m.menuBar);
  mem.actionLocked = true;
  setQueueListSensitive(false);
  setMenuBarSensitive(false);
}

void releasePendingAction() {
  MessagePageMemory& mem = messagePageMemory();
  if (!mem.actionLocked) return;
  mem.actionLocked = false;
  setQueueListSensitive(mem.listWasOn);
  setMenuBarSensitive(mem.menuWasOn);
}

void showMessagePageItself() {
  if (setup().panelMode != kPageMessage) ManageMainForm(kPageMessage);
}

// Back from page 7 to the page shown before it.
void leaveMessagePage() {
  ManageMainForm(navigation().pageBefore);
  setOkSensitive(true);
}

// Ends the program from the message page.
void exitFromPage() {
  MainWidgets& m = mainWidgets();
  if (m.mainShell) XtPopdown(m.mainShell);
  Widget w = m.mainShell ? m.mainShell : m.appShell;
  if (w) requestProgramExit(w, 0);
}

// A question that ends: the covered message comes back, or the page is idle.
void endQuestion(int answer) {
  SetupState& s = setup();
  MessagePageMemory& mem = messagePageMemory();
  if (mem.pendingAnswer) *mem.pendingAnswer = answer;
  if (mem.previousState == kPageMessage16) {
    putText(mem.savedText);
    s.messagePageState = kPageMessage16;
    mem.previousState = 0;
    return;  // the message stands again: OK and Quit still answer it
  }
  s.messagePageState = kPageIdle;
  mem.previousState = 0;
  leaveMessagePage();
  unlockNavigation();
  s.okButtonMode = 2;
}

Widget widgetForExit() {
  MainWidgets& m = mainWidgets();
  return m.mainShell ? m.mainShell : m.appShell;
}

}  // namespace

MessagePageMemory& messagePageMemory() {
  static MessagePageMemory memory;
  return memory;
}

Pixmap messageIconPixmap(int code) { return iconPixmap(messageIconKind(code)); }

bool isPendingActionCode(int code) {
  return code == 2 || (code >= 5 && code <= 10) || (code >= 16 && code <= 22) || code == 32;
}

int messageIconKind(int code) {
  if (code < 0 || code >= 128) return 1;
  return kIconTable.kinds[code];
}

std::string layoutMessageText(const std::string& title, const std::string& text) {
  std::string page;
  if (!title.empty()) {
    page = title + "\n" + std::string(title.size(), '-') + "\n";
  }
  page += text;
  if (page.size() > kMessageTextMax) page.resize(kMessageTextMax);
  return page;
}

Widget createMessagePage(Widget parent) {
  Arg args[16];
  Cardinal n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  n = addColourArgs(args, n, parent);
  Widget page = XmCreateForm(parent, const_cast<char*>("jarnMessageBox"), args, n);

  n = 0;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNtopOffset, 10), ++n;
  XtSetArg(args[n], XmNbottomOffset, 10), ++n;
  XtSetArg(args[n], XmNleftOffset, 10), ++n;
  XtSetArg(args[n], XmNrightOffset, 10), ++n;
  n = addColourArgs(args, n, parent);
  Widget frame = XmCreateFrame(page, const_cast<char*>("msgBigFrame"), args, n);
  XtManageChild(frame);

  n = addColourArgs(args, 0, parent);
  Widget base = XmCreateForm(frame, const_cast<char*>("msgBaseForm"), args, n);
  XtManageChild(base);

  n = 0;
  XtSetArg(args[n], XmNlabelType, XmPIXMAP), ++n;
  XtSetArg(args[n], XmNwidth, 64), ++n;
  XtSetArg(args[n], XmNheight, 64), ++n;
  XtSetArg(args[n], XmNrecomputeSize, False), ++n;
  XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(args[n], XmNtopOffset, 10), ++n;
  XtSetArg(args[n], XmNleftOffset, 10), ++n;
  n = addColourArgs(args, n, parent);
  pixLabel = XmCreateLabel(base, const_cast<char*>("msgPixLabel"), args, n);
  XtManageChild(pixLabel);

  n = 0;
  XtSetArg(args[n], XmNrows, 10), ++n;
  XtSetArg(args[n], XmNcolumns, 48), ++n;
  XtSetArg(args[n], XmNeditable, False), ++n;
  XtSetArg(args[n], XmNeditMode, XmMULTI_LINE_EDIT), ++n;
  XtSetArg(args[n], XmNwordWrap, True), ++n;
  XtSetArg(args[n], XmNscrollHorizontal, False), ++n;
  XtSetArg(args[n], XmNcursorPositionVisible, False), ++n;
  n = addColourArgs(args, n, parent);
  textWidget = XmCreateScrolledText(base, const_cast<char*>("msgText"), args, n);
  XtVaSetValues(XtParent(textWidget), XmNtopAttachment, XmATTACH_FORM, XmNbottomAttachment,
                XmATTACH_FORM, XmNrightAttachment, XmATTACH_FORM, XmNleftAttachment,
                XmATTACH_WIDGET, XmNleftWidget, pixLabel, XmNtopOffset, 10, XmNbottomOffset, 10,
                XmNleftOffset, 10, XmNrightOffset, 10, nullptr);
  XtManageChild(textWidget);
  setIcon(0);
  return page;
}

int showMessage(int code, const std::string& title, const std::string& text) {
  SetupState& s = setup();
  if (traceLevel() > 0) tracef("doMessage(%d,%s,%s)\n", code, title.c_str(), text.c_str());
  setIcon(code);
  lockNavigation();
  s.messageCode = code;
  messagePageMemory().previousState = s.messagePageState;
  s.messagePageState = kPageMessage16;
  s.okButtonMode = 1;
  // A new message replaces the one standing: only its own code may act.
  if (isPendingActionCode(code)) lockForPendingAction();
  else releasePendingAction();
  showMessagePageItself();
  putText(layoutMessageText(title, text));
  return 1;
}

bool askInMessagePanel(int code, const std::string& title, const std::string& text) {
  SetupState& s = setup();
  MessagePageMemory& mem = messagePageMemory();
  Widget w = widgetForExit();
  if (mem.pendingAnswer || !w) return false;  // one question at a time
  int answer = -1;
  setIcon(code);
  if (s.messagePageState == kPageIdle) {
    lockNavigation();
    s.messageCode = code;
  } else if (s.messagePageState == kPageMessage16) {
    mem.savedText = s.messageText;
  }
  mem.previousState = s.messagePageState;
  s.messagePageState = kPageQuestion;
  showMessagePageItself();
  putText(layoutMessageText(title, text));
  s.okButtonMode = 1;

  // While the question waits nothing else may change the pending state.
  MainWidgets& m = mainWidgets();
  bool menuWasOn = m.menuBar && XtIsSensitive(m.menuBar);
  bool listWasOn = m.queueList && XtIsSensitive(m.queueList);
  setMenuBarSensitive(false);
  setQueueListSensitive(false);
  mem.pendingAnswer = &answer;
  XtAppContext app = XtWidgetToApplicationContext(w);
  while (answer == -1 && !XtAppGetExitFlag(app)) XtAppProcessEvent(app, XtIMAll);
  mem.pendingAnswer = nullptr;
  setMenuBarSensitive(menuWasOn);
  setQueueListSensitive(listWasOn);
  flushDisplay(w);
  return answer == 1;
}

void okMain() {
  SetupState& s = setup();
  MessagePageMemory& mem = messagePageMemory();
  if (s.okButtonMode != 1) {
    if (pageHooks().queueAction) pageHooks().queueAction();
    return;
  }
  if (s.fatalReason) {
    exitFromPage();
    return;
  }
  if (s.messagePageState == kPageQuestion) {
    endQuestion(1);
    return;
  }
  leaveMessagePage();
  if (s.messagePageState == kPageMessage16) {
    int code = s.messageCode;
    s.messagePageState = kPageIdle;
    mem.previousState = 0;
    releasePendingAction();
    actOnMessageCode(code);
    // The action may have shown a new message of its own: that one stands.
    if (s.messagePageState != kPageIdle) return;
  }
  mem.previousState = 0;
  unlockNavigation();
  s.okButtonMode = 2;
}

void quitMain() {
  SetupState& s = setup();
  MessagePageMemory& mem = messagePageMemory();
  if (s.okButtonMode != 1) {
    askQuitQuestion();
    return;
  }
  if (s.fatalReason) {
    exitFromPage();
    return;
  }
  if (s.messagePageState == kPageQuestion) {
    endQuestion(0);
    return;
  }
  if (s.messagePageState == kPageMessage16) {
    leaveMessagePage();
    s.messagePageState = kPageIdle;
    releasePendingAction();
  }
  mem.previousState = 0;
  unlockNavigation();
  s.okButtonMode = 2;
}

void askQuitQuestion() { showMessage(1, "Jarn 2.0-10: Quit Program", "Are you sure you want to quit?"); }

void okMainCB(Widget w, XtPointer, XtPointer) { runGuarded(w, okMain); }
void quitMainCB(Widget w, XtPointer, XtPointer) { runGuarded(w, quitMain); }
