// The X test harness for in-process widget and screen tests: one display
// and application context opened by a GoogleTest environment, a top-level
// shell per test, event pumping, widget look-up, real key and button input
// through XTest (so that the widgets' own translations and callbacks run),
// pixel reads and a record of the toolkit's warnings.
//
// Run the test programs under tests/x11/with-xvfb.sh, which gives each one
// a private Xvfb server.
#pragma once

#include <gtest/gtest.h>

#include <X11/Intrinsic.h>

#include <functional>
#include <string>
#include <vector>

namespace x11test {

// The application class the test programs open the display with.
extern const char kTestAppClass[];

// The display and application context; valid while the environment is set
// up (that is, inside every test).
Display* display();
XtAppContext app();

// Opens the display once for the whole test program (DISPLAY must name a
// server: run under with-xvfb.sh) and records Xt warnings and X errors.
class X11Environment : public ::testing::Environment {
 public:
  void SetUp() override;
  void TearDown() override;
};

// A top-level shell of its own for one test, placed at (x, y) on the screen
// and destroyed with everything in it at the end.
class TestShell {
 public:
  explicit TestShell(const char* name = "testShell", int x = 0, int y = 0);
  ~TestShell();
  TestShell(const TestShell&) = delete;
  TestShell& operator=(const TestShell&) = delete;

  Widget widget() const { return shell_; }
  operator Widget() const { return shell_; }

  // Realizes the shell and waits until its window is mapped and drawn.
  void show();

  // Destroys the shell now (the destructor then does nothing).
  void destroy();

 private:
  Widget shell_;
};

// Processes events, due timers and other input until nothing more arrives.
void pumpUntilIdle();

// Processes events and timers for the given time.
void pumpFor(int milliseconds);

// Processes events until the condition holds or the time runs out; returns
// the condition's last value.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds = 5000);

// True when the widget is realized and its window viewable.
bool isViewable(Widget w);

// Waits until the widget's window is viewable.
bool waitUntilViewable(Widget w, int timeoutMilliseconds = 5000);

// XtNameToWidget that records a test failure when the name is not found.
Widget findWidget(Widget root, const char* names);

// The widget's origin in root-window coordinates.
void rootPosition(Widget w, int* x, int* y);

// Pointer and buttons through XTest, at (x, y) relative to the widget.
void movePointer(Widget w, int x, int y);
// The same in root-window coordinates.
void movePointerTo(int rootX, int rootY);
void pressButton(Widget w, int x, int y, unsigned button = 1);
void releaseButton(unsigned button = 1);
void click(Widget w, int x, int y, unsigned button = 1);

// Keys through XTest to the window that has the keyboard focus.
void pressKey(KeySym key);
void releaseKey(KeySym key);
void tapKey(KeySym key);
// Types each character of text as its key (with Shift where needed).
void typeText(const std::string& text);

// Gives the widget's shell the X input focus and Motif's keyboard focus to
// the widget.
void focusOn(Widget w);

// The pixel value at (x, y) of the widget's window.
unsigned long pixelAt(Widget w, int x, int y);

// The pixel value of a named colour on the default screen.
unsigned long namedPixel(const char* colour);

// One warning that went through Xt (XtAppWarningMsg, XmeWarning, XtAppWarning).
struct Warning {
  std::string name;
  std::string type;
  std::string className;
  std::string text;  // the message with its parameters filled in
};

// Records the warnings given while it exists (they are also kept from
// going to standard error).
class WarningCapture {
 public:
  WarningCapture();
  ~WarningCapture();
  WarningCapture(const WarningCapture&) = delete;
  WarningCapture& operator=(const WarningCapture&) = delete;

  const std::vector<Warning>& warnings() const;
  // True when a recorded warning's text contains the given text.
  bool contains(const std::string& text) const;
};

// X protocol errors seen since the program started.
int xErrorCount();

}  // namespace x11test
