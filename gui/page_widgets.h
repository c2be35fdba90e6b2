// Small builders the wizard's pages share: widgets with the colour scheme,
// labels and buttons with a text or an image pair, text fields, option menus
// from entry tables, and attachments that stack widgets in a form.
#pragma once

#include <Xm/Xm.h>

#include <string>
#include <utility>
#include <vector>

using WidgetArgs = std::vector<std::pair<const char*, XtArgVal>>;

// Attached to the form's top (top null) or below `top`, and to the form's
// left edge (or right of `left`).
WidgetArgs placeBelow(Widget top, int offset = 8, Widget left = nullptr);
// Attached to all four sides of the form.
WidgetArgs fillForm(int offset = 0);
// Attached to the form's bottom, at a left position of 100.
WidgetArgs placeBottom(int position, int offset = 8);
WidgetArgs joinArgs(WidgetArgs a, const WidgetArgs& b);

// A managed widget of the class with the colour scheme.
Widget makePageWidget(WidgetClass cls, Widget parent, const char* name, const WidgetArgs& args = {});

// A label, label gadget, push button or toggle button with a text.
Widget makeTextLabel(WidgetClass cls, Widget parent, const char* name, const char* text,
                     const WidgetArgs& args = {});

// A push button showing the image pair when both are loaded (and colourMode
// allows images), else the text; `callback` on activate.
Widget makeImageButton(Widget parent, const char* name, const char* text, int image, int armImage,
                       XtCallbackProc callback, const WidgetArgs& args);

// A text field of at most maxLength characters with a value-changed
// callback; `redOnEnter` highlights it in red when the pointer enters.
Widget makeTextField(Widget parent, const char* name, int maxLength, XtCallbackProc valueChanged,
                     bool redOnEnter, const WidgetArgs& args);

// A frame holding a form: returns the form, the frame through `frame`.
Widget makeFramedForm(Widget parent, const char* frameName, const char* formName,
                      const WidgetArgs& frameArgs, Widget* frame = nullptr);

// One entry of an option menu: its widget name, label and activate callback.
struct MenuEntry {
  const char* name;
  const char* label;
  XtCallbackProc callback;
};

// An option menu with its pulldown and entries; `entries` receives the
// entry widgets in order.
Widget makeOptionMenu(Widget parent, const char* menuName, const char* pulldownName, const char* label,
                      const std::vector<MenuEntry>& table, std::vector<Widget>* entries,
                      const WidgetArgs& args);

// Shows the option menu's entry (null: nothing).
void showMenuEntry(Widget optionMenu, Widget entry);

void setWidgetSensitive(Widget w, bool on);

// Writes a text field under a guard flag set for the time of the write, so
// that the field's own change callback can tell the program's write from an
// edit; the cursor goes to the end.
void writeGuardedText(Widget field, const std::string& text, bool* guard);
