// Framework-free X helpers (see x11_core.h).
#include "x11_core.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <Xm/Xm.h>

#include <chrono>
#include <thread>
#include <vector>

namespace x11core {

namespace {

Display* theDisplay = nullptr;
XtAppContext theApp = nullptr;
std::vector<long> dispatchStarts;  // start times of the dispatches under way

long nowMs() {
  using namespace std::chrono;
  return static_cast<long>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

void setContext(Display* d, XtAppContext a) {
  theDisplay = d;
  theApp = a;
}

Display* display() { return theDisplay; }
XtAppContext app() { return theApp; }

bool processPending() {
  XtInputMask mask = XtAppPending(theApp);
  if (!mask) return false;
  dispatchStarts.push_back(nowMs());
  XtAppProcessEvent(theApp, mask);
  dispatchStarts.pop_back();
  return true;
}

long msInsideDispatch() { return dispatchStarts.empty() ? -1 : nowMs() - dispatchStarts.back(); }

void pumpUntilIdle() {
  for (int round = 0; round < 1000; ++round) {
    XSync(theDisplay, False);
    bool any = false;
    while (processPending()) any = true;
    if (!any) return;
  }
}

void pumpFor(int milliseconds) {
  long end = nowMs() + milliseconds;
  while (nowMs() < end) {
    XFlush(theDisplay);
    if (!processPending()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  pumpUntilIdle();
}

bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
  long end = nowMs() + timeoutMilliseconds;
  for (;;) {
    pumpUntilIdle();
    if (condition()) return true;
    if (nowMs() >= end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

bool widgetCentre(Widget w, int* rootX, int* rootY) {
  bool gadget = !XtIsWidget(w);
  Widget holder = gadget ? XtParent(w) : w;
  if (!XtIsRealized(holder)) return false;
  Dimension width = 0, height = 0;
  Position left = 0, top = 0;
  XtVaGetValues(w, XmNwidth, &width, XmNheight, &height, XmNx, &left, XmNy, &top, nullptr);
  int dx = gadget ? left : 0, dy = gadget ? top : 0;
  Window child;
  XTranslateCoordinates(theDisplay, XtWindow(holder), DefaultRootWindow(theDisplay), dx + width / 2,
                        dy + height / 2, rootX, rootY, &child);
  return true;
}

bool fakeClickAt(int rootX, int rootY, int clicks) {
  XTestFakeMotionEvent(theDisplay, DefaultScreen(theDisplay), rootX, rootY, CurrentTime);
  for (int i = 0; i < clicks; ++i) {
    XTestFakeButtonEvent(theDisplay, 1, True, CurrentTime);
    XTestFakeButtonEvent(theDisplay, 1, False, CurrentTime);
  }
  XFlush(theDisplay);
  return true;
}

void fakeMotion(int rootX, int rootY) {
  XTestFakeMotionEvent(theDisplay, DefaultScreen(theDisplay), rootX, rootY, CurrentTime);
  XFlush(theDisplay);
}

void fakeButton(bool down) {
  XTestFakeButtonEvent(theDisplay, 1, down ? True : False, CurrentTime);
  XFlush(theDisplay);
}

bool fakeKey(KeySym key, bool down) {
  KeyCode code = XKeysymToKeycode(theDisplay, key);
  if (code == 0) return false;
  XTestFakeKeyEvent(theDisplay, code, down ? True : False, CurrentTime);
  XFlush(theDisplay);
  return true;
}

bool fakeCharacter(char ch) {
  const KeySym shift = XStringToKeysym("Shift_L");
  // Printable Latin-1 characters are their own keysyms.
  KeySym key = static_cast<unsigned char>(ch);
  if (ch == '\n') key = XStringToKeysym("Return");
  KeyCode code = XKeysymToKeycode(theDisplay, key);
  if (code == 0) return false;
  bool shifted = XkbKeycodeToKeysym(theDisplay, code, 0, 0) != key;
  if (shifted) fakeKey(shift, true);
  fakeKey(key, true);
  pumpUntilIdle();
  fakeKey(key, false);
  if (shifted) fakeKey(shift, false);
  pumpUntilIdle();
  return true;
}

void focusOn(Widget w) {
  Widget shell = w;
  while (shell && !XtIsShell(shell)) shell = XtParent(shell);
  if (!shell) return;
  XSetInputFocus(theDisplay, XtWindow(shell), RevertToPointerRoot, CurrentTime);
  pumpUntilIdle();
  XmProcessTraversal(w, XmTRAVERSE_CURRENT);
  pumpUntilIdle();
}

}  // namespace x11core
