// Builders shared by the pages (see page_widgets.h).
#include "page_widgets.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>

#include "colour_scheme.h"
#include "main_window.h"
#include "screen_values.h"
#include "setup_state.h"
#include "xm_strings.h"

WidgetArgs placeBelow(Widget top, int offset, Widget left) {
  WidgetArgs a;
  if (top) {
    a = {{XmNtopAttachment, XmATTACH_WIDGET}, {XmNtopWidget, reinterpret_cast<XtArgVal>(top)}};
  } else {
    a = {{XmNtopAttachment, XmATTACH_FORM}};
  }
  a.push_back({XmNtopOffset, offset});
  if (left) {
    a.push_back({XmNleftAttachment, XmATTACH_WIDGET});
    a.push_back({XmNleftWidget, reinterpret_cast<XtArgVal>(left)});
  } else {
    a.push_back({XmNleftAttachment, XmATTACH_FORM});
  }
  a.push_back({XmNleftOffset, 8});
  return a;
}

WidgetArgs fillForm(int offset) {
  return {{XmNtopAttachment, XmATTACH_FORM},   {XmNtopOffset, offset},
          {XmNbottomAttachment, XmATTACH_FORM}, {XmNbottomOffset, offset},
          {XmNleftAttachment, XmATTACH_FORM},  {XmNleftOffset, offset},
          {XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, offset}};
}

WidgetArgs placeBottom(int position, int offset) {
  return {{XmNbottomAttachment, XmATTACH_FORM}, {XmNbottomOffset, offset},
          {XmNleftAttachment, XmATTACH_POSITION}, {XmNleftPosition, position}};
}

WidgetArgs joinArgs(WidgetArgs a, const WidgetArgs& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

namespace {

std::vector<Arg> toArgs(const WidgetArgs& args, Widget reference) {
  std::vector<Arg> out(args.size() + 4);
  Cardinal n = 0;
  for (const auto& a : args) XtSetArg(out[n], const_cast<char*>(a.first), a.second), ++n;
  n = addColourArgs(out.data(), n, reference);
  out.resize(n);
  return out;
}

}  // namespace

Widget makePageWidget(WidgetClass cls, Widget parent, const char* name, const WidgetArgs& args) {
  std::vector<Arg> a = toArgs(args, parent);
  return XtCreateManagedWidget(name, cls, parent, a.data(), static_cast<Cardinal>(a.size()));
}

Widget makeTextLabel(WidgetClass cls, Widget parent, const char* name, const char* text,
                     const WidgetArgs& args) {
  XmString s = makeXmString(text);
  Widget w = makePageWidget(cls, parent, name,
                            joinArgs({{XmNlabelString, reinterpret_cast<XtArgVal>(s)}}, args));
  XmStringFree(s);
  return w;
}

Widget makeImageButton(Widget parent, const char* name, const char* text, int image, int armImage,
                       XtCallbackProc callback, const WidgetArgs& args) {
  const ButtonImages& images = programImages();
  Pixmap pix = images.pixmaps[static_cast<size_t>(image)];
  Pixmap arm = images.pixmaps[static_cast<size_t>(armImage)];
  WidgetArgs all = args;
  if (setup().colourMode >= 0 && pix && arm) {
    all.push_back({XmNlabelType, XmPIXMAP});
    all.push_back({XmNlabelPixmap, static_cast<XtArgVal>(pix)});
    all.push_back({XmNarmPixmap, static_cast<XtArgVal>(arm)});
  }
  Widget w = makeTextLabel(xmPushButtonWidgetClass, parent, name, text, all);
  if (callback) XtAddCallback(w, XmNactivateCallback, callback, nullptr);
  return w;
}

Widget makeTextField(Widget parent, const char* name, int maxLength, XtCallbackProc valueChanged,
                     bool redOnEnter, const WidgetArgs& args) {
  WidgetArgs all = args;
  if (maxLength > 0) all.push_back({XmNmaxLength, maxLength});
  if (redOnEnter) {
    all.push_back({XmNhighlightOnEnter, True});
    all.push_back({XmNhighlightColor, static_cast<XtArgVal>(getColorPixel(parent, "red"))});
  }
  Widget w = makePageWidget(xmTextFieldWidgetClass, parent, name, all);
  if (valueChanged) XtAddCallback(w, XmNvalueChangedCallback, valueChanged, nullptr);
  return w;
}

Widget makeFramedForm(Widget parent, const char* frameName, const char* formName,
                      const WidgetArgs& frameArgs, Widget* frame) {
  Widget f = makePageWidget(xmFrameWidgetClass, parent, frameName, frameArgs);
  if (frame) *frame = f;
  return makePageWidget(xmFormWidgetClass, f, formName);
}

Widget makeOptionMenu(Widget parent, const char* menuName, const char* pulldownName, const char* label,
                      const std::vector<MenuEntry>& table, std::vector<Widget>* entries,
                      const WidgetArgs& args) {
  std::vector<Arg> pa = toArgs({}, parent);
  Widget pulldown = XmCreatePulldownMenu(parent, const_cast<char*>(pulldownName), pa.data(),
                                         static_cast<Cardinal>(pa.size()));
  entries->clear();
  for (const MenuEntry& e : table) {
    Widget w = makeTextLabel(xmPushButtonWidgetClass, pulldown, e.name, e.label);
    if (e.callback) XtAddCallback(w, XmNactivateCallback, e.callback, nullptr);
    entries->push_back(w);
  }
  XmString s = makeXmString(label);
  std::vector<Arg> a = toArgs(joinArgs({{XmNsubMenuId, reinterpret_cast<XtArgVal>(pulldown)},
                                        {XmNlabelString, reinterpret_cast<XtArgVal>(s)}},
                                       args),
                              parent);
  Widget menu = XmCreateOptionMenu(parent, const_cast<char*>(menuName), a.data(), static_cast<Cardinal>(a.size()));
  XmStringFree(s);
  XtManageChild(menu);
  return menu;
}

void showMenuEntry(Widget optionMenu, Widget entry) {
  if (optionMenu && entry) XtVaSetValues(optionMenu, XmNmenuHistory, entry, nullptr);
}

void setWidgetSensitive(Widget w, bool on) {
  if (w) XtSetSensitive(w, on ? True : False);
}

void writeGuardedText(Widget field, const std::string& text, bool* guard) {
  if (!field) return;
  bool was = *guard;
  *guard = true;
  XmTextFieldSetString(field, const_cast<char*>(text.c_str()));
  XmTextFieldSetInsertionPosition(field, static_cast<XmTextPosition>(text.size()));
  *guard = was;
}
