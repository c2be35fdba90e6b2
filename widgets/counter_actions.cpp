// XwCounter's stepping: the "Counter-Manager" action bound to the text
// field's keys and pointer, and the arrows with their auto-repeat timer.
#include <Xm/ArrowB.h>
#include <Xm/TextF.h>

#include <cstdint>
#include <cstring>

#include "counter_internal.h"
#include "counter_p.h"

namespace {

const unsigned long kFirstRepeatMs = 500;
const unsigned long kNextRepeatMs = 50;

const char kTranslations[] =
    "<Key>osfUp: Counter-Manager(up)\n"
    "<Key>osfDown: Counter-Manager(down)\n"
    "<Key>osfPageUp: Counter-Manager(page-up)\n"
    "<Key>osfPageDown: Counter-Manager(page-down)\n"
    "<Btn1Down>: Counter-Manager(mouse-down) grab-focus()\n"
    "<Btn1Motion>: Counter-Manager(mouse-motion) extend-end()";

const char kReadOnlyTranslations[] =
    "<Key>osfBeginLine: Counter-Manager(top)\n"
    "<Key>osfEndLine: Counter-Manager(bottom)";

XtTranslations translations;
XtTranslations readOnlyTranslations;

XwCounterPart& part(Widget w) { return reinterpret_cast<XwCounterWidget>(w)->counter; }

double numberOf(Widget w, int word) { return counterWordToNumber(part(w).format, word); }

// Pixels of pointer travel per step: the screen height over 512, at least 1.
int dragDivisor(Widget w) {
  int divisor = HeightOfScreen(XtScreen(w)) / 512;
  return divisor < 1 ? 1 : divisor;
}

void dragStep(Widget w, XEvent* event) {
  XwCounterPart& c = part(w);
  if (!event || event->type != MotionNotify) return;
  int y = event->xmotion.y;
  int steps = (c.last_y - y) / dragDivisor(w);
  if (steps != 0) counterStepBy(w, steps, c.format == XwCOUNTER_FLOAT);
  c.last_y = y;
}

// The action on the text field; its parent is the counter.
void CounterManager(Widget text, XEvent* event, String* params, Cardinal* count) {
  Widget w = XtParent(text);
  if (!w || !XtIsSubclass(w, xwCounterWidgetClass) || *count < 1) return;
  XwCounterPart& c = part(w);
  double pageSteps = c.format == XwCOUNTER_HEX ? 16 : 10;
  const char* what = params[0];
  if (std::strcmp(what, "up") == 0) {
    counterStepBy(w, 1, false);
  } else if (std::strcmp(what, "down") == 0) {
    counterStepBy(w, -1, false);
  } else if (std::strcmp(what, "page-up") == 0) {
    counterStepBy(w, pageSteps, true);
  } else if (std::strcmp(what, "page-down") == 0) {
    counterStepBy(w, -pageSteps, true);
  } else if (std::strcmp(what, "top") == 0) {
    // Bound while the field is not editable; should it have become editable
    // since, the key keeps the text field's own meaning.
    if (c.editable) XtCallActionProc(text, "beginning-of-line", event, nullptr, 0);
    else XwCounterSetValue(w, numberOf(w, c.maximum));
  } else if (std::strcmp(what, "bottom") == 0) {
    if (c.editable) XtCallActionProc(text, "end-of-line", event, nullptr, 0);
    else XwCounterSetValue(w, numberOf(w, c.minimum));
  } else if (std::strcmp(what, "mouse-down") == 0) {
    if (event && event->type == ButtonPress) c.last_y = event->xbutton.y;
  } else if (std::strcmp(what, "mouse-motion") == 0) {
    dragStep(w, event);
  }
}

XtActionsRec actions[] = {
    {(String) "Counter-Manager", CounterManager},
};

void RepeatStep(XtPointer client, XtIntervalId*) {
  Widget w = static_cast<Widget>(client);
  XwCounterPart& c = part(w);
  c.timer = 0;
  if (counterStepBy(w, c.direction, false))
    c.timer = XtAppAddTimeOut(XtWidgetToApplicationContext(w), kNextRepeatMs, RepeatStep, w);
}

void stopRepeat(Widget w) {
  XwCounterPart& c = part(w);
  if (c.timer) XtRemoveTimeOut(c.timer);
  c.timer = 0;
}

void ArrowArm(Widget arrow, XtPointer client, XtPointer call) {
  Widget w = XtParent(arrow);
  XwCounterPart& c = part(w);
  auto* cbs = static_cast<XmAnyCallbackStruct*>(call);
  if (cbs && cbs->reason == XmCR_DISARM) return;
  stopRepeat(w);
  if (numberOf(w, c.increment) == 0) return;
  c.direction = static_cast<int>(reinterpret_cast<intptr_t>(client));
  if (counterStepBy(w, c.direction, false))
    c.timer = XtAppAddTimeOut(XtWidgetToApplicationContext(w), kFirstRepeatMs, RepeatStep, w);
}

void ArrowDisarm(Widget arrow, XtPointer, XtPointer) { stopRepeat(XtParent(arrow)); }

}  // namespace

void counterParseTranslations() {
  translations = XtParseTranslationTable(kTranslations);
  readOnlyTranslations = XtParseTranslationTable(kReadOnlyTranslations);
}

void counterAddTranslations(Widget text, Boolean editable) {
  XtOverrideTranslations(text, translations);
  if (!editable) XtOverrideTranslations(text, readOnlyTranslations);
}

void counterRegisterActions(Widget w) {
  XtAppAddActions(XtWidgetToApplicationContext(w), actions, XtNumber(actions));
}

void counterAddHandlers(Widget w) {
  XwCounterPart& c = part(w);
  counterAddTextHandlers(w);
  XtAddCallback(c.up_arrow, XmNarmCallback, ArrowArm, reinterpret_cast<XtPointer>(intptr_t{1}));
  XtAddCallback(c.down_arrow, XmNarmCallback, ArrowArm, reinterpret_cast<XtPointer>(intptr_t{-1}));
  XtAddCallback(c.up_arrow, XmNdisarmCallback, ArrowDisarm, nullptr);
  XtAddCallback(c.down_arrow, XmNdisarmCallback, ArrowDisarm, nullptr);
}

Boolean counterStepBy(Widget w, double times, bool clamp) {
  XwCounterPart& c = part(w);
  double next;
  if (!counterStep(counterWords(w), numberOf(w, c.value), times, clamp, &next)) return False;
  return XwCounterSetValue(w, next);
}
