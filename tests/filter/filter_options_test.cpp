// The filter's command line: digit forms, mailbox, registration, work mode
// and the values that must be ignored rather than read past.
#include <climits>

#include "filter_test_helpers.h"

using filter_testing::optionsFrom;

TEST(FilterOptions, MailboxDigitsNeedADestination) {
  EXPECT_EQ(optionsFrom({"-A2", "-BB=1,4", "-BB=2,2"}).mailbox, 42);
  EXPECT_EQ(optionsFrom({"-A1", "-BB=1,4", "-BB=2,2"}).mailbox, -1);
  EXPECT_EQ(optionsFrom({"-A3", "-BB=9,7"}).mailbox, 7);  // position 9 counts as the last (2)
}

TEST(FilterOptions, MailboxLetterForms) {
  JobSettings s = optionsFrom({"-BN60"});
  EXPECT_EQ(s.mailbox, 60);
  EXPECT_EQ(s.efiForm, 1);
  s = optionsFrom({"-BB12"});
  EXPECT_EQ(s.mailbox, 12);
  EXPECT_EQ(s.efiForm, -1);
  EXPECT_EQ(optionsFrom({"-BB=33"}).mailbox, 33);
}

TEST(FilterOptions, DestinationCodes) {
  EXPECT_EQ(optionsFrom({"-A2"}).destination, 1);
  EXPECT_EQ(optionsFrom({"-A3"}).destination, 2);
  EXPECT_EQ(optionsFrom({"-A4"}).destination, 3);
  EXPECT_EQ(optionsFrom({"-A1"}).destination, 0);
  EXPECT_EQ(optionsFrom({"-A7"}).destination, 0);
}

TEST(FilterOptions, AccountIdDigitsAndTexts) {
  EXPECT_EQ(optionsFrom({"-UID=3,5"}).accountId, "50000");
  EXPECT_EQ(optionsFrom({"-UID=0012"}).accountId, "0012");
  EXPECT_EQ(optionsFrom({"-UID=1,0"}).accountId, "");
  EXPECT_EQ(optionsFrom({"-UPW=7,1", "-UPW=1,2"}).accountPassword, "2000001");
  EXPECT_EQ(optionsFrom({"-SPW=9,4"}).securePassword, "4");  // beyond 7: the last position
  EXPECT_EQ(optionsFrom({"-SPW=1234"}).securePassword, "1234");
  // Digits replace a text value given earlier.
  EXPECT_EQ(optionsFrom({"-UID=99", "-UID=7,3"}).accountId, "3");
  // Other -S and -U values are ignored.
  JobSettings s = optionsFrom({"-SXY=5", "-UXX=5"});
  EXPECT_EQ(s.securePassword, "");
  EXPECT_EQ(s.accountId, "");
  EXPECT_EQ(s.accountPassword, "");
}

TEST(FilterOptions, PositionZeroOrBelowChangesNothing) {
  JobSettings s = optionsFrom({"-UID=0,5", "-UPW=/,5", "-SPW=,5", "-A2", "-BB=0,3", "-BB=,3"});
  EXPECT_EQ(s.accountId, "");
  EXPECT_EQ(s.accountPassword, "");
  EXPECT_EQ(s.securePassword, "");
  EXPECT_EQ(s.mailbox, -1);
  for (int d : s.accountIdDigits) EXPECT_EQ(d, 0);
  EXPECT_EQ(s.mailboxDigits[0], 0);
  EXPECT_EQ(s.mailboxDigits[1], 0);
  // A comma at the very end gives the digit 0 at that position.
  EXPECT_EQ(optionsFrom({"-UID=2,"}).accountId, "");
}

TEST(FilterOptions, EmptyValuesAreIgnored) {
  JobSettings s = optionsFrom({"-x", "", "-B", "", "-J", "", "-N", "", "-M", ""});
  JobSettings defaults;
  EXPECT_EQ(s.mailbox, -1);
  EXPECT_EQ(s.efiForm, -1);
  EXPECT_EQ(s.workMode, kModeDefault);
  EXPECT_EQ(s.keepFlags, 0);
  for (int i = 0; i < kPlainCount; ++i) EXPECT_EQ(s.plainSettings[i], defaults.plainSettings[i]);
  EXPECT_EQ(s.repeatCount, 0);
}

TEST(FilterOptions, RegistrationLists) {
  JobSettings s = optionsFrom({"-r10,20"});
  EXPECT_EQ(s.registrationMode, 2);
  const int two[8] = {10, 20, -10, 20, 10, 20, 10, -20};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.registrationOffsets[i], two[i]) << i;

  s = optionsFrom({"-r1,2,3,4,5,6,7,8"});
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.registrationOffsets[i], i + 1) << i;

  // A ninth number is dropped and nothing beyond the first half changes.
  s = optionsFrom({"-r1,2,3,4,5,6,7,8,9"});
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.registrationOffsets[i], i + 1) << i;
  for (int i = 8; i < 16; ++i) EXPECT_EQ(s.registrationOffsets[i], 0) << i;

  // One number is not a list.
  s = optionsFrom({"-r5,"});
  EXPECT_EQ(s.registrationMode, 3);
  EXPECT_EQ(s.registrationOffsets[0], 0);

  EXPECT_EQ(optionsFrom({"-r0"}).registrationMode, 0);

  // The lowest int has no negation for its defaults: it reads as 0.
  s = optionsFrom({"-r-2147483648,5"});
  const int minimum[8] = {0, 5, 0, 5, 0, 5, 0, -5};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.registrationOffsets[i], minimum[i]) << i;
  s = optionsFrom({"-r-2147483647,2147483647"});
  const int extreme[8] = {-INT_MAX, INT_MAX, INT_MAX, INT_MAX, -INT_MAX, INT_MAX, -INT_MAX, -INT_MAX};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.registrationOffsets[i], extreme[i]) << i;
}

TEST(FilterOptions, Resolution) {
  EXPECT_EQ(optionsFrom({"-R2400"}).resolution, 0);
  EXPECT_EQ(optionsFrom({"-R600x600"}).resolution, 600);
  EXPECT_EQ(optionsFrom({"-R1200x1200dpi"}).resolution, 1200);
  EXPECT_EQ(optionsFrom({"-R300"}).resolution, 300);
  EXPECT_EQ(optionsFrom({"-R-5"}).resolution, 0);
}

TEST(FilterOptions, WorkModeIsUpperCasePrefix) {
  EXPECT_EQ(optionsFrom({"-MPSX"}).workMode, kModePs);
  EXPECT_EQ(optionsFrom({"-MPSP"}).workMode, kModePsp);
  EXPECT_EQ(optionsFrom({"-MPCL"}).workMode, kModePcl);
  EXPECT_EQ(optionsFrom({"-MPXL"}).workMode, kModePxl);
  EXPECT_EQ(optionsFrom({"-Mps"}).workMode, kModeDefault);
  EXPECT_EQ(optionsFrom({"-MPCL", "-Mxyz"}).workMode, kModePcl);
  EXPECT_EQ(optionsFrom({"-MPXL", "-MMPCL"}).workMode, kModePxl);
  EXPECT_EQ(optionsFrom({"-MFOO"}).workMode, kModeDefault);
}

TEST(FilterOptions, KeepFlagsAndNoPjl) {
  FilterRun run;
  JobSettings s = optionsFrom({"-NOPJL"}, &run);
  EXPECT_TRUE(run.noPjl);
  EXPECT_EQ(s.keepFlags, 0);
  EXPECT_EQ(optionsFrom({"-NP"}).keepFlags, 1);
  EXPECT_EQ(optionsFrom({"-Npp"}).keepFlags, 2);
  EXPECT_EQ(optionsFrom({"-Nt"}).keepFlags, 3);
  EXPECT_EQ(optionsFrom({"-NX"}).keepFlags, 0);
}

TEST(FilterOptions, PclLevelAndKeptOptions) {
  FilterRun run;
  optionsFrom({"-P9"}, &run);
  EXPECT_EQ(run.pclLevel, 5);
  optionsFrom({"-P6"}, &run);
  EXPECT_EQ(run.pclLevel, 6);
  JobSettings s = optionsFrom({"-n3", "-v", "-X4", "stray", "1"});
  EXPECT_EQ(s.copies, 3);
  EXPECT_EQ(s.optionV, 1);
  EXPECT_EQ(s.optionX, 4);
}

TEST(FilterOptions, PlainAndInternalSettings) {
  JobSettings s = optionsFrom({"-JB7", "-JS12", "-JQ", "-JZ4", "-Jb1"});
  EXPECT_EQ(s.plainSettings[kPlainBoxId], 7);
  EXPECT_EQ(s.plainSettings[kPlainSecuredKey], 12);
  EXPECT_EQ(s.plainSettings[kPlainStaple], -1);  // no digit after the letter
  FilterRun run;
  s = optionsFrom({"-xR2", "-xq3", "-xZ1", "-xG4", "-xs5", "-xY9"}, &run);
  EXPECT_EQ(s.repeatCount, 2);
  EXPECT_EQ(s.secondRepeatCount, 3);
  EXPECT_TRUE(run.customSizeFix);
  EXPECT_EQ(s.frontCoverMode, 4);
  EXPECT_EQ(s.sharpness, 5);
}

TEST(FilterOptions, NumbersBeyondTheIntRangeReadAsZeroAndLaterOptionsWin) {
  struct Row {
    const char* option;
    int JobSettings::*field;
    int want;
  };
  const Row rows[] = {
      {"-Q99999999999999", &JobSettings::density, 0},   {"-Q-2147483649", &JobSettings::density, 0},
      {"-Q2147483647", &JobSettings::density, INT_MAX}, {"-Q-2147483648", &JobSettings::density, INT_MIN},
      {"-BB4294967301", &JobSettings::mailbox, 0},      {"-xR4294967298", &JobSettings::repeatCount, 0},
      {"-A4294967298", &JobSettings::destination, 0},   {"-R4294967896", &JobSettings::resolution, 0},
      {"-r4294967296", &JobSettings::registrationMode, 0},
  };
  for (const Row& r : rows) EXPECT_EQ(optionsFrom({r.option}).*r.field, r.want) << r.option;
  EXPECT_EQ(optionsFrom({"-JB99999999999"}).plainSettings[kPlainBoxId], 0);
  FilterRun run;
  optionsFrom({"-P4294967302"}, &run);
  EXPECT_EQ(run.pclLevel, 5);
  EXPECT_EQ(optionsFrom({"-dabc"}).duplex, 0);
  EXPECT_EQ(optionsFrom({"-d1", "-d2"}).duplex, 2);
  EXPECT_EQ(optionsFrom({"-V", "first", "-V", "second"}).title, "second");
}

TEST(FilterOptions, HelpStopsTheScan) {
  std::string a0 = "qorgsfilter", a1 = "-d1", a2 = "-h", a3 = "-d2";
  char* argv[] = {&a0[0], &a1[0], &a2[0], &a3[0], nullptr};
  JobSettings s;
  FilterRun run;
  EXPECT_EQ(parseFilterOptions(4, argv, s, run), OptionResult::kUsage);
}
