// Context help: the Help button's pick of a widget with the question-arrow
// pointer, and the dispatch of the picked widget to the look-ups of the
// main window and the pages; the main window's own look-up.
#pragma once

#include <X11/Intrinsic.h>

// The Help button: two bells, then the pick over the main form (the pointer
// is not confined), then the topic of the picked widget.
void helpMode();

// Asks the look-ups in their order, each only while none has claimed the
// widget and only when the widget's centre lies in the look-up's area; the
// default topic when none claims it.
void dispatchHelp(Widget picked);

// The widget's root position and size (a gadget's from its parent's
// window); false when it has no window.
bool getWidgetGeometry(Widget w, int* rootX, int* rootY, int* width, int* height);

// True when the centre of `picked` (integer halves) lies in the root
// rectangle of `area`, edges included; false when either is missing or the
// area is not managed and viewable.
bool isCentreInWidget(Widget picked, Widget area);

// The main window's look-up: its form, list, pages, tabs, buttons and menus.
bool mainWindowHelp(Widget picked);
