// The X test harness (see x11_harness.h).
#include "x11_harness.h"

#include "x11_core.h"

#include <X11/StringDefs.h>
#include <X11/XKBlib.h>
#include <X11/Shell.h>
#include <X11/extensions/XTest.h>
#include <Xm/Xm.h>

#include <cstdio>

namespace x11test {

const char kTestAppClass[] = "JarnTest";

namespace {

Display* theDisplay = nullptr;
XtAppContext theApp = nullptr;
int xErrors = 0;
int captureDepth = 0;
std::vector<Warning> captured;

// Fills the %s of an Xt message with its parameters.
std::string fillIn(const char* message, String* params, Cardinal count) {
  std::string text;
  Cardinal used = 0;
  for (const char* p = message ? message : ""; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      if (used < count && params[used]) text += params[used];
      ++used;
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

void record(const char* name, const char* type, const char* className, const std::string& text) {
  if (captureDepth > 0) {
    captured.push_back(Warning{name ? name : "", type ? type : "", className ? className : "", text});
  } else {
    std::fprintf(stderr, "Xt warning: %s\n", text.c_str());
  }
}

void warningMessage(String name, String type, String className, String message, String* params,
                    Cardinal* count) {
  record(name, type, className, fillIn(message, params, count ? *count : 0));
}

void plainWarning(String message) { record("", "", "", message ? message : ""); }

int xError(Display* dpy, XErrorEvent* error) {
  char text[256];
  XGetErrorText(dpy, error->error_code, text, sizeof text);
  std::fprintf(stderr, "X error: %s (request %d.%d)\n", text, error->request_code,
               error->minor_code);
  ++xErrors;
  return 0;
}

void fakeKey(KeySym key, Bool down) {
  if (!x11core::fakeKey(key, down != False)) ADD_FAILURE() << "no key for keysym " << key;
}

}  // namespace

Display* display() { return theDisplay; }
XtAppContext app() { return theApp; }

void X11Environment::SetUp() {
  XtToolkitInitialize();
  theApp = XtCreateApplicationContext();
  XtAppSetWarningMsgHandler(theApp, warningMessage);
  XtAppSetWarningHandler(theApp, plainWarning);
  int argc = 0;
  theDisplay = XtOpenDisplay(theApp, nullptr, "jarnTest", kTestAppClass, nullptr, 0, &argc, nullptr);
  ASSERT_NE(theDisplay, nullptr) << "cannot open the display: run under tests/x11/with-xvfb.sh";
  x11core::setContext(theDisplay, theApp);
  XSetErrorHandler(xError);
  int event, error, major, minor;
  ASSERT_TRUE(XTestQueryExtension(theDisplay, &event, &error, &major, &minor))
      << "the X server has no XTest extension";
}

void X11Environment::TearDown() {
  if (theApp) XtDestroyApplicationContext(theApp);  // closes the display too
  theApp = nullptr;
  theDisplay = nullptr;
}

TestShell::TestShell(const char* name, int x, int y) {
  Arg args[4];
  Cardinal n = 0;
  XtSetArg(args[n], XmNx, x), ++n;
  XtSetArg(args[n], XmNy, y), ++n;
  XtSetArg(args[n], XmNallowShellResize, True), ++n;
  shell_ = XtAppCreateShell(name, kTestAppClass, topLevelShellWidgetClass, theDisplay, args, n);
}

TestShell::~TestShell() { destroy(); }

void TestShell::show() {
  XtRealizeWidget(shell_);
  XtMapWidget(shell_);
  EXPECT_TRUE(waitUntilViewable(shell_));
  pumpUntilIdle();
}

void TestShell::destroy() {
  if (!shell_) return;
  XtDestroyWidget(shell_);
  shell_ = nullptr;
  pumpUntilIdle();
}

void pumpUntilIdle() { x11core::pumpUntilIdle(); }

void pumpFor(int milliseconds) { x11core::pumpFor(milliseconds); }

bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds) {
  return x11core::pumpUntil(condition, timeoutMilliseconds);
}

bool isViewable(Widget w) {
  if (!w || !XtIsRealized(w)) return false;
  XWindowAttributes attributes;
  return XGetWindowAttributes(theDisplay, XtWindow(w), &attributes) &&
         attributes.map_state == IsViewable;
}

bool waitUntilViewable(Widget w, int timeoutMilliseconds) {
  return pumpUntil([w] { return isViewable(w); }, timeoutMilliseconds);
}

Widget findWidget(Widget root, const char* names) {
  Widget w = XtNameToWidget(root, names);
  if (!w) ADD_FAILURE() << "no widget " << names << " under " << XtName(root);
  return w;
}

void rootPosition(Widget w, int* x, int* y) {
  Window child;
  XTranslateCoordinates(theDisplay, XtWindow(w), DefaultRootWindow(theDisplay), 0, 0, x, y, &child);
}

void movePointer(Widget w, int x, int y) {
  int rx, ry;
  rootPosition(w, &rx, &ry);
  movePointerTo(rx + x, ry + y);
}

void movePointerTo(int rootX, int rootY) {
  XTestFakeMotionEvent(theDisplay, DefaultScreen(theDisplay), rootX, rootY, CurrentTime);
  XFlush(theDisplay);
  pumpUntilIdle();
}

void pressButton(Widget w, int x, int y, unsigned button) {
  movePointer(w, x, y);
  XTestFakeButtonEvent(theDisplay, button, True, CurrentTime);
  XFlush(theDisplay);
  pumpUntilIdle();
}

void releaseButton(unsigned button) {
  XTestFakeButtonEvent(theDisplay, button, False, CurrentTime);
  XFlush(theDisplay);
  pumpUntilIdle();
}

void click(Widget w, int x, int y, unsigned button) {
  pressButton(w, x, y, button);
  releaseButton(button);
}

void pressKey(KeySym key) {
  fakeKey(key, True);
  pumpUntilIdle();
}

void releaseKey(KeySym key) {
  fakeKey(key, False);
  pumpUntilIdle();
}

void tapKey(KeySym key) {
  pressKey(key);
  releaseKey(key);
}

void typeText(const std::string& text) {
  for (char ch : text) {
    if (!x11core::fakeCharacter(ch)) ADD_FAILURE() << "no key for " << ch;
  }
}

void focusOn(Widget w) {
  Widget shell = w;
  while (shell && !XtIsShell(shell)) shell = XtParent(shell);
  if (!shell) {
    ADD_FAILURE() << "no shell above " << XtName(w);
    return;
  }
  XSetInputFocus(theDisplay, XtWindow(shell), RevertToPointerRoot, CurrentTime);
  pumpUntilIdle();
  XmProcessTraversal(w, XmTRAVERSE_CURRENT);
  pumpUntilIdle();
}

unsigned long pixelAt(Widget w, int x, int y) {
  XImage* image = XGetImage(theDisplay, XtWindow(w), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) {
    ADD_FAILURE() << "cannot read pixel " << x << "," << y << " of " << XtName(w);
    return 0;
  }
  unsigned long pixel = XGetPixel(image, 0, 0);
  XDestroyImage(image);
  return pixel;
}

unsigned long namedPixel(const char* colour) {
  int screen = DefaultScreen(theDisplay);
  XColor exact, shown;
  if (!XAllocNamedColor(theDisplay, DefaultColormap(theDisplay, screen), colour, &shown, &exact)) {
    ADD_FAILURE() << "no colour " << colour;
    return 0;
  }
  return shown.pixel;
}

WarningCapture::WarningCapture() {
  if (captureDepth++ == 0) captured.clear();
}

WarningCapture::~WarningCapture() { --captureDepth; }

const std::vector<Warning>& WarningCapture::warnings() const { return captured; }

bool WarningCapture::contains(const std::string& text) const {
  for (const Warning& w : captured)
    if (w.text.find(text) != std::string::npos) return true;
  return false;
}

int xErrorCount() { return xErrors; }

}  // namespace x11test
