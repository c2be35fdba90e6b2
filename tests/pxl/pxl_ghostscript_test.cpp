// The PXL road on Ghostscript's real streams (made at test time), checked
// with the tests' own scanner, and the filter run as a command.
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

#include "pxl_tags.h"

using pxltest::defaults;
using pxltest::filtered;

TEST(PxlGhostscript, MonoPassesWithSameTokensAndData) {
  std::string job = pxltest::gsMono();
  pxlscan::Stream in = pxlscan::scan(pxltest::withoutPjl(job));
  ASSERT_TRUE(in.complete) << in.fault << " at " << in.faultOffset;
  ASSERT_EQ(in.pages().size(), 3u);
  JobSettings s = defaults();
  s.modelId = 30;
  EXPECT_EQ(filtered(job, s), pxltest::withoutPjl(job));  // nothing to change, PJL dropped
  s = defaults();
  s.paperSize = 26;
  s.duplex = 1;
  pxlscan::Stream out = pxlscan::scan(filtered(job, s));
  ASSERT_TRUE(out.complete) << out.fault;
  EXPECT_EQ(pxlscan::compareExceptPages(in, out), "");
  for (const pxlscan::Operator* page : out.pages()) {
    ASSERT_NE(page->find(kAttrDuplexPageMode), nullptr);
    EXPECT_EQ(page->find(kAttrDuplexPageMode)->number, 1);
    EXPECT_EQ(page->find(kAttrSimplexPageMode), nullptr);
    EXPECT_EQ(page->find(kAttrMediaSource), nullptr);
  }
  EXPECT_EQ(out.pages()[0]->find(kAttrMediaSize)->number, 2);
}

TEST(PxlGhostscript, CustomSizeKeptOnEveryPage) {
  std::string job = pxltest::gsCustom();
  pxlscan::Stream in = pxlscan::scan(pxltest::withoutPjl(job));
  ASSERT_TRUE(in.complete) << in.fault;
  for (int duplex : {-1, 1}) {
    JobSettings s = defaults();
    s.duplex = duplex;
    pxlscan::Stream out = pxlscan::scan(filtered(job, s));
    ASSERT_TRUE(out.complete) << out.fault;
    EXPECT_EQ(pxlscan::compareExceptPages(in, out), "");
    ASSERT_EQ(out.pages().size(), 3u);
    for (std::size_t i = 0; i < out.pages().size(); ++i) {
      const pxlscan::Attribute* size = out.pages()[i]->find(kAttrCustomMediaSize);
      ASSERT_NE(size, nullptr) << "page " << i;
      EXPECT_EQ(size->bytes, in.pages()[i]->find(kAttrCustomMediaSize)->bytes);
      EXPECT_NE(out.pages()[i]->find(kAttrCustomMediaSizeUnits), nullptr);
    }
  }
}

TEST(PxlGhostscript, CommandMakesTheDuplexColourJobSimplex) {
  pxltest::TempDir dir;
  writeFile(dir / "in", pxltest::gsColorDuplex());
  pxlscan::Stream in = pxlscan::scan(pxltest::withoutPjl(readFile(dir / "in")));
  ASSERT_TRUE(in.complete) << in.fault;
  ASSERT_NE(in.pages()[0]->find(kAttrDuplexPageSide), nullptr);
  Command cmd({QORGSFILTER_PATH, "-MPXL", "-d0"}, "qorgsfilter");
  cmd.stdinPath = dir / "in";
  cmd.stdoutPath = dir / "out";
  cmd.stderrPath = dir / "err";
  cmd.env = {{"PPD", ""}};
  ASSERT_EQ(exitCodeOf(runCommand(cmd, 0, RunMode::Quiet)), 0);
  std::string out = readFile(dir / "out");
  // The filter's own header, then the stream.
  ASSERT_EQ(out.compare(0, 9, "\033%-12345X"), 0);
  std::string::size_type at = out.find("@PJL ENTER LANGUAGE=PCLXL\n");
  ASSERT_NE(at, std::string::npos);
  std::string stream = out.substr(at + 26);
  std::string trailer = "\033%-12345X@PJL\n\033%-12345X\n";
  if (stream.size() >= trailer.size() && stream.compare(stream.size() - trailer.size(), trailer.size(), trailer) == 0)
    stream.resize(stream.size() - trailer.size());
  pxlscan::Stream st = pxlscan::scan(stream);
  ASSERT_TRUE(st.complete) << st.fault << " at " << st.faultOffset;
  EXPECT_EQ(pxlscan::compareExceptPages(in, st), "");
  ASSERT_EQ(st.pages().size(), in.pages().size());
  for (const pxlscan::Operator* page : st.pages()) {
    ASSERT_NE(page->find(kAttrSimplexPageMode), nullptr);
    EXPECT_EQ(page->find(kAttrDuplexPageMode), nullptr);
    EXPECT_EQ(page->find(kAttrDuplexPageSide), nullptr);
  }
  EXPECT_EQ(readFile(dir / "err"), "");
}

TEST(PxlGhostscript, CommandTracesAndReportsOverlongHeaderLinesOnce) {
  pxltest::TempDir dir;
  std::string job = "\033%-12345X@PJL COMMENT " + std::string(1000, 'z') + "\n@PJL COMMENT " +
                    std::string(300, 'y') + "\n@PJL ENTER LANGUAGE=PCLXL\n" + pxltest::withoutPjl(pxltest::gsMono());
  writeFile(dir / "in", job);
  Command cmd({QORGSFILTER_PATH, "-MPXL", "-NOPJL", "-D2", "-p26"}, "qorgsfilter");
  cmd.stdinPath = dir / "in";
  cmd.stdoutPath = dir / "out";
  cmd.stderrPath = dir / "err";
  cmd.env = {{"PPD", ""}};
  ASSERT_EQ(exitCodeOf(runCommand(cmd, 0, RunMode::Quiet)), 0);
  std::string err = readFile(dir / "err");
  std::size_t overflows = 0;
  for (std::size_t at = err.find("Header buffer overflow!\n"); at != std::string::npos;
       at = err.find("Header buffer overflow!\n", at + 1))
    ++overflows;
  EXPECT_EQ(overflows, 2u);  // once for each long line
  EXPECT_NE(err.find("Found BeginPage.\n"), std::string::npos);
  EXPECT_NE(err.find("ProcessOutBuffer(BeginPage).\n"), std::string::npos);
  EXPECT_NE(err.find("ProcessOutBuffer(paperSize[qor]=26).\n"), std::string::npos);
  EXPECT_NE(err.find("buf[00] = 0xc0 = "), std::string::npos);
  pxlscan::Stream st = pxlscan::scan(readFile(dir / "out"));
  EXPECT_TRUE(st.complete) << st.fault;
  EXPECT_EQ(st.pages().size(), 3u);
}
