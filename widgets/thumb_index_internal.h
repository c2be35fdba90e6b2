// What the thumb index's sources share among themselves (not for users of
// the widget).
#pragma once

#include "thumb_index_p.h"
#include "thumb_index_state.h"

XwThumbIndexPart& thumbPart(Widget w);
ThumbIndexState& thumbState(Widget w);

// Measures every label's tab from the font and the insets.
void thumbMeasureLabels(Widget w);

// Splits the labels into pages again and lays out the shown page; with
// choosePage the page is chosen again for the selection, otherwise the
// shown page's bounds are kept. The focus tab stays where it is when it is
// still shown, else it moves to the selected tab.
void thumbRelayout(Widget w, bool choosePage);

// Calls activateCallback for a change from previous to the current
// selection.
void thumbCallActivate(Widget w, int previous);

// Graphics contexts (thumb_index_draw.cpp).
void thumbMakeGCs(Widget w);
void thumbFreeGCs(Widget w);

// Clears the window and draws every tab (realized widgets only).
void thumbRedraw(Widget w);

// The popup menu (thumb_index_menu.cpp): built again from the labels,
// separators set for the shown page, posted at the pointer.
void thumbBuildMenu(Widget w);
void thumbUpdateSeparators(Widget w);
void thumbPostMenu(Widget w, XEvent* event);

// Actions of the translation table (thumb_index_actions.cpp).
void ThumbProcessTraversal(Widget w, XEvent* event, String* params, Cardinal* count);
void ThumbTraverseIndices(Widget w, XEvent* event, String* params, Cardinal* count);
void ThumbActivate(Widget w, XEvent* event, String* params, Cardinal* count);
