// XwCounter: a Motif manager widget for entering a number, a one-line text
// field with two small arrow buttons stacked at its right edge. The number is
// shown as a floating point, decimal or hexadecimal value, kept within a
// minimum and a maximum, stepped by the arrows (with auto-repeat), the arrow
// and page keys and by dragging the pointer, and typed text is checked
// character by character.
#pragma once

#include <Xm/Xm.h>

// Resource names and classes of the counter's own resources; the others
// (columns, marginHeight, marginWidth, maxLength, editable, verifyBell,
// fontList, minimum, maximum, value, decimalPoints, increment,
// valueChangedCallback, activateCallback) are Motif's XmN names.
#define XwNtextBackground ((char*)"textBackground")
#define XwNformat ((char*)"format")
#define XwCFormat ((char*)"Format")

// Formats of the shown number.
enum {
  XwCOUNTER_FLOAT = 0,    // floating point; the value words hold float bits
  XwCOUNTER_DECIMAL = 1,  // decimal integer
  XwCOUNTER_HEX = 2       // hexadecimal integer
};

// Which child XwCounterGetChild returns.
enum {
  XwCOUNTER_TEXT = 0,
  XwCOUNTER_UP_ARROW = 1,
  XwCOUNTER_DOWN_ARROW = 2
};

extern WidgetClass xwCounterWidgetClass;

// Call data of valueChangedCallback: reason XmCR_VALUE_CHANGED, the event
// (null when the program set the value) and the new value word.
typedef struct {
  int reason;
  XEvent* event;
  int value;
} XwCounterCallbackStruct;

// Call data of activateCallback (Return in the text field): the text field's
// reason and event, the format and the value word.
typedef struct {
  int reason;
  XEvent* event;
  int format;
  int value;
} XwCounterActivateCallbackStruct;

// Creates a counter with XtCreateWidget.
Widget XwCreateCounter(Widget parent, const char* name, ArgList args, Cardinal count);

// Shows and stores a new number. Refuses (returns False, nothing changes)
// when limits are set and the number lies outside them, and when it cannot
// be held in the value word.
Boolean XwCounterSetValue(Widget w, double number);

// The number the counter keeps and shows (truncated for floating point); 0
// for a widget of another class. A typed text that does not show it (outside
// the limits, a sign alone, nothing) is first put back to the kept number, as
// when the text field loses the focus or Return is pressed; reading the value
// resource with XtGetValues does the same.
int XwCounterGetValue(Widget w);

// The same as a float.
float XwCounterGetFloatValue(Widget w);

// The text field, the up arrow or the down arrow (XwCOUNTER_TEXT, ...);
// null for any other value or a widget of another class.
Widget XwCounterGetChild(Widget w, int which);
