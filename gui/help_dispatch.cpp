// Context help's pick and dispatch (see help_dispatch.h).
#include "help_dispatch.h"

#include <Xm/BulletinB.h>
#include <Xm/Frame.h>
#include <Xm/Xm.h>

#include <vector>

#include "dialog_shells.h"
#include "help_topics.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "screen_values.h"

namespace {

// The question arrow in black on white, whatever the pointer's colours were.
void recolourQuestionCursor(Display* dpy) {
  Cursor cursor = screenValues().questionCursor;
  if (!cursor) return;
  Colormap map = DefaultColormap(dpy, DefaultScreen(dpy));
  XColor fg{}, bg{};
  if (XParseColor(dpy, map, "black", &fg) && XParseColor(dpy, map, "white", &bg)) XRecolorCursor(dpy, cursor, &fg, &bg);
}

// The widgets a pick is asked for, innermost first: the picked one, then its
// parents up to (not including) the form, frame or bulletin board it lies
// in. A gadget or text field that an option menu, a counter or a scrolled
// window is built of is so asked for as that control.
std::vector<Widget> pickCandidates(Widget picked) {
  std::vector<Widget> out;
  for (Widget w = picked; w; w = XtParent(w)) {
    out.push_back(w);
    Widget up = XtParent(w);
    if (!up || XtIsShell(up) || XtIsSubclass(up, xmBulletinBoardWidgetClass) || XtIsSubclass(up, xmFrameWidgetClass))
      break;
  }
  return out;
}

}  // namespace

bool getWidgetGeometry(Widget w, int* rootX, int* rootY, int* width, int* height) {
  if (!w) return false;
  Widget holder = XtIsWidget(w) ? w : XtParent(w);
  if (!holder || !XtIsRealized(holder)) return false;
  Position x = 0, y = 0;
  Dimension wd = 0, ht = 0;
  XtVaGetValues(w, XmNx, &x, XmNy, &y, XmNwidth, &wd, XmNheight, &ht, nullptr);
  int dx = XtIsWidget(w) ? 0 : x, dy = XtIsWidget(w) ? 0 : y;
  Window child;
  Display* dpy = XtDisplay(holder);
  XTranslateCoordinates(dpy, XtWindow(holder), DefaultRootWindow(dpy), dx, dy, rootX, rootY, &child);
  *width = wd;
  *height = ht;
  return true;
}

bool isCentreInWidget(Widget picked, Widget area) {
  if (!picked || !area || !XtIsManaged(area) || !isWidgetViewable(area)) return false;
  int px = 0, py = 0, pw = 0, ph = 0, ax = 0, ay = 0, aw = 0, ah = 0;
  if (!getWidgetGeometry(picked, &px, &py, &pw, &ph) || !getWidgetGeometry(area, &ax, &ay, &aw, &ah)) return false;
  int cx = px + pw / 2, cy = py + ph / 2;
  return cx >= ax && cx <= ax + aw && cy >= ay && cy <= ay + ah;
}

bool mainWindowHelp(Widget picked) {
  MainWidgets& m = mainWidgets();
  const std::vector<HelpRow> rows = {
      {&m.form, kHelpMainPanel},
      {&m.queueList, kHelpQueuesMenu},
      {&m.queueListWindow, kHelpQueuesMenu},
      {&m.queueNameLabel, kHelpQueuesMenu},
      {&m.pages[kSlotQueue], kHelpQueueNamePage},
      {&m.pages[kSlotConnect], kHelpPortPage},
      {&m.pages[kSlotModel], kHelpModelPage},
      {&m.pages[kSlotOptions], kHelpDeviceConfiguration},
      {&m.pages[kSlotAdvanced], kHelpAdvancedPages},
      {&m.pages[kSlotMessage], kHelpMessagesPage},
      {&m.indexThumb, kHelpRowOfTabs},
      {&m.okButton, kHelpOk},
      {&m.okLabel, kHelpOk},
      {&m.helpButton, kHelpHelpButton},
      {&m.helpLabel, kHelpHelpButton},
      {&m.quitButton, kHelpQuit},
      {&m.quitLabel, kHelpQuit},
      {&m.menuBar, kHelpMainMenu},
      {&m.fileMenu, kHelpFileMenu},
      {&m.editMenu, kHelpEdition},
      {&m.optionsMenu, kHelpOptions},
      {&m.aboutMenu, kHelpAbout},
      {&m.container, kHelpWorkingPanel},
      {&m.formBase, kHelpWorkingPanel},
  };
  return showHelpFor(rows, picked);
}

void dispatchHelp(Widget picked) {
  const MainWidgets& m = mainWidgets();
  const PageHooks& h = pageHooks();
  struct Ask {
    PageHooks::HelpLookup lookup;
    Widget area;
  };
  // The connection page's five look-ups come in the order its forms are built.
  const Ask order[] = {
      {mainWindowHelp, m.form},          {h.queuePageHelp, m.pages[kSlotQueue]},
      {h.advancedPageHelp, m.pages[kSlotAdvanced]},
      {h.connectPageHelp, m.form},       {h.lpdFormHelp, m.form},
      {h.tcpFormHelp, m.form},           {h.localFormHelp, m.form},
      {h.fileFormHelp, m.form},          {h.modelPagesHelp, m.form},
      {h.extraPaneHelp, m.form},
  };
  for (Widget w : pickCandidates(picked)) {
    for (const Ask& a : order) {
      if (a.lookup && isCentreInWidget(w, a.area) && a.lookup(w)) return;
    }
  }
  showHelpMessage(kHelpDefault);
}

void helpMode() {
  MainWidgets& m = mainWidgets();
  if (!m.form) return;
  ringBell(2);
  flushDisplay(m.form);
  recolourQuestionCursor(XtDisplay(m.form));
  Widget picked = XmTrackingLocate(m.form, screenValues().questionCursor, False);
  dispatchHelp(picked);
}
