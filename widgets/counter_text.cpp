// XwCounter's text field: the check of typed text, the reading of a changed
// text into the value word, the text put back to the kept number when the
// field loses the focus, on Return or when the value is read, and the value
// calls of the public header.
#include <Xm/TextF.h>

#include <string>

#include "counter_internal.h"
#include "counter_p.h"

namespace {

XwCounterPart& part(Widget w) { return reinterpret_cast<XwCounterWidget>(w)->counter; }

bool isCounter(Widget w) { return w && XtIsSubclass(w, xwCounterWidgetClass); }

std::string textOf(Widget text) {
  char* raw = XmTextFieldGetString(text);
  std::string result = raw ? raw : "";
  XtFree(raw);
  return result;
}

// True when the text shows the number the value word keeps: digits that
// read as a number within the limits, and that number's word is the kept one.
bool showsKeptValue(Widget w) {
  XwCounterPart& c = part(w);
  std::string text = textOf(c.text);
  double number;
  int word;
  return counterTextHasDigit(c.format, text) && counterParseText(c.format, text, &number) &&
         counterWithinLimits(counterWords(w), number) &&
         counterNumberToWord(c.format, number, &word) && word == c.value;
}

// The kept number, once the text shows it.
double keptNumber(Widget w) {
  counterCommitText(w);
  return counterWordToNumber(part(w).format, part(w).value);
}

// modifyVerify: the text as it would be after the change must suit the format.
void ModifyVerify(Widget text, XtPointer client, XtPointer call) {
  Widget w = static_cast<Widget>(client);
  auto* cbs = static_cast<XmTextVerifyCallbackStruct*>(call);
  std::string now = textOf(text);
  size_t start = static_cast<size_t>(cbs->startPos);
  size_t end = static_cast<size_t>(cbs->endPos);
  if (start > now.size()) start = now.size();
  if (end > now.size()) end = now.size();
  if (end < start) end = start;
  std::string inserted;
  if (cbs->text && cbs->text->ptr && cbs->text->length > 0)
    inserted.assign(cbs->text->ptr, static_cast<size_t>(cbs->text->length));
  std::string after = now.substr(0, start) + inserted + now.substr(end);
  if (!counterTextAcceptable(part(w).format, after)) cbs->doit = False;
}

// valueChanged: a text within the limits becomes the value word and is
// reported; any other sets the word back to the minimum.
void TextChanged(Widget text, XtPointer client, XtPointer call) {
  Widget w = static_cast<Widget>(client);
  XwCounterPart& c = part(w);
  auto* cbs = static_cast<XmAnyCallbackStruct*>(call);
  double number;
  int word;
  if (!counterParseText(c.format, textOf(text), &number) ||
      !counterWithinLimits(counterWords(w), number) ||
      !counterNumberToWord(c.format, number, &word)) {
    c.value = c.minimum;
    return;
  }
  c.value = word;
  XwCounterCallbackStruct data = {XmCR_VALUE_CHANGED, cbs ? cbs->event : nullptr, c.value};
  Boolean outer = c.reporting;
  c.reporting = True;
  XtCallCallbackList(w, c.value_changed_callback, &data);
  c.reporting = outer;
}

void TextLosingFocus(Widget, XtPointer client, XtPointer) {
  counterCommitText(static_cast<Widget>(client));
}

// Return: the text shows the kept number before the activate callback reads it.
void TextActivate(Widget, XtPointer client, XtPointer call) {
  Widget w = static_cast<Widget>(client);
  XwCounterPart& c = part(w);
  counterCommitText(w);
  auto* cbs = static_cast<XmAnyCallbackStruct*>(call);
  XwCounterActivateCallbackStruct data = {cbs ? cbs->reason : XmCR_ACTIVATE,
                                          cbs ? cbs->event : nullptr, c.format, c.value};
  XtCallCallbackList(w, c.activate_callback, &data);
}

}  // namespace

CounterWords counterWords(Widget w) {
  XwCounterPart& c = part(w);
  return CounterWords{c.format, c.minimum, c.maximum, c.increment};
}

void counterAddTextHandlers(Widget w) {
  Widget text = part(w).text;
  XtAddCallback(text, XmNmodifyVerifyCallback, ModifyVerify, w);
  XtAddCallback(text, XmNvalueChangedCallback, TextChanged, w);
  XtAddCallback(text, XmNactivateCallback, TextActivate, w);
  XtAddCallback(text, XmNlosingFocusCallback, TextLosingFocus, w);
}

void counterCommitText(Widget w) {
  XwCounterPart& c = part(w);
  if (c.reporting || !c.text || c.text->core.being_destroyed || showsKeptValue(w)) return;
  CounterWords words = counterWords(w);
  double kept = counterWordToNumber(c.format, c.value);
  if (!counterWithinLimits(words, kept)) counterStep(words, kept, 0, true, &kept);
  XwCounterSetValue(w, kept);
}

Boolean XwCounterSetValue(Widget w, double number) {
  if (!isCounter(w)) return False;
  XwCounterPart& c = part(w);
  int word;
  if (!counterWithinLimits(counterWords(w), number) ||
      !counterNumberToWord(c.format, number, &word))
    return False;
  c.value = word;
  std::string text = counterFormatText(c.format, c.columns, c.decimal_points, number);
  XmTextFieldSetString(c.text, const_cast<char*>(text.c_str()));
  return True;
}

int XwCounterGetValue(Widget w) {
  if (!isCounter(w)) return 0;
  double number = keptNumber(w);
  int word;
  if (!counterNumberToWord(XwCOUNTER_DECIMAL, number, &word)) return 0;
  return word;
}

float XwCounterGetFloatValue(Widget w) {
  if (!isCounter(w)) return 0;
  return static_cast<float>(keptNumber(w));
}
