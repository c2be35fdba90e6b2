// PPD option marking and conflicts on the project's PPD set, on a PPD of
// custom parameters, and on Debian's own PPDs as third-party input.
#include <gtest/gtest.h>

#include <cups/ppd.h>

#include <string>

#include "ppd_marking.h"
#include "process_runner.h"
#include "setup_state.h"
#include "test_support.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"  // libcups's PPD interface

namespace {

const std::string kSetDir = JARN_PPD_SET_DIR;
const std::string kDataDir = JARN_PPD_TEST_DATA_DIR;
const std::string kDebianPpdDir = "/usr/share/ppd/cupsfilters";

// An open PPD with its defaults marked, closed at the end of the test.
class OpenPpd {
 public:
  explicit OpenPpd(const std::string& path) : ppd_(ppdOpenFile(path.c_str())) {
    if (ppd_) markPpdDefaults(ppd_);
  }
  ~OpenPpd() {
    if (ppd_) ppdClose(ppd_);
  }
  OpenPpd(const OpenPpd&) = delete;
  OpenPpd& operator=(const OpenPpd&) = delete;
  ppd_file_t* get() const { return ppd_; }

 private:
  ppd_file_t* ppd_;
};

// The names of the option's marked choices, joined by ",".
std::string marked(ppd_file_t* ppd, const char* keyword) {
  ppd_option_t* option = findPpdOption(ppd, keyword);
  std::string out;
  for (int i = 0; option && i < option->num_choices; ++i) {
    if (!option->choices[i].marked) continue;
    if (!out.empty()) out += ",";
    out += option->choices[i].choice;
  }
  return out;
}

ppd_cparam_t* param(ppd_file_t* ppd, const char* keyword, const char* name) {
  return ppdFindCustomParam(ppdFindCustomOption(ppd, keyword), name);
}

}  // namespace

TEST(PpdMarking, DefaultsAreMarkedExceptPageRegion) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-en.ppd");
  ASSERT_TRUE(ppd.get());
  EXPECT_EQ(marked(ppd.get(), "PageSize"), "A4");
  EXPECT_EQ(marked(ppd.get(), "PageRegion"), "");
  EXPECT_EQ(marked(ppd.get(), "Duplex"), "None");
  EXPECT_EQ(marked(ppd.get(), "ManualFeed"), "False");
  EXPECT_EQ(marked(ppd.get(), "Mailbox"), "None");
  EXPECT_EQ(jnPpdConflicts(ppd.get()), 0);
  EXPECT_EQ(findMarkedChoice(ppd.get(), "PageRegion"), nullptr);
  ASSERT_NE(findMarkedChoice(ppd.get(), "outputbin"), nullptr);
  EXPECT_STREQ(findMarkedChoice(ppd.get(), "outputbin")->choice, "Standard");
}

TEST(PpdMarking, InputSlotAndManualFeedExcludeEachOther) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  EXPECT_EQ(jnPpdMarkOption(p, "ManualFeed", "True"), 0);
  EXPECT_EQ(marked(p, "ManualFeed"), "True");
  EXPECT_EQ(marked(p, "InputSlot"), "");
  EXPECT_EQ(jnPpdMarkOption(p, "InputSlot", "tray2"), 0);
  EXPECT_EQ(marked(p, "InputSlot"), "Tray2");
  EXPECT_EQ(marked(p, "ManualFeed"), "False");
  EXPECT_EQ(isChoiceMarked(p, "InputSlot", "Tray2"), 1);
  EXPECT_EQ(isChoiceMarked(p, "InputSlot", "Tray1"), 0);
  // The other printer language's keyword clears the trays first.
  EXPECT_EQ(jnPpdMarkOption(p, "AP_D_InputSlot", "Tray1"), 0);
  EXPECT_EQ(marked(p, "InputSlot"), "");
}

TEST(PpdMarking, ConflictsAreCountedInBothDirections) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  EXPECT_EQ(jnPpdMarkOption(p, "OptionDuplex", "False"), 0);  // Duplex is "None"
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "DuplexTumble"), 2);
  EXPECT_TRUE(findPpdOption(p, "Duplex")->conflicted);
  EXPECT_TRUE(findPpdOption(p, "OptionDuplex")->conflicted);
  EXPECT_FALSE(findPpdOption(p, "InputSlot")->conflicted);
  EXPECT_EQ(jnPpdMarkOption(p, "OptionDuplex", "True"), 0);
  EXPECT_FALSE(findPpdOption(p, "Duplex")->conflicted);

  // Only one direction for envelopes and stapling.
  EXPECT_EQ(jnPpdMarkOption(p, "OptionFinisher", "Stapler"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "MediaType", "Envelope"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Staple", "TopLeft"), 1);
}

TEST(PpdMarking, EmptyChoicesAreNotViolatedByOffChoices) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  // "*Staple *OptionFinisher None": Staple "Off" never conflicts.
  EXPECT_EQ(marked(p, "OptionFinisher"), "None");
  EXPECT_EQ(jnPpdConflicts(p), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Staple", "DualLeft"), 2);
  EXPECT_EQ(jnPpdMarkOption(p, "Staple", "Off"), 0);
  // "*OptionDuplex False *Duplex": Duplex "None" never conflicts.
  EXPECT_EQ(jnPpdMarkOption(p, "OptionDuplex", "False"), 0);
}

TEST(PpdMarking, UnknownChoicesAndArgumentsChangeNothing) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  EXPECT_EQ(jnPpdMarkOption(p, "OptionDuplex", "False"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "DuplexNoTumble"), 2);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "Sideways"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "NoSuchOption", "On"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "Custom.3"), 0);  // no Custom choice
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "{a=1}"), 0);
  EXPECT_EQ(jnPpdMarkOption(nullptr, "Duplex", "None"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, nullptr, "None"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", nullptr), 0);
  EXPECT_EQ(marked(p, "Duplex"), "DuplexNoTumble");
  EXPECT_EQ(jnPpdConflicts(p), 2);
  EXPECT_EQ(findPpdOption(p, nullptr), nullptr);
  EXPECT_EQ(findPpdChoice(nullptr, "None"), nullptr);
  EXPECT_EQ(isChoiceMarked(p, "Duplex", "Sideways"), 0);
  EXPECT_EQ(findMarkedChoice(p, "NoSuchOption"), nullptr);
}

TEST(PpdMarking, PickManyKeepsTheOtherChoicesAndPageSizeLeavesPageRegion) {
  OpenPpd ppd(kDataDir + "/Velta-NoModel-PS-en.ppd");  // keeps a pick-many JobInserts
  ppd_file_t* p = ppd.get();
  jnPpdMarkOption(p, "JobInserts", "FrontCover");
  jnPpdMarkOption(p, "JobInserts", "SlipSheet");
  EXPECT_EQ(marked(p, "JobInserts"), "None,FrontCover,SlipSheet");
  jnPpdMarkOption(p, "PageSize", "Letter");
  EXPECT_EQ(marked(p, "PageSize"), "Letter");
  EXPECT_EQ(marked(p, "PageRegion"), "");
  jnPpdMarkOption(p, "PageRegion", "A5");
  EXPECT_EQ(marked(p, "PageSize"), "Letter");
}

TEST(PpdMarking, CustomPageSizeGoesToLibcups) {
  OpenPpd ppd(kSetDir + "/Velta-P4700-XL-en.ppd");
  ppd_file_t* p = ppd.get();
  EXPECT_EQ(jnPpdMarkOption(p, "PageSize", "Custom.400x600"), 0);
  EXPECT_EQ(marked(p, "PageSize"), "Custom");
  ppd_size_t* custom = ppdPageSize(p, "Custom");
  ASSERT_NE(custom, nullptr);
  EXPECT_FLOAT_EQ(custom->width, 400);
  EXPECT_FLOAT_EQ(custom->length, 600);
}

TEST(PpdMarking, CustomValuesWithUnitsBecomePoints) {
  OpenPpd ppd(kDataDir + "/Velta-Custom-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  ASSERT_TRUE(p);
  struct Case {
    const char* text;
    float points;
  } cases[] = {{"Custom.12cm", 12 * 28.346457f}, {"Custom.10MM", 28.346457f}, {"Custom.0.5m", 1417.3229f},
               {"Custom.2in", 144}, {"Custom.1ft", 864}, {"Custom.30", 30}, {"Custom.7px", 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(jnPpdMarkOption(p, "Margin", c.text), 0);
    EXPECT_NEAR(param(p, "Margin", "Width")->current.custom_points, c.points, 0.01) << c.text;
    EXPECT_EQ(marked(p, "Margin"), "Custom");
  }
  // No "Custom" choice: nothing is stored, nothing marked.
  EXPECT_EQ(jnPpdMarkOption(p, "Plain", "Custom.3"), 0);
  EXPECT_EQ(marked(p, "Plain"), "One");
}

TEST(PpdMarking, AParameterListSetsEachNamedParameter) {
  OpenPpd ppd(kDataDir + "/Velta-Custom-PS-en.ppd");
  ppd_file_t* p = ppd.get();
  EXPECT_EQ(jnPpdMarkOption(p, "Adjust", "Light"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Adjust", "{Shift=1in Count=7 Other=9}"), 0);
  EXPECT_EQ(marked(p, "Adjust"), "Custom");
  EXPECT_FLOAT_EQ(param(p, "Adjust", "Shift")->current.custom_points, 72);
  EXPECT_EQ(param(p, "Adjust", "Count")->current.custom_int, 7);
  EXPECT_EQ(jnPpdMarkOption(p, "Adjust", "{Gamma=2.5 Curve=1.5 Label='it\\'s \"x\"'}"), 0);
  EXPECT_FLOAT_EQ(param(p, "Adjust", "Gamma")->current.custom_real, 2.5f);
  EXPECT_FLOAT_EQ(param(p, "Adjust", "Curve")->current.custom_curve, 1.5f);
  EXPECT_STREQ(param(p, "Adjust", "Label")->current.custom_string, "it's \"x\"");
  EXPECT_EQ(param(p, "Adjust", "Count")->current.custom_int, 7);
}

// Under AddressSanitizer this is the check that no libcups string is freed
// or replaced here: libcups frees each value at ppdClose.
TEST(PpdMarking, StringValuesSetTwiceCloseCleanly) {
  ppd_file_t* p = ppdOpenFile((kSetDir + "/Velta-C400-PS-en.ppd").c_str());
  ASSERT_TRUE(p);
  markPpdDefaults(p);
  jnPpdMarkOption(p, "ManualFeed", "True");
  EXPECT_EQ(jnPpdMarkOption(p, "UserID", "Custom.1234"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "UserID", "Custom.5678"), 0);
  EXPECT_EQ(describeCustomValues(p, "UserID"), "ID=5678");
  EXPECT_EQ(jnPpdMarkOption(p, "UserID", "{ID=42}"), 0);
  EXPECT_EQ(describeCustomValues(p, "UserID"), "ID=42");
  EXPECT_EQ(jnPpdMarkOption(p, "SecuredPassword", "Custom.777"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "SecuredPassword", "Custom.4321"), 0);
  EXPECT_EQ(describeCustomValues(p, "SecuredPassword"), "Password=4321");
  EXPECT_EQ(marked(p, "UserID"), "Custom");
  EXPECT_EQ(marked(p, "SecuredPassword"), "Custom");
  // Storing the strings left every other mark as it was.
  EXPECT_EQ(marked(p, "ManualFeed"), "True");
  EXPECT_EQ(marked(p, "InputSlot"), "");
  EXPECT_EQ(marked(p, "UserPassword"), "None");
  ppdClose(p);
}

TEST(PpdMarking, LatinOneTextsReachTheRecordsAsUtf8) {
  OpenPpd ppd(kSetDir + "/Velta-C400-PS-de.ppd");
  ppd_choice_t* choice = findPpdChoice(findPpdOption(ppd.get(), "ManualFeed"), "True");
  ppd_option_t* option = findPpdOption(ppd.get(), "ManualFeed");
  ASSERT_NE(choice, nullptr);
  EXPECT_STREQ(option->text, "Manuelle Zuf\xc3\xbchrung");
}

TEST(PpdMarkingThirdParty, DebianPpdsMarkDefaultsAndCountTheirConstraints) {
  OpenPpd mono(kDebianPpdDir + "/pxlmono.ppd");
  if (!mono.get()) GTEST_SKIP() << "cups-filters' PPDs are not installed";
  ppd_file_t* p = mono.get();
  EXPECT_EQ(jnPpdConflicts(p), 0);
  EXPECT_EQ(marked(p, "PageRegion"), "");
  EXPECT_EQ(jnPpdMarkOption(p, "InputSlot", "Envelope"), 2);  // A4 with envelopes, both ways
  EXPECT_EQ(jnPpdMarkOption(p, "pagesize", "EnvMonarch"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "OptionDuplex", "False"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "DuplexNoTumble"), 2);

  OpenPpd fuji(kDebianPpdDir + "/Fuji_Xerox-DocuPrint_CM305_df-PDF.ppd");
  ASSERT_TRUE(fuji.get());
  p = fuji.get();
  EXPECT_EQ(jnPpdConflicts(p), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "PageSize", "A5"), 0);
  EXPECT_EQ(jnPpdMarkOption(p, "Duplex", "DuplexTumble"), 2);
  EXPECT_EQ(jnPpdMarkOption(p, "PageSize", "A4"), 0);
}

TEST(PpdMarkingThirdParty, EveryDebianPpdMarksItsDefaults) {
  for (const char* name : {"Generic-PDF_Printer-PDF.ppd", "HP-Color_LaserJet_CM3530_MFP-PDF.ppd",
                           "Ricoh-PDF_Printer-PDF.ppd", "pxlcolor.ppd"}) {
    OpenPpd ppd(kDebianPpdDir + "/" + name);
    if (!ppd.get()) GTEST_SKIP() << "cups-filters' PPDs are not installed";
    ppd_file_t* p = ppd.get();
    for (int g = 0; g < p->num_groups; ++g) {
      for (int o = 0; o < p->groups[g].num_options; ++o) {
        ppd_option_t* option = p->groups[g].options + o;
        if (std::string(option->keyword) == "PageRegion" || !findPpdChoice(option, option->defchoice)) continue;
        EXPECT_EQ(isChoiceMarked(p, option->keyword, option->defchoice), 1) << name << " " << option->keyword;
      }
    }
    EXPECT_EQ(jnPpdConflicts(p), 0) << name;
  }
}

TEST(PpdMarkingJarnctl, MarksInOrderAndReportsOneConflictForAConstrainedPair) {
  Command c({JARN_JARNCTL, "ppd-mark", kSetDir + "/Velta-C400-PS-en.ppd", "OptionFinisher=Stapler",
             "MediaType=Envelope", "Staple=TopLeft", "UserID=Custom.1234"},
            "jarnctl ppd-mark");
  std::string out;
  EXPECT_EQ(exitCodeOf(runCapture(c, 0, &out, RunMode::Quiet)), 0);
  EXPECT_NE(out.find("mark Staple=TopLeft: 1\n"), std::string::npos) << out;
  EXPECT_NE(out.find("conflicts: 1\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nStaple=TopLeft (conflict)\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nUserID=Custom ID=1234\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nPageRegion=-\n"), std::string::npos) << out;
}
