// XwThumbIndex's actions: keyboard focus in and out of the widget, moving
// the focus tab, and picking a tab with the mouse or the space key.
#include "thumb_index_internal.h"

#include <cstring>

namespace {

bool is(String* params, Cardinal* count, const char* word) {
  return *count >= 1 && std::strcmp(params[0], word) == 0;
}

// Picks the tab at a position on the page: a "more" tab pops up the menu,
// another tab is selected.
void pick(Widget w, int position, XEvent* event) {
  XwThumbIndexPart& t = thumbPart(w);
  ThumbIndexState& s = thumbState(w);
  if (position < 0 || position >= static_cast<int>(s.tabs.size())) return;
  const ThumbTab& tab = s.tabs[position];
  if (tab.more()) {
    thumbPostMenu(w, event);
    return;
  }
  if (tab.label == t.selected_index) return;
  int previous = t.selected_index;
  t.selected_index = tab.label;
  s.selectedPosition = position;
  thumbRedraw(w);
  thumbCallActivate(w, previous);
}

}  // namespace

void ThumbProcessTraversal(Widget w, XEvent*, String* params, Cardinal* count) {
  ThumbIndexState& s = thumbState(w);
  if (is(params, count, "in")) {
    s.hasFocus = true;
    thumbRedraw(w);
  } else if (is(params, count, "out")) {
    s.hasFocus = false;
    thumbRedraw(w);
  } else if (is(params, count, "next")) {
    XmProcessTraversal(w, XmTRAVERSE_NEXT_TAB_GROUP);
  } else if (is(params, count, "prev")) {
    XmProcessTraversal(w, XmTRAVERSE_PREV_TAB_GROUP);
  }
}

void ThumbTraverseIndices(Widget w, XEvent*, String* params, Cardinal* count) {
  ThumbIndexState& s = thumbState(w);
  int tabs = static_cast<int>(s.tabs.size());
  int position = thumbPositionOfLabel(s.tabs, s.focusLabel);
  if (position < 0) position = s.selectedPosition;
  if (position < 0) return;
  if (is(params, count, "next")) {
    if (position >= tabs - 1 || (s.page.trailing && position == tabs - 2)) return;
    ++position;
  } else if (is(params, count, "prev")) {
    if (position <= 0 || (s.page.leading && position == 1)) return;
    --position;
  } else {
    return;
  }
  s.focusLabel = s.tabs[position].label;
  thumbRedraw(w);
}

void ThumbActivate(Widget w, XEvent* event, String* params, Cardinal* count) {
  ThumbIndexState& s = thumbState(w);
  if (s.labels.count() <= 1) return;
  if (is(params, count, "space")) {
    if (s.hasFocus) {
      pick(w, thumbPositionOfLabel(s.tabs, s.focusLabel), event);
    } else {
      XmProcessTraversal(w, XmTRAVERSE_CURRENT);
      pick(w, 0, event);
    }
  } else if (is(params, count, "mouse")) {
    if (!event || event->type != ButtonPress) return;
    pick(w, thumbTabAt(s.tabs, s.selectedPosition, event->xbutton.x, event->xbutton.y), event);
  }
}
