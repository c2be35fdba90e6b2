// The help dialog: one message dialog per request, showing a topic's lines,
// with "More Help" for the topic it continues into (see help_topics.h).
#include <Xm/MessageB.h>

#include <string>

#include "colour_scheme.h"
#include "help_dialog.h"
#include "help_topics.h"
#include "main_window.h"
#include "trace.h"

namespace {

int shownTopic = -2;
Widget lastDialog = nullptr;

XmString topicString(int topic) {
  XmString all = nullptr;
  bool first = true;
  for (const std::string& line : helpTopicLines(topic)) {
    XmString part = XmStringCreateLocalized(const_cast<char*>(line.c_str()));
    if (!first) {
      XmString separator = XmStringSeparatorCreate();
      XmString joined = XmStringConcatAndFree(all, separator);
      all = joined;
    }
    all = all ? XmStringConcatAndFree(all, part) : part;
    first = false;
  }
  return all;
}

void helpOkCB(Widget dialog, XtPointer, XtPointer) {
  XtUnmanageChild(dialog);
  XtDestroyWidget(XtParent(dialog));
}

void moreHelpCB(Widget, XtPointer data, XtPointer) { showHelpMessage(static_cast<int>(reinterpret_cast<long>(data))); }

void setLabel(Widget w, const char* resource, const char* text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text));
  XtVaSetValues(w, resource, s, nullptr);
  XmStringFree(s);
}

}  // namespace

void showHelpMessage(int topic) {
  shownTopic = topic;
  if (traceLevel() > 0) tracef("help topic %d: %s\n", topic, helpTopicTitle(topic));
  Widget parent = mainWidgets().appShell;
  if (!parent) return;
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XmNmessageAlignment, XmALIGNMENT_BEGINNING), ++n;
  n = addColourArgs(args, n, parent);
  Widget dialog = XmCreateMessageDialog(parent, const_cast<char*>("Help"), args, n);
  setLabel(dialog, XmNdialogTitle, "Jarn 2.0-10 : Help");
  setLabel(dialog, XmNokLabelString, "OK");
  setLabel(dialog, XmNhelpLabelString, "More Help");
  XmString text = topicString(topic);
  XtVaSetValues(dialog, XmNmessageString, text, nullptr);
  XmStringFree(text);
  XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_CANCEL_BUTTON));
  int more = helpContinuation(topic);
  if (more >= 0) {
    XtAddCallback(dialog, XmNhelpCallback, moreHelpCB, reinterpret_cast<XtPointer>(static_cast<long>(more)));
  } else {
    XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_HELP_BUTTON));
  }
  XtAddCallback(dialog, XmNokCallback, helpOkCB, nullptr);
  XtAddCallback(dialog, XmNdestroyCallback, [](Widget w, XtPointer, XtPointer) {
    if (lastDialog == w) lastDialog = nullptr;
  }, nullptr);
  lastDialog = dialog;
  XtManageChild(dialog);
}

int lastHelpTopic() { return shownTopic; }

Widget lastHelpDialog() { return lastDialog; }
