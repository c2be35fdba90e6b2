// The main loop and the exit request from callbacks.
#include "program_exit.h"

namespace {
int exitStatus = 0;
}

void requestProgramExit(Widget widget, int status) {
  exitStatus = status;
  XtAppSetExitFlag(XtWidgetToApplicationContext(widget));
}

int programExitStatus() { return exitStatus; }

int runMainLoop(XtAppContext app) {
  while (!XtAppGetExitFlag(app)) XtAppProcessEvent(app, XtIMAll);
  return exitStatus;
}
