// Balloon tool tips (see tool_tip.h). One tip shell with its label serves
// every tip; it is made the first time a tip is shown, as a popup child of
// the window-manager shell above that widget.
#include "tool_tip.h"

#include <Xm/Label.h>
#include <Xm/Xm.h>
#include <X11/Shell.h>

#include <string>

Boolean toolTipEnabled = True;

namespace {

const unsigned long kDelayMs = 500;

// One widget's tip; lives until the widget is destroyed.
struct ToolTipRecord {
  bool hasText = false;
  std::string text;
  Widget widget = nullptr;
};

struct ToolTipShared {
  XtIntervalId timer = 0;
  bool pending = false;
  ToolTipRecord* pendingRecord = nullptr;
  Widget shell = nullptr;
  Widget label = nullptr;
  XmFontList fonts = nullptr;
  bool shown = false;
} shared;

void cancelTimer() {
  if (shared.pending) XtRemoveTimeOut(shared.timer);
  shared.pending = false;
  shared.timer = 0;
  shared.pendingRecord = nullptr;
}

void hideTip() {
  if (shared.shell && shared.shown) XtPopdown(shared.shell);
  shared.shown = false;
}

// The tip shell went with the shell it was made under: make it again on
// the next tip.
void TipShellDestroyed(Widget, XtPointer, XtPointer) {
  shared.shell = nullptr;
  shared.label = nullptr;
  shared.fonts = nullptr;
  shared.shown = false;
}

// A widget with a tip is destroyed: its timer and shown tip go, and so does
// its record.
void WidgetDestroyed(Widget, XtPointer client, XtPointer) {
  auto* record = static_cast<ToolTipRecord*>(client);
  if (shared.pendingRecord == record) cancelTimer();
  hideTip();
  delete record;
}

Widget shellAbove(Widget w) {
  while (w && !XtIsWMShell(w)) w = XtParent(w);
  return w;
}

void makeTipShell(Widget w) {
  Widget parent = shellAbove(w);
  if (!parent) return;
  Arg args[2];
  Cardinal n = 0;
  XtSetArg(args[n], XmNoverrideRedirect, True), ++n;
  XtSetArg(args[n], XmNresizePolicy, XmRESIZE_ANY), ++n;
  shared.shell = XtCreatePopupShell("tipShell", topLevelShellWidgetClass, parent, args, n);
  XtAddCallback(shared.shell, XmNdestroyCallback, TipShellDestroyed, nullptr);
  shared.label = XtCreateManagedWidget("tipLabel", xmLabelWidgetClass, shared.shell, nullptr, 0);
  XtVaGetValues(shared.label, XmNfontList, &shared.fonts, nullptr);
}

}  // namespace

void addToolTip(Widget w, const char* text) {
  if (!w) return;
  auto* record = new ToolTipRecord;
  record->hasText = text != nullptr;
  if (text) record->text = text;
  record->widget = w;
  if (!XtIsWidget(w)) {  // a gadget: no window to watch
    delete record;
    return;
  }
  XtAddEventHandler(w, EnterWindowMask | LeaveWindowMask, False, toolTipEnterLeave, record);
  XtAddCallback(w, XmNdestroyCallback, WidgetDestroyed, record);
}

void toolTipEnterLeave(Widget, XtPointer client, XEvent* event, Boolean*) {
  if (!toolTipEnabled || !event) return;
  auto* record = static_cast<ToolTipRecord*>(client);
  if (event->type == EnterNotify) {
    if (shared.pending) return;
    shared.timer = XtAppAddTimeOut(XtWidgetToApplicationContext(record->widget), kDelayMs,
                                   showToolTip, record);
    shared.pending = true;
    shared.pendingRecord = record;
  } else if (event->type == LeaveNotify) {
    cancelTimer();
    hideTip();
  }
}

void showToolTip(XtPointer client, XtIntervalId*) {
  auto* record = static_cast<ToolTipRecord*>(client);
  shared.pending = false;
  shared.timer = 0;
  shared.pendingRecord = nullptr;
  if (!toolTipEnabled) return;
  hideTip();
  Widget w = record->widget;
  if (!shared.shell) makeTipShell(w);
  if (!shared.shell) return;

  XmString text = nullptr;
  if (record->hasText) {
    text = XmStringCreateLocalized(const_cast<char*>(record->text.c_str()));
  } else {
    XtVaGetValues(w, XmNlabelString, &text, nullptr);  // a copy
  }
  if (!text) text = XmStringCreateLocalized(const_cast<char*>(""));
  Dimension width = static_cast<Dimension>(XmStringWidth(shared.fonts, text) + 6);
  Dimension height = static_cast<Dimension>(XmStringHeight(shared.fonts, text) + 6);

  // Half-way along the widget, 2 pixels below it, kept on the screen.
  Dimension widgetWidth = 0, widgetHeight = 0;
  XtVaGetValues(w, XmNwidth, &widgetWidth, XmNheight, &widgetHeight, nullptr);
  Position x, y;
  XtTranslateCoords(w, static_cast<Position>(widgetWidth / 2),
                    static_cast<Position>(widgetHeight + 2), &x, &y);
  Screen* screen = XtScreen(w);
  int screenWidth = WidthOfScreen(screen), screenHeight = HeightOfScreen(screen);
  int tipX = x, tipY = y;
  if (screenWidth > 0 && tipX + width > screenWidth) tipX = screenWidth - 20 - width;
  if (screenHeight > 0 && tipY + height > screenHeight) tipY = screenHeight - 4 * height;
  if (tipX < 0) tipX = 0;
  if (tipY < 0) tipY = 0;

  XtVaSetValues(shared.shell, XmNx, static_cast<Position>(tipX), XmNy, static_cast<Position>(tipY),
                XmNwidth, width, XmNheight, height, nullptr);
  XtVaSetValues(shared.label, XmNlabelString, text, nullptr);
  XmStringFree(text);
  XtPopup(shared.shell, XtGrabNone);
  shared.shown = true;
  XRaiseWindow(XtDisplay(shared.shell), XtWindow(shared.shell));
}

Widget toolTipShell() { return shared.shell; }
