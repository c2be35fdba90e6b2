// The PCL 5 rewriter on crafted streams: insertion after the first reset,
// dropped resets and copies, page sizes, trays, registration offsets, data
// payloads that hold escape sequences, and sequences cut short.
#include "pcl_test_support.h"

#include "pcl_registration.h"

using pcl_testing::kEsc;
using pcl_testing::rewrite;
using pcl_testing::rewriteWith;

namespace {

const std::string E = kEsc;

TEST(PclRewriter, InsertsSettingsAfterFirstResetAndDropsLaterResets) {
  std::string in = E + "E" + E + "&l26A" + "page" + "\f" + E + "E" + E + "%-12345X";
  std::string out = rewrite(in, {"-p26", "-d1", "-t2"});
  EXPECT_EQ(out, E + "E" + E + "&l26A" + E + "&l1S" + E + "&l2H" + E + "&l26A" + "page\f" + E + "%-12345X");
}

TEST(PclRewriter, MediaTypeCarriesItsName) {
  std::string out = rewrite(E + "E" + E + "*r1A", {"-m0"});
  EXPECT_EQ(out, E + "E" + E + "&l0M" + E + "&n6WdPlain" + E + "*r1A");
  EXPECT_EQ(rewrite(E + "E" + E + "*r1A", {"-m2"}), E + "E" + E + "&l2M" + E + "*r1A");
  EXPECT_EQ(pcl5::scan(out).data, "dPlain");
}

TEST(PclRewriter, ResetAtEndAndBeforeTextIsKept) {
  // Ghostscript ends its jobs with FF ESC E: nothing follows that it could undo.
  EXPECT_EQ(rewrite(E + "E" + E + "*rB\f" + E + "E", {}), E + "E" + E + "*rB\f" + E + "E");
  EXPECT_EQ(rewrite(E + "Eabc" + E + "E" + E + "&a1R", {"-p2"}), E + "Eabc" + E + "E" + E + "&l2A" + E + "&a1R");
}

TEST(PclRewriter, OnlyFirstSingleDigitCopiesCommandSurvives) {
  std::string in = E + "&l1X" + "a" + E + "&l1X" + "b" + E + "&l12X" + "c" + E + "&l3X";
  EXPECT_EQ(rewrite(in, {}), E + "&l1X" + "abc");
}

TEST(PclRewriter, KeepsOtherMultiDigitAndCombinedLCommands) {
  // These were once taken for copies commands and deleted.
  for (const std::string& seq : {E + "&l66P", E + "&l26a0o0L", E + "&l12D", E + "&l100U", E + "&l180u37Z", E + "&l5.5C"})
    EXPECT_EQ(rewrite(seq + "x", {"-p26"}), seq + "x") << seq.substr(1);
}

TEST(PclRewriter, PageSizeKeepFlags) {
  std::string in = E + "&l26A" + "1" + E + "&l26A" + "2" + E + "&l2A" + "3" + E + "&l2A" + E + "&l0A";
  std::string all = in;
  EXPECT_EQ(rewrite(in, {}), all);
  EXPECT_EQ(rewrite(in, {"-NPP"}), all);
  // Keep the first: repeated sizes go, a changed size is written.
  EXPECT_EQ(rewrite(in, {"-NP"}), E + "&l26A" + "12" + E + "&l2A" + "3");
}

TEST(PclRewriter, TrayCommandsDroppedUnlessKept) {
  std::string in = E + "&l1H" + "a" + E + "&l261H" + "b";
  EXPECT_EQ(rewrite(in, {}), "ab");
  EXPECT_EQ(rewrite(in, {"-NP"}), "ab");
  EXPECT_EQ(rewrite(in, {"-NT"}), in);
}

TEST(PclRewriter, OrientationAndMarginPairBecomesMarginOnly) {
  EXPECT_EQ(rewrite(E + "&l0o0l0E", {}), E + "&l0l0E");
  EXPECT_EQ(rewrite(E + "&l1o0l0E", {}), E + "&l1o0l0E");
}

std::string pages(const std::string& seq, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += seq + "p\f";
  return s;
}

TEST(PclRewriter, RegistrationTableAlternatesOnLongEdgeDuplex) {
  std::string out = rewrite(pages(E + "&l0e-180u36Z", 5), {"-r3", "-d1"});
  std::string a = E + "&l0e-165u0Zp\f", b = E + "&l0e165u0Zp\f";
  EXPECT_EQ(out, a + b + a + b + a);
  EXPECT_EQ(rewrite(pages(E + "&l-180u36Z", 2), {"-d0"}), E + "&l-165u0Zp\f" + E + "&l-165u0Zp\f");
}

TEST(PclRewriter, BackSideFormIsARegistrationSequenceToo) {
  // Ghostscript's duplex output writes the second side's offset unsigned.
  std::string out = rewrite(E + "&l-180u36Zp\f" + E + "&l180u36Zp\f" + E + "&l0e180u36Z", {"-d1"});
  EXPECT_EQ(out, E + "&l-165u0Zp\f" + E + "&l165u0Zp\f" + E + "&l0e-165u0Z");
}

TEST(PclRewriter, RegistrationOffAndSkip) {
  EXPECT_EQ(rewrite(E + "&l0e-180u36Z" + E + "&l-180u36Zx", {"-r0"}), E + "&l0Ex");
  std::string in = E + "&l0e-180u36Z" + E + "&l-180u36Zx";
  EXPECT_EQ(rewrite(in, {"-r1"}), in);
}

TEST(PclRewriter, GivenOffsetsHoldOnEverySheet) {
  // -r10,20,30,40 on long-edge duplex: front (10,20), back (30,40), on the
  // third and fourth pages as on the first two.
  std::string out = rewrite(pages(E + "&l-180u36Z", 4), {"-r10,20,30,40", "-d1"});
  std::string f = E + "&l10u20Zp\f", b = E + "&l30u40Zp\f";
  EXPECT_EQ(out, f + b + f + b);
  // A first pair of 0,0 loads the table.
  EXPECT_EQ(rewrite(pages(E + "&l-180u36Z", 1), {"-r0,0"}), E + "&l-165u0Zp\f");
}

TEST(PclRewriter, RegistrationTableByModelAndColour) {
  JobSettings s = filter_testing::optionsFrom({"-d2", "-K0"});
  s.modelId = 53;  // mono S(85, 0, 0), colour S(-54, 120, -120)
  std::string out = rewriteWith(pages(E + "&l-180u36Z", 4), s);
  EXPECT_EQ(out, E + "&l-85u0Zp\f" + E + "&l-85u0Zp\f" + E + "&l-85u0Zp\f" + E + "&l-85u0Zp\f");
  s.colorMode = 1;
  out = rewriteWith(pages(E + "&l-180u36Z", 2), s);
  EXPECT_EQ(out, E + "&l54u120Zp\f" + E + "&l54u-120Zp\f");
  s.modelId = 31;  // colour later sheets: FS (-50, -120)
  out = rewriteWith(pages(E + "&l-180u36Z", 3), s);
  EXPECT_EQ(out, E + "&l-50u120Zp\f" + E + "&l-50u120Zp\f" + E + "&l-50u-120Zp\f");
}

TEST(PclRewriter, DataPayloadsPassUntouched) {
  std::string evil = E + "E" + E + "&l1X" + E + "&l-180u36Z" + E + "&l2H" + E;
  std::string data300 = evil + std::string(300 - evil.size(), '\x1b');
  struct Case {
    std::string head;
    std::string data;
  };
  const Case cases[] = {
      {E + "*b300W", data300},
      {E + "*b" + std::to_string(evil.size()) + "V", evil},
      {E + ")s" + std::to_string(evil.size()) + "W", evil},
      {E + "(s" + std::to_string(evil.size()) + "W", evil},
      {E + "*c" + std::to_string(evil.size()) + "W", evil},
      {E + "*v" + std::to_string(evil.size()) + "W", evil},
      {E + "&p" + std::to_string(evil.size()) + "X", evil},
      {E + "*b2m" + std::to_string(evil.size()) + "W", evil},
  };
  for (const Case& c : cases) {
    std::string in = E + "E" + E + "E" + c.head + c.data + E + "&l1X";
    std::string out = rewrite(in, {});
    EXPECT_EQ(out, E + "E" + c.head + c.data + E + "&l1X") << c.head.substr(1);
  }
  // Combined rows as pcl3 writes them: lower-case w, data, more rows.
  std::string in = E + "*b3y2m" + std::to_string(evil.size()) + "w" + evil + "4w" + E + "E" + E + "1W" + E + "E";
  std::string out = rewrite(E + "E" + E + "E" + in, {});
  EXPECT_EQ(out, E + "E" + in);
  pcl5::Scan scanned = pcl5::scan(out);
  EXPECT_TRUE(scanned.complete) << scanned.problem;
}

TEST(PclRewriter, UnendedSequencesStopAndLoseNothing) {
  std::string digits(10000, '7');
  const std::string inputs[] = {
      E + "&l" + digits,                 // no terminator, end of file
      E + "&l" + digits + "A",           // far too long
      E + "&l26" + E + "E" + E + "&l1X", // cut by an ESC
      E + "&l-18",                        // registration cut off
      E + "&l0e-180",
      E,                                 // ESC at end of file
      E + "*b",
      E + "*b5W" + "ab",                 // data cut off
      E + "&l1",
      E + "&l1\x01" "x",
      E + "\x01",
  };
  for (const std::string& in : inputs) {
    std::string out = rewrite(in, {"-NP"});
    pcl5::Scan a = pcl5::scan(in), b = pcl5::scan(out);
    EXPECT_EQ(b.data, a.data);
    EXPECT_LE(out.size(), in.size()) << pcl5::commandTexts(a).size();
    // Nothing that was not read: every output byte occurs in the input in order.
    std::size_t j = 0;
    for (char c : out) {
      while (j < in.size() && in[j] != c) ++j;
      ASSERT_LT(j, in.size()) << "byte not from the input";
      ++j;
    }
  }
  EXPECT_EQ(rewrite(E + "&l" + digits, {}), E + "&l" + digits);
  EXPECT_EQ(rewrite(E + "&l26" + E + "&l1X", {}), E + "&l26" + E + "&l1X");
}

TEST(PclRewriter, ReadNumberBefore) {
  const char t[] = "&l26A";
  EXPECT_EQ(readNumberBefore(t + 4, t + 2), 26);
  EXPECT_EQ(readNumberBefore(t + 3, t + 2), 26);
  EXPECT_EQ(readNumberBefore(t + 4, t + 3), 6);
}

}  // namespace

namespace {

// A two-page duplex job from Ghostscript's ljet4d device, and what the
// rewriter makes of it with -p26 -d1 -t2: the settings after the first
// reset, the model's offsets on front and back, one copies command, the
// tray eject dropped and the closing reset kept.
TEST(PclRewriter, CommittedDuplexSampleGivesExactOutput) {
  std::string in = testing_support::readFile(std::string(PCL_TEST_DATA) + "/ljet4d-two-pages.pcl");
  std::string want = testing_support::readFile(std::string(PCL_TEST_DATA) + "/ljet4d-two-pages.p26-d1-t2.pcl");
  ASSERT_GT(in.size(), 100u);
  EXPECT_EQ(rewrite(in, {"-p26", "-d1", "-t2"}), want);
  std::vector<std::string> cmds = pcl5::commandTexts(pcl5::scan(want));
  std::vector<std::string> lcmds;
  for (const std::string& c : cmds)
    if (c == "E" || c.compare(0, 2, "&l") == 0) lcmds.push_back(c);
  EXPECT_EQ(lcmds, (std::vector<std::string>{"E", "&l26A", "&l1S", "&l2H", "&l0O", "&l26A", "&l1S", "&l0O", "&l26A",
                                             "&l0L", "&l0E", "&l-165U", "&l0Z", "&l1X", "&l165U", "&l0Z", "E"}));
}

}  // namespace
