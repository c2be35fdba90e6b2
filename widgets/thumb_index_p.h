// XwThumbIndex's class and instance records, for the widget's own sources
// and for tests that look at its state.
#pragma once

#include <Xm/PrimitiveP.h>

#include "thumb_index.h"

struct ThumbIndexState;  // thumb_index_state.h

typedef struct {
  XtPointer extension;
} XwThumbIndexClassPart;

typedef struct _XwThumbIndexClassRec {
  CoreClassPart core_class;
  XmPrimitiveClassPart primitive_class;
  XwThumbIndexClassPart thumb_index_class;
} XwThumbIndexClassRec;

extern XwThumbIndexClassRec xwThumbIndexClassRec;

typedef struct {
  // Resources.
  XtCallbackList activate_callback;
  int num_indices;
  int selected_index;
  Pixel selected_index_color;
  Pixel index_color;
  Pixel index_text_color;
  String* index_labels;
  int index_offset;
  int index_slant_left;
  int index_slant_right;
  int margin_width;
  XmFontList font_list;

  // Labels, pages, layout, graphics contexts and the popup menu; made by
  // initialize and deleted by destroy.
  struct ThumbIndexState* state;
} XwThumbIndexPart;

typedef struct _XwThumbIndexRec {
  CorePart core;
  XmPrimitivePart primitive;
  XwThumbIndexPart thumb_index;
} XwThumbIndexRec;

typedef struct _XwThumbIndexRec* XwThumbIndexWidget;
