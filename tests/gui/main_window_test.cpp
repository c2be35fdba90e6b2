// The real main window on a private X server: its widget tree, the tabs and
// the Edit mask, the message page with its questions, the question and
// conflict boxes, and the queue list. Input comes through XTest; a question
// that waits in its own event loop is answered from a toolkit timer.
//
// Run by run_window_tests.sh, which gives it an X server and a private CUPS
// daemon with the queue named by JARN_TEST_QUEUE (a socket queue whose data
// lands in JARN_TEST_QUEUE_OUT).
#include "x11_harness.h"

#include <X11/Shell.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <Xm/List.h>
#include <Xm/MessageB.h>
#include <Xm/Text.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "file_form.h"
#include "gui_reporter.h"
#include "image_set.h"
#include "main_menus.h"
#include "main_window.h"
#include "message_page.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "question_dialogs.h"
#include "queue_list.h"
#include "queue_list_view.h"
#include "setup_state.h"
#include "system_detection.h"
#include "text_fields.h"
#include "page_widgets.h"
#include "test_pages.h"
#include "test_support.h"
#include "thumb_index.h"
#include "widget_tips.h"

using namespace x11test;

namespace {

testing_support::TempDir* imageDir = nullptr;

// ---- answering from a timer -------------------------------------------

// Clicks the middle of a widget with XTest, without pumping: the waiting
// event loop delivers the events.
void fakeClick(Widget w) {
  Dimension width = 0, height = 0;
  Position left = 0, top = 0;
  XtVaGetValues(w, XmNwidth, &width, XmNheight, &height, XmNx, &left, XmNy, &top, nullptr);
  // A gadget has no window: it is drawn at its place in its parent's.
  Window window = XtIsWidget(w) ? XtWindow(w) : XtWindow(XtParent(w));
  int dx = XtIsWidget(w) ? 0 : left, dy = XtIsWidget(w) ? 0 : top;
  int x = 0, y = 0;
  Window child;
  XTranslateCoordinates(display(), window, DefaultRootWindow(display()), dx + width / 2,
                        dy + height / 2, &x, &y, &child);
  XTestFakeMotionEvent(display(), DefaultScreen(display()), x, y, CurrentTime);
  XTestFakeButtonEvent(display(), 1, True, CurrentTime);
  XTestFakeButtonEvent(display(), 1, False, CurrentTime);
  XFlush(display());
}

// Runs `step` from a timer until it returns true (it is retried every 50 ms).
struct TimerStep {
  std::function<bool()> step;
};

void timerStep(XtPointer data, XtIntervalId*) {
  auto* t = static_cast<TimerStep*>(data);
  if (!t->step()) XtAppAddTimeOut(app(), 50, timerStep, t);
}

void schedule(TimerStep* t, unsigned long ms = 100) { XtAppAddTimeOut(app(), ms, timerStep, t); }

bool viewable(Widget w) {
  if (!w || !XtIsRealized(w)) return false;
  XWindowAttributes a;
  return XGetWindowAttributes(display(), XtWindow(w), &a) && a.map_state == IsViewable;
}

// ---- the window ---------------------------------------------------------

MainWidgets& m() { return mainWidgets(); }
Widget shell() { return mainWidgets().mainShell; }
Widget named(const char* path) { return findWidget(shell(), path); }

bool isManagedPage(const char* name) {
  Widget w = XtNameToWidget(shell(), name);
  return w && XtIsManaged(w);
}

std::string pageText() {
  Widget text = XtNameToWidget(shell(), "*msgText");
  char* value = XmTextGetString(text);
  std::string s = value ? value : "";
  XtFree(value);
  return s;
}

Pixmap pageIcon() {
  Pixmap p = 0;
  XtVaGetValues(XtNameToWidget(shell(), "*msgPixLabel"), XmNlabelPixmap, &p, nullptr);
  return p;
}

// Back to page 0 with nothing pending, whatever a test left behind.
void backToIdle() {
  SetupState& s = setup();
  s.fatalReason = 0;
  s.messagePageState = 0;
  s.okButtonMode = 2;
  s.printerType = kTypePostScript;
  s.queueExists = 0;
  messagePageMemory().previousState = 0;
  ManageMainForm(kPageQueue);
  SetThumbIndex(0);
  setThumbIndexWidgetSensitive(true);
  setThumbIndexSensitive(255, 1);
  setEditMenuSensitive(255, 1);
  setQueueListSensitive(true);
  setMenuBarSensitive(true);
  pumpUntilIdle();
}

// Gives the tab strip the keyboard focus and picks the tab `steps` to the right.
void pickTabByKeys(int steps) {
  focusOn(m().indexThumb);
  for (int i = 0; i < 7; ++i) tapKey(XK_Left);
  for (int i = 0; i < steps; ++i) tapKey(XK_Right);
  tapKey(XK_space);
}

int stripIndex() {
  int index = -1;
  XtVaGetValues(m().indexThumb, XwNselectedIndex, &index, nullptr);
  return index;
}

bool daemonThere() { return std::getenv("JARN_TEST_QUEUE") != nullptr; }

// Builds the main window once for the program, with the images of a
// directory that holds only the grey set and lacks the OK images.
class MainWindowEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!daemonThere()) ::setenv("CUPS_SERVER", "/nonexistent/cups.sock", 1);
    resetSetup();
    SetupState& s = setup();
    s.colourMode = 1;
    if (daemonThere()) {
      int request = 0;
      takeCupsEnvironment(&request);
      detectPrintSystem(kLpCups);
    } else {
      s.lpMode = kLpCups;
    }
    s.fatalReason = 0;

    imageDir = new testing_support::TempDir;
    // Only the grey images, and not those of the OK button.
    namespace fs = std::filesystem;
    fs::path images = fs::path(imageDir->path()) / "images";
    fs::create_directory(images);
    for (const fs::directory_entry& e : fs::directory_iterator(JARN_SOURCE_DIR "/images")) {
      std::string name = e.path().filename().string();
      bool grey = name.size() > 5 && name.compare(name.size() - 5, 5, "b.xpm") == 0;
      if (grey && name.compare(0, 8, "buttonOK") != 0) fs::copy_file(e.path(), images / name);
    }

    Arg args[3];
    Cardinal n = 0;
    XtSetArg(args[n], XmNwidth, 1), ++n;
    XtSetArg(args[n], XmNheight, 1), ++n;
    XtSetArg(args[n], XmNmappedWhenManaged, False), ++n;
    Widget appShell = XtAppCreateShell("jarnTest", "Jarn9_1", applicationShellWidgetClass,
                                       display(), args, n);
    XtRealizeWidget(appShell);
    mainWidgets().appShell = appShell;
    loadButtonPixmaps(&programImages(), appShell, imageDir->path(), false);
    setReporter(&guiReporter());
    createMainWindow(appShell, 640, 480);
    popupMainWindow();
    ASSERT_TRUE(waitUntilViewable(mainWidgets().form));
  }
  void TearDown() override {
    setReporter(nullptr);
    delete imageDir;
  }
};

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { backToIdle(); }
  void TearDown() override { backToIdle(); }
};

// ---- the tree -----------------------------------------------------------

TEST_F(MainWindow, WidgetTreeAndFirstPage) {
  for (const char* name : {"jarn", "jarn.mainMenu", "jarn.mainQueueNameLbl", "jarn.indexThumb",
                           "jarn.separatorGadget26", "jarn.okMainPB", "jarn.helpMainPB",
                           "jarn.quitMainPB", "jarn.okMainLbl", "jarn.helpMainLbl",
                           "jarn.quitMainLbl", "jarn.prntrLstScrlWndw", "*printerScrlList",
                           "jarn.compLogolabel", "jarn.jarnFormBase",
                           "jarn.jarnFormBase.jarnContainerFrame", "*mainMenuMainHook",
                           "*mainMenuEditHook", "*mainMenuOptionsHook", "*mainMenuAboutHook",
                           "*mainMenuMainCreate", "*mainMenuMainSave", "*mainMenuMainQuit",
                           "*mainMenuEditQueues", "*mainMenuEditExtraConf",
                           "*mainMenuOptions_b2QueAll", "*mainMenuOptions_b3testPrint4PS",
                           "*mainMenuResetQtip", "*mainMenuResetSQPB", "*mainMenuAboutVelta",
                           "*jarnMessageBox.msgBigFrame.msgBaseForm.msgPixLabel"}) {
    named(name);
  }
  const char* pages[] = {"*jarnQueFormF", "*formParent", "*ppdSelMainForm",
                         "*ppdSel2Form",  "*advOptMainForm", "*jarnMessageBox"};
  EXPECT_TRUE(isManagedPage(pages[0]));
  for (int i = 1; i < 6; ++i) EXPECT_FALSE(isManagedPage(pages[i])) << pages[i];
  Dimension width = 0, height = 0;
  XtVaGetValues(m().form, XmNwidth, &width, XmNheight, &height, nullptr);
  EXPECT_EQ(width, 640);
  EXPECT_EQ(height, 480);
  EXPECT_STREQ(XtName(shell()), "jarnMainShell");
  EXPECT_TRUE(XmToggleButtonGetState(named("*mainMenuResetQtip")));
  EXPECT_TRUE(XmToggleButtonGetState(named("*mainMenuOptions_b2QueAll")));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuOptions_b3testPrint1ASCII")));
  // Only the Queue tab and its Edit entry are on at start.
  EXPECT_TRUE(XtIsSensitive(named("*mainMenuEditQueues")));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuEditConnect")));
}

TEST_F(MainWindow, ButtonsUseTheirImagesAndAMissingOneKeepsItsText) {
  const ButtonImages& images = programImages();
  int loaded = 0;
  for (Pixmap p : images.pixmaps) loaded += p != 0;
  EXPECT_EQ(loaded, kImageCount - 2);  // every grey image but the two OK ones
  unsigned char type = 0;
  XtVaGetValues(m().okButton, XmNlabelType, &type, nullptr);
  EXPECT_EQ(type, XmSTRING);
  Pixmap label = 0, arm = 0;
  XtVaGetValues(m().helpButton, XmNlabelType, &type, XmNlabelPixmap, &label, XmNarmPixmap, &arm,
                nullptr);
  EXPECT_EQ(type, XmPIXMAP);
  EXPECT_EQ(label, images.pixmaps[kImgHelp]);
  EXPECT_EQ(arm, images.pixmaps[kImgHelpInv]);
  XtVaGetValues(m().quitButton, XmNlabelPixmap, &label, nullptr);
  EXPECT_EQ(label, images.pixmaps[kImgNo]);
}

// ---- tabs and pages ------------------------------------------------------

TEST_F(MainWindow, RawQueueAndModelTabRingsTwiceAndChangesNothing) {
  setup().printerType = kTypeRaw;
  setThumbIndexSensitive(255, 255);
  int bells = navigation().bellCount;
  pickTabByKeys(2);
  EXPECT_EQ(navigation().bellCount, bells + 2);
  EXPECT_EQ(setup().panelMode, kPageQueue);
  EXPECT_EQ(navigation().thumbIndex, 0);
  EXPECT_EQ(stripIndex(), 0);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
}

TEST_F(MainWindow, DisabledTabSnapsBackWithTwoBells) {
  int bells = navigation().bellCount;
  pickTabByKeys(1);
  EXPECT_EQ(navigation().bellCount, bells + 2);
  EXPECT_EQ(stripIndex(), 0);
  EXPECT_EQ(setup().panelMode, kPageQueue);
}

TEST_F(MainWindow, EnabledTabShowsItsPage) {
  setThumbIndexSensitive(255, 255);
  int bells = navigation().bellCount;
  pickTabByKeys(1);
  EXPECT_EQ(navigation().bellCount, bells);
  EXPECT_EQ(setup().panelMode, kPageConnect);
  EXPECT_EQ(navigation().thumbIndex, 1);
  EXPECT_TRUE(isManagedPage("*formParent"));
  EXPECT_FALSE(isManagedPage("*jarnQueFormF"));
  EXPECT_FALSE(XtIsSensitive(m().queueList));
  // The Extra tab is the last one and shows page 5.
  selectTab(6);
  EXPECT_EQ(setup().panelMode, kPageExtra);
  EXPECT_TRUE(isManagedPage("*advOptMainForm"));
}

TEST_F(MainWindow, PortTabWithoutCupsDaemonShowsTheMessage) {
  setup().fatalReason = 8;
  setThumbIndexSensitive(255, 255);
  int bells = navigation().bellCount;
  pickTabByKeys(1);
  EXPECT_EQ(navigation().bellCount, bells + 2);
  EXPECT_EQ(setup().messageCode, 11);
  EXPECT_EQ(pageText(), "Configuration File\n------------------\n*** NO CUPS DAEMON FOUND! ***");
  EXPECT_EQ(navigation().thumbIndex, 0);
  // The page switch to the Port page does nothing at all now.
  int before = navigation().pageBefore;
  int page = setup().panelMode;
  ManageMainForm(kPageConnect);
  EXPECT_EQ(navigation().pageBefore, before);
  EXPECT_EQ(setup().panelMode, page);
  EXPECT_FALSE(isManagedPage("*formParent"));
}

TEST_F(MainWindow, PageEightAndAboveManageNothing) {
  WarningCapture warnings;
  ManageMainForm(8);
  ManageMainForm(-1);
  pumpUntilIdle();
  EXPECT_TRUE(warnings.warnings().empty());
  for (const char* name : {"*jarnQueFormF", "*formParent", "*ppdSelMainForm", "*ppdSel2Form",
                           "*advOptMainForm", "*jarnMessageBox"}) {
    EXPECT_FALSE(isManagedPage(name)) << name;
  }
  EXPECT_EQ(setup().panelMode, kPageQueue);
}

TEST_F(MainWindow, EditEntriesSwitchPagesAndMasks) {
  // The masks alone: the queue page's classification of the name stays out.
  struct HookAside {
    void (*saved)(int) = pageHooks().goThroughPanel;
    HookAside() { pageHooks().goThroughPanel = nullptr; }
    ~HookAside() { pageHooks().goThroughPanel = saved; }
  } aside;
  setup().queueExists = 1;
  editEntryCB(nullptr, reinterpret_cast<XtPointer>(3L), nullptr);
  EXPECT_EQ(setup().panelMode, kPageDeviceOptions);
  EXPECT_TRUE(isManagedPage("*ppdSel2Form"));
  EXPECT_TRUE(XtIsSensitive(named("*mainMenuEditExtraConf")));  // an existing queue: 255
  setup().queueExists = 0;
  editEntryCB(nullptr, reinterpret_cast<XtPointer>(4L), nullptr);
  EXPECT_EQ(setup().panelMode, kPagePrintOptions);
  EXPECT_EQ(navigation().savedMenuSensitive, 47);  // a new queue
  EXPECT_TRUE(XtIsSensitive(named("*mainMenuEditPrntConf")));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuEditAdv")));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuEditExtraConf")));
}

// ---- the message page ----------------------------------------------------

TEST_F(MainWindow, UnknownCodeShowsTheHandAndOkOnlyReturns) {
  setEditMenuSensitive(255, 3);
  doMessage(99, "Title", "Some text");
  pumpUntilIdle();
  EXPECT_TRUE(isManagedPage("*jarnMessageBox"));
  EXPECT_FALSE(isManagedPage("*jarnQueFormF"));
  EXPECT_EQ(pageText(), "Title\n-----\nSome text");
  EXPECT_EQ(pageIcon(), programImages().pixmaps[kImgHand]);
  EXPECT_EQ(setup().okButtonMode, 1);
  EXPECT_EQ(setup().messagePageState, kPageMessage16);
  EXPECT_FALSE(XtIsSensitive(m().indexThumb));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuEditConnect")));
  EXPECT_EQ(navigation().savedMenuSensitive, 3);  // the recorded mask stays

  click(m().okButton, 10, 10);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
  EXPECT_FALSE(isManagedPage("*jarnMessageBox"));
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_EQ(setup().okButtonMode, 2);
  EXPECT_TRUE(XtIsSensitive(m().indexThumb));
  EXPECT_TRUE(XtIsSensitive(named("*mainMenuEditConnect")));
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuEditPPD")));
}

TEST_F(MainWindow, EmptyTitleGivesTheTextOnly) {
  doMessage(4, "", "Only the text");
  pumpUntilIdle();
  EXPECT_EQ(pageText(), "Only the text");
  EXPECT_EQ(pageIcon(), programImages().pixmaps[kImgQuestion]);
  click(m().quitButton, 10, 10);
  EXPECT_EQ(setup().messagePageState, kPageIdle);
}

TEST_F(MainWindow, QuestionOverAMessageBringsTheMessageBack) {
  doMessage(4, "Notice", "The message");
  pumpUntilIdle();
  bool menuOff = false, listOff = false;
  TimerStep answer{[&] {
    if (!viewable(m().okButton)) return false;
    menuOff = !XtIsSensitive(m().menuBar);
    listOff = !XtIsSensitive(m().queueList);
    fakeClick(m().okButton);
    return true;
  }};
  schedule(&answer);
  EXPECT_TRUE(askInMessagePanel(28, "Delete", "Really?"));
  EXPECT_TRUE(menuOff);
  EXPECT_TRUE(listOff);
  EXPECT_TRUE(XtIsSensitive(m().menuBar));
  EXPECT_EQ(pageText(), "Notice\n------\nThe message");
  EXPECT_EQ(setup().messagePageState, kPageMessage16);
  EXPECT_EQ(setup().okButtonMode, 1);
  EXPECT_TRUE(isManagedPage("*jarnMessageBox"));
  // OK now answers the message that came back.
  click(m().okButton, 10, 10);
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
}

TEST_F(MainWindow, QuitAnswersNoAndReturnsToThePage) {
  TimerStep answer{[&] {
    fakeClick(m().quitButton);
    return true;
  }};
  schedule(&answer);
  EXPECT_FALSE(askInMessagePanel(28, "Delete", "Really?"));
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_EQ(setup().okButtonMode, 2);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
  EXPECT_TRUE(XtIsSensitive(m().indexThumb));
}

TEST_F(MainWindow, QuitOnAMessageDropsIt) {
  doMessage(4, "Notice", "Dropped");
  pumpUntilIdle();
  click(m().quitButton, 10, 10);
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
  TimerStep answer{[&] {
    fakeClick(m().okButton);
    return true;
  }};
  schedule(&answer);
  EXPECT_TRUE(askInMessagePanel(28, "Q", "Nothing saved?"));
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_NE(pageText().find("Nothing saved?"), std::string::npos);
}

TEST_F(MainWindow, QuitWithNothingPendingAsksTheQuitQuestion) {
  click(m().quitButton, 10, 10);
  EXPECT_EQ(setup().messageCode, 1);
  EXPECT_EQ(pageText(), "Jarn 2.0-10: Quit Program\n-------------------------\nAre you sure you want to quit?");
  EXPECT_EQ(pageIcon(), programImages().pixmaps[kImgWarn2]);
  // Quit on the quit question goes back.
  click(m().quitButton, 10, 10);
  EXPECT_EQ(setup().messagePageState, kPageIdle);
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
}

TEST_F(MainWindow, SecondQuestionWhileOneWaitsIsAnsweredNo) {
  bool inner = true;
  TimerStep answer{[&] {
    inner = askInMessagePanel(24, "Inner", "Second?");
    fakeClick(m().okButton);
    return true;
  }};
  schedule(&answer);
  EXPECT_TRUE(askInMessagePanel(28, "Outer", "First?"));
  EXPECT_FALSE(inner);
}

// ---- the dialogs ---------------------------------------------------------

TEST_F(MainWindow, QuestionBoxWaitsForItsAnswer) {
  unsigned char type = 0;
  bool helpShown = true;
  bool menuOff = false;
  auto pressButton = [&](int child) {
    return TimerStep{[&, child] {
      Widget box = XtNameToWidget(shell(), "*qorQuestionBox");
      if (!box || !viewable(box)) return false;
      XtVaGetValues(box, XmNdialogType, &type, nullptr);
      helpShown = XtIsManaged(XmMessageBoxGetChild(box, XmDIALOG_HELP_BUTTON));
      menuOff = !XtIsSensitive(m().menuBar);
      fakeClick(XmMessageBoxGetChild(box, static_cast<unsigned char>(child)));
      return true;
    }};
  };
  TimerStep yes = pressButton(XmDIALOG_OK_BUTTON);
  schedule(&yes);
  EXPECT_TRUE(showQuestionBox(3, "Configuration File", "Yes", "No", "Create it?"));
  EXPECT_EQ(type, XmDIALOG_QUESTION);
  EXPECT_FALSE(helpShown);
  EXPECT_TRUE(menuOff);
  EXPECT_TRUE(XtIsSensitive(m().menuBar));

  TimerStep no = pressButton(XmDIALOG_CANCEL_BUTTON);
  schedule(&no);
  EXPECT_FALSE(showQuestionBox(4, "Warning", "OK", "Cancel", "Go on?"));
  EXPECT_EQ(type, XmDIALOG_WARNING);
  // Closed by the window manager, the box answers Cancel.
  TimerStep close{[&] {
    Widget box = XtNameToWidget(shell(), "*qorQuestionBox");
    if (!box || !viewable(box)) return false;
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = XtWindow(XtParent(box));
    event.xclient.message_type = XInternAtom(display(), "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display(), "WM_DELETE_WINDOW", False));
    XSendEvent(display(), event.xclient.window, False, NoEventMask, &event);
    XFlush(display());
    return true;
  }};
  schedule(&close);
  EXPECT_FALSE(showQuestionBox(3, "Configuration File", "Yes", "No", "Closed?"));
  // The back end's questions come here too.
  TimerStep again = pressButton(XmDIALOG_OK_BUTTON);
  schedule(&again);
  EXPECT_EQ(askQuestionBox("Configuration File", "Yes", "No", "Create?"), 1);
}

TEST_F(MainWindow, ConflictBoxPopsUpAndDown) {
  showConflictBox("Conflict", "Duplex needs the duplex unit.");
  Widget box = XtNameToWidget(shell(), "*qorConflictBox");
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(waitUntilViewable(box));
  unsigned char type = 0;
  XtVaGetValues(box, XmNdialogType, &type, nullptr);
  EXPECT_EQ(type, XmDIALOG_WARNING);
  Widget cancel = XmMessageBoxGetChild(box, XmDIALOG_CANCEL_BUTTON);
  XmString label = nullptr;
  XtVaGetValues(cancel, XmNlabelString, &label, nullptr);
  char* text = nullptr;
  XmStringGetLtoR(label, const_cast<char*>(XmFONTLIST_DEFAULT_TAG), &text);
  EXPECT_STREQ(text, "AutoResolve");
  XtFree(text);
  XmStringFree(label);
  fakeClick(XmMessageBoxGetChild(box, XmDIALOG_OK_BUTTON));
  pumpUntil([box] { return !XtIsManaged(box); }, 3000);
  EXPECT_FALSE(XtIsManaged(box));
}

// ---- the queue list -------------------------------------------------------

TEST_F(MainWindow, ListHeightFollowsTheQueueCountAndEveryQueueCanBeReached) {
  setQueueListRows(std::vector<std::string>(48, "* q"));
  EXPECT_EQ(navigation().queueListHeight, 828);
  std::vector<std::string> rows;
  for (int i = 0; i < 49; ++i) rows.push_back("* q" + std::to_string(i));
  setQueueListRows(rows);
  EXPECT_EQ(navigation().queueListHeight, 833);
  pumpUntilIdle();
  // The last queue scrolls into view and can be picked.
  XmListSetBottomPos(m().queueList, 49);
  pumpUntilIdle();
  int top = 0, visible = 0;
  XtVaGetValues(m().queueList, XmNtopItemPosition, &top, XmNvisibleItemCount, &visible, nullptr);
  EXPECT_EQ(top + visible - 1, 49);
  Position x = 0, y = 0;
  Dimension width = 0, height = 0;
  ASSERT_TRUE(XmListPosToBounds(m().queueList, 49, &x, &y, &width, &height));
  click(m().queueList, x + 10, y + height / 2);
  EXPECT_EQ(setup().printerName, "q48");
  int count = -1;
  setQueueListRows({});
  XtVaGetValues(m().queueList, XmNitemCount, &count, nullptr);
  EXPECT_EQ(count, 0);
}

TEST_F(MainWindow, ListPickIsUsedWhole) {
  std::string longName(300, 'n');
  setQueueListRows({"* " + longName, "Office"});
  pumpUntilIdle();
  click(m().queueList, 20, 6);
  // A picked name is used whole, up to the printer name's 127 bytes.
  EXPECT_EQ(setup().printerName, std::string(kPrinterNameSize - 1, 'n'));
  // While a question waits a pick changes nothing.
  TimerStep answer{[&] {
    Dimension h = 0;
    XtVaGetValues(m().queueList, XmNheight, &h, nullptr);
    Window child;
    int x = 0, y = 0;
    XTranslateCoordinates(display(), XtWindow(m().queueList), DefaultRootWindow(display()), 20, 22,
                          &x, &y, &child);
    XTestFakeMotionEvent(display(), DefaultScreen(display()), x, y, CurrentTime);
    XTestFakeButtonEvent(display(), 1, True, CurrentTime);
    XTestFakeButtonEvent(display(), 1, False, CurrentTime);
    XFlush(display());
    return true;
  }};
  TimerStep quit{[&] {
    fakeClick(m().quitButton);
    return true;
  }};
  schedule(&answer, 100);
  schedule(&quit, 400);
  askInMessagePanel(28, "Q", "Wait");
  EXPECT_EQ(setup().printerName, std::string(kPrinterNameSize - 1, 'n'));
}

TEST_F(MainWindow, PendingActionLocksTheListAndMenusUntilAnswered) {
  setQueueListRows({"* Office", "* Lab"});
  const struct {
    int code;
    bool locked;
  } cases[] = {{2, true}, {7, true}, {18, true}, {32, true}, {4, false}, {11, false}, {64, false}};
  for (const auto& c : cases) {
    setup().printerName = "Office";
    doMessage(c.code, "Pending", "text");
    pumpUntilIdle();
    EXPECT_EQ(XtIsSensitive(m().queueList), !c.locked) << c.code;
    EXPECT_EQ(XtIsSensitive(m().menuBar), !c.locked) << c.code;
    if (c.code == 2) {  // a pick on the list while the delete message stands changes nothing
      click(m().queueList, 20, 22);
      EXPECT_EQ(setup().printerName, "Office");
    }
    click(m().quitButton, 10, 10);
    EXPECT_TRUE(XtIsSensitive(m().queueList)) << c.code;
    EXPECT_TRUE(XtIsSensitive(m().menuBar)) << c.code;
  }
}

TEST_F(MainWindow, CreateAndResetDeselectTheListRow) {
  const std::function<void()> clears[] = {[] { setCreateMode(true); }, [] { resetProgram(); }};
  for (const auto& clear : clears) {
    setQueueListRows({"* Office", "* Lab"});
    pumpUntilIdle();
    click(m().queueList, 20, 6);
    ASSERT_EQ(setup().printerName, "Office");
    clear();
    int selected = -1;
    XtVaGetValues(m().queueList, XmNselectedItemCount, &selected, nullptr);
    EXPECT_EQ(selected, 0);
    EXPECT_EQ(setup().printerName, "");
    setCreateMode(false);
  }
}

TEST_F(MainWindow, TransparentImagePixelsTakeTheWidgetsBackground) {
  doMessage(99, "Hand", "icon");  // the hand icon on the message page
  pumpUntilIdle();
  const std::pair<Widget, int> cases[] = {{m().helpButton, kImgHelp}, {m().quitButton, kImgNo},
                                          {m().quitButton, kImgNoInv}, {named("*msgPixLabel"), kImgHand}};
  for (const auto& [widget, index] : cases) {
    Pixel background = 0;
    XtVaGetValues(widget, XmNbackground, &background, nullptr);
    XImage* image = XGetImage(display(), programImages().pixmaps[static_cast<size_t>(index)], 0, 0, 1, 1,
                              AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr) << index;
    EXPECT_EQ(XGetPixel(image, 0, 0), background) << index;
    XDestroyImage(image);
  }
  click(m().okButton, 10, 10);
}

TEST_F(MainWindow, DaemonQueuesAreListedAndATestPageIsReported) {
  if (!daemonThere()) GTEST_SKIP() << "no private CUPS daemon (run by run_window_tests.sh)";
  std::string queue = std::getenv("JARN_TEST_QUEUE");
  refreshQueueList();
  int count = 0;
  XmStringTable items = nullptr;
  XtVaGetValues(m().queueList, XmNitemCount, &count, XmNitems, &items, nullptr);
  ASSERT_GE(count, 1);
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) {
    char* text = nullptr;
    XmStringGetLtoR(items[i], const_cast<char*>("TAGC"), &text);
    rows.push_back(text ? text : "");
    XtFree(text);
  }
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1], "* " + queue + std::string(64 - queue.size(), ' '));
  Position x = 0, y = 0;
  Dimension width = 0, height = 0;
  ASSERT_TRUE(XmListPosToBounds(m().queueList, 2, &x, &y, &width, &height));
  click(m().queueList, x + 10, y + height / 2);
  EXPECT_EQ(setup().printerName, queue);
  EXPECT_EQ(setup().queueExists, 1);
  EXPECT_TRUE(XtIsSensitive(named("*mainMenuOptions_b3testPrint1ASCII")));
  testPrintForKind(kTestText1);
  pumpUntilIdle();
  EXPECT_EQ(setup().messageCode, kMsgTestPrintPassed);
  EXPECT_EQ(pageIcon(), programImages().pixmaps[kImgQuestion]);
  // The data reaches the socket queue's listener.
  std::string out = std::getenv("JARN_TEST_QUEUE_OUT");
  bool arrived = pumpUntil(
      [&] {
        std::ifstream in(out);
        return in.peek() != std::ifstream::traits_type::eof();
      },
      20000);
  EXPECT_TRUE(arrived);
}

TEST_F(MainWindow, OkOnTheDeleteQuestionDeletesTheQueue) {
  if (!daemonThere()) GTEST_SKIP() << "no private CUPS daemon (run by run_window_tests.sh)";
  std::string doomed = std::getenv("JARN_TEST_DOOMED_QUEUE");
  refreshQueueList();
  ASSERT_TRUE(isSystemQueue(doomed));
  setup().printerName = doomed;
  doMessage(2, "Delete a Queue", "Are you sure you want to delete queue:\n\t" + doomed + "?\n");
  pumpUntilIdle();
  EXPECT_EQ(pageIcon(), programImages().pixmaps[kImgHand]);
  click(m().okButton, 10, 10);
  EXPECT_EQ(setup().printerName, "");
  EXPECT_FALSE(isSystemQueue(doomed));
  int count = 0;
  XtVaGetValues(m().queueList, XmNitemCount, &count, nullptr);
  EXPECT_EQ(count, 1);  // only the socket queue is left
  EXPECT_FALSE(XtIsSensitive(named("*mainMenuOptions_b3testPrint1PS")));
  EXPECT_TRUE(isManagedPage("*jarnQueFormF"));
}

// A password field as the option and advanced pages make it: the verify
// callback guards the edits, the change callback merges the shown text into
// the clear-text shadow and shows one '*' a character.
std::string shadow;
void maskingCB(Widget w, XtPointer, XtPointer) {
  if (passwordFieldGuard()) return;
  shadow = updateShadow(getTextValue(w), shadow);
  writeGuardedText(w, std::string(getTextValue(w).size(), '*'), &passwordFieldGuard());
}

TEST(PasswordField, KeepsTheSecretAsTypedAndRefusesEditsItCannotPlace) {
  TestShell top("passwordShell");
  Widget field = XtVaCreateManagedWidget("passwordTxt", xmTextFieldWidgetClass, top, XmNmaxLength, 7,
                                         XmNcolumns, 10, nullptr);
  XtAddCallback(field, XmNmodifyVerifyCallback, passwordVerifyCB, nullptr);
  XtAddCallback(field, XmNvalueChangedCallback, maskingCB, nullptr);
  top.show();
  focusOn(field);
  const struct {
    const char* keys;  // typed text; "<" BackSpace, "L" Left, "A" all selected first
    const char* shown;
    const char* secret;
  } steps[] = {{"123", "***", "123"}, {"<", "**", "12"},   {"L9", "**", "12"},  {"*", "**", "12"},
               {"a", "**", "12"},     {"-", "**", "12"},   {"<", "*", "1"},     {"45", "***", "145"},
               {"A7", "*", "7"},      {"<", "", ""},       {"+8", "**", "+8"}};
  for (const auto& s : steps) {
    for (const char* k = s.keys; *k; ++k) {
      if (*k == '<') tapKey(XK_BackSpace);
      else if (*k == 'L') tapKey(XK_Left);
      else if (*k == 'A') XmTextFieldSetSelection(field, 0, XmTextFieldGetLastPosition(field), CurrentTime);
      else typeText(std::string(1, *k));
    }
    tapKey(XK_End);
    EXPECT_EQ(getTextValue(field), s.shown) << s.keys;
    EXPECT_EQ(shadow, s.secret) << s.keys;
  }
  // The program's own writes pass the verify under the guard.
  writeGuardedText(field, "**", &passwordFieldGuard());
  EXPECT_EQ(getTextValue(field), "**");
}

TEST(FilePath, DirectoryOfAChosenPath) {
  const struct {
    const char* path;
    bool ok;
    const char* dir;
  } cases[] = {{"/x", true, "/"}, {"/tmp/out", true, "/tmp"}, {"out", false, ""}};
  for (const auto& c : cases) {
    std::string dir;
    EXPECT_EQ(fileDirectoryOf(c.path, &dir), c.ok) << c.path;
    EXPECT_EQ(dir, c.dir) << c.path;
  }
}

}  // namespace

// The display first, then the main window on it.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new x11test::X11Environment);
  ::testing::AddGlobalTestEnvironment(new MainWindowEnvironment);
  return RUN_ALL_TESTS();
}
