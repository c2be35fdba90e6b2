// Balloon tool tips: when the pointer rests on a widget for half a second,
// a borderless window with a one-line text is shown just below it, and it
// vanishes when the pointer leaves.
#pragma once

#include <X11/Intrinsic.h>

// Whether tool tips are shown; on at start (the main window's options menu
// switches it).
extern Boolean toolTipEnabled;

// Gives a widget a tip. A null text shows the widget's own labelString.
// Gadgets get no tip (they have no window of their own).
void addToolTip(Widget w, const char* text);

// The Enter/Leave event handler: client data is the widget's tip record.
void toolTipEnterLeave(Widget w, XtPointer client, XEvent* event, Boolean* continueToDispatch);

// The timer callback that shows the pending tip.
void showToolTip(XtPointer client, XtIntervalId* id);

// The tip shell "tipShell", null until the first tip is shown.
Widget toolTipShell();
