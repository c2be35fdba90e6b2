// The part of the X test helpers that needs no test framework: event
// pumping, widget look-up and centres, and real pointer and key input
// through XTest. The GoogleTest harness (x11_harness.h) and the page driver
// (jarn-drive) both stand on it.
#pragma once

#include <X11/Intrinsic.h>

#include <functional>
#include <string>

namespace x11core {

// The display and application context the helpers work on.
void setContext(Display* display, XtAppContext app);
Display* display();
XtAppContext app();

// Processes what is pending now; false when nothing was.
bool processPending();
// How long the innermost event that processPending is dispatching has been
// running, in ms (a callback waiting in a modal loop runs long); -1 when
// none is being dispatched.
long msInsideDispatch();
// Processes events, due timers and other input until nothing more arrives.
void pumpUntilIdle();
// Processes events and timers for the given time.
void pumpFor(int milliseconds);
// Processes events until the condition holds or the time runs out.
bool pumpUntil(const std::function<bool()>& condition, int timeoutMilliseconds);

// The widget's centre in root coordinates (a gadget's in its parent's
// window); false when it has no window yet.
bool widgetCentre(Widget w, int* rootX, int* rootY);
// Moves the pointer there and clicks button 1 through XTest; no pumping,
// so that a waiting event loop can take the events.
bool fakeClickAt(int rootX, int rootY, int clicks = 1);
// The pointer moved there; button 1 down or up (no pumping).
void fakeMotion(int rootX, int rootY);
void fakeButton(bool down);
// One key down or up through XTest; false when the keysym has no key.
bool fakeKey(KeySym key, bool down);
// A key pressed and released, with Shift when its character needs it.
bool fakeCharacter(char ch);

// Gives the widget's shell the X input focus and Motif's keyboard focus to
// the widget.
void focusOn(Widget w);

}  // namespace x11core
