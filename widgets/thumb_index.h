// XwThumbIndex: a Motif primitive widget that draws a row of slanted index
// tabs, like those of a card index, one per label, and lets the user pick
// one with the mouse or the keyboard. When the labels do not fit the width,
// a window of consecutive tabs is shown with a narrow "more" tab at either
// end that pops up a menu of every label.
#pragma once

#include <Xm/Xm.h>

// Resource names and classes (marginWidth, fontList and activateCallback are
// Motif's XmN names).
#define XwNnumIndices ((char*)"numIndices")
#define XwCNumIndices ((char*)"NumIndices")
#define XwNselectedIndex ((char*)"selectedIndex")
#define XwCSelectedIndex ((char*)"SelectedIndex")
#define XwNselectedIndexColor ((char*)"selectedIndexColor")
#define XwCSelectedIndexColor ((char*)"SelectedIndexColor")
#define XwNindexColor ((char*)"indexColor")
#define XwCIndexColor ((char*)"IndexColor")
#define XwNindexTextColor ((char*)"indexTextColor")
#define XwCIndexTextColor ((char*)"IndexTextColor")
#define XwNindexLabels ((char*)"indexLabels")
#define XwCIndexLabels ((char*)"IndexLabels")
#define XwNindexOffset ((char*)"indexOffset")
#define XwCIndexOffset ((char*)"IndexOffset")
#define XwNindexSlantLeft ((char*)"indexSlantLeft")
#define XwCIndexSlantLeft ((char*)"IndexSlantLeft")
#define XwNindexSlantRight ((char*)"indexSlantRight")
#define XwCIndexSlantRight ((char*)"IndexSlantRight")

extern WidgetClass xwThumbIndexWidgetClass;

// Call data of activateCallback.
typedef struct {
  int reason;          // 0
  XEvent* event;       // null
  int previousIndex;   // selectedIndex before the change
  int selectedIndex;   // the new selectedIndex
  String label;        // the selected label's text (owned by the widget)
  int duplicate;       // its duplicate number, 0 for a unique text
} XwThumbIndexCallbackStruct;

// Creates a thumb index with XtCreateWidget.
Widget XwCreateThumbIndex(Widget parent, const char* name, ArgList args, Cardinal count);

// Inserts a label at position (clamped to the label count; negative
// appends), selects it, redraws and calls activateCallback. Only on a
// realized widget.
void XwThumbIndexInsertLabel(Widget w, const char* text, int position);

// Inserts a label at the end.
void XwThumbIndexAddLabel(Widget w, const char* text);

// Removes the label at position (realized widget, more than one label);
// removing the selected label selects the one before it and calls
// activateCallback.
void XwThumbIndexDeleteLabel(Widget w, int position);

// Removes the label with this text that has the highest duplicate number.
void XwThumbIndexDeleteNamedLabel(Widget w, const char* text);
