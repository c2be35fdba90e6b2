// jarn-drive: runs the administration program in-process and steps it from
// a script on standard input, one line a step, with real X input (XTest).
//
//   jarn-drive [Jarn.exe options] < SCRIPT
//
// Lines are read as they arrive (a FIFO may feed them) from a toolkit timer,
// so a step also runs while the program waits in a question or a modal box.
// End of input exits 0; a failing step prints "jarn-drive: line N: why" and
// exits 2. Blanks split a step's arguments, the last takes the rest of the
// line. A widget W is a name or XtNameToWidget path, looked up as "*W" under
// the main shell, then under the other shells.
#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/ScrollBar.h>
#include <Xm/ScrolledW.h>
#include <Xm/MessageB.h>
#include <Xm/RowColumn.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "about_dialog.h"
#include "advanced_page.h"
#include "counter.h"
#include "drive_options.h"
#include "drive_state.h"
#include "extra_pane.h"
#include "file_form.h"
#include "help_dialog.h"
#include "help_dispatch.h"
#include "help_texts.h"
#include "help_topics.h"
#include "ipp_form.h"
#include "main_window.h"
#include "page_hooks.h"
#include "message_page.h"
#include "page_navigation.h"
#include "fs_root.h"
#include "ppd_search.h"
#include "queue_actions.h"
#include "queue_page.h"
#include "setup_state.h"
#include "startup.h"
#include "text_fields.h"
#include "usb_form.h"
#include "user_editing.h"
#include "x11_core.h"
#include "xm_strings.h"

namespace {

using Args = std::vector<std::string>;

struct DriveFailure {
  std::string why;
};

[[noreturn]] void fail(const std::string& why) { throw DriveFailure{why}; }

std::string inputBuffer;
bool inputEnded = false;
int lineNumber = 0;

Widget lookUp(const std::string& name) {
  std::string path = name.find_first_of("*.") == 0 ? name : "*" + name;
  const MainWidgets& m = mainWidgets();
  for (Widget root : {m.mainShell, m.appShell}) {
    if (!root) continue;
    if (Widget w = XtNameToWidget(root, path.c_str())) return w;
  }
  fail("no widget " + name);
}

void pump() { x11core::pumpUntilIdle(); }

bool isPulldown(Widget w) {
  if (!w || !XmIsRowColumn(w)) return false;
  unsigned char type = 0;
  XtVaGetValues(w, XmNrowColumnType, &type, nullptr);
  return type == XmMENU_PULLDOWN;
}

bool isOptionMenu(Widget w) {
  if (!w || !XmIsRowColumn(w)) return false;
  unsigned char type = 0;
  XtVaGetValues(w, XmNrowColumnType, &type, nullptr);
  return type == XmMENU_OPTION;
}

// The widget whose press posts the pulldown holding `entry` (null: none).
Widget posterOf(Widget entry) {
  Widget pulldown = XtParent(entry);
  if (!isPulldown(pulldown)) return nullptr;
  WidgetList from = nullptr;
  int count = 0;
  XtVaGetValues(pulldown, XmNpostFromList, &from, XmNpostFromCount, &count, nullptr);
  if (count < 1) return nullptr;
  return isOptionMenu(from[0]) ? XmOptionButtonGadget(from[0]) : from[0];
}

bool viewable(Widget w) {
  XWindowAttributes a;
  return w && XtIsRealized(w) && XGetWindowAttributes(XtDisplay(w), XtWindow(w), &a) && a.map_state == IsViewable;
}

// A click as a hand makes it: a press and a release apart in time (menus
// take a press and release with one time stamp for no click).
void clickAt(int x, int y, int clicks = 1) {
  x11core::fakeMotion(x, y);
  x11core::pumpFor(30);
  for (int i = 0; i < clicks; ++i) {
    x11core::fakeButton(true);
    x11core::pumpFor(30);
    x11core::fakeButton(false);
    x11core::pumpFor(30);
  }
  pump();
}

void clickWidget(Widget w, int clicks = 1) {
  int x = 0, y = 0;
  if (!viewable(XtIsWidget(w) ? w : XtParent(w)) || !x11core::widgetCentre(w, &x, &y)) fail(std::string(XtName(w)) + " is not on the screen");
  clickAt(x, y, clicks);
}

// Input the program takes from its own event loop: a menu entry is only
// picked when the press and release reach it there, so these run one a
// tick; no further line runs until they are done.
std::vector<std::function<bool()>> queuedInput;

// A menu entry: its menu posted by a click on the button that posts it (a
// nested menu's poster posted the same way first), then, from the program's
// own loop, the pointer moved onto the entry, pressed and released there.
void clickEntry(Widget w) {
  Widget poster = posterOf(w);
  if (!poster) return clickWidget(w);
  Widget menuShell = XtParent(XtParent(w));
  if (posterOf(poster)) clickEntry(poster);
  else clickWidget(poster);
  long deadline = 100;  // ticks
  queuedInput.push_back([w, menuShell, deadline]() mutable {
    if (!viewable(menuShell) && --deadline > 0) return false;
    int x = 0, y = 0;
    x11core::widgetCentre(w, &x, &y);
    x11core::fakeMotion(x, y);
    return true;
  });
  // A menu takes a press within the double-click time of the click that
  // posted it as part of that click: 15 ticks of 20 ms between them.
  for (int i = 0; i < 15; ++i) queuedInput.push_back([] { return true; });
  queuedInput.push_back([] { return x11core::fakeButton(true), true; });
  for (int i = 0; i < 5; ++i) queuedInput.push_back([] { return true; });
  queuedInput.push_back([] { return x11core::fakeButton(false), true; });
  queuedInput.push_back([menuShell, deadline]() mutable { return !viewable(menuShell) || --deadline <= 0; });
}

std::string xmText(XmString s) { return s ? xmStringToText(s) : std::string(); }

std::string labelOf(Widget w) {
  XmString s = nullptr;
  XtVaGetValues(w, XmNlabelString, &s, nullptr);
  std::string text = xmText(s);
  if (s) XmStringFree(s);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string textOf(Widget w) {
  if (XmIsTextField(w) || XmIsText(w)) {
    char* v = XmIsTextField(w) ? XmTextFieldGetString(w) : XmTextGetString(w);
    std::string text = v ? v : "";
    XtFree(v);
    return text;
  }
  if (XmIsList(w)) {
    XmStringTable items = nullptr;
    int count = 0;
    XtVaGetValues(w, XmNitems, &items, XmNitemCount, &count, nullptr);
    std::string text;
    for (int i = 0; i < count; ++i) text += (i ? "\n" : "") + xmStringFirstLine(items[i]);
    return text;
  }
  if (isOptionMenu(w)) {
    Widget shown = nullptr;
    XtVaGetValues(w, XmNmenuHistory, &shown, nullptr);
    return shown ? labelOf(shown) : std::string();
  }
  if (XmIsMessageBox(w)) {
    XmString s = nullptr;
    XtVaGetValues(w, XmNmessageString, &s, nullptr);
    std::string text = xmText(s);
    if (s) XmStringFree(s);
    return text;
  }
  return labelOf(w);
}

int number(const std::string& text) {
  char* end = nullptr;
  long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end) fail("not a number: " + text);
  return static_cast<int>(v);
}

// Empties a text field key by key, then types the text.
void typeInto(Widget w, const std::string& text) {
  x11core::focusOn(w);
  x11core::fakeKey(XStringToKeysym("End"), true);
  x11core::fakeKey(XStringToKeysym("End"), false);
  pump();
  for (size_t n = textOf(w).size(); n > 0; --n) {
    x11core::fakeKey(XStringToKeysym("BackSpace"), true);
    x11core::fakeKey(XStringToKeysym("BackSpace"), false);
    pump();
  }
  for (char ch : text) {
    if (!x11core::fakeCharacter(ch)) fail(std::string("no key for ") + ch);
  }
}

void typeStep(const Args& a) { typeInto(lookUp(a[0]), a.size() > 1 ? a[1] : std::string()); }

// A number typed into a spin box's text field.
void counterStep(const Args& a) {
  Widget text = XwCounterGetChild(lookUp(a[0]), XwCOUNTER_TEXT);
  if (!text) fail(a[0] + " is no counter");
  typeInto(text, a[1]);
  pump();
}

void keyStep(const Args& a) {
  KeySym key = XStringToKeysym(a[1].c_str());
  x11core::focusOn(lookUp(a[0]));
  if (key == NoSymbol || !x11core::fakeKey(key, true)) fail("no key " + a[1]);
  x11core::fakeKey(key, false);
  pump();
}

void toggleStep(const Args& a) {
  Widget w = lookUp(a[0]);
  if ((XmToggleButtonGetState(w) != 0) != (number(a[1]) != 0)) clickWidget(w);
}

void rowStep(const Args& a) {
  Widget list = lookUp(a[0]);
  int position = number(a[1]);
  Position x = 0, y = 0;
  Dimension width = 0, height = 0;
  XmListSetBottomPos(list, position);
  pump();
  if (!XmListPosToBounds(list, position, &x, &y, &width, &height)) fail("no row " + a[1]);
  int rx = 0, ry = 0;
  Window child;
  XTranslateCoordinates(XtDisplay(list), XtWindow(list), DefaultRootWindow(XtDisplay(list)), x + 10,
                        y + height / 2, &rx, &ry, &child);
  clickAt(rx, ry, a.size() > 2 && a[2] == "double" ? 2 : 1);
}

void pickStep(const Args& a) {
  Widget w = lookUp(a[0]);
  Widget menu = w;
  if (isOptionMenu(w)) XtVaGetValues(w, XmNsubMenuId, &menu, nullptr);
  if (XmIsList(w)) {
    std::string items = textOf(w) + "\n";
    int position = 1;
    for (size_t start = 0, end; (end = items.find('\n', start)) != std::string::npos; start = end + 1, ++position) {
      std::string item = items.substr(start, end - start);
      item.erase(item.find_last_not_of(' ') + 1);
      if (item == a[1]) return rowStep({a[0], std::to_string(position)});
    }
    fail("no item " + a[1]);
  }
  WidgetList children = nullptr;
  Cardinal count = 0;
  XtVaGetValues(menu, XmNchildren, &children, XmNnumChildren, &count, nullptr);
  for (Cardinal i = 0; i < count; ++i) {
    if (labelOf(children[i]) == a[1]) return clickEntry(children[i]);
  }
  fail("no entry " + a[1]);
}

void closeStep(const Args& a) {
  Widget shell = lookUp(a[0]);
  while (shell && !XtIsShell(shell)) shell = XtParent(shell);
  Display* dpy = XtDisplay(shell);
  XEvent e{};
  e.xclient.type = ClientMessage;
  e.xclient.window = XtWindow(shell);
  e.xclient.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
  e.xclient.format = 32;
  e.xclient.data.l[0] = static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False));
  e.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, XtWindow(shell), False, NoEventMask, &e);
  pump();
}

void printLine(const std::string& text) {
  std::fputs((text + "\n").c_str(), stdout);
  std::fflush(stdout);
}

// Copies a file (to compare it later); prints its mode and group, or "missing".
void copyStep(const Args& a) {
  struct stat st;
  std::ifstream in(a[0], std::ios::binary);
  if (stat(a[0].c_str(), &st) != 0 || !in) return printLine("missing");
  std::ofstream(a[1], std::ios::binary) << in.rdbuf();
  const group* g = getgrgid(st.st_gid);
  char mode[8];
  std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(st.st_mode & 07777));
  printLine(std::string(mode) + " " + (g ? g->gr_name : "?"));
}

void whereStep(const Args& a) {
  Widget w = lookUp(a[0]);
  int mx = 0, my = 0, x = 0, y = 0;
  Window child;
  XTranslateCoordinates(XtDisplay(w), XtWindow(mainWidgets().mainShell), DefaultRootWindow(XtDisplay(w)), 0, 0,
                        &mx, &my, &child);
  if (Widget poster = posterOf(w)) {
    if (!x11core::widgetCentre(poster, &x, &y)) fail("not on the screen");
    printLine(a[0] + " " + std::to_string(x - mx) + " " + std::to_string(y - my));
    clickEntry(poster);
  }
  if (!x11core::widgetCentre(w, &x, &y)) fail("not on the screen");
  printLine(a[0] + " " + std::to_string(x - mx) + " " + std::to_string(y - my));
  if (posterOf(w)) {
    x11core::fakeKey(XStringToKeysym("Escape"), true);
    x11core::fakeKey(XStringToKeysym("Escape"), false);
    pump();
  }
}

void answerStep(const Args& a) {
  bool ok = a[0] == "ok";
  if (a[0] != "ok" && a[0] != "quit") fail("answer ok or quit");
  const MainWidgets& m = mainWidgets();
  if (messagePageMemory().pendingAnswer) return clickWidget(ok ? m.okButton : m.quitButton);
  Widget box = XtNameToWidget(m.appShell, "*qorQuestionBox");
  if (box && XtIsManaged(box)) {
    clickWidget(XmMessageBoxGetChild(box, ok ? XmDIALOG_OK_BUTTON : XmDIALOG_CANCEL_BUTTON));
  }
}

// Help W [more]: Help clicked, then W picked with a real click while the
// pick waits in its own loop. Motif's pick reads the X events itself and
// runs no timers, so the click comes from a second connection whose XTest
// events the server holds back until the pick waits for them. Prints the
// dialog's lines, "more: yes|no", with "more" the first line of the topic
// More Help shows; every dialog is closed with its OK.
void helpStep(const Args& a) {
  int x = 0, y = 0;
  if (!x11core::widgetCentre(lookUp(a[0]), &x, &y)) fail(a[0] + " is not on the screen");
  static Display* side = XOpenDisplay(DisplayString(x11core::display()));
  if (!side) fail("no second connection to the display");
  XTestFakeMotionEvent(side, DefaultScreen(side), x, y, 600);
  XTestFakeButtonEvent(side, 1, True, 50);
  XTestFakeButtonEvent(side, 1, False, 50);
  XFlush(side);
  clickWidget(mainWidgets().helpButton);
  x11core::pumpUntil([] { return lastHelpDialog() && viewable(XtParent(lastHelpDialog())); }, 3000);
  Widget dialog = lastHelpDialog();
  if (!dialog) fail("no help dialog");
  printLine(textOf(dialog));
  Widget more = XmMessageBoxGetChild(dialog, XmDIALOG_HELP_BUTTON);
  printLine(std::string("more: ") + (XtIsManaged(more) ? "yes" : "no"));
  if (a.size() > 1 && XtIsManaged(more)) {
    clickWidget(more);
    x11core::pumpUntil([dialog] { return lastHelpDialog() != dialog && lastHelpDialog(); }, 3000);
    Widget next = lastHelpDialog();
    if (!next || next == dialog) fail("More Help showed nothing");
    std::string text = textOf(next);
    printLine(text.substr(0, text.find('\n')));
    clickWidget(XmMessageBoxGetChild(next, XmDIALOG_OK_BUTTON));
  }
  clickWidget(XmMessageBoxGetChild(dialog, XmDIALOG_OK_BUTTON));
  if (lastHelpDialog() == dialog) fail("OK left the help dialog");
}

// lookup W...: the page look-ups asked directly, without the pick's areas:
// on one line, per widget the place of the topic that claims it, else "-".
void lookupStep(const Args& a) {
  const PageHooks& h = pageHooks();
  const PageHooks::HelpLookup lookups[] = {mainWindowHelp,  h.queuePageHelp, h.advancedPageHelp, h.connectPageHelp,
                                           h.lpdFormHelp,   h.tcpFormHelp,   h.localFormHelp,    h.fileFormHelp,
                                           h.modelPagesHelp, h.extraPaneHelp, usbPageHelp,       ippFormHelp};
  std::string names = a[0] + " ", out;
  for (size_t start = 0, end; (end = names.find(' ', start)) != std::string::npos; start = end + 1) {
    if (end == start) continue;
    Widget w = lookUp(names.substr(start, end - start));
    std::string found = "-";
    for (PageHooks::HelpLookup l : lookups) {
      if (!l || !l(w)) continue;
      found = std::to_string(lastHelpTopic());
      if (lastHelpDialog()) XtDestroyWidget(XtParent(lastHelpDialog()));
      break;
    }
    out += (out.empty() ? "" : " ") + found;
  }
  pump();
  printLine(out);
}

// topics: per topic of the table its title, the number of its text lines
// and the title it continues into ("-" for none), tab-separated.
void topicsStep(const Args&) {
  for (int t = 0; t < kHelpTopicCount; ++t) {
    int more = helpContinuation(t);
    printLine(std::string(helpTopicTitle(t)) + "\t" + std::to_string(helpTopicLines(t).size() - 2) + "\t" +
              (more >= 0 ? helpTopicTitle(more) : "-"));
  }
}

void callStep(const Args& a) {
  int result = 0;
  if (a[0] == "setQueueName") {
    setQueueName(a.size() > 1 ? a[1].c_str() : nullptr, 1);
    pump();
    return;
  }
  if (callOptionFunction(a[0], a.size() > 1 ? a[1] : std::string(), &result)) {
    pump();
    return printLine(std::to_string(result));
  }
  int arg = a.size() > 1 ? number(a[1]) : 0;
  if (a[0] == "ManageMainForm") ManageMainForm(arg);
  else if (a[0] == "getSetupInfo") result = getSetupInfo();
  else if (a[0] == "applyQueueSetup") applyQueueSetup(arg);
  else if (a[0] == "goThroughPanel") result = goThroughPanel(arg);
  else if (a[0] == "loadUserList") result = loadUserList(advancedPageWidgets().userList, std::string(), true);
  else if (a[0] == "setAdvOptMode") setAdvOptMode(arg);
  else if (a[0] == "applyUserEntry") applyUserEntry(arg);
  else if (a[0] == "loadCupsOptions") loadCupsOptions(arg);
  else if (a[0] == "resetCupsOptions") resetCupsOptions();
  else if (a[0] == "createInfoDialog") setLogoShown(arg != 0), createInfoDialog(mainWidgets().appShell);
  else fail("no function " + a[0]);
  pump();
  printLine(std::to_string(result));
}

// --- Geometry at the start-up size. `inside PAGE` prints "ok" when every
// managed widget of the page lies inside its parent (a scrolled window's
// work area may pass its clip window: it scrolls), the page and its
// containers inside the window, and no label or button is narrower or lower
// than its text; else the names of the widgets that are not. `rows LIST`
// prints how many rows of a list show: its height left by its ancestors
// over the height of its first row ("rows LIST N": "ok" when N or more).
struct Box {
  int x = 0, y = 0, width = 0, height = 0;
};

Box boxOf(Widget w) {
  Position x = 0, y = 0;
  Dimension width = 0, height = 0, border = 0;
  XtVaGetValues(w, XmNx, &x, XmNy, &y, XmNwidth, &width, XmNheight, &height, XmNborderWidth, &border, nullptr);
  return {x, y, width + 2 * border, height + 2 * border};
}

bool fits(Widget w, Widget parent) {
  Box b = boxOf(w), p = boxOf(parent);
  return b.x >= 0 && b.y >= 0 && b.x + b.width <= p.width && b.y + b.height <= p.height;
}

void outsideWidgets(Widget parent, std::vector<std::string>* bad) {
  if (!XtIsComposite(parent)) return;
  Widget clip = nullptr;
  if (XmIsScrolledWindow(parent)) XtVaGetValues(parent, XmNclipWindow, &clip, nullptr);
  WidgetList children = nullptr;
  Cardinal count = 0;
  XtVaGetValues(parent, XmNchildren, &children, XmNnumChildren, &count, nullptr);
  bool scrolls = XtParent(parent) && XmIsScrolledWindow(XtParent(parent)) && [parent] {
    Widget c = nullptr;
    XtVaGetValues(XtParent(parent), XmNclipWindow, &c, nullptr);
    return c == parent;
  }();
  for (Cardinal i = 0; i < count; ++i) {
    Widget w = children[i];
    if (!XtIsManaged(w)) continue;
    // A scrolled window keeps the scroll bar it does not need out of sight.
    bool hiddenBar = XmIsScrolledWindow(parent) && XmIsScrollBar(w);
    if (!scrolls && !hiddenBar && !fits(w, parent)) bad->push_back(XtName(w));
    XtWidgetGeometry wish{};
    Box b = boxOf(w);
    if ((XmIsLabel(w) || XmIsLabelGadget(w)) && XtQueryGeometry(w, nullptr, &wish) != XtGeometryNo &&
        (wish.width > b.width || wish.height > b.height))
      bad->push_back(std::string(XtName(w)) + "(clipped)");
    outsideWidgets(w, bad);
  }
}

void insideStep(const Args& a) {
  Widget page = lookUp(a[0]);
  std::vector<std::string> bad;
  for (Widget w = page; w != mainWidgets().form && XtParent(w); w = XtParent(w)) {
    if (!fits(w, XtParent(w))) bad.push_back(XtName(w));
  }
  outsideWidgets(page, &bad);
  std::string out;
  for (const std::string& name : bad) out += (out.empty() ? "" : " ") + name;
  printLine(out.empty() ? "ok" : out);
}

void rowsStep(const Args& a) {
  Widget list = lookUp(a[0]);
  Position x = 0, y = 0;
  Dimension width = 0, height = 0;
  if (!XmListPosToBounds(list, 1, &x, &y, &width, &height) || height == 0) fail(a[0] + " has no row");
  Position top = 0, bottom = 0, at = 0, unused = 0;
  XtTranslateCoords(list, 0, 0, &unused, &top);
  bottom = static_cast<Position>(top + boxOf(list).height);
  for (Widget p = XtParent(list); p && !XtIsShell(p); p = XtParent(p)) {
    XtTranslateCoords(p, 0, 0, &unused, &at);
    top = std::max(top, at);
    bottom = std::min(bottom, static_cast<Position>(at + boxOf(p).height));
  }
  int rows = bottom > top ? (bottom - top) / height : 0;
  printLine(a.size() > 1 && rows >= number(a[1]) ? "ok" : std::to_string(rows));
}

void runLine(const std::string& line);

// Runs a step and prints its wall time in microseconds after its output.
void timedStep(const Args& a) {
  auto start = std::chrono::steady_clock::now();
  runLine(a[0]);
  pump();
  auto us = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start);
  printLine(std::to_string(us.count()));
}

struct Step {
  const char* name;
  size_t minArgs, maxArgs;
  void (*run)(const Args&);
};

const Step kSteps[] = {
    {"click", 1, 1, [](const Args& a) { clickEntry(lookUp(a[0])); }},
    {"type", 1, 2, typeStep},
    {"key", 2, 2, keyStep},
    {"toggle", 2, 2, toggleStep},
    {"row", 2, 3, rowStep},
    {"pick", 2, 2, pickStep},
    {"close", 1, 1, closeStep},
    {"get", 1, 1, [](const Args& a) { printLine(getDriveField(a[0])); }},
    {"set", 2, 2, [](const Args& a) {
       if (a[0] == "ppdSearchDir") ppdSearchDir() = a[1];
       else if (a[0] == "modelName") setTextValue(lookUp("ppdFnameTxt"), a[1]);
       else if (a[0] == "fsRoot") setFsRoot(a[1]);
       else if (!setDriveField(a[0], a[1])) fail("no field " + a[0]);
       pump();
     }},
    {"call", 1, 2, callStep},
    {"text", 1, 1, [](const Args& a) { printLine(textOf(lookUp(a[0]))); }},
    {"title", 1, 1, [](const Args& a) {
       Widget s = lookUp(a[0]);
       while (s && !XtIsShell(s)) s = XtParent(s);
       char* title = nullptr;
       XtVaGetValues(s, XmNtitle, &title, nullptr);
       printLine(title ? title : "");
     }},
    {"sensitive", 1, 1, [](const Args& a) { printLine(XtIsSensitive(lookUp(a[0])) ? "1" : "0"); }},
    {"shown", 1, 1, [](const Args& a) {
       Widget w = lookUp(a[0]);
       bool on = XtIsManaged(w);
       for (Widget p = XtParent(w); on && p && !XtIsShell(p); p = XtParent(p)) on = XtIsManaged(p);
       printLine(on ? "1" : "0");
     }},
    {"say", 0, 1, [](const Args& a) { printLine(a.empty() ? "" : a[0]); }},
    {"wait", 1, 1, [](const Args& a) { x11core::pumpFor(number(a[0])); }},
    {"where", 1, 1, whereStep},
    {"answer", 1, 1, answerStep},
    {"counter", 2, 2, counterStep},
    {"copy", 2, 2, copyStep},
    {"usb-ids", 1, 1, [](const Args& a) { if (!useCannedUsbIds(a[0])) fail("cannot read " + a[0]); }},
    {"create", 0, 0, [](const Args&) { printLine(std::to_string(createFromPages())); }},
    {"help", 1, 2, helpStep},
    {"lookup", 1, 1, lookupStep},
    {"topics", 0, 0, topicsStep},
    // notice: the message's code and lines, then the message dropped with Quit.
    {"notice", 0, 0, [](const Args&) {
       printLine(std::to_string(setup().messageCode) + " " + textOf(lookUp("msgText")));
       clickWidget(mainWidgets().quitButton);
     }},
    {"choose", 2, 2, [](const Args& a) {
       Widget w = choiceOnScreen(a[0], a[1]);
       if (!w) fail("no choice " + a[0] + " " + a[1]);
       clickEntry(w);
     }},
    {"post", 1, 1, [](const Args& a) {
       Widget menu = optionMenuOnScreen(a[0]);
       if (!menu) fail("no option " + a[0]);
       clickWidget(XmOptionButtonGadget(menu));
     }},
    {"scroll", 1, 1, [](const Args& a) { if (!scrollIntoView(lookUp(a[0]))) fail("not in a scrolled window"); }},
    {"timed", 1, 1, timedStep},
    {"options", 0, 0, [](const Args&) { for (const std::string& line : optionLines()) printLine(line); }},
    {"inside", 1, 1, insideStep},
    {"rows", 1, 2, rowsStep},
    {"shot", 1, 1, [](const Args& a) { if (!writeScreenshot(a[0])) fail("no screenshot " + a[0]); }},
    // fill W VALUE: a text field or counter given its value without X input
    // (callbacks run as for a paste), for drivers that run side by side.
    {"fill", 1, 2, [](const Args& a) {
       Widget w = lookUp(a[0]);
       std::string value = a.size() > 1 ? a[1] : std::string();
       if (XmIsTextField(w)) XmTextFieldSetString(w, const_cast<char*>(value.c_str()));
       else XwCounterSetValue(w, number(value));
       pump();
     }},
};

// The words of a line: the step, then at most maxArgs arguments, the last
// taking the rest of the line.
Args splitWords(const std::string& line, size_t maxArgs) {
  Args words;
  size_t pos = line.find_first_not_of(' ');
  while (pos != std::string::npos) {
    if (words.size() == maxArgs) {
      words.push_back(line.substr(pos));
      break;
    }
    size_t end = line.find(' ', pos);
    words.push_back(line.substr(pos, end == std::string::npos ? std::string::npos : end - pos));
    pos = end == std::string::npos ? end : line.find_first_not_of(' ', end);
  }
  return words;
}

void runLine(const std::string& line) {
  Args head = splitWords(line, 1);
  if (head.empty() || head[0][0] == '#') return;
  for (const Step& s : kSteps) {
    if (head[0] != s.name) continue;
    Args args = head.size() > 1 ? splitWords(head[1], s.maxArgs - (s.maxArgs > 0 ? 1 : 0)) : Args();
    if (args.size() < s.minArgs || args.size() > s.maxArgs) fail("wrong arguments for " + head[0]);
    s.run(args);
    return;
  }
  fail("no step " + head[0]);
}

void finish(int status) {
  std::fflush(stdout);
  std::fflush(stderr);
  _exit(status);
}

void readInput() {
  char chunk[4096];
  for (;;) {
    ssize_t n = read(0, chunk, sizeof chunk);
    if (n > 0) inputBuffer.append(chunk, static_cast<size_t>(n));
    if (n == 0) inputEnded = true;
    if (n <= 0) return;
  }
}

// A step runs the next ones only while it waits in one of the program's
// own event loops (a question, the help pick, a modal box): not while the
// driver itself pumps for it.
int stepsUnderWay = 0;
constexpr long kBlockedMs = 150;

void tick(XtPointer, XtIntervalId*) {
  XtAppAddTimeOut(x11core::app(), 20, tick, nullptr);
  if (stepsUnderWay > 0 && x11core::msInsideDispatch() < kBlockedMs) return;
  if (!queuedInput.empty()) {
    if (queuedInput.front()()) queuedInput.erase(queuedInput.begin());
    return;
  }
  readInput();
  while (queuedInput.empty()) {
    size_t lf = inputBuffer.find('\n');
    if (lf == std::string::npos && !(inputEnded && !inputBuffer.empty())) break;
    std::string line = inputBuffer.substr(0, lf);
    inputBuffer.erase(0, lf == std::string::npos ? inputBuffer.size() : lf + 1);
    int number = ++lineNumber;
    try {
      ++stepsUnderWay;
      runLine(line);
      --stepsUnderWay;
    } catch (const DriveFailure& f) {
      std::fprintf(stderr, "jarn-drive: line %d: %s\n", number, f.why.c_str());
      finish(2);
    }
  }
  if (inputEnded && queuedInput.empty() && inputBuffer.empty()) {
    pump();
    finish(0);
  }
}

void startDriving(XtAppContext app) {
  x11core::setContext(XtDisplay(mainWidgets().mainShell), app);
  fcntl(0, F_SETFL, fcntl(0, F_GETFL) | O_NONBLOCK);
  x11core::pumpUntil([] { return XtIsRealized(mainWidgets().form) != 0; }, 5000);
  XtAppAddTimeOut(app, 20, tick, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  static char name[] = "Jarn.exe";
  args[0] = name;
  setAfterPopupHook(startDriving);
  return jarnMain(argc, args.data());
}
