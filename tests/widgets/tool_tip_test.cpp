// Tool tips on a real display: the pointer rests on a button, the tip comes
// after half a second below it, stays on the screen, and goes when the
// pointer leaves or the button is destroyed.
#include "x11_harness.h"

#include <Xm/Form.h>
#include <Xm/PushB.h>

#include <string>

#include "tool_tip.h"

using namespace x11test;

namespace {

class ToolTipTest : public ::testing::Test {
 protected:
  TestShell shell{"tipTestShell", 100, 100};
  Widget button = nullptr;

  void SetUp() override {
    toolTipEnabled = True;
    movePointerTo(1, 1);  // away from every test window
  }
  void TearDown() override { toolTipEnabled = True; }

  // A shell with one button, placed at (x, y).
  void create(const char* label, const char* tip, int x = 100, int y = 100) {
    XtVaSetValues(shell, XmNx, x, XmNy, y, nullptr);
    XmString s = XmStringCreateLocalized(const_cast<char*>(label));
    button = XtVaCreateManagedWidget("tipButton", xmPushButtonWidgetClass, shell, XmNlabelString, s,
                                     XmNwidth, 60, XmNheight, 30, XmNrecomputeSize, False, nullptr);
    XmStringFree(s);
    addToolTip(button, tip);
    shell.show();
  }

  void enter() { movePointer(button, 30, 15); }

  bool tipShown() { return isViewable(toolTipShell()); }

  std::string tipText() {
    Widget label = XtNameToWidget(toolTipShell(), "tipLabel");
    if (!label) return "<no label>";
    XmString s = nullptr;
    XtVaGetValues(label, XmNlabelString, &s, nullptr);
    char* text = nullptr;
    std::string result;
    if (s && XmStringGetLtoR(s, const_cast<char*>(XmFONTLIST_DEFAULT_TAG), &text) && text)
      result = text;
    XtFree(text);
    XmStringFree(s);
    return result;
  }

  void tipGeometry(int* x, int* y, int* width) {
    Position px = 0, py = 0;
    Dimension w = 0;
    XtVaGetValues(toolTipShell(), XmNx, &px, XmNy, &py, XmNwidth, &w, nullptr);
    *x = px;
    *y = py;
    *width = w;
  }
};

TEST_F(ToolTipTest, RestingOnAButtonShowsTheTipBelowIt) {
  create("Apply", "Apply the changes");
  enter();
  pumpFor(300);
  EXPECT_FALSE(tipShown());  // not before half a second
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  EXPECT_EQ(tipText(), "Apply the changes");
  int rx, ry;
  rootPosition(button, &rx, &ry);
  int x, y, width;
  tipGeometry(&x, &y, &width);
  EXPECT_EQ(x, rx + 30);
  EXPECT_EQ(y, ry + 30 + 2);
  EXPECT_GT(width, 6);

  movePointerTo(1, 1);  // leaving hides it
  EXPECT_TRUE(pumpUntil([&] { return !tipShown(); }, 2000));
}

TEST_F(ToolTipTest, LeavingWithinHalfASecondShowsNoTip) {
  create("Apply", "Apply the changes");
  enter();
  pumpFor(250);
  movePointerTo(1, 1);
  pumpFor(600);
  EXPECT_FALSE(tipShown());
}

TEST_F(ToolTipTest, ATipNearTheRightEdgeMovesLeft) {
  int screenWidth = WidthOfScreen(XtScreen(shell.widget()));
  create("Quit", "Leave the program and all of its windows", screenWidth - 70, 100);
  enter();
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  int x, y, width;
  tipGeometry(&x, &y, &width);
  EXPECT_EQ(x + width, screenWidth - 20);
  EXPECT_GE(x, 0);
}

TEST_F(ToolTipTest, ATipNearTheBottomEdgeMovesUp) {
  int screenHeight = HeightOfScreen(XtScreen(shell.widget()));
  create("Quit", "Leave", 100, screenHeight - 35);
  enter();
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  Position y = 0;
  Dimension height = 0;
  XtVaGetValues(toolTipShell(), XmNy, &y, XmNheight, &height, nullptr);
  EXPECT_EQ(y, screenHeight - 4 * height);
}

TEST_F(ToolTipTest, SwitchedOffNothingIsShown) {
  create("Apply", "Apply the changes");
  toolTipEnabled = False;
  enter();
  pumpFor(800);
  EXPECT_FALSE(tipShown());
}

TEST_F(ToolTipTest, AWidgetWithoutTextShowsItsOwnLabel) {
  create("Help", nullptr);
  enter();
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  EXPECT_EQ(tipText(), "Help");
}

TEST_F(ToolTipTest, DestroyingTheWidgetRemovesItsPendingTimer) {
  create("Apply", "Apply the changes");
  enter();
  pumpFor(100);
  XtDestroyWidget(button);
  pumpUntilIdle();
  pumpFor(700);
  EXPECT_FALSE(tipShown());
  EXPECT_EQ(XtAppPending(app()) & XtIMTimer, 0u);
}

TEST_F(ToolTipTest, ATipStillWorksAfterTheShellItWasMadeUnderIsGone) {
  create("Apply", "First");
  enter();
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  movePointerTo(1, 1);
  shell.destroy();  // takes the tip shell with it
  EXPECT_EQ(toolTipShell(), nullptr);

  TestShell other("otherTipShell", 300, 300);
  Widget second = XtVaCreateManagedWidget("second", xmPushButtonWidgetClass, other, XmNwidth, 60,
                                          XmNheight, 30, nullptr);
  addToolTip(second, "Second");
  other.show();
  movePointer(second, 20, 10);
  ASSERT_TRUE(pumpUntil([&] { return tipShown(); }, 2000));
  EXPECT_EQ(tipText(), "Second");
  movePointerTo(1, 1);
}

}  // namespace
