// The PJL job header and trailer: exact lines, cuts, quoting, host choice
// and the model-dependent keywords.
#include "filter_test_helpers.h"
#include "pjl_header.h"

using filter_testing::captured;
using filter_testing::hasLine;
using filter_testing::hasLineStarting;
using filter_testing::linesOf;
using filter_testing::optionsFrom;

namespace {

std::string headerOf(const JobSettings& s) {
  return captured([&](OutputWriter& out) { writePJLHeader(s, 0, 0, out); });
}

std::string headerFor(std::initializer_list<const char*> words) { return headerOf(optionsFrom(words)); }

const std::string kEsc = "\x1b";

}  // namespace

TEST(PjlHeader, BareHeaderIsTheFirstLineOnly) {
  EXPECT_EQ(headerFor({}), kEsc + "%-12345X@PJL Jarn2.0-10 i386\n");
  EXPECT_EQ(headerFor({"-MPCL"}), kEsc + "%-12345X@PJL Jarn2.0-10 i386\n@PJL ENTER LANGUAGE=PCL\n");
  EXPECT_EQ(headerFor({"-MPSP"}), kEsc + "%-12345X@PJL Jarn2.0-10 i386\n");
  JobSettings s = optionsFrom({"-MPS"});
  EXPECT_EQ(captured([&](OutputWriter& out) { writePJLHeader(s, kHeaderNoFirstLine | kHeaderNoLanguage, 0, out); }),
            "");
}

TEST(PjlHeader, Trailers) {
  EXPECT_EQ(captured([](OutputWriter& out) { writeUELTrailer(1, out); }),
            kEsc + "%-12345X@PJL\n" + kEsc + "%-12345X\n");
  EXPECT_EQ(captured([](OutputWriter& out) { writeUELTrailer(0, out); }), kEsc + "%-12345X\n");
}

TEST(PjlHeader, HostChoice) {
  JobSettings s;
  EXPECT_EQ(headerHost(s), "localhost");
  s.server = "printhost";
  EXPECT_EQ(headerHost(s), "printhost");
  s.serverAdmin = "root";  // no '@': CUPS_SERVER stands
  EXPECT_EQ(headerHost(s), "printhost");
  s.serverAdmin = "admin@mail.example.com";
  EXPECT_EQ(headerHost(s), "mail");
  s.server.clear();
  s.serverAdmin = "admin@";
  EXPECT_EQ(headerHost(s), "localhost");
  std::string domain;
  EXPECT_FALSE(getAdminDomain("nobody", domain));
  EXPECT_TRUE(getAdminDomain("a@host", domain));
  EXPECT_EQ(domain, "host");
}

TEST(PjlHeader, UserAndDocumentLines) {
  JobSettings s = optionsFrom({"-ualice", "-Vreport.pdf"});
  s.serverAdmin = "ops@central.example";
  std::string h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERNAME=\"alice@central\"")) << h;
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET DOCNAME=\"report.pdf!alice@central\"")) << h;
  h = headerFor({"-ubob"});
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET DOCNAME=\"bob@localhost\"")) << h;
}

TEST(PjlHeader, LongNamesAreCutBeforeTheQuote) {
  std::string user(70, 'u');
  JobSettings s;
  s.userName = user;
  s.title = "t";
  std::vector<std::string> lines = linesOf(headerOf(s));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[1].size(), 67u);
  EXPECT_EQ(lines[1], "@PJL COMMENT VELPJL SET USERNAME=\"" + std::string(32, 'u') + "\"");
  EXPECT_EQ(lines[2].size(), 66u);
  EXPECT_EQ(lines[2], "@PJL COMMENT VELPJL SET DOCNAME=\"t!" + std::string(30, 'u') + "\"");
}

TEST(PjlHeader, CutsNeverSplitAUtf8Character) {
  // The document name holds 32 bytes of text; the user name is "u".
  const struct {
    std::string title, kept;
  } rows[] = {
      {std::string(31, 'a') + "\xC3\xA9", std::string(31, 'a')},                      // é split
      {std::string(30, 'a') + "\xC3\xA9!", std::string(30, 'a') + "\xC3\xA9"},         // é whole
      {std::string(30, 'a') + "\xE6\x97\xA5", std::string(30, 'a')},                  // 日 split after 2
      {std::string(29, 'a') + "\xE6\x97\xA5x", std::string(29, 'a') + "\xE6\x97\xA5"},
      {std::string(29, 'a') + "\xF0\x9F\x98\x80", std::string(29, 'a')},             // 4 bytes, 3 kept
      {std::string(31, 'a') + "\xFC\xB2", std::string(31, 'a') + "\xFC"},             // Latin-1: byte cut
  };
  for (const auto& row : rows) {
    JobSettings s;
    s.userName = "u";
    s.title = row.title;
    EXPECT_TRUE(hasLine(headerOf(s), "@PJL COMMENT VELPJL SET DOCNAME=\"" + row.kept + "\"")) << row.title;
  }
}

TEST(PjlHeader, QuotedTextsCannotBreakOutOfTheirLine) {
  JobSettings s;
  s.userName = "eve\r\n@PJL";
  s.title = "a\nb\x1b" "c\"d";
  s.accountId = "123\n@PJL SET X=1";
  s.accountPassword = "pw d";
  s.securePassword = "77\x1b%-12345X";
  std::string h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERNAME=\"eve  @PJL@localhost\"")) << h;
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET DOCNAME=\"a b c d!eve  @PJL@localhost\"")) << h;
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERID=123")) << h;
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERPWD=pw")) << h;
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET SECUREPASSWD=77")) << h;
  // Only the first line carries an escape; no injected line exists.
  EXPECT_EQ(h.find('\x1b', 1), std::string::npos);
  EXPECT_FALSE(hasLineStarting(h, "@PJL SET X"));
  EXPECT_EQ(h.find('\r'), std::string::npos);
}

TEST(PjlHeader, MailboxKeyword) {
  EXPECT_TRUE(hasLine(headerFor({"-E1", "-BN60"}), "@PJL COMMENT VELPJL SET MAILBOXNUMBER1=60"));
  EXPECT_TRUE(hasLine(headerFor({"-BN60"}), "@PJL COMMENT VELPJL SET MAILBOXNUMBER=60"));
  EXPECT_TRUE(hasLine(headerFor({"-E1", "-BN49"}), "@PJL COMMENT VELPJL SET MAILBOXNUMBER=49"));
  JobSettings s = optionsFrom({"-E1", "-BB70"});
  EXPECT_TRUE(hasLine(headerOf(s), "@PJL COMMENT VELPJL SET MAILBOXNUMBER=70"));
  s.modelId = 165;  // in the mailbox-1 list
  std::string h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET DEVICE=MAILBOX"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET MAILBOXNUMBER1=70"));
  EXPECT_EQ(captured([&](OutputWriter& out) { writePJLHeader(s, 0, 1, out); }).find("MAILBOX"), std::string::npos);
}

TEST(PjlHeader, AccountLinesKeepLeadingZeros) {
  std::string h = headerFor({"-UID=0042", "-UPW=0007", "-SPW=0001"});
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERID=0042"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET USERPWD=0007"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET SECUREPASSWD=0001"));
  // A password without an ID is not written.
  EXPECT_FALSE(hasLineStarting(headerFor({"-UPW=5"}), "@PJL COMMENT VELPJL SET USERPWD"));
}

TEST(PjlHeader, DensitySharpnessAndFineAdjust) {
  EXPECT_TRUE(hasLine(headerFor({"-Q25"}), "@PJL SET DENSITY=-5"));
  EXPECT_TRUE(hasLine(headerFor({"-Q19"}), "@PJL SET DENSITY=8"));
  EXPECT_TRUE(hasLine(headerFor({"-Q-40"}), "@PJL SET DENSITY=8"));
  EXPECT_TRUE(hasLine(headerFor({"-Q-18"}), "@PJL SET DENSITY=-18"));
  EXPECT_FALSE(hasLineStarting(headerFor({}), "@PJL SET DENSITY"));
  EXPECT_TRUE(hasLine(headerFor({"-xS4"}), "@PJL COMMENT VELPJL SET SHARPNESS=7"));
  EXPECT_TRUE(hasLine(headerFor({"-xS0"}), "@PJL COMMENT NOSHARPNESS"));
  EXPECT_TRUE(hasLine(headerFor({"-xD0"}), "@PJL COMMENT VELPJL SET DENSITYFINEADJ=1"));
  EXPECT_TRUE(hasLine(headerFor({"-xD9"}), "@PJL COMMENT VELPJL SET DENSITYFINEADJ=3"));
}

TEST(PjlHeader, FoldLines) {
  std::string h = headerFor({"-z5"});
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET ACCORDIONZ=BACK"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET HALFFOLD=GENERICOFF"));
  EXPECT_TRUE(hasLine(headerFor({"-z5", "-xF0"}), "@PJL COMMENT VELPJL SET ACCORDIONZ=FRONT"));
  EXPECT_TRUE(hasLine(headerFor({"-z7", "-xF1"}), "@PJL COMMENT VELPJL SET HALFFOLD=OUTWARD"));
  // Fold 1: CFOLD only for a model of the fold list.
  JobSettings s = optionsFrom({"-z1"});
  EXPECT_FALSE(hasLineStarting(headerOf(s), "@PJL COMMENT VELPJL SET CFOLD"));
  s.modelId = 132;
  h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET ZFOLD=GENERICON"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET CFOLD=GENERICOFF"));
  EXPECT_TRUE(hasLine(headerFor({"-z20"}), "@PJL COMMENT VELPJL SET CFOLD=GENERICON"));
  EXPECT_TRUE(hasLine(headerFor({"-z15"}), "@PJL COMMENT VELPJL SET ZFOLD=GENERICOFF"));
}

TEST(PjlHeader, PlainBlock) {
  std::string h = headerFor({"-JB7", "-JS42", "-JU5", "-JP0", "-JM2", "-JQ9", "-w2", "-JW1", "-JR0"});
  EXPECT_TRUE(hasLine(h, "@PJL SET BOXID = 007"));
  EXPECT_TRUE(hasLine(h, "@PJL SET SECURED_KEY = 0000042"));
  EXPECT_TRUE(hasLine(h, "@PJL SET USERID = 0000005"));
  EXPECT_TRUE(hasLine(h, "@PJL SET PASSWORD = 0000000"));
  EXPECT_TRUE(hasLine(h, "@PJL SET JOBTYPE=STORE_AND_PRINT"));
  EXPECT_TRUE(hasLine(h, "@PJL SET STAPLE=NONE"));
  EXPECT_TRUE(hasLine(h, "@PJL SET PERSONALITY = HPGL2"));
  EXPECT_TRUE(hasLine(h, "@PJL SET WIDEA4 = ON"));
  EXPECT_TRUE(hasLine(h, "@PJL SET RESOLUTION=600"));
}

TEST(PjlHeader, PrintFaceAndOrderWinsOverPrintFace) {
  std::string h = headerFor({"-xU1", "-xA0"});
  std::vector<std::string> lines = linesOf(h);
  ASSERT_EQ(lines.size(), 3u) << h;
  EXPECT_EQ(lines[1], "@PJL COMMENT VELPJL SET PRINTFACE=FACEDOWN");
  EXPECT_EQ(lines[2], "@PJL COMMENT VELPJL SET PAGEORDER=REVERSE");
  EXPECT_TRUE(hasLine(headerFor({"-xA0"}), "@PJL COMMENT VELPJL SET PRINTFACE=FACEUP"));
}

TEST(PjlHeader, MediaSourceOnlyInPclXlOrForListA) {
  EXPECT_FALSE(hasLineStarting(headerFor({"-t2", "-MPCL"}), "@PJL SET MEDIASOURCE"));
  EXPECT_TRUE(hasLine(headerFor({"-t2", "-MPXL"}), "@PJL SET MEDIASOURCE=TRAY1"));
  JobSettings s = optionsFrom({"-t2", "-MPCL"});
  s.modelId = 210;  // list A: tray 2 becomes 4
  EXPECT_TRUE(hasLine(headerOf(s), "@PJL SET MEDIASOURCE=TRAY3"));
  EXPECT_TRUE(hasLine(headerFor({"-t22", "-MPXL"}), "@PJL SET MEDIASOURCE=TRAY8"));
}

TEST(PjlHeader, KeywordVariants) {
  EXPECT_TRUE(hasLine(headerFor({"-s1"}), "@PJL COMMENT VELPJL SET SORTERMODE=GENERICON"));
  EXPECT_TRUE(hasLine(headerFor({"-s1", "-E1"}), "@PJL COMMENT VELPJL SET SORTERMODE=SORTWOSHIFT"));
  EXPECT_TRUE(hasLine(headerFor({"-T1"}), "@PJL COMMENT VELPJL SET TONERREDUCTION=GENERICON"));
  EXPECT_TRUE(hasLine(headerFor({"-T0", "-E1"}), "@PJL COMMENT VELPJL SET TONERSAVE=GENERICOFF"));
  EXPECT_TRUE(hasLine(headerFor({"-O3"}), "@PJL SET OUTBIN=OPTIONALOUTPUTBIN3"));
  EXPECT_TRUE(hasLine(headerFor({"-O45"}), "@PJL COMMENT VELPJL SET OUTBIN=STACKERTRAY1"));
  EXPECT_TRUE(hasLine(headerFor({"-K2"}), "@PJL SET FORCEMONOCHROME=TRUE"));
  EXPECT_TRUE(hasLine(headerFor({"-xE3"}), "@PJL COMMENT VELPJL SET PUNCH=TOP"));
  EXPECT_TRUE(hasLine(headerFor({"-G1", "-xE3"}), "@PJL COMMENT VELPJL SET PUNCH=LEFT"));
  EXPECT_TRUE(hasLine(headerFor({"-c7"}), "@PJL COMMENT VELPJL SET IMAGECOMPRESSION=DEFAULT"));
  EXPECT_TRUE(hasLine(headerFor({"-R1200"}), "@PJL SET RESOLUTION=1200"));
  EXPECT_FALSE(hasLineStarting(headerFor({"-R2400"}), "@PJL SET RESOLUTION"));
  // Cover sources depend on the second advance flag.
  JobSettings s = optionsFrom({"-F3", "-C19"});
  std::string h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET FRONTCOVERSOURCE=TRAY3"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET BACKCOVERSOURCE=TRAY6"));
  s.secondAdvance = 1;
  h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET FRONTCOVERSOURCE=OPTIONDECK2"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELPJL SET BACKCOVERSOURCE=INSERTER2INSERTERTRAY3"));
}

TEST(PjlHeader, DebugLinesNameModelAndPpd) {
  JobSettings s = optionsFrom({"-D1"});
  std::string h = headerOf(s);
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT VELTADEVID=0"));
  EXPECT_TRUE(hasLine(h, "@PJL COMMENT PPD=."));
}
