// Text routines, the in-process word expansion and the mailbox summary code.
#include "string_helpers.h"

#include <gtest/gtest.h>

#include "setup_state.h"
#include "test_support.h"

namespace {

class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_) ::setenv(name_.c_str(), old_.c_str(), 1);
    else ::unsetenv(name_.c_str());
  }

 private:
  std::string name_, old_;
  bool had_;
};

TEST(TextRoutines, TrimRightCutsBlanksAndLineFeedsOnly) {
  std::string s = "abc \n \n";
  EXPECT_EQ(trimRight(s), 2);
  EXPECT_EQ(s, "abc");
  std::string blanks = "     ";
  EXPECT_EQ(trimRight(blanks), -1);
  EXPECT_EQ(blanks, "");
  std::string limited = "abcdef   ";
  trimRight(limited, 4);
  EXPECT_EQ(limited, "abcd");
  std::string tab = "x\t";
  trimRight(tab);
  EXPECT_EQ(tab, "x\t");
}

TEST(TextRoutines, SkipBlanksAndWords) {
  std::string s = "  \tword next";
  size_t w = skipBlanks(s);
  EXPECT_EQ(w, 3u);
  EXPECT_EQ(skipWord(s, w), 7u);
  EXPECT_EQ(skipBlanks("   "), 3u);
  EXPECT_EQ(skipBlanksInLine(" \n x"), 1u);
}

TEST(TextRoutines, StripQueueMarker) {
  EXPECT_EQ(stripQueueMarker("* lp0: "), "lp0");
  EXPECT_EQ(stripQueueMarker("*lp0"), "lp0");
  EXPECT_EQ(stripQueueMarker("queue:"), "queue");
  std::string longText(1001, 'a');
  longText += ":";
  EXPECT_EQ(stripQueueMarker(longText), longText);
}

TEST(TextRoutines, PadAndCentre) {
  EXPECT_EQ(padString("abc", 3, 5), "abc  ");
  EXPECT_EQ(padString("abcdef", 6, 3), "abc");
  EXPECT_EQ(padString("abcdef", 2, 4), "ab  ");
  EXPECT_EQ(centerLabelText("OK"), "      OK      ");
  EXPECT_EQ(centerLabelText("abc"), "     abc      ");
  EXPECT_EQ(centerLabelText("0123456789abcdefg"), "0123456789abcd");
  EXPECT_EQ(centerLabelText("0123456789abc"), "0123456789abc ");
  EXPECT_EQ(centerLabelText("").size(), 14u);
}

TEST(TextRoutines, SpareTextRoutines) {
  EXPECT_EQ(escapeForShell("a b(c)%"), "a\\ b\\(c\\)\\%");
  EXPECT_EQ(commasToHashes("a, b,c"), "a#b#c");
  EXPECT_EQ(isNonEmpty(nullptr), 0);
  EXPECT_EQ(isNonEmpty(""), 0);
  EXPECT_EQ(isNonEmpty("x"), 1);
  EXPECT_EQ(nextLine("one\ntwo"), "two");
  EXPECT_EQ(nextLine("one"), "");
  EXPECT_EQ(addTrailingSlash("/opt"), "/opt/");
  EXPECT_EQ(addTrailingSlash("/opt/"), "/opt/");
  EXPECT_EQ(afterBang("host!queue"), "queue");
  EXPECT_EQ(afterBang("queue"), "queue");
  EXPECT_EQ(afterFirstLine(nullptr), "NONE");
  EXPECT_EQ(afterFirstLine("a\nb"), "b");
  EXPECT_EQ(stripHostPart(nullptr), "NONE");
  EXPECT_EQ(stripHostPart("host/queue: "), "queue");
  EXPECT_EQ(cutAtSlash("host: /x"), "host");
  EXPECT_EQ(countStrings({}), 0);
  EXPECT_EQ(countStrings({"", "b"}), 0);
  EXPECT_EQ(countStrings({"a", "b"}), 2);
  std::string up;
  EXPECT_EQ(toUpperCopy("Velta c400", &up), 1);
  EXPECT_EQ(up, "VELTA C400");
  EXPECT_EQ(toUpperCopy(nullptr, &up), 0);
  EXPECT_EQ(up, "");
}

TEST(TextRoutines, MatchAliasNeedsSeparators) {
  EXPECT_EQ(matchAlias("lp|printer|main:", "lp"), 1);
  EXPECT_EQ(matchAlias("lp|printer|main:", "printer"), 1);
  EXPECT_EQ(matchAlias("lp|printer|main:", "main"), 1);
  EXPECT_EQ(matchAlias("lp|printers:", "printer"), 0);
  EXPECT_EQ(matchAlias("lp|xmain:", "main"), 0);
}

TEST(TextRoutines, PPDFileNamesAndPrinterTypes) {
  EXPECT_EQ(isPPDFileName("a.ppd"), 1);
  EXPECT_EQ(isPPDFileName("A.PPD"), 1);
  EXPECT_EQ(isPPDFileName("a.ppd.gz"), 1);
  EXPECT_EQ(isPPDFileName("ppd"), 0);
  EXPECT_EQ(isPPDFileName("a.txt"), 0);
  EXPECT_EQ(isPPDFileName("a.pdf.gz"), 0);
  EXPECT_EQ(printerTypeFromText("KRPA POSTSCRIPT"), 4);
  EXPECT_EQ(printerTypeFromText("POSTSCRIPT"), 1);
  EXPECT_EQ(printerTypeFromText("xPCLx"), 2);
  EXPECT_EQ(printerTypeFromText("PXL"), 3);
  EXPECT_EQ(printerTypeFromText("RAW"), 5);
  EXPECT_EQ(printerTypeFromText(""), 0);
}

TEST(TextRoutines, SavedPPDFileName) {
  resetSetup();
  setup().ppdFile = "/a.ppd";
  savePPDFileName();
  setup().ppdFile = "";
  savePPDFileName();  // an empty name is not kept
  restorePPDFileName();
  EXPECT_EQ(setup().ppdFile, "/a.ppd");
}

TEST(ExpandShellWord, VariablesAndTildeAreExpandedInProcess) {
  ScopedEnv home("HOME", "/home/tester");
  ScopedEnv v("JARN_TEST_VAR", "value");
  ScopedEnv unset("JARN_TEST_UNSET", nullptr);
  auto expand = [](std::string w) {
    expandShellWord(w);
    return w;
  };
  EXPECT_EQ(expand("$HOME"), "/home/tester");
  EXPECT_EQ(expand("${HOME}/x"), "/home/tester/x");
  EXPECT_EQ(expand("~"), "/home/tester");
  EXPECT_EQ(expand("~/sub"), "/home/tester/sub");
  EXPECT_EQ(expand("a$JARN_TEST_VAR-b"), "avalue-b");
  EXPECT_EQ(expand("$JARN_TEST_UNSET"), "");
  EXPECT_EQ(expand("/tmp  "), "/tmp");
  EXPECT_EQ(expand("~root"), "/root");
  EXPECT_EQ(expand("a~b"), "a~b");
}

TEST(ExpandShellWord, CommandTextStaysLiteralAndRunsNothing) {
  testing_support::TempDir t;
  std::string canary = t / "canary";
  std::string word = "$(touch " + canary + ")";
  expandShellWord(word);
  EXPECT_EQ(word, "$(touch " + canary + ")");
  std::string semi = "a;b `touch " + canary + "`";
  expandShellWord(semi);
  EXPECT_EQ(semi, "a;b `touch " + canary + "`");
  EXPECT_FALSE(testing_support::pathExists(canary));
  std::string broken = "${HOME";
  expandShellWord(broken);
  EXPECT_EQ(broken, "${HOME");
}

TEST(SummaryCode, WrittenAndReadBack) {
  resetSetup();
  SetupState& s = setup();
  s.mailboxSupport = 1 | 0x100 | 0x1000 | 0x200;
  s.mailboxNumber = 7;
  std::string code;
  EXPECT_EQ(makeSummaryCode(&code), 0x1100);
  EXPECT_EQ(code, "#CF007S:F P");

  s.mailboxSupport = 0;
  s.mailboxNumber = -1;
  getMailBoxInfo(code);
  EXPECT_EQ(s.mailboxSupport, 1 | 0x100 | 0x1000 | 0x200);
  EXPECT_EQ(s.mailboxNumber, 7);

  s.mailboxSupport = 1 | 0x800 | 0x400;
  makeSummaryCode(&code);
  EXPECT_EQ(code, "#CUS:U");
  getMailBoxInfo("xN");
  EXPECT_EQ(s.mailboxSupport, 0);
}

TEST(SummaryCode, OutOfRangeNumberAndShortTextsAreIgnored) {
  resetSetup();
  SetupState& s = setup();
  s.mailboxMax = 100;
  s.mailboxNumber = 3;
  // Numbers past mailboxMax, however many digits, leave the mailbox as it is.
  const std::pair<const char*, int> codes[] = {{"#CF101S:N", 3},   {"#CF4294967301", 3},
                                               {"#CF99999999999999999999", 3}, {"#CF100", 100},
                                               {"#CF005", 5},      {"#CF0", 0}};
  for (const auto& c : codes) {
    s.mailboxNumber = 3;
    getMailBoxInfo(c.first);
    EXPECT_EQ(s.mailboxNumber, c.second) << c.first;
  }
  EXPECT_EQ(s.mailboxSupport, 1 | 0x100);
  s.mailboxSupport = 42;
  getMailBoxInfo("C");
  EXPECT_EQ(s.mailboxSupport, 42);
}

TEST(UserName, EffectiveUserIsKnown) {
  std::string name;
  EXPECT_EQ(getUserName(&name), 1);
  EXPECT_FALSE(name.empty());
}

}  // namespace
