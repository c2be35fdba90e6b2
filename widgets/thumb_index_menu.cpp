// XwThumbIndex's popup menu of every label, posted from a "more" tab: one
// push button "popup" per label, a separator "separator" between neighbours
// of which only those bordering the shown page are managed.
#include "thumb_index_internal.h"

#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/RowColumnP.h>
#include <Xm/Separator.h>

#include <algorithm>

// Motif's own (MenuShell.c) record of when a menu was posted, exported by
// libXm but missing from its installed headers.
extern "C" void _XmSetLastManagedMenuTime(Widget w, Time time);

namespace {

// A label chosen in the menu: it is selected and its page shown.
void MenuChosen(Widget button, XtPointer client, XtPointer) {
  Widget w = static_cast<Widget>(client);
  ThumbIndexState& s = thumbState(w);
  auto found = std::find(s.buttons.begin(), s.buttons.end(), button);
  if (found == s.buttons.end()) return;
  int label = static_cast<int>(found - s.buttons.begin());
  if (label >= s.labels.count()) return;
  XwThumbIndexPart& t = thumbPart(w);
  int previous = t.selected_index;
  t.selected_index = label;
  thumbRelayout(w, true);
  thumbUpdateSeparators(w);
  thumbRedraw(w);
  thumbCallActivate(w, previous);
}

void createMenu(Widget w) {
  Arg args[2];
  Cardinal n = 0;
  XtSetArg(args[n], XmNpopupEnabled, XmPOPUP_DISABLED), ++n;  // posted by the widget itself
  XtSetArg(args[n], XmNmenuPost, "<Btn1Down>"), ++n;
  thumbState(w).menu = XmCreatePopupMenu(w, const_cast<char*>("popup"), args, n);
}

}  // namespace

void thumbBuildMenu(Widget w) {
  ThumbIndexState& s = thumbState(w);
  if (!s.menu) createMenu(w);
  for (Widget child : s.buttons) XtDestroyWidget(child);
  for (Widget child : s.separators) XtDestroyWidget(child);
  s.buttons.clear();
  s.separators.clear();
  for (int i = 0; i < s.labels.count(); ++i) {
    if (i > 0)
      s.separators.push_back(XmCreateSeparator(s.menu, const_cast<char*>("separator"), nullptr, 0));
    std::string text = s.labels.menuText(i);
    XmString label = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
    Arg args[2];
    Cardinal n = 0;
    XtSetArg(args[n], XmNmarginHeight, 0), ++n;
    XtSetArg(args[n], XmNlabelString, label), ++n;
    Widget button = XmCreatePushButton(s.menu, const_cast<char*>("popup"), args, n);
    XmStringFree(label);
    XtAddCallback(button, XmNactivateCallback, MenuChosen, w);
    XtManageChild(button);
    s.buttons.push_back(button);
  }
  thumbUpdateSeparators(w);
}

void thumbUpdateSeparators(Widget w) {
  ThumbIndexState& s = thumbState(w);
  for (int i = 0; i < static_cast<int>(s.separators.size()); ++i) {
    // separators[i] lies between labels i and i+1.
    bool before = s.page.leading && i == s.page.first - 1;
    bool after = s.page.trailing && i == s.page.last;
    if (before || after) XtManageChild(s.separators[i]);
    else XtUnmanageChild(s.separators[i]);
  }
}

void thumbPostMenu(Widget w, XEvent* event) {
  ThumbIndexState& s = thumbState(w);
  if (!s.menu) return;
  XButtonPressedEvent where;
  if (event && event->type == ButtonPress) {
    where = event->xbutton;
  } else {
    // From the keyboard: at the pointer.
    where = XButtonPressedEvent();
    Window root, child;
    int x, y;
    unsigned mask;
    XQueryPointer(XtDisplay(w), XtWindow(w), &root, &child, &where.x_root, &where.y_root, &x, &y,
                  &mask);
  }
  XmMenuPosition(s.menu, &where);
  XtManageChild(s.menu);
  // Posted by a click: the menu stays up when the button is released soon
  // after (Motif measures that from the time it was posted).
  RC_popupMenuClick(s.menu) = True;
  if (event && event->type == ButtonPress)
    _XmSetLastManagedMenuTime(XtParent(s.menu), event->xbutton.time);
}
