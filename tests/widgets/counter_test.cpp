// XwCounter on a real display: typed text, keys, arrows with auto-repeat,
// dragging, the three formats, warnings and geometry.
#include "x11_harness.h"

#include <X11/keysym.h>
#include <Xm/PushB.h>
#include <Xm/TextF.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "counter.h"
#include "counter_p.h"
#include "counter_value.h"

using namespace x11test;

namespace {

Arg arg(const char* name, XtArgVal value) {
  Arg a;
  XtSetArg(a, const_cast<char*>(name), value);
  return a;
}

int floatBits(float f) {
  int word;
  std::memcpy(&word, &f, sizeof word);
  return word;
}

class CounterTest : public ::testing::Test {
 protected:
  TestShell shell{"counterShell", 100, 100};
  Widget counter = nullptr;
  std::vector<int> changes;   // value words reported by valueChangedCallback
  std::vector<int> activates;

  void create(std::vector<Arg> args) {
    counter = XwCreateCounter(shell, "counter", args.data(), static_cast<Cardinal>(args.size()));
    XtManageChild(counter);
    XtAddCallback(counter, XmNvalueChangedCallback, recordChange, this);
    XtAddCallback(counter, XmNactivateCallback, recordActivate, this);
    shell.show();
  }

  XwCounterPart& part() { return reinterpret_cast<XwCounterWidget>(counter)->counter; }
  Widget text() { return XwCounterGetChild(counter, XwCOUNTER_TEXT); }
  Widget up() { return XwCounterGetChild(counter, XwCOUNTER_UP_ARROW); }

  std::string shown() {
    char* raw = XmTextFieldGetString(text());
    std::string s = raw ? raw : "";
    XtFree(raw);
    return s;
  }

  // Empties the text field and forgets the callbacks that made.
  void clearText() {
    XmTextFieldSetString(text(), const_cast<char*>(""));
    pumpUntilIdle();
    changes.clear();
  }

  static void recordChange(Widget, XtPointer self, XtPointer call) {
    auto* data = static_cast<XwCounterCallbackStruct*>(call);
    EXPECT_EQ(data->reason, XmCR_VALUE_CHANGED);
    static_cast<CounterTest*>(self)->changes.push_back(data->value);
  }

  static void recordActivate(Widget, XtPointer self, XtPointer call) {
    auto* data = static_cast<XwCounterActivateCallbackStruct*>(call);
    static_cast<CounterTest*>(self)->activates.push_back(data->value);
  }
};

TEST_F(CounterTest, TypedValueBeyondMaximumFallsBackToMinimumWithoutCallback) {
  create({arg(XmNcolumns, 5), arg(XmNmaxLength, 5), arg(XmNmaximum, 100), arg(XmNvalue, 42)});
  EXPECT_EQ(shown(), "42");
  focusOn(text());
  clearText();
  typeText("150");
  EXPECT_EQ(shown(), "150");
  EXPECT_EQ(changes, (std::vector<int>{1, 15}));  // "150" itself is not reported
  EXPECT_EQ(part().value, 0);
  // The text is out of limits, so the value word is the answer, not 150, and
  // reading it puts the text back to the number kept, reported as a change.
  EXPECT_EQ(XwCounterGetValue(counter), 0);
  EXPECT_EQ(shown(), "0");
  EXPECT_EQ(changes, (std::vector<int>{1, 15, 0}));
  EXPECT_EQ(XwCounterGetFloatValue(counter), 0.0f);
  clearText();
  typeText("-");  // a sign alone, read through the value resource
  int value = 42;
  XtVaGetValues(counter, XmNvalue, &value, nullptr);
  EXPECT_EQ(shown() + " " + std::to_string(value), "0 0");
}

TEST_F(CounterTest, TypedTextIsCheckedCharacterByCharacter) {
  create({arg(XmNcolumns, 6), arg(XmNmaxLength, 6), arg(XmNminimum, -50), arg(XmNmaximum, 50)});
  focusOn(text());
  clearText();
  typeText("-1x2.");
  EXPECT_EQ(shown(), "-12");
  EXPECT_EQ(XwCounterGetValue(counter), -12);
  EXPECT_EQ(changes.back(), -12);
  tapKey(XK_Return);
  EXPECT_EQ(activates, (std::vector<int>{-12}));
}

TEST_F(CounterTest, PageKeysStepTenAndClampToTheLimits) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4), arg(XmNmaximum, 100), arg(XmNvalue, 95)});
  focusOn(text());
  tapKey(XK_Page_Up);
  EXPECT_EQ(XwCounterGetValue(counter), 100);
  EXPECT_EQ(shown(), "100");
  tapKey(XK_Up);  // beyond the maximum: refused
  EXPECT_EQ(XwCounterGetValue(counter), 100);
  tapKey(XK_Down);
  EXPECT_EQ(XwCounterGetValue(counter), 99);
  tapKey(XK_Page_Down);
  EXPECT_EQ(XwCounterGetValue(counter), 89);
  EXPECT_EQ(changes, (std::vector<int>{100, 99, 89}));
}

TEST_F(CounterTest, HexadecimalAcceptsBothCasesAndRefusesToPassTheTopInt) {
  create({arg(XwNformat, XwCOUNTER_HEX), arg(XmNcolumns, 8), arg(XmNmaxLength, 8)});
  EXPECT_EQ(part().minimum, INT_MIN);
  EXPECT_EQ(part().maximum, INT_MAX);
  focusOn(text());
  clearText();
  typeText("aBg-F");
  EXPECT_EQ(shown(), "aBF");
  EXPECT_EQ(XwCounterGetValue(counter), 0xabf);

  ASSERT_TRUE(XwCounterSetValue(counter, 0x7fffffff));
  EXPECT_EQ(shown(), "7fffffff");
  tapKey(XK_Up);
  EXPECT_EQ(shown(), "7fffffff");
  EXPECT_EQ(XwCounterGetValue(counter), 0x7fffffff);
  tapKey(XK_Page_Down);  // 16 steps for hexadecimal
  EXPECT_EQ(shown(), "7fffffef");

  ASSERT_TRUE(XwCounterSetValue(counter, -1));
  EXPECT_EQ(shown(), "ffffffff");
  tapKey(XK_Up);
  EXPECT_EQ(shown(), "0");
}

TEST_F(CounterTest, HomeAndEndGoToTheLimitsOnlyWhenNotEditable) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4), arg(XmNeditable, False), arg(XmNvalue, 5)});
  focusOn(text());
  tapKey(XK_Home);
  EXPECT_EQ(XwCounterGetValue(counter), 100);
  tapKey(XK_End);
  EXPECT_EQ(XwCounterGetValue(counter), 0);
  XtVaSetValues(counter, XmNeditable, True, nullptr);
  tapKey(XK_Home);  // now the text field's own: the cursor moves, the value stays
  EXPECT_EQ(XwCounterGetValue(counter), 0);
  EXPECT_EQ(XmTextFieldGetInsertionPosition(text()), 0);
}

TEST_F(CounterTest, EqualLimitsMeanNoLimits) {
  create({arg(XmNcolumns, 11), arg(XmNmaxLength, 11), arg(XmNminimum, 7), arg(XmNmaximum, 7)});
  EXPECT_TRUE(XwCounterSetValue(counter, -5000));
  EXPECT_EQ(XwCounterGetValue(counter), -5000);
  EXPECT_TRUE(XwCounterSetValue(counter, 123456));
  EXPECT_EQ(shown(), "123456");
  ASSERT_TRUE(XwCounterSetValue(counter, INT_MAX));
  focusOn(text());
  tapKey(XK_Page_Up);  // no limits to clamp to, and no room in 32 bits
  EXPECT_EQ(XwCounterGetValue(counter), INT_MAX);
  tapKey(XK_Down);
  EXPECT_EQ(XwCounterGetValue(counter), INT_MAX - 1);
}

TEST_F(CounterTest, FloatingPointShowsDecimalsAndStepsByTheIncrement) {
  create({arg(XwNformat, XwCOUNTER_FLOAT), arg(XmNcolumns, 6), arg(XmNmaxLength, 6),
          arg(XmNdecimalPoints, 2), arg(XmNminimum, 0), arg(XmNmaximum, 10), arg(XmNvalue, 3),
          arg(XmNincrement, floatBits(0.25f))});
  EXPECT_EQ(shown(), "3.00");  // the int words became float bits
  EXPECT_EQ(part().maximum, floatBits(10.0f));
  focusOn(text());
  tapKey(XK_Up);
  EXPECT_EQ(shown(), "3.25");
  EXPECT_FLOAT_EQ(XwCounterGetFloatValue(counter), 3.25f);
  EXPECT_EQ(XwCounterGetValue(counter), 3);
  tapKey(XK_Page_Up);
  EXPECT_EQ(shown(), "5.75");
  EXPECT_FALSE(XwCounterSetValue(counter, 10.5));
  EXPECT_EQ(shown(), "5.75");
}

TEST_F(CounterTest, AStartValueOutsideTheLimitsShowsTheNearestLimit) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4), arg(XmNminimum, 10), arg(XmNmaximum, 20)});
  EXPECT_EQ(shown(), "10");
  EXPECT_EQ(XwCounterGetValue(counter), 10);
  XtVaSetValues(counter, XmNvalue, 15, nullptr);
  EXPECT_EQ(shown(), "15");
  XtVaSetValues(counter, XmNvalue, 25, nullptr);  // refused: the shown value stays
  EXPECT_EQ(shown(), "15");
  EXPECT_EQ(part().value, 15);
}

TEST_F(CounterTest, ColumnsAndMaxLengthOutOfRangeWarnAndGiveTen) {
  WarningCapture capture;
  create({arg(XmNcolumns, 0), arg(XmNmaxLength, 33)});
  EXPECT_TRUE(capture.contains("Columns must be > 0 and < 33"));
  EXPECT_TRUE(capture.contains("Max Length must be > 0 and < 33"));
  EXPECT_EQ(part().columns, 10);
  EXPECT_EQ(part().max_length, 10);
  short columns = 0;
  XtVaGetValues(text(), XmNcolumns, &columns, nullptr);
  EXPECT_EQ(columns, 10);

  size_t before = capture.warnings().size();
  XtVaSetValues(counter, XmNcolumns, 33, nullptr);
  EXPECT_GT(capture.warnings().size(), before);
  EXPECT_EQ(part().columns, 10);  // the old one is kept
  XtVaSetValues(counter, XmNcolumns, 4, nullptr);
  XtVaGetValues(text(), XmNcolumns, &columns, nullptr);
  EXPECT_EQ(columns, 4);
}

TEST_F(CounterTest, ForeignChildIsRefusedWithAWarning) {
  create({});
  WarningCapture capture;
  Widget stranger = XmCreatePushButton(counter, const_cast<char*>("stranger"), nullptr, 0);
  ASSERT_FALSE(capture.warnings().empty());
  const Warning& w = capture.warnings().front();
  EXPECT_EQ(w.text, "XwCounter: Cannot add children.");
  EXPECT_EQ(w.name, "insertChild");
  EXPECT_EQ(w.type, "badChild");
  EXPECT_EQ(w.className, "XwCounter");
  EXPECT_EQ(reinterpret_cast<CompositeWidget>(counter)->composite.num_children, 3u);
  XtDestroyWidget(stranger);
  pumpUntilIdle();
}

TEST_F(CounterTest, HoldingAnArrowStepsPausesThenRepeatsToTheMaximum) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4), arg(XmNmaximum, 100), arg(XmNvalue, 85)});
  pressButton(up(), 3, 3);
  EXPECT_EQ(XwCounterGetValue(counter), 86);
  pumpFor(250);
  EXPECT_EQ(XwCounterGetValue(counter), 86);  // still in the first pause
  ASSERT_TRUE(pumpUntil([&] { return XwCounterGetValue(counter) == 100; }, 3000));
  pumpFor(200);
  EXPECT_EQ(XwCounterGetValue(counter), 100);
  EXPECT_EQ(part().timer, XtIntervalId{0});  // the refused step stopped it
  releaseButton();
  std::vector<int> expected;
  for (int v = 86; v <= 100; ++v) expected.push_back(v);
  EXPECT_EQ(changes, expected);
}

TEST_F(CounterTest, ReleasingAnArrowStopsTheRepeat) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4), arg(XmNvalue, 50)});
  pressButton(XwCounterGetChild(counter, XwCOUNTER_DOWN_ARROW), 3, 3);
  pumpFor(620);  // the pause and about two repeats
  releaseButton();
  int stopped = XwCounterGetValue(counter);
  EXPECT_LT(stopped, 49);
  EXPECT_EQ(part().timer, XtIntervalId{0});
  pumpFor(200);
  EXPECT_EQ(XwCounterGetValue(counter), stopped);
}

TEST_F(CounterTest, DestroyingWhileAnArrowIsHeldLeavesNoTimer) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4)});
  pressButton(up(), 3, 3);
  ASSERT_NE(part().timer, XtIntervalId{0});
  XtDestroyWidget(counter);
  pumpUntilIdle();
  pumpFor(700);
  EXPECT_EQ(XtAppPending(app()) & XtIMTimer, 0u);
  releaseButton();
}

TEST_F(CounterTest, DraggingUpStepsOncePerScreenHeightOver512Pixels) {
  create({arg(XmNcolumns, 6), arg(XmNmaxLength, 6), arg(XmNmaximum, 1000), arg(XmNvalue, 500)});
  int divisor = HeightOfScreen(XtScreen(counter)) / 512;
  if (divisor < 1) divisor = 1;
  Widget field = text();
  int y = field->core.height - 3;
  pressButton(field, 5, y);
  movePointer(field, 5, y - 12);
  releaseButton();
  EXPECT_EQ(XwCounterGetValue(counter), 500 + 12 / divisor);
}

TEST_F(CounterTest, ArrowsStayAtTheRightEdgeWhenResized) {
  create({arg(XmNcolumns, 4), arg(XmNmaxLength, 4)});
  Dimension height = counter->core.height;
  EXPECT_EQ(height, text()->core.height);
  XtVaSetValues(counter, XmNwidth, 220, nullptr);
  pumpUntilIdle();
  ASSERT_EQ(counter->core.width, 220);
  EXPECT_EQ(up()->core.x + up()->core.width, 220);
  EXPECT_EQ(text()->core.width, 220 - up()->core.width);
  Widget down = XwCounterGetChild(counter, XwCOUNTER_DOWN_ARROW);
  EXPECT_EQ(down->core.x, up()->core.x);
  EXPECT_EQ(down->core.y, up()->core.y + up()->core.height);
  EXPECT_EQ(XwCounterGetChild(counter, 3), nullptr);
  EXPECT_EQ(XwCounterGetChild(shell, XwCOUNTER_TEXT), nullptr);
  EXPECT_EQ(XwCounterGetValue(shell), 0);
}

TEST_F(CounterTest, StringsConvertToFloats) {
  create({});
  XrmValue from, to;
  from.addr = const_cast<char*>("2.5");
  from.size = 4;
  float result = 0;
  to.addr = reinterpret_cast<XPointer>(&result);
  to.size = sizeof result;
  ASSERT_TRUE(XtConvertAndStore(counter, XmRString, &from, XmRFloat, &to));
  EXPECT_FLOAT_EQ(result, 2.5f);
}

// The value arithmetic on its own.
TEST(CounterValueTest, StepsNeverWrapAndRefuseWhatAWordCannotHold) {
  CounterWords hex{XwCOUNTER_HEX, INT_MIN, INT_MAX, 1};
  double next = 0;
  EXPECT_FALSE(counterStep(hex, INT_MAX, 1, false, &next));
  EXPECT_FALSE(counterStep(hex, INT_MIN, -16, false, &next));
  EXPECT_TRUE(counterStep(hex, INT_MAX, 16, true, &next));  // clamped to the limit
  EXPECT_EQ(next, INT_MAX);

  CounterWords open{XwCOUNTER_DECIMAL, 0, 0, INT_MAX};
  EXPECT_TRUE(counterStep(open, 5, -1, true, &next));  // no limits: no clamp
  EXPECT_EQ(next, 5.0 - INT_MAX);
  EXPECT_FALSE(counterStep(open, 5, 10, true, &next));

  CounterWords floats{XwCOUNTER_FLOAT, 0, 0, floatBits(__builtin_nanf(""))};
  EXPECT_FALSE(counterStep(floats, 1.0, 1, false, &next));
}

TEST(CounterValueTest, WordsAreNormalisedByFormat) {
  EXPECT_EQ(counterNormaliseWord(XwCOUNTER_FLOAT, 3), floatBits(3.0f));
  EXPECT_EQ(counterNormaliseWord(XwCOUNTER_FLOAT, -2), floatBits(-2.0f));
  EXPECT_EQ(counterNormaliseWord(XwCOUNTER_FLOAT, floatBits(1.5f)), floatBits(1.5f));
  EXPECT_EQ(counterNormaliseWord(XwCOUNTER_DECIMAL, floatBits(7.9f)), 7);
  EXPECT_EQ(counterNormaliseWord(XwCOUNTER_DECIMAL, -3), -3);
  EXPECT_EQ(counterFormatText(XwCOUNTER_DECIMAL, 8, 0, 42), "42");
  EXPECT_EQ(counterFormatText(XwCOUNTER_FLOAT, 8, 1, -0.25), "-0.2");
  EXPECT_TRUE(counterTextAcceptable(XwCOUNTER_FLOAT, "-"));
  EXPECT_TRUE(counterTextAcceptable(XwCOUNTER_FLOAT, "+1.5"));
  EXPECT_FALSE(counterTextAcceptable(XwCOUNTER_FLOAT, "1.5."));
  EXPECT_FALSE(counterTextAcceptable(XwCOUNTER_HEX, "-1"));
  double number = 1;
  EXPECT_FALSE(counterParseText(XwCOUNTER_HEX, "123456789", &number));
  EXPECT_TRUE(counterParseText(XwCOUNTER_DECIMAL, "", &number));
  EXPECT_EQ(number, 0);
}

}  // namespace
