// XwThumbIndex on a real display: labels and their duplicate numbers,
// pages and "more" tabs, the popup menu, picking tabs with the mouse and the
// keyboard, and what is drawn.
#include "x11_harness.h"

#include <X11/keysym.h>
#include <Xm/RowColumn.h>

#include <string>
#include <vector>

#include "thumb_index.h"
#include "thumb_index_internal.h"

using namespace x11test;

namespace {

struct Change {
  int previous;
  int selected;
  std::string label;
  int duplicate;
};

class ThumbIndexTest : public ::testing::Test {
 protected:
  TestShell shell{"thumbShell", 50, 50};
  Widget thumb = nullptr;
  std::vector<Change> changes;
  bool setBack = false;  // the callback puts selectedIndex back

  void create(std::vector<const char*> labels, int width, bool withTable = true) {
    Arg args[5];
    Cardinal n = 0;
    XtSetArg(args[n], XwNnumIndices, static_cast<int>(labels.size())), ++n;
    if (withTable) XtSetArg(args[n], XwNindexLabels, labels.data()), ++n;
    XtSetArg(args[n], XmNwidth, width), ++n;
    XtSetArg(args[n], XwNselectedIndexColor, namedPixel("yellow")), ++n;
    thumb = XwCreateThumbIndex(shell, "thumb", args, n);
    XtAddCallback(thumb, XmNactivateCallback, record, this);
    XtManageChild(thumb);
    shell.show();
  }

  ThumbIndexState& state() { return thumbState(thumb); }
  int selected() { return thumbPart(thumb).selected_index; }

  // The middle of a tab's body, low enough to miss the text.
  void clickTab(int position) {
    const ThumbTab& tab = state().tabs.at(position);
    click(thumb, tab.x + tab.width / 2, tab.height - 3);
  }

  static void record(Widget w, XtPointer self, XtPointer call) {
    auto* test = static_cast<ThumbIndexTest*>(self);
    auto* data = static_cast<XwThumbIndexCallbackStruct*>(call);
    EXPECT_EQ(data->reason, 0);
    EXPECT_EQ(data->event, nullptr);
    test->changes.push_back({data->previousIndex, data->selectedIndex, data->label, data->duplicate});
    if (test->setBack) XtVaSetValues(w, XwNselectedIndex, data->previousIndex, nullptr);
  }
};

std::vector<const char*> manyLabels() {
  static const char* const names[] = {"Alpha", "Bravo", "Charlie", "Delta", "Echo", "Foxtrot",
                                      "Golf", "Hotel", "India", "Juliett", "Kilo", "Lima",
                                      "Mike", "November", "Oscar", "Papa"};
  return std::vector<const char*>(std::begin(names), std::end(names));
}

TEST_F(ThumbIndexTest, RepeatedLabelShowsItsNumberAndDeletingItFreesTheNumber) {
  create({"Queue", "Connection", "Queue"}, 500);
  ThumbLabels& labels = state().labels;
  ASSERT_EQ(labels.count(), 3);
  EXPECT_EQ(labels.shown(0), "Queue");
  EXPECT_EQ(labels.shown(1), "Connection");
  EXPECT_EQ(labels.shown(2), "Queue <1>");
  EXPECT_EQ(labels.menuText(2), "Queue      <1>");  // "<1>" ends at the last column

  XwThumbIndexDeleteLabel(thumb, 2);
  EXPECT_EQ(labels.count(), 2);
  XwThumbIndexAddLabel(thumb, "Queue");
  EXPECT_EQ(labels.shown(2), "Queue <1>");  // number 1 was free again
  XwThumbIndexAddLabel(thumb, "Queue");
  EXPECT_EQ(labels.shown(3), "Queue <2>");
  XwThumbIndexDeleteNamedLabel(thumb, "Queue");  // the highest number goes
  ASSERT_EQ(labels.count(), 3);
  EXPECT_EQ(labels.shown(2), "Queue <1>");
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back().label, "Queue");
  EXPECT_EQ(changes.back().duplicate, 1);
  EXPECT_EQ(state().buttons.size(), 3u);
  EXPECT_EQ(state().separators.size(), 2u);
}

TEST_F(ThumbIndexTest, LabelsThatFitGiveOnePageWithoutMoreTabs) {
  create({"General", "Printer", "Users"}, 600);
  const ThumbPage& page = state().page;
  EXPECT_EQ(page.first, 0);
  EXPECT_EQ(page.last, 2);
  EXPECT_FALSE(page.leading);
  EXPECT_FALSE(page.trailing);
  ASSERT_EQ(state().tabs.size(), 3u);
  for (const ThumbTab& tab : state().tabs) EXPECT_FALSE(tab.more());
  EXPECT_EQ(state().tabs[0].x, 15);  // indexSlantLeft
}

TEST_F(ThumbIndexTest, SelectingTheLastOfManyShowsALeadingMoreTabOnly) {
  create(manyLabels(), 400);
  EXPECT_TRUE(state().page.trailing);
  EXPECT_FALSE(state().page.leading);
  XtVaSetValues(thumb, XwNselectedIndex, 15, nullptr);
  pumpUntilIdle();
  const ThumbPage& page = state().page;
  EXPECT_EQ(page.last, 15);
  EXPECT_TRUE(page.leading);
  EXPECT_FALSE(page.trailing);
  EXPECT_TRUE(state().tabs.front().more());
  EXPECT_FALSE(state().tabs.back().more());
  pumpUntilIdle();
  const ThumbTab& more = state().tabs.front();  // it carries its label
  unsigned long body = pixelAt(thumb, more.x + 2, more.height - 3);
  int ink = 0;
  for (int x = more.x; x < more.x + more.width; ++x) {
    for (int y = 3; y < more.height - 3; ++y) ink += pixelAt(thumb, x, y) != body;
  }
  EXPECT_GT(ink, 20);
  const ThumbTab& last = state().tabs.back();
  EXPECT_LE(last.x + last.width + 15, 400);  // the right slant still fits
  EXPECT_TRUE(changes.empty());  // set by the program: no callback
  XtVaSetValues(thumb, XwNselectedIndex, 99, nullptr);  // out of range
  EXPECT_EQ(selected(), 0);
}

TEST_F(ThumbIndexTest, MoreTabMenuSelectsALabelAndCallsBack) {
  create(manyLabels(), 400);
  XtVaSetValues(thumb, XwNselectedIndex, 15, nullptr);
  pumpUntilIdle();
  ASSERT_TRUE(state().tabs.front().more());
  clickTab(0);
  Widget menu = state().menu;
  ASSERT_TRUE(pumpUntil([&] { return XtIsManaged(menu) && XtIsRealized(XtParent(menu)); }));
  ASSERT_TRUE(waitUntilViewable(XtParent(menu)));
  // Only the separator before the shown page's first label is managed.
  int managed = 0;
  for (Widget separator : state().separators) managed += XtIsManaged(separator) ? 1 : 0;
  EXPECT_EQ(managed, 1);
  EXPECT_TRUE(XtIsManaged(state().separators[state().page.first - 1]));

  pumpFor(400);  // a click soon after posting only keeps the menu up
  Widget button = state().buttons.at(2);
  click(button, 10, button->core.height / 2);
  ASSERT_TRUE(pumpUntil([&] { return !changes.empty(); }));
  EXPECT_EQ(changes.back().previous, 15);
  EXPECT_EQ(changes.back().selected, 2);
  EXPECT_EQ(changes.back().label, "Charlie");
  EXPECT_EQ(selected(), 2);
  EXPECT_LE(state().page.first, 2);
  EXPECT_GE(state().page.last, 2);
  EXPECT_TRUE(pumpUntil([&] { return !XtIsManaged(menu); }));
}

TEST_F(ThumbIndexTest, ClickInTheSlantOverlapGoesToTheNeighbourNearerTheSelection) {
  create({"One", "Two", "Three", "Four"}, 600);
  const ThumbTab& two = state().tabs[1];
  const ThumbTab& three = state().tabs[2];
  // Between the bodies of Two and Three, near the bottom: inside Two's right
  // slant and Three's left slant at once.
  int x = (two.x + two.width + three.x) / 2;
  int y = two.height - 2;
  ASSERT_LT(x, three.x);
  click(thumb, x, y);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].selected, 1);  // selection at the left: Two is on top

  XtVaSetValues(thumb, XwNselectedIndex, 3, nullptr);
  pumpUntilIdle();
  click(thumb, x, y);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[1].previous, 3);
  EXPECT_EQ(changes[1].selected, 2);  // selection at the right: Three is on top

  click(thumb, x, 1);  // above both slants, in the gap: nothing
  EXPECT_EQ(changes.size(), 2u);
}

TEST_F(ThumbIndexTest, CallbackThatSetsTheSelectionBackIsObeyed) {
  create({"One", "Two", "Three"}, 600);
  setBack = true;
  clickTab(2);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].selected, 2);
  EXPECT_EQ(selected(), 0);
  EXPECT_EQ(state().selectedPosition, 0);
  pumpUntilIdle();
  const ThumbTab& first = state().tabs[0];
  const ThumbTab& third = state().tabs[2];
  EXPECT_EQ(pixelAt(thumb, first.x + first.width / 2, first.height - 3), namedPixel("yellow"));
  EXPECT_EQ(pixelAt(thumb, third.x + third.width / 2, third.height - 3), namedPixel("gray60"));
}

TEST_F(ThumbIndexTest, PickingTheSelectedTabOrTheOnlyTabDoesNothing) {
  create({"Only"}, 300);
  clickTab(0);
  focusOn(thumb);
  tapKey(XK_space);
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(selected(), 0);
}

TEST_F(ThumbIndexTest, KeysMoveTheFocusTabAndSpaceSelectsIt) {
  create({"One", "Two", "Three"}, 600);
  focusOn(thumb);
  ASSERT_TRUE(state().hasFocus);
  tapKey(XK_Left);  // already the first tab
  EXPECT_EQ(state().focusLabel, 0);
  tapKey(XK_Right);
  tapKey(XK_Right);
  tapKey(XK_Right);  // stops at the last tab
  EXPECT_EQ(state().focusLabel, 2);
  tapKey(XK_Up);
  EXPECT_EQ(state().focusLabel, 1);
  tapKey(XK_space);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].previous, 0);
  EXPECT_EQ(changes[0].selected, 1);
}

TEST_F(ThumbIndexTest, FocusTabStopsBeforeMoreTabs) {
  create(manyLabels(), 400);
  focusOn(thumb);
  for (int i = 0; i < 20; ++i) tapKey(XK_Right);
  EXPECT_EQ(state().focusLabel, state().page.last);
  EXPECT_TRUE(state().page.trailing);
}

TEST_F(ThumbIndexTest, MissingLabelTableGivesAnEmptyLabelAndNoLabelsAnEmptyStrip) {
  create({nullptr}, 200, false);  // the defaults: one label, no table
  ASSERT_EQ(state().labels.count(), 1);
  EXPECT_EQ(state().labels.at(0).text, "");
  shell.destroy();

  TestShell second("emptyShell", 50, 50);
  Arg args[2];
  XtSetArg(args[0], XwNnumIndices, 0);
  XtSetArg(args[1], XmNwidth, 200);
  Widget empty = XwCreateThumbIndex(second, "empty", args, 2);
  XtManageChild(empty);
  second.show();
  EXPECT_EQ(thumbState(empty).labels.count(), 0);
  EXPECT_TRUE(thumbState(empty).tabs.empty());
  click(empty, 30, 5);
  XwThumbIndexDeleteLabel(empty, 0);
  XwThumbIndexAddLabel(empty, "First");
  EXPECT_EQ(thumbState(empty).labels.count(), 1);
  EXPECT_EQ(thumbState(empty).tabs.size(), 1u);
}

TEST_F(ThumbIndexTest, DeletingTheSelectedLabelSelectsTheOneBefore) {
  create({"One", "Two", "Three", "Four"}, 600);
  XtVaSetValues(thumb, XwNselectedIndex, 2, nullptr);
  XwThumbIndexDeleteLabel(thumb, 0);  // before the selection
  EXPECT_EQ(selected(), 1);
  EXPECT_TRUE(changes.empty());
  XwThumbIndexDeleteLabel(thumb, 1);  // the selection itself
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].previous, 1);
  EXPECT_EQ(changes[0].selected, 0);
  EXPECT_EQ(changes[0].label, "Two");
  XwThumbIndexDeleteLabel(thumb, 7);  // no such label
  XwThumbIndexDeleteLabel(thumb, 0);
  XwThumbIndexDeleteLabel(thumb, 0);  // the last one stays
  EXPECT_EQ(state().labels.count(), 1);
  EXPECT_EQ(thumbPart(thumb).num_indices, 1);
}

TEST_F(ThumbIndexTest, InsertingALabelSelectsItAndCallsBack) {
  create({"One", "Two"}, 600);
  XwThumbIndexInsertLabel(thumb, "Half", 1);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0].previous, 0);
  EXPECT_EQ(changes[0].selected, 1);
  EXPECT_EQ(changes[0].label, "Half");
  XwThumbIndexInsertLabel(thumb, "End", 99);
  EXPECT_EQ(selected(), 3);
  EXPECT_EQ(state().labels.at(3).text, "End");
}

TEST_F(ThumbIndexTest, ANarrowerWidgetSplitsItsPagesAgain) {
  create(manyLabels(), 1200);
  int shownBefore = state().page.last - state().page.first + 1;
  XtVaSetValues(thumb, XmNwidth, 300, nullptr);
  pumpUntilIdle();
  ASSERT_EQ(thumb->core.width, 300);
  EXPECT_LT(state().page.last - state().page.first + 1, shownBefore);
  EXPECT_TRUE(state().page.trailing);
  const ThumbTab& last = state().tabs.back();
  EXPECT_LE(last.x + last.width + 15, 300);
}

// The page split on its own.
TEST(ThumbPagesTest, PagesHoldWhatFitsAndTheChosenPageHasTheMostLabels) {
  ThumbGeometry g;
  g.width = 300;
  g.height = 20;
  std::vector<int> widths(8, 60);
  std::vector<ThumbPage> pages = thumbSplitPages(widths, g);
  ASSERT_EQ(pages.size(), 8u);
  // 15 + 60, then 70 each; the last label needs room for a "more" tab.
  EXPECT_EQ(pages[0].first, 0);
  EXPECT_EQ(pages[0].last, 2);
  EXPECT_TRUE(pages[0].trailing);
  EXPECT_EQ(pages[0].tabs, 4);
  EXPECT_TRUE(pages[7].leading);
  EXPECT_FALSE(pages[7].trailing);

  ThumbPage chosen = thumbChoosePage(pages, 7);
  EXPECT_EQ(chosen.last, 7);
  EXPECT_EQ(chosen.first, 5);  // the earliest of the pages ending at 7 holds the most
  std::vector<ThumbTab> tabs = thumbLayoutPage(chosen, widths, g);
  ASSERT_EQ(tabs.size(), 4u);
  EXPECT_TRUE(tabs[0].more());
  EXPECT_EQ(tabs[0].x, 15);
  EXPECT_EQ(tabs[1].x, 15 + kThumbMoreTabWidth + 10);

  std::vector<ThumbTab> first = thumbLayoutPage(pages[0], widths, g);
  ASSERT_TRUE(first.back().more());
  EXPECT_EQ(first.back().x, first[2].x + first[2].width);  // directly after the last label
  EXPECT_EQ(thumbChoosePage({}, 0).tabs, 0);
}

}  // namespace
