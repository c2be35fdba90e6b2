// Where the banner page goes in a whole job: behind the PJL header, so that
// it is part of the job that carries the account and secure-print settings;
// in a repeated job behind each copy's header.
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include "filter_test_helpers.h"
#include "job_dispatch.h"
#include "ps_banner.h"
#include "test_support.h"

namespace {

std::string runWhole(const std::string& job, std::initializer_list<const char*> words) {
  FilterRun run;
  JobSettings s = filter_testing::optionsFrom(words, &run);
  int in = ::memfd_create("job", 0), out = ::memfd_create("out", 0);
  EXPECT_EQ(::write(in, job.data(), job.size()), static_cast<ssize_t>(job.size()));
  ::lseek(in, 0, SEEK_SET);
  int repeat = prepareRepeatFile(s);
  runJob(s, run, in, out, repeat);
  if (repeat >= 0) ::close(repeat);
  std::string text;
  ::lseek(out, 0, SEEK_SET);
  char buf[4096];
  ssize_t n;
  while ((n = ::read(out, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  ::close(in);
  ::close(out);
  return text;
}

int occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::string::size_type at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

class BannerPlace : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::writeFile(dir_ / "plain", "%!PS\n(BANNER {job-originating-user-name}) show showpage\n");
    setBannerDirectory(dir_.path());
  }
  void TearDown() override { setBannerDirectory("/usr/share/cups/banners"); }
  testing_support::TempDir dir_;
};

TEST_F(BannerPlace, BehindTheHeaderInsideTheJob) {
  std::string out = runWhole("%!PS\nJOBDATA\n", {"-MPS", "-Yplain", "-ualice", "-SPW=1234"});
  std::string::size_type language = out.find("@PJL ENTER LANGUAGE=POSTSCRIPT\n");
  std::string::size_type secure = out.find("SECUREPASSWD=1234");
  std::string::size_type banner = out.find("%!PS\n(BANNER alice)");
  std::string::size_type job = out.find("JOBDATA");
  ASSERT_NE(language, std::string::npos);
  ASSERT_NE(banner, std::string::npos);
  EXPECT_LT(secure, banner);
  EXPECT_EQ(banner, language + 31);
  EXPECT_LT(banner, job);
}

TEST_F(BannerPlace, EachRepeatedCopyHasItsBannerBehindItsHeader) {
  std::string out = runWhole("%!PS\nJOBDATA\n", {"-MPS", "-Yplain", "-xR2"});
  EXPECT_EQ(occurrences(out, "(BANNER "), 2);
  EXPECT_EQ(occurrences(out, "@PJL ENTER LANGUAGE=POSTSCRIPT\n%!PS\n(BANNER"), 2);
  // PSP has no header: the banner comes first, the job's blocks after its header.
  out = runWhole("%!PS\n%%EndComments\nJOBDATA\n", {"-MPSP", "-Yplain", "-BB7"});
  EXPECT_EQ(out.find("%!PS\n(BANNER "), 0u);
  EXPECT_NE(out.find("%%EndComments\n%%BeginFeature: *Destination"), std::string::npos);
}

}  // namespace
