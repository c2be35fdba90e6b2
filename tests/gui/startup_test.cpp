// Start-up of the administration program without a display: options,
// environment bounds, fallback resources, the information file and the
// start-up printer's PPD path, and the texts of the message page.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <string>
#include <tuple>
#include <vector>

#include "fallback_resources.h"
#include "font_fallback.h"
#include "info_file.h"
#include "message_page.h"
#include "page_navigation.h"
#include "question_dialogs.h"
#include "setup_state.h"
#include "startup.h"
#include "startup_options.h"
#include "test_support.h"
#include "trace.h"

using testing_support::TempDir;
using testing_support::writeFile;

namespace {

class StartupOptions : public ::testing::Test {
 protected:
  void SetUp() override { resetSetup(); }
  void TearDown() override { setTraceLevel(0); }

  StartupValues parse(std::vector<std::string> args, std::string* errors = nullptr) {
    args.insert(args.begin(), "Jarn.exe");
    StartupValues v;
    char* buffer = nullptr;
    size_t size = 0;
    FILE* err = open_memstream(&buffer, &size);
    parseStartupOptions(args, &v, err);
    std::fclose(err);
    if (errors) *errors = std::string(buffer, size);
    std::free(buffer);
    return v;
  }
};

TEST_F(StartupOptions, SmallWindowSizesAreRaisedToTheMinimum) {
  StartupValues v = parse({"-x", "100", "-y", "100"});
  EXPECT_EQ(v.width, 620);
  EXPECT_EQ(v.height, 450);
  v = parse({"-x", "800", "-y", "600"});
  EXPECT_EQ(v.width, 800);
  EXPECT_EQ(v.height, 600);
  v = parse({});
  EXPECT_EQ(v.width, 640);
  EXPECT_EQ(v.height, 480);
}

TEST_F(StartupOptions, RestoreModeOutOfRangeBecomesOne) {
  EXPECT_EQ(parse({"-r", "7"}).restoreMode, 1);
  EXPECT_EQ(parse({"-r", "-1"}).restoreMode, 1);
  EXPECT_EQ(parse({"-r", "2"}).restoreMode, 2);
  EXPECT_EQ(parse({"-r", "0"}).restoreMode, 0);
}

TEST_F(StartupOptions, MailboxOption) {
  parse({"-M0"});
  EXPECT_EQ(setup().mailboxSupport, 1);
  EXPECT_EQ(setup().mailboxMax, 100);
  parse({"-MC0"});
  EXPECT_EQ(setup().mailboxSupport, 0);
  resetSetup();
  parse({"-MX"});
  EXPECT_EQ(setup().mailboxSupport, 0);
  resetSetup();
  parse({"-MC50"});
  EXPECT_EQ(setup().mailboxSupport, 1);
  EXPECT_EQ(setup().mailboxMax, 50);
  resetSetup();
  parse({"-Mc7"});
  EXPECT_EQ(setup().mailboxMax, 7);
}

TEST_F(StartupOptions, NoPjlOption) {
  EXPECT_EQ(parse({"-N", "0PJL"}).noPjl, 0);
  EXPECT_EQ(parse({"-N", "0OPJL"}).noPjl, 0);  // a leading 0 wins
  EXPECT_EQ(parse({"-N", "xOPJLx"}).noPjl, 1);
  EXPECT_EQ(parse({"-N", "1"}).noPjl, 1);
  EXPECT_EQ(parse({"-N", "PJL"}).noPjl, 0);
}

TEST_F(StartupOptions, NamesDirectoriesAndTrace) {
  StartupValues v = parse({"-W", "/srv/jarn", "-H", "/home/j", "-U", "alice", "-P", "Office",
                           "-s", "/x/jarnInfo2.0", "-Z", "3", "-a", "2", "-v", "-h"});
  EXPECT_EQ(v.usrDir, "/srv/jarn");
  EXPECT_EQ(v.homeDir, "/home/j");
  EXPECT_EQ(v.userName, "alice");
  EXPECT_EQ(v.printerName, "Office");
  EXPECT_EQ(setup().printerName, "Office");
  EXPECT_EQ(v.infoFilePath, "/x/jarnInfo2.0");
  EXPECT_EQ(traceLevel(), 3);
  EXPECT_EQ(setup().colourMode, 2);
  EXPECT_TRUE(v.verbose);
  EXPECT_TRUE(v.showUsage);
}

TEST_F(StartupOptions, OverlongValuesAreRefused) {
  std::string errors;
  std::string longPath(300, 'p');
  StartupValues v = parse({"-W", "/" + longPath, "-U", std::string(80, 'u'), "-P",
                           std::string(128, 'q'), "-s", longPath},
                          &errors);
  EXPECT_EQ(v.usrDir, "/opt/bry/");
  EXPECT_EQ(v.userName, "");
  EXPECT_EQ(v.printerName, "");
  EXPECT_EQ(setup().printerName, "Default");
  EXPECT_EQ(v.infoFilePath, "");
  EXPECT_NE(errors.find("-W"), std::string::npos);
  EXPECT_NE(errors.find("-U"), std::string::npos);
  EXPECT_NE(errors.find("-P"), std::string::npos);
  EXPECT_NE(errors.find("-s"), std::string::npos);
  // The longest values that fit are taken.
  v = parse({"-U", std::string(79, 'u'), "-P", std::string(127, 'q')});
  EXPECT_EQ(v.userName.size(), 79u);
  EXPECT_EQ(setup().printerName.size(), 127u);
}

TEST(StartupDisplay, DisplayOptionIsTakenOutBeforeTheOptions) {
  std::vector<std::string> args = {"Jarn.exe", "-x", "700", "-display", ":7", "-W", "/w"};
  EXPECT_EQ(extractDisplayOption(args), ":7");
  EXPECT_EQ(args, (std::vector<std::string>{"Jarn.exe", "-x", "700", "-W", "/w"}));
  resetSetup();
  StartupValues v;
  parseStartupOptions(args, &v);
  EXPECT_EQ(v.usrDir, "/w");
  EXPECT_EQ(v.infoFilePath, "");  // not "play" from "-d -i -s play"

  std::vector<std::string> other = {"Jarn.exe", "-display=host:1.0"};
  EXPECT_EQ(extractDisplayOption(other), "host:1.0");
  EXPECT_EQ(other.size(), 1u);
  std::vector<std::string> none = {"Jarn.exe", "-x", "640"};
  EXPECT_EQ(extractDisplayOption(none), "");
}

TEST(StartupDisplay, ToolkitOptionsAndLeftoverArgumentsReachTheToolkit) {
  const struct {
    std::vector<std::string> args, toolkit;
    int width;
  } cases[] = {
      {{"-xrm", "*a: 1", "-x", "700", "-iconic", "-bg", "red"}, {"-xrm", "*a: 1", "-iconic", "-bg", "red"}, 700},
      {{"-geometry", "+5+5", "-W", "/w", "--", "-xrm", "*c: 2"}, {"-geometry", "+5+5", "-xrm", "*c: 2"}, 640},
      {{"-xrm"}, {}, 620},  // no value: getopt reads -x rm
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin(), "Jarn.exe");
    resetSetup();
    StartupValues v;
    v.toolkitArgs = extractToolkitOptions(args);
    parseStartupOptions(args, &v);
    EXPECT_EQ(v.toolkitArgs, c.toolkit) << c.args[0];
    EXPECT_EQ(v.width, c.width) << c.args[0];
  }
}

TEST(StartupFonts, MissingFontGetsTheNearestOfItsWeightAndSlant) {
  const std::vector<std::string> installed = {
      "-b&h-lucida-medium-r-normal-sans-10-100-75-75-p-58-iso8859-1",
      "-b&h-lucida-bold-r-normal-sans-12-120-75-75-p-79-iso8859-1",
      "-b&h-lucida-bold-r-normal-sans-10-100-75-75-p-66-iso10646-1",
      "-b&h-lucida-bold-r-normal-sans-10-100-75-75-p-66-iso8859-1",
      "-b&h-lucida-bold-i-normal-sans-10-100-75-75-p-67-iso8859-1",
      "-adobe-helvetica-bold-o-normal--10-100-75-75-p-60-iso8859-1"};
  const char* const cases[][2] = {
      {"-*-lucida-bold-r-normal--10-*", "-b&h-lucida-bold-r-normal-sans-10-100-75-75-p-66-iso8859-1"},
      {"-*-lucida-bold-i-normal--10-*", "-b&h-lucida-bold-i-normal-sans-10-100-75-75-p-67-iso8859-1"},
      {"-*-lucida-bold-r-normal--14-*", "-b&h-lucida-bold-r-normal-sans-12-120-75-75-p-79-iso8859-1"},
      {"-*-times-bold-o-normal--10-*", "-adobe-helvetica-bold-o-normal--10-100-75-75-p-60-iso8859-1"},
      {"-*-lucida-demibold-r-normal--10-*", ""}};
  for (const auto& c : cases) EXPECT_EQ(nearestFontName(c[0], installed), c[1]) << c[0];
  auto other = [](const std::string& f) { return f == "gone" ? std::string("there") : std::string(); };
  EXPECT_EQ(replaceFontsInList("gone=TAGC, kept,gone", other), "there=TAGC, kept,there");
}

TEST(Navigation, LpdSpoolDirectoryOfANewQueue) {
  const std::tuple<int, const char*, int, const char*> cases[] = {
      {kLpBsd, "Q", 1, "/var/spool/lpd/Q"}, {kLpLprng, "R", 1, "/var/spool/lpd/R"},
      {kLpCups, "Q", 1, ""}, {kLpBsd, "", 0, ""}};
  for (const auto& [lpMode, name, result, spoolDir] : cases) {
    resetSetup();
    setup().lpMode = lpMode;
    setup().lpdHost = "h";
    setup().remoteQueue = "rq";
    EXPECT_EQ(setLpdSpoolDir(name), result);
    EXPECT_EQ(setup().newQueueRemoteHost + setup().newQueueRemoteQueue, result ? "hrq" : "");
    EXPECT_EQ(setup().newQueueSpoolDir, spoolDir);
  }
}

TEST(StartupEnvironment, OverlongValueIsDropped) {
  ::setenv("JARN_TEST_VALUE", std::string(255, 'a').c_str(), 1);
  EXPECT_EQ(boundedEnvironment("JARN_TEST_VALUE", 256).size(), 255u);
  ::setenv("JARN_TEST_VALUE", std::string(256, 'a').c_str(), 1);
  EXPECT_EQ(boundedEnvironment("JARN_TEST_VALUE", 256), "");
  ::unsetenv("JARN_TEST_VALUE");
  EXPECT_EQ(boundedEnvironment("JARN_TEST_VALUE", 256), "");
}

TEST(StartupUsage, UsageTextLines) {
  const std::vector<std::string>& lines = usageLines();
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines.front(), "Jarn version 2.0-10.");
  EXPECT_EQ(lines[3], "\t-display XXX : external display XXX");
  // Exactly the options the parser takes: each listed, no other.
  std::string listed;
  for (const std::string& l : lines) {
    if (l.size() > 2 && l[0] == '\t' && l[1] == '-' && l.compare(1, 8, "-display") != 0) listed += l[2];
  }
  EXPECT_EQ(listed, "aefhrsuvxyAFHMNPSUWYZ");
  EXPECT_EQ(lines.back(), "\t-Zx : set qor debug mode;                          [FALSE].");
}

TEST(StartupResources, FallbackResourcesInOrder) {
  const std::vector<std::string>& lines = fallbackResourceLines();
  ASSERT_EQ(lines.size(), 9u + 14u + 1u);
  EXPECT_EQ(lines[2], "Jarn9_1*XmList.fontList:    -*-lucida-bold-i-normal--10-*=TAGC");
  EXPECT_EQ(lines[12], "*XmForm.borderWidth:                    1");
  for (size_t i = 9; i < 23; ++i) EXPECT_EQ(lines[i].find('1'), 40u) << lines[i];
  EXPECT_EQ(lines.back(), "*keyboardFocusPolicy:                   explicit");
  String* array = fallbackResources();
  EXPECT_STREQ(array[0], lines[0].c_str());
  EXPECT_EQ(array[lines.size()], nullptr);
}

TEST(StartupPaths, JoinedPathsThatDoNotFitAreNotFound) {
  EXPECT_EQ(joinBoundedPath("/opt/bry/", "P"), "/opt/bry/P");
  EXPECT_EQ(joinBoundedPath("/opt/bry", "P"), "/opt/bry/P");
  EXPECT_EQ(joinBoundedPath("/" + std::string(250, 'd'), "name"), "");
  EXPECT_EQ(joinBoundedPath("", "name"), "");
}

TEST(StartupPaths, RelativePpdPathIsMadeAbsolute) {
  EXPECT_EQ(absolutePpdPath("/opt/bry/P", "./x.ppd"), "/opt/bry/P/x.ppd");
  EXPECT_EQ(absolutePpdPath("/opt/bry/P/", "x.ppd"), "/opt/bry/P/x.ppd");
  EXPECT_EQ(absolutePpdPath("/opt/bry/P", "/abs/y.ppd"), "/abs/y.ppd");
  EXPECT_EQ(absolutePpdPath("/opt/bry/P", ""), "");
  EXPECT_EQ(absolutePpdPath("/" + std::string(250, 'd'), "./x.ppd"), "");
}

// The information file and jarnConfig of a prepared tree, read as start-up does.
TEST(StartupInformation, ReadsTheStartPrintersConfiguration) {
  TempDir dir;
  resetSetup();
  std::string usr = dir.path();
  writeFile(usr + "/jarnInfo2.0", defaultInfoFileText(usr, "P"));
  ASSERT_EQ(::mkdir((usr + "/P").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((usr + "/P/root").c_str(), 0755), 0);
  writeFile(usr + "/P/root/jarnConfig",
            "%%JARN_CONFIGURATION_FILE\n%%JARN_VERSION_1.0\n$$$QORSTARTPRINT\n"
            "PRINTERNAME P\nPPDFILE      ./x.ppd\n$$$QORENDPRINT\n");
  StartupValues v;
  v.usrDir = usr;
  v.printerName = "P";
  loadInformation(&v);
  EXPECT_EQ(setup().userDir, usr);
  EXPECT_EQ(v.userName, "root");
  EXPECT_EQ(setup().ppdDirText, usr + "/P/");
  EXPECT_EQ(setup().ppdFileText, usr + "/P/x.ppd");

  // Without a PPD line the path stays empty.
  resetSetup();
  writeFile(usr + "/P/root/jarnConfig",
            "%%JARN_CONFIGURATION_FILE\n%%JARN_VERSION_1.0\n$$$QORSTARTPRINT\n$$$QORENDPRINT\n");
  StartupValues w;
  w.usrDir = usr;
  w.printerName = "P";
  loadInformation(&w);
  EXPECT_EQ(setup().ppdFileText, "");
}

TEST(MessageTexts, TitleDashesAndBound) {
  EXPECT_EQ(layoutMessageText("Quit", "Sure?"), "Quit\n----\nSure?");
  EXPECT_EQ(layoutMessageText("", "Only text"), "Only text");
  std::string big(5000, 'x');
  EXPECT_EQ(layoutMessageText("T", big).size(), kMessageTextMax);
  EXPECT_EQ(layoutMessageText(big, "t").size(), kMessageTextMax);
  EXPECT_EQ(numericFieldText("Port", "12a"),
            "The text for the 'Port'\nmust be numerical only!\nThe actual value is:\n\t12a.");
}

TEST(MessageTexts, IconKinds) {
  EXPECT_EQ(messageIconKind(1), 4);
  EXPECT_EQ(messageIconKind(2), 1);
  EXPECT_EQ(messageIconKind(11), 2);
  EXPECT_EQ(messageIconKind(37), 3);
  EXPECT_EQ(messageIconKind(40), 5);
  EXPECT_EQ(messageIconKind(99), 1);
  EXPECT_EQ(messageIconKind(-3), 1);
  EXPECT_EQ(messageIconKind(500), 1);
}

TEST(Navigation, QueueListHeights) {
  EXPECT_EQ(queueListHeightFor(0), 828);
  EXPECT_EQ(queueListHeightFor(48), 828);
  EXPECT_EQ(queueListHeightFor(49), 833);
  EXPECT_EQ(queueListHeightFor(1000), 17000);
  EXPECT_EQ(queueListHeightFor(5000), 32767);
}

}  // namespace
