// XwCounter's class and instance records, for the widget's own sources and
// for tests that look at its state.
#pragma once

#include <Xm/ManagerP.h>

#include "counter.h"

typedef struct {
  XtPointer extension;
} XwCounterClassPart;

typedef struct _XwCounterClassRec {
  CoreClassPart core_class;
  CompositeClassPart composite_class;
  ConstraintClassPart constraint_class;
  XmManagerClassPart manager_class;
  XwCounterClassPart counter_class;
} XwCounterClassRec;

extern XwCounterClassRec xwCounterClassRec;

typedef struct {
  // Resources.
  short columns;
  Pixel text_background;
  Dimension margin_height;
  Dimension margin_width;
  int max_length;
  Boolean editable;
  Boolean verify_bell;
  XmFontList font_list;
  int minimum;    // value words: an int, or the bits of a float (format 0)
  int maximum;
  int value;
  short format;
  short decimal_points;
  int increment;
  XtCallbackList value_changed_callback;
  XtCallbackList activate_callback;

  // State.
  Widget text;
  Widget up_arrow;
  Widget down_arrow;
  Dimension arrow_width;   // of one arrow; both arrows stack in one column
  Dimension arrow_height;  // of both arrows together
  XtIntervalId timer;      // pending auto-repeat step, 0 when none
  int direction;           // of the auto-repeat: +1 up, -1 down
  int last_y;              // pointer y at the last drag step
  Boolean creating_children;
  Boolean reporting;       // while valueChangedCallback runs for a changed text
} XwCounterPart;

typedef struct _XwCounterRec {
  CorePart core;
  CompositePart composite;
  ConstraintPart constraint;
  XmManagerPart manager;
  XwCounterPart counter;
} XwCounterRec;

typedef struct _XwCounterRec* XwCounterWidget;
