// Ending the administration program from inside a toolkit callback.
//
// No exception and no exit() may leave an Xt callback: a callback that ends
// the program records the status and sets the application's exit flag; the
// main loop then returns and main() ends with that status.
#pragma once

#include <X11/Intrinsic.h>

// Records `status` and asks the main loop of the widget's application to end.
void requestProgramExit(Widget widget, int status);

// The status recorded by requestProgramExit (0 when none was).
int programExitStatus();

// Runs the application's events until an exit is requested; returns the status.
int runMainLoop(XtAppContext app);
