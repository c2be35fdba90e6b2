// The question box, the conflict box and the numeric-field notice.
#include "question_dialogs.h"

#include <Xm/MessageB.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "dialog_shells.h"
#include "main_window.h"
#include "message_page.h"
#include "page_navigation.h"
#include "report.h"
#include "xm_strings.h"

namespace {

Widget conflictBox = nullptr;
std::vector<Widget> startupBoxes;  // start-up message boxes not yet closed

// Motif's own symbol for each icon kind, shown when the images are not loaded.
unsigned char dialogTypeForKind(int kind) {
  switch (kind) {
    case 2: return XmDIALOG_ERROR;
    case 5: return XmDIALOG_QUESTION;
    default: return XmDIALOG_WARNING;
  }
}

// Lets the toolkit map and draw a new box before the caller goes on.
void drawNow(Widget box) {
  XtAppContext app = XtWidgetToApplicationContext(box);
  Widget shell = XtParent(box);
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (!isWidgetViewable(shell) && std::chrono::steady_clock::now() < end) {
    if (XtAppPending(app)) XtAppProcessEvent(app, XtIMAll);
    else std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  XSync(XtDisplay(box), False);
  while (XtAppPending(app) & XtIMXEvent) XtAppProcessEvent(app, XtIMXEvent);
  XmUpdateDisplay(box);
  XFlush(XtDisplay(box));
}

unsigned char dialogTypeFor(int type, unsigned char current) {
  switch (type) {
    case 0: return current;
    case 1: return XmDIALOG_ERROR;
    case 2: return XmDIALOG_INFORMATION;
    case 3: return XmDIALOG_QUESTION;
    case 4: return XmDIALOG_WARNING;
    case 5: return XmDIALOG_WORKING;
    default: return XmDIALOG_MESSAGE;
  }
}

// The shell the dialogs belong to: the main window once it exists.
Widget dialogParent() {
  MainWidgets& m = mainWidgets();
  return m.mainShell ? m.mainShell : m.appShell;
}

void setString(Widget w, const char* resource, const std::string& text) {
  XmString s = makeXmString(text.c_str());
  XtVaSetValues(w, resource, s, nullptr);
  XmStringFree(s);
}

void answerCB(Widget, XtPointer clientData, XtPointer callData) {
  auto* answer = static_cast<int*>(clientData);
  auto* cbs = static_cast<XmAnyCallbackStruct*>(callData);
  *answer = (cbs && cbs->reason == XmCR_OK) ? 1 : 2;
}

// The box closed by the window manager (or otherwise unmapped) while it
// waits: that answers Cancel, so the waiting caller goes on.
void closedCB(Widget, XtPointer clientData, XtPointer) {
  auto* answer = static_cast<int*>(clientData);
  if (*answer == 0) *answer = 2;
}

void raise(Widget dialog) {
  Widget shell = XtParent(dialog);
  if (shell && XtIsRealized(shell)) XRaiseWindow(XtDisplay(shell), XtWindow(shell));
}

void conflictDoneCB(Widget w, XtPointer, XtPointer) {
  XtUnmanageChild(w);
  XSynchronize(XtDisplay(w), False);
}

void conflictHelpCB(Widget, XtPointer, XtPointer) { std::fprintf(stderr, "Help Conflict!\n"); }

}  // namespace

bool showQuestionBox(int type, const std::string& title, const std::string& okLabel,
                     const std::string& cancelLabel, const std::string& text) {
  Widget parent = dialogParent();
  if (!parent) return false;
  int answer = 0;
  Arg args[2];
  Cardinal n = 0;
  XtSetArg(args[n], XmNdialogStyle, XmDIALOG_FULL_APPLICATION_MODAL), ++n;
  Widget box = XmCreateQuestionDialog(parent, const_cast<char*>("qorQuestionBox"), args, n);
  XtUnmanageChild(XmMessageBoxGetChild(box, XmDIALOG_HELP_BUTTON));
  unsigned char current = XmDIALOG_QUESTION;
  XtVaGetValues(box, XmNdialogType, &current, nullptr);
  XtVaSetValues(box, XmNdialogType, dialogTypeFor(type, current), nullptr);
  setString(box, XmNdialogTitle, title);
  setString(box, XmNokLabelString, okLabel);
  setString(box, XmNcancelLabelString, cancelLabel);
  setString(box, XmNmessageString, text);
  XtAddCallback(box, XmNokCallback, answerCB, &answer);
  XtAddCallback(box, XmNcancelCallback, answerCB, &answer);
  XtAddCallback(box, XmNunmapCallback, closedCB, &answer);

  // While the box waits nothing else may change the pending state.
  MainWidgets& m = mainWidgets();
  bool menuWasOn = m.menuBar && XtIsSensitive(m.menuBar);
  bool listWasOn = m.queueList && XtIsSensitive(m.queueList);
  setMenuBarSensitive(false);
  setQueueListSensitive(false);

  XtManageChild(box);
  raise(box);
  XtAppContext app = XtWidgetToApplicationContext(parent);
  while (answer == 0 && !XtAppGetExitFlag(app)) XtAppProcessEvent(app, XtIMAll);

  setMenuBarSensitive(menuWasOn);
  setQueueListSensitive(listWasOn);
  Display* dpy = XtDisplay(box);
  XtDestroyWidget(XtParent(box));
  // The box goes from the screen now, also when the caller then works or
  // waits without going back to the event loop.
  XSync(dpy, False);
  return answer == 1;
}

void showStartupMessage(int code, const std::string& title, const std::string& text) {
  // The application shell is realized from the start, the main shell not yet.
  Widget parent = mainWidgets().appShell ? mainWidgets().appShell : dialogParent();
  if (!parent) return;
  // Each box a little below and right of the one before, so all can be read.
  Position offset = static_cast<Position>(40 + 30 * (startupBoxes.size() % 10));
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XmNdialogStyle, XmDIALOG_MODELESS), ++n;
  XtSetArg(args[n], XmNdefaultPosition, False), ++n;
  XtSetArg(args[n], XmNx, offset), ++n;
  XtSetArg(args[n], XmNy, offset), ++n;
  Widget box = XmCreateQuestionDialog(parent, const_cast<char*>("qorStartupMessage"), args, n);
  XtUnmanageChild(XmMessageBoxGetChild(box, XmDIALOG_CANCEL_BUTTON));
  XtUnmanageChild(XmMessageBoxGetChild(box, XmDIALOG_HELP_BUTTON));
  XtVaSetValues(box, XmNdialogType, dialogTypeForKind(messageIconKind(code)), nullptr);
  Pixmap icon = messageIconPixmap(code);
  if (icon) XtVaSetValues(box, XmNsymbolPixmap, icon, nullptr);
  setString(box, XmNdialogTitle, title.empty() ? std::string(kVersionTitle) : title);
  setString(box, XmNokLabelString, "OK");
  setString(box, XmNmessageString, text);
  XtAddCallback(box, XmNokCallback, [](Widget w, XtPointer, XtPointer) { XtDestroyWidget(XtParent(w)); },
                nullptr);
  XtAddCallback(box, XmNdestroyCallback, [](Widget w, XtPointer, XtPointer) {
    startupBoxes.erase(std::remove(startupBoxes.begin(), startupBoxes.end(), w), startupBoxes.end());
  }, nullptr);
  startupBoxes.push_back(box);
  XtManageChild(box);
  raise(box);
  drawNow(box);
}

void raiseStartupMessages() {
  for (Widget box : startupBoxes) raise(box);
}

void showConflictBox(const std::string& title, const std::string& text) {
  Widget parent = dialogParent();
  if (!parent) return;
  if (!conflictBox) {
    Arg args[2];
    Cardinal n = 0;
    XtSetArg(args[n], XmNdialogStyle, XmDIALOG_FULL_APPLICATION_MODAL), ++n;
    conflictBox = XmCreateMessageDialog(parent, const_cast<char*>("qorConflictBox"), args, n);
    XtVaSetValues(conflictBox, XmNdialogType, XmDIALOG_WARNING, nullptr);
    setString(conflictBox, XmNcancelLabelString, "AutoResolve");
    setString(conflictBox, XmNhelpLabelString, "Help");
    XtAddCallback(conflictBox, XmNokCallback, conflictDoneCB, nullptr);
    XtAddCallback(conflictBox, XmNcancelCallback, conflictDoneCB, nullptr);
    XtAddCallback(conflictBox, XmNhelpCallback, conflictHelpCB, nullptr);
    XtAddCallback(conflictBox, XmNdestroyCallback,
                  [](Widget, XtPointer, XtPointer) { conflictBox = nullptr; }, nullptr);
  }
  setString(conflictBox, XmNdialogTitle, title);
  setString(conflictBox, XmNmessageString, text);
  XSynchronize(XtDisplay(conflictBox), True);
  XtManageChild(conflictBox);
  raise(conflictBox);
}

std::string numericFieldText(const std::string& field, const std::string& value) {
  return "The text for the '" + field + "'\nmust be numerical only!\nThe actual value is:\n\t" +
         value + ".";
}

void numericFieldNotice(const std::string& title, const std::string& field,
                        const std::string& value) {
  doMessage(kMsgCorrectable, title, numericFieldText(field, value));
}
