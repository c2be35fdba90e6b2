// The administration program's toolkit helpers on a real display: images,
// compound strings, the digits check with real typing, lists and the close
// protocol.
#include "x11_harness.h"

#include <Xm/List.h>
#include <Xm/Protocols.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <sys/stat.h>

#include "dialog_shells.h"
#include "image_set.h"
#include "list_helpers.h"
#include "program_exit.h"
#include "test_support.h"
#include "text_fields.h"
#include "xm_strings.h"

using testing_support::TempDir;

namespace {

std::string projectDir() {
  const char* dir = std::getenv("JARN_IMAGE_DIR");
  return dir ? dir : ".";
}

TEST(ImageSet, FileNamesFollowTheSetAndTheInvertedForm) {
  EXPECT_EQ(imageFileName(kImgOK, 'b'), "images/buttonOKb.xpm");
  EXPECT_EQ(imageFileName(kImgOKInv, 'c'), "images/buttonOKInvc.xpm");
  EXPECT_EQ(imageFileName(kImgPreviousInv, 'b'), "images/buttonPreviousInvb.xpm");
  EXPECT_EQ(imageFileName(kImgHand, 'c'), "images/handc.xpm");
  EXPECT_EQ(imageFileName(kImgQuestion, 'b'), "images/questionb.xpm");
  EXPECT_EQ(imageFileName(kImageCount, 'b'), "");
}

TEST(ImageSet, EveryImageOfBothSetsIsInstalled) {
  x11test::TestShell shell;
  ButtonImages grey, colour;
  loadButtonPixmaps(&grey, shell, projectDir(), true);
  loadButtonPixmaps(&colour, shell, projectDir(), false);
  for (int i = 0; i < kImageCount; ++i) {
    EXPECT_NE(grey.pixmaps[static_cast<size_t>(i)], 0u) << imageFileName(i, 'b');
    EXPECT_NE(colour.pixmaps[static_cast<size_t>(i)], 0u) << imageFileName(i, 'c');
  }
}

TEST(ImageSet, ColourSetFallsBackToGreyFilesAndMissingOnesStayZero) {
  TempDir t;
  ASSERT_EQ(::mkdir((t / "images").c_str(), 0755), 0);
  // Only the grey files, and not the hand icon.
  for (int i = 0; i < kImageCount; ++i) {
    if (i == kImgHand) continue;
    std::string name = imageFileName(i, 'b');
    testing_support::writeFile(t / name, testing_support::readFile(projectDir() + "/" + name));
  }
  x11test::TestShell shell;
  ButtonImages images;
  loadButtonPixmaps(&images, shell, t.path(), false);
  for (int i = 0; i < kImageCount; ++i) {
    if (i == kImgHand) EXPECT_EQ(images.pixmaps[static_cast<size_t>(i)], 0u);
    else EXPECT_NE(images.pixmaps[static_cast<size_t>(i)], 0u) << i;
  }
  testing_support::writeFile(t / "images/broken.xpm", "not an image");
  EXPECT_EQ(loadXpmPixmap(shell, t.path(), "images/broken.xpm"), 0u);
  EXPECT_EQ(loadXpmPixmap(nullptr, t.path(), imageFileName(kImgOK, 'b')), 0u);
}

TEST(XmStrings, ListParsingAndTextRoundTrips) {
  std::vector<XmString> items = parseXmStringList("a,  b\\,c,,d");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(xmStringToText(items[0]), "a");
  EXPECT_EQ(xmStringToText(items[1]), "b,c");
  EXPECT_EQ(xmStringToText(items[2]), "");
  EXPECT_EQ(xmStringToText(items[3]), "d");
  for (XmString s : items) XmStringFree(s);

  XmString two = XmStringCreateLtoR(const_cast<char*>("first\nsecond"),
                                    const_cast<char*>(XmFONTLIST_DEFAULT_TAG));
  EXPECT_EQ(xmStringFirstLine(two), "first");
  EXPECT_EQ(xmStringToText(two), "first\nsecond");
  XmStringFree(two);
  EXPECT_EQ(makeXmString(nullptr), nullptr);
}

TEST(XmStrings, PaddingReachesTheWidthAndAddsTheColon) {
  x11test::TestShell shell;
  XmFontList fonts = loadFontList(shell, "fixed");
  ASSERT_NE(fonts, nullptr);
  XmString shortOne = setXmStringLength("Host", fonts, 100, 1);
  std::string padded = xmStringToText(shortOne);
  EXPECT_GE(XmStringWidth(fonts, shortOne), 100);
  EXPECT_EQ(padded.substr(0, 5), "Host ");
  EXPECT_EQ(padded.back(), ':');
  XmStringFree(shortOne);

  XmString wide = setXmStringLength("A rather long label text", fonts, 10, 1);
  EXPECT_EQ(xmStringToText(wide), "A rather long label text");
  XmStringFree(wide);
  XmFontList fallback = loadFontList(shell, "-no-such-font-*");
  EXPECT_NE(fallback, nullptr);
  XmFontListFree(fallback);
  XmFontListFree(fonts);
}

TEST(TextFields, DigitsCheckOnRealTyping) {
  x11test::TestShell shell;
  Widget field = XtVaCreateManagedWidget("digitsTxt", xmTextFieldWidgetClass, shell, XmNcolumns, 10, nullptr);
  XtAddCallback(field, XmNmodifyVerifyCallback, digitsVerifyCB, nullptr);
  shell.show();
  x11test::focusOn(field);
  x11test::typeText("-12a3");
  x11test::pumpUntilIdle();
  EXPECT_EQ(getTextValue(field), "-123");
  setTextValue(field, "");
  x11test::typeText("+*");
  x11test::pumpUntilIdle();
  EXPECT_EQ(getTextValue(field), "+*");
  // Text set by the program passes the same check: a decimal point is refused.
  setTextFromDouble(field, 1.5);
  EXPECT_EQ(getTextValue(field), "+*");
  XtRemoveCallback(field, XmNmodifyVerifyCallback, digitsVerifyCB, nullptr);
  setTextFromInt(field, 42);
  EXPECT_EQ(getTextAsInt(field), 42);
  setTextFromDouble(field, 1.5);
  EXPECT_EQ(getTextValue(field), "1.500000");
  EXPECT_DOUBLE_EQ(getTextAsDouble(field), 1.5);
  EXPECT_EQ(getTextAsInt(shell), 0);
}

TEST(TextFields, BaseNameCutsDirectoryAndExtension) {
  EXPECT_EQ(baseName("/usr/share/ppd/Velta-C400-PS-en.ppd"), "Velta-C400-PS-en");
  EXPECT_EQ(baseName("name"), "name");
  EXPECT_EQ(baseName("/a/.hidden"), ".hidden");
}

TEST(Lists, SortSelectAndReplace) {
  x11test::TestShell shell;
  Widget list = XmCreateScrolledList(shell, const_cast<char*>("printerScrlList"), nullptr, 0);
  XtManageChild(list);
  listSetItems(list, {"beta", "Alpha", "gamma"});
  listSortItems(list);
  XmListSelectPos(list, 2, False);
  EXPECT_EQ(listFirstSelected(list), 2);
  EXPECT_EQ(listFirstSelectedText(list), "beta");
  listReplaceItem(list, 3, "delta");
  EXPECT_EQ(listSelectedCount(list), 1);
  EXPECT_EQ(listFirstSelectedText(list), "delta");
  listAddItem(list, "omega");
  int count = 0;
  XtVaGetValues(list, XmNitemCount, &count, nullptr);
  EXPECT_EQ(count, 4);
}

TEST(Dialogs, CloseOnAnApplicationShellRequestsExitZero) {
  x11test::TestShell shell;
  shell.show();
  XmAnyCallbackStruct cbs{};
  cbs.reason = XmCR_WM_PROTOCOLS;
  Widget app = XtVaAppCreateShell("closeTest", "CloseTest", applicationShellWidgetClass,
                                  x11test::display(), nullptr);
  wmProtocolsCB(app, nullptr, &cbs);
  EXPECT_TRUE(XtAppGetExitFlag(x11test::app()));
  EXPECT_EQ(programExitStatus(), 0);
  XtDestroyWidget(app);
}

}  // namespace
