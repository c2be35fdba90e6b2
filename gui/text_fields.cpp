// Text-field checks and accessors.
#include "text_fields.h"

#include <Xm/RowColumn.h>
#include <Xm/MessageB.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "atomic_file.h"
#include "trace.h"

namespace {

bool isTextWidget(Widget w) { return w && (XmIsTextField(w) || XmIsText(w)); }

void ringTwice(Widget w) {
  XBell(XtDisplay(w), 0);
  XBell(XtDisplay(w), 0);
}

}  // namespace

std::string getVerifiedText(Widget widget, XmTextVerifyCallbackStruct* verify) {
  std::string current = getTextValue(widget);
  if (!verify) return current;
  size_t start = static_cast<size_t>(std::max<XmTextPosition>(0, verify->startPos));
  size_t end = static_cast<size_t>(std::max<XmTextPosition>(0, verify->endPos));
  start = std::min(start, current.size());
  end = std::min(std::max(end, start), current.size());
  std::string inserted;
  if (verify->text && verify->text->ptr) inserted.assign(verify->text->ptr, static_cast<size_t>(verify->text->length));
  return current.substr(0, start) + inserted + current.substr(end);
}

bool textFieldDigitsCheck(Widget widget, XmTextVerifyCallbackStruct* verify) {
  std::string text = getVerifiedText(widget, verify);
  size_t i = (!text.empty() && (text[0] == '+' || text[0] == '-')) ? 1 : 0;
  if (text.find_first_not_of("0123456789*", i) == std::string::npos) return true;
  ringTwice(widget);
  return false;
}

void digitsVerifyCB(Widget widget, XtPointer, XtPointer callData) {
  auto* verify = static_cast<XmTextVerifyCallbackStruct*>(callData);
  if (!textFieldDigitsCheck(widget, verify)) verify->doit = False;
}

std::string updateShadow(const std::string& text, const std::string& shadow) {
  size_t n = text.size();
  std::string merged = shadow;
  if (n == 1) merged = text == "*" ? shadow.substr(0, 1) : std::string();
  if (n < merged.size()) merged.resize(n);
  for (size_t i = 0; i < n; ++i) {
    if (text[i] == '*') continue;
    if (i >= merged.size()) merged.resize(i + 1, '\0');
    merged[i] = text[i];
  }
  // A '*' beyond the old secret has no character behind it.
  merged.resize(std::min(merged.size(), merged.find('\0')));
  if (traceLevel() > 1)
    tracef("updateShadow(%s[%zu], %s[%zu])\n", text.c_str(), n, merged.c_str(), merged.size());
  return merged;
}

bool& passwordFieldGuard() {
  static bool guard = false;
  return guard;
}

void passwordVerifyCB(Widget widget, XtPointer, XtPointer callData) {
  auto* verify = static_cast<XmTextVerifyCallbackStruct*>(callData);
  if (!verify || passwordFieldGuard()) return;
  if (!textFieldDigitsCheck(widget, verify)) {
    verify->doit = False;
    return;
  }
  size_t length = getTextValue(widget).size();
  size_t start = static_cast<size_t>(std::max<XmTextPosition>(0, verify->startPos));
  size_t end = static_cast<size_t>(std::max<XmTextPosition>(0, verify->endPos));
  bool typed = verify->text && verify->text->ptr && verify->text->length > 0;
  bool typedStar = typed && std::string(verify->text->ptr, static_cast<size_t>(verify->text->length))
                                    .find('*') != std::string::npos;
  bool atEnd = end >= length && (start >= length || !typed);
  bool whole = start == 0 && end >= length;
  if (typedStar || !(atEnd || whole)) {
    ringTwice(widget);
    verify->doit = False;
  }
}

std::string getTextValue(Widget widget) {
  if (!isTextWidget(widget)) return std::string();
  char* value = XmIsTextField(widget) ? XmTextFieldGetString(widget) : XmTextGetString(widget);
  std::string out = value ? value : "";
  XtFree(value);
  return out;
}

void setTextValue(Widget widget, const std::string& text) {
  if (!isTextWidget(widget)) return;
  if (XmIsTextField(widget)) XmTextFieldSetString(widget, const_cast<char*>(text.c_str()));
  else XmTextSetString(widget, const_cast<char*>(text.c_str()));
}

void setTextFromInt(Widget widget, int value) { setTextValue(widget, std::to_string(value)); }

void setTextFromDouble(Widget widget, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%f", value);
  setTextValue(widget, buf);
}

int getTextAsInt(Widget widget) {
  std::string t = getTextValue(widget);
  return t.empty() ? 0 : static_cast<int>(std::strtol(t.c_str(), nullptr, 10));
}

double getTextAsDouble(Widget widget) {
  std::string t = getTextValue(widget);
  return t.empty() ? 0.0 : std::strtod(t.c_str(), nullptr);
}

void setMessageString(Widget widget, const std::string& text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  XtVaSetValues(widget, XmNmessageString, s, nullptr);
  XmStringFree(s);
}

bool loadTextFile(Widget textWidget, const std::string& path) {
  std::string data;
  if (!readWholeFile(path, &data)) return false;
  setTextValue(textWidget, data);
  return true;
}

std::string baseName(const std::string& path) {
  std::string base = path.substr(path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1);
  size_t dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

void popupMenuHandler(Widget menu, XEvent* event) {
  if (!menu || !event || event->type != ButtonPress) return;
  unsigned int which = 0;
  XtVaGetValues(menu, XmNwhichButton, &which, nullptr);
  if (event->xbutton.button != which) return;
  XmMenuPosition(menu, &event->xbutton);
  XtManageChild(menu);
}
