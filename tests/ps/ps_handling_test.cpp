// PostScript handling on crafted documents: where the feature blocks go,
// their order and values, the custom page-size fix and the banner page.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <sys/mman.h>
#include <unistd.h>

#include "filter_test_helpers.h"
#include "ps_feature_code.h"
#include "ps_handling.h"
#include "ps_header.h"
#include "test_support.h"

using filter_testing::captured;
using filter_testing::optionsFrom;

namespace {

// Runs fn over input held in a memory file.
std::string through(const std::string& input, const std::function<void(InputReader&, OutputWriter&)>& fn) {
  int fd = ::memfd_create("ps-test-input", 0);
  EXPECT_EQ(::write(fd, input.data(), input.size()), static_cast<ssize_t>(input.size()));
  ::lseek(fd, 0, SEEK_SET);
  std::string out = captured([&](OutputWriter& w) {
    InputReader in(fd, "test input");
    fn(in, w);
  });
  ::close(fd);
  return out;
}

std::string psp(const std::string& input, JobSettings s) {
  return through(input, [&](InputReader& in, OutputWriter& out) { cleanUpPSFile(in, out, s); });
}

std::string fixSize(const std::string& input) {
  return through(input, [&](InputReader& in, OutputWriter& out) { fixCustomPageSize(in, out); });
}

const std::string kPrint = "%%BeginFeature: *Destination\n/XJXsetDevice where { pop 0 XJXsetDevice } if\n%%EndFeature\n";

TEST(PsHeader, FeatureBlocksGoAfterEachHeaderEndForm) {
  JobSettings s = optionsFrom({});
  EXPECT_EQ(psp("%!PS\n%%Title: x\n%%EndComments\n/a 1 def\n", s), "%!PS\n%%Title: x\n%%EndComments\n" + kPrint + "/a 1 def\n");
  EXPECT_EQ(psp("%!PS\n%\r\n%%Title: x\n", s), "%!PS\n%\r\n" + kPrint + "%%Title: x\n");
  EXPECT_EQ(psp("%!PS\n% a remark\n/a 1 def\n", s), "%!PS\n% a remark\n" + kPrint + "/a 1 def\n");
  EXPECT_EQ(psp("/a 1 def\n", s), kPrint + "/a 1 def\n");
  EXPECT_EQ(psp("%!PS\r%%Pages: 1\r/a 1 def\r", s), "%!PS\r%%Pages: 1\r" + kPrint + "/a 1 def\r");
  EXPECT_EQ(psp("%!PS\n%%EndComments", s), "%!PS\n%%EndComments" + kPrint);
}

TEST(PsHeader, EndCommentsOfAnEmbeddedDocumentIsNotTheHeaderEnd) {
  std::string head = "%!PS-Adobe-3.0\n%%Title: outer\n";
  std::string rest = "/outer 1 def\n%%BeginDocument: in.eps\n%!PS-Adobe-3.0 EPSF-3.0\n%%EndComments\n%%EndDocument\n";
  EXPECT_EQ(psp(head + rest, optionsFrom({})), head + kPrint + rest);
}

TEST(PsHeader, LongHeaderIsSearchedToItsEnd) {
  std::string head = "%!PS-Adobe-3.0\n";
  while (head.size() < 50000) head += "%%DocumentNeededResources: font Times-Roman-With-A-Long-Name\n";
  head += "%%EndComments\n";
  std::string body(200000, 'x');
  EXPECT_EQ(psp(head + body, optionsFrom({})), head + kPrint + body);
}

TEST(PsHeader, NoHeaderEndStillCarriesTheSettings) {
  // Only comments: the blocks go after the first "%!" line, so that a
  // secured job never prints openly.
  std::string job = "%!PS\n%%Title: x\n%%Creator: y";
  std::string out = psp(job, optionsFrom({"-SPW=4711"}));
  EXPECT_EQ(out.substr(0, 5), "%!PS\n");
  EXPECT_NE(out.find("(4711) XJXsetSecurePasswd"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 23), "%%Title: x\n%%Creator: y");
  // Without "%!" it passes unchanged.
  EXPECT_EQ(psp("%%Title: x\n%%Creator: y", optionsFrom({"-SPW=4711"})), "%%Title: x\n%%Creator: y");
  std::string endless = "%!PS\n" + std::string(2 * kMaxPSHeader, '%');
  EXPECT_EQ(psp(endless, optionsFrom({})), "%!PS\n" + kPrint + std::string(2 * kMaxPSHeader, '%'));
}

TEST(PsFeatures, BlocksInOrder) {
  JobSettings s = optionsFrom({"-BB3"});
  s.proof = 1;
  s.accountId = "0012";
  s.accountPassword = "0099";
  std::string out = psp("%!PS\n%%EndComments\n", s);
  EXPECT_EQ(out,
            "%!PS\n%%EndComments\n"
            "%%BeginFeature: *Destination\n/XJXsetDevice where { pop 2 XJXsetDevice } if\n%%EndFeature\n"
            "%%BeginFeature: *Mailbox 3\n/XJXsetMailboxString where { pop (3) XJXsetMailboxString } if\n%%EndFeature\n"
            "%%BeginFeature: *ProofPrint\nuserdict /XJXsetProofPrint known\n { 1 XJXsetProofPrint } if\n%%EndFeature\n"
            "%%BeginFeature: *UserID\n/XJXsetUserID where { pop (12) XJXsetUserID} if\n%%EndFeature\n"
            "%%BeginFeature: *UserPassword\n/XJXsetUserPWD where { pop (99) XJXsetUserPWD} if\n%%EndFeature\n");
  JobSettings secure = optionsFrom({"-SPW=0815"});
  EXPECT_EQ(psp("%!PS\n%%EndComments\n", secure),
            "%!PS\n%%EndComments\n"
            "%%BeginFeature: *Destination\n/XJXsetDevice where { pop 3 XJXsetDevice } if\n%%EndFeature\n"
            "%%BeginFeature: *SecurePassword\n/XJXsetSecurePasswd where { pop (815) XJXsetSecurePasswd} if\n%%EndFeature\n");
  EXPECT_EQ(captured([](OutputWriter& o) { EXPECT_EQ(writePSMailbox(100, o), 0); EXPECT_EQ(writePSUserID(-1, o), 0); }), "");
}

TEST(PsCustomSize, ArtBoxChoosesTheRegion) {
  auto job = [](const std::string& box) {
    return "%!PS\n%%DocumentSuppliedFeatures: *CustomPageSize True\n" + box +
           "%%BeginFeature: *CustomPageSize True\n100 200 0 0 0\npop pop pop\n%%EndFeature\nshowpage\n";
  };
  std::string tail = "%%EndFeature\nshowpage\n";
  EXPECT_EQ(fixSize(job("/ArtBox [0 0 596.3 843.9]\n")),
            "%!PS\n%%DocumentSuppliedFeatures: *CustomPageSize False\n/ArtBox [0 0 596.3 843.9]\n"
            "%%BeginFeature: *PageRegion A4\n << /PageSize [595.0 842.0] >> setpagedevice\n" + tail);
  EXPECT_NE(fixSize(job("/ArtBox [0 0 1190 842]\n")).find("*PageRegion A3\n << /PageSize [1191.0 842.0]"), std::string::npos);
  EXPECT_NE(fixSize(job("/ArtBox [0 0 700 900]\n")).find("*PageRegion A4\n << /PageSize [595.0 842.0]"), std::string::npos);
  // An ArtBox without a box is no measurement (and no crash).
  EXPECT_NE(fixSize(job("%%ArtBox: none\n/ArtBox [0 0 1191 842]\n%ArtBox\n")).find("[1191.0 842.0]"), std::string::npos);
  double w = 1, h = 2;
  EXPECT_EQ(parseArtBox("ArtBox 0 0 5 5", &w, &h), 0);
  EXPECT_EQ(w, 1);
  EXPECT_EQ(isNearSize(1190.9, 1191, 3), 1);
  EXPECT_EQ(isNearSize(1188.9, 1191, 3), 0);
  EXPECT_EQ(isNearSize(1194.5, 1191, 3), 1);
}

TEST(PsCustomSize, NoEndFeatureKeepsTheRestOfTheJob) {
  std::string rest = "pop pop\n/a 1 def\nshowpage\n";
  std::string out = fixSize("%!PS\n%%BeginFeature: *CustomPageSize True\n" + rest);
  EXPECT_EQ(out, "%!PS\n%%BeginFeature: *PageRegion A4\n << /PageSize [595.0 842.0] >> setpagedevice\n%%EndFeature\n"
                 "%%BeginFeature: *CustomPageSize True\n" + rest);
  std::string big = "%!PS\n%%BeginFeature: *CustomPageSize True\n";
  for (int i = 0; i < 20000; ++i) big += "line " + std::to_string(i) + "\n";
  out = fixSize(big);
  EXPECT_NE(out.find("line 19999\n"), std::string::npos);
  EXPECT_NE(out.find("line 0\n"), std::string::npos);
}

TEST(PsCustomSize, BinaryLinesKeepEveryByte) {
  std::string bin;
  for (int i = 0; i < 3000; ++i) bin.push_back(static_cast<char>(i * 7));
  std::string job = "%!PS\n" + std::string(255, 'a') + std::string(1, '\0') + "b\n" + bin + "\n";
  EXPECT_EQ(fixSize(job), job);
}

class PsBanner : public ::testing::Test {
 protected:
  void SetUp() override { setBannerDirectory(dir_.path()); }
  void TearDown() override { setBannerDirectory("/usr/share/cups/banners"); }
  std::string banner(const std::string& name, const JobSettings& s) {
    return captured([&](OutputWriter& o) { writeBanner(s, name, o); });
  }
  testing_support::TempDir dir_;
};

TEST_F(PsBanner, PlaceholdersAreFilledOncePerLine) {
  testing_support::writeFile(dir_ / "standard",
                             "%!PS\n({printer-name}-{job-id}) show\n({job-name} {job-billing}) show\n"
                             "({job-originating-user-name} {job-originating-user-name})\n");
  JobSettings s = optionsFrom({"-ualice", "-VBudget (final)"});
  s.printer = "Q7";
  EXPECT_EQ(banner("standard", s), "%!PS\n(Q7) show\n({job-name} alice) show\n(alice {job-originating-user-name})\n");
  testing_support::writeFile(dir_ / "title", "%!PS\n({job-name}) show\n");
  EXPECT_EQ(banner("title", s), "%!PS\n(Budget \\(final\\)) show\n");
}

TEST_F(PsBanner, RefusesPathsMissingFilesAndNonPostScript) {
  testing_support::writeFile(dir_ / "pdf", "%PDF-1.4\n");
  testing_support::TempDir other;
  testing_support::writeFile(other / "secret", "%!PS\nsecret\n");
  JobSettings s = optionsFrom({});
  EXPECT_EQ(banner("missing", s), "");
  EXPECT_EQ(banner("pdf", s), "");
  EXPECT_EQ(banner("", s), "");
  EXPECT_EQ(banner("../" + other.path().substr(other.path().rfind('/') + 1) + "/secret", s), "");
  EXPECT_EQ(banner(other / "secret", s), "");
}

TEST(PsHeaderSearch, LineEndRunsAndBlockEnd) {
  std::size_t end = 0;
  const std::string b = "%!\n%%EndComments\r\n\n\fcode";
  EXPECT_TRUE(findPSHeaderEnd(b.data(), b.size(), &end));
  EXPECT_EQ(end, b.size() - 4);
  EXPECT_FALSE(findPSHeaderEnd(b.data(), 17, &end));  // more line ends may follow
  EXPECT_FALSE(findPSHeaderEnd("%!\n%%Title", 10, &end));
}

}  // namespace
