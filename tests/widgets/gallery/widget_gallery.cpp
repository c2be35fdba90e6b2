// widget-gallery: a window showing the widget set: a row of index tabs with
// many labels (duplicates among them) and one that fits, counters in the
// three formats, and buttons with tool tips. The last callback is shown in
// a status line at the bottom.
//
//   widget-gallery [-select N] [-point NAME]
//     -select N    the tab selected at start (default 9)
//     -point NAME  moves the pointer onto the named widget once the window
//                  is up (so that a screenshot shows its tool tip)
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "counter.h"
#include "thumb_index.h"
#include "tool_tip.h"

namespace {

const char* const kFallbackResources[] = {
    "JarnGallery*tipShell.borderWidth: 3",
    "JarnGallery*tipShell.borderColor: blue",
    "JarnGallery*fitting.fontList: -*-lucida-bold-r-normal-sans-10-*",
    "JarnGallery*background: gray80",
    nullptr,
};

const char* const kManyLabels[] = {
    "Queue", "Connection", "Model", "Options", "Advanced", "Queue", "Paper", "Finishing",
    "Mailbox", "Queue", "Accounting", "Security", "Colour", "Extras", "Options", "Summary",
};

const char* const kFewLabels[] = {"General", "Printer", "Users", "Printer"};

Widget status;

void showStatus(const std::string& text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text.c_str()));
  XtVaSetValues(status, XmNlabelString, s, nullptr);
  XmStringFree(s);
}

void TabChosen(Widget w, XtPointer, XtPointer call) {
  auto* data = static_cast<XwThumbIndexCallbackStruct*>(call);
  char line[512];
  std::snprintf(line, sizeof line, "%s: tab %d -> %d \"%s\" <%d>", XtName(w), data->previousIndex,
                data->selectedIndex, data->label, data->duplicate);
  showStatus(line);
}

void CounterChanged(Widget w, XtPointer, XtPointer) {
  char line[256];
  std::snprintf(line, sizeof line, "%s: %d (%g)", XtName(w), XwCounterGetValue(w),
                XwCounterGetFloatValue(w));
  showStatus(line);
}

void QuitPressed(Widget, XtPointer, XtPointer) { std::exit(0); }

std::string pointAt;

// Puts the pointer on the middle of the widget named by -point.
void PointAtWidget(XtPointer client, XtIntervalId*) {
  Widget top = static_cast<Widget>(client);
  Widget target = XtNameToWidget(top, ("*" + pointAt).c_str());
  if (!target || !XtIsRealized(target)) {
    std::fprintf(stderr, "widget-gallery: no widget %s\n", pointAt.c_str());
    return;
  }
  Dimension width = 0, height = 0;
  XtVaGetValues(target, XmNwidth, &width, XmNheight, &height, nullptr);
  XWarpPointer(XtDisplay(top), 0, XtWindow(target), 0, 0, 0, 0, width / 2, height / 2);
}

Widget label(Widget parent, const char* name, const char* text) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text));
  Widget w = XtVaCreateManagedWidget(name, xmLabelWidgetClass, parent, XmNlabelString, s, nullptr);
  XmStringFree(s);
  return w;
}

Widget thumbIndex(Widget parent, const char* name, const char* const* labels, int count,
                  int width) {
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XwNnumIndices, count), ++n;
  XtSetArg(args[n], XwNindexLabels, labels), ++n;
  XtSetArg(args[n], XmNwidth, width), ++n;
  XtSetArg(args[n], XwNselectedIndexColor, 0), ++n;
  Widget w = XwCreateThumbIndex(parent, name, args, n - 1);
  XtAddCallback(w, XmNactivateCallback, TabChosen, nullptr);
  XtManageChild(w);
  return w;
}

int floatBits(float f) {
  int word;
  std::memcpy(&word, &f, sizeof word);
  return word;
}

Widget counter(Widget row, const char* name, const char* title, int format, int value) {
  label(row, (std::string(name) + "Lbl").c_str(), title);
  Arg args[8];
  Cardinal n = 0;
  XtSetArg(args[n], XwNformat, format), ++n;
  XtSetArg(args[n], XmNcolumns, 8), ++n;
  XtSetArg(args[n], XmNmaxLength, 8), ++n;
  XtSetArg(args[n], XmNvalue, value), ++n;
  if (format == XwCOUNTER_FLOAT) {
    XtSetArg(args[n], XmNdecimalPoints, 2), ++n;
    XtSetArg(args[n], XmNincrement, floatBits(0.25f)), ++n;
  }
  if (format == XwCOUNTER_DECIMAL) {
    XtSetArg(args[n], XmNminimum, -50), ++n;
    XtSetArg(args[n], XmNmaximum, 100), ++n;
  }
  Widget w = XwCreateCounter(row, name, args, n);
  XtAddCallback(w, XmNvalueChangedCallback, CounterChanged, nullptr);
  XtManageChild(w);
  return w;
}

Widget button(Widget row, const char* name, const char* text, const char* tip) {
  XmString s = XmStringCreateLocalized(const_cast<char*>(text));
  Widget w = XtVaCreateManagedWidget(name, xmPushButtonWidgetClass, row, XmNlabelString, s, nullptr);
  XmStringFree(s);
  addToolTip(w, tip);
  return w;
}

Widget row(Widget parent, const char* name) {
  return XtVaCreateManagedWidget(name, xmRowColumnWidgetClass, parent, XmNorientation,
                                 XmHORIZONTAL, XmNpacking, XmPACK_TIGHT, XmNspacing, 8,
                                 XmNentryAlignment, XmALIGNMENT_CENTER, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  int select = 9;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "-select") == 0) select = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "-point") == 0) pointAt = argv[++i];
  }

  XtToolkitInitialize();
  XtAppContext app = XtCreateApplicationContext();
  XtAppSetFallbackResources(app, const_cast<String*>(kFallbackResources));
  Display* display = XtOpenDisplay(app, nullptr, "widgetGallery", "JarnGallery", nullptr, 0, &argc, argv);
  if (!display) {
    std::fprintf(stderr, "widget-gallery: cannot open the display\n");
    return 1;
  }
  Widget top = XtVaAppCreateShell("widgetGallery", "JarnGallery", applicationShellWidgetClass,
                                  display, XmNtitle, "Widget gallery", XmNx, 20, XmNy, 20, nullptr);
  Widget column = XtVaCreateManagedWidget("column", xmRowColumnWidgetClass, top, XmNorientation,
                                          XmVERTICAL, XmNspacing, 10, XmNmarginWidth, 12,
                                          XmNmarginHeight, 12, nullptr);

  label(column, "manyLbl", "Index tabs, more labels than fit (duplicates included):");
  Widget many = thumbIndex(column, "manyTabs", kManyLabels,
                           static_cast<int>(sizeof kManyLabels / sizeof *kManyLabels), 640);
  label(column, "fittingLbl", "Index tabs that fit:");
  thumbIndex(column, "fitting", kFewLabels, static_cast<int>(sizeof kFewLabels / sizeof *kFewLabels), 640);

  Widget counters = row(column, "counters");
  counter(counters, "floatCounter", "Float", XwCOUNTER_FLOAT, 3);
  counter(counters, "decimalCounter", "Decimal", XwCOUNTER_DECIMAL, 42);
  counter(counters, "hexCounter", "Hex", XwCOUNTER_HEX, 0xbeef);

  Widget buttons = row(column, "buttons");
  button(buttons, "applyPB", "Apply", "Apply the changes to the queue");
  button(buttons, "helpPB", "Help", nullptr);  // shows its own label
  Widget quit = button(buttons, "quitPB", "Quit", "Leave the gallery");
  XtAddCallback(quit, XmNactivateCallback, QuitPressed, nullptr);

  status = label(column, "statusLbl", "Pick a tab, step a counter, rest on a button.");

  XtRealizeWidget(top);
  XtVaSetValues(many, XwNselectedIndex, select, nullptr);
  if (!pointAt.empty()) XtAppAddTimeOut(app, 300, PointAtWidget, top);
  XtAppMainLoop(app);
  return 0;
}
