// The ends of the program from the main window: OK on a code-1 notice (the
// quit question among them) ends it with status 0. Its own program, since
// an exit request stays on the application context for good.
#include "x11_harness.h"

#include <X11/Shell.h>
#include <Xm/Xm.h>

#include "gui_reporter.h"
#include "main_window.h"
#include "message_page.h"
#include "program_exit.h"
#include "dialog_shells.h"
#include "setup_state.h"

using namespace x11test;

namespace {

TEST(ProgramExit, OkOnACodeOneNoticeEndsTheProgram) {
  ::setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
  resetSetup();
  setup().lpMode = kLpCups;
  Widget appShell = XtAppCreateShell("jarnTest", "Jarn9_1", applicationShellWidgetClass, display(),
                                     nullptr, 0);
  XtVaSetValues(appShell, XmNwidth, 1, XmNheight, 1, XmNmappedWhenManaged, False, nullptr);
  XtRealizeWidget(appShell);
  setReporter(&guiReporter());
  createMainWindow(appShell, 640, 480);
  popupMainWindow();
  ASSERT_TRUE(waitUntilViewable(mainWidgets().form));

  doMessage(1, "Configuration Problem", "Cannot create dir:\n/x");
  pumpUntilIdle();
  EXPECT_FALSE(XtAppGetExitFlag(app()));
  click(mainWidgets().okButton, 10, 10);
  EXPECT_TRUE(XtAppGetExitFlag(app()));
  EXPECT_EQ(programExitStatus(), 0);
  EXPECT_FALSE(isWidgetViewable(mainWidgets().form));
  setReporter(nullptr);
}

}  // namespace
