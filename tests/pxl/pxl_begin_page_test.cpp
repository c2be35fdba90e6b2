// The BeginPage rebuild: the committed example with its exact output, and
// each job setting's attribute on hand-made pages.
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

#include "pxl_begin_page.h"
#include "pxl_tags.h"

using pxltest::defaults;
using pxltest::filtered;
using pxltest::hex;

namespace {

const std::string kSimplexPage = hex("c0 00 f8 28 c0 02 f8 25 c0 01 f8 26 c0 00 f8 34");
const std::string kDuplexPage = hex("c0 00 f8 28 c0 00 f8 25 c0 01 f8 26 c0 00 f8 35 c0 00 f8 36");

// The BeginPage lists of the output for pages under settings.
std::vector<std::string> pageLists(const std::vector<std::string>& pages, const JobSettings& s) {
  std::string out = filtered(pxltest::streamOf(pages), s);
  pxlscan::Stream st = pxlscan::scan(out);
  EXPECT_TRUE(st.complete) << st.fault;
  EXPECT_EQ(pxlscan::compareExceptPages(st, pxlscan::scan(pxltest::streamOf(pages))), "");
  std::vector<std::string> lists;
  for (const pxlscan::Operator* op : st.pages()) {
    std::string list;
    for (const pxlscan::Attribute& a : op->attributes) list += a.bytes + hex("f8") + std::string(1, static_cast<char>(a.id));
    lists.push_back(list);
  }
  return lists;
}

}  // namespace

TEST(PxlBeginPage, TheCommittedExampleGivesItsExactOutput) {
  std::string input = readFile(std::string(PXL_TEST_DATA) + "/begin_page_example.pxl");
  std::string want = readFile(std::string(PXL_TEST_DATA) + "/begin_page_example.p27_d1.pxl");
  ASSERT_FALSE(input.empty());
  JobSettings s = defaults();
  s.paperSize = 27;
  s.duplex = 1;
  EXPECT_EQ(filtered(input, s), want);
}

TEST(PxlBeginPage, PaperSizesAndOutputBins) {
  JobSettings s = defaults();
  s.paperSize = 11;
  std::vector<std::string> l = pageLists({kSimplexPage, kSimplexPage}, s);
  ASSERT_EQ(l.size(), 2u);
  EXPECT_EQ(l[0], hex("c0 00 f8 28 c1 24 04 f8 25 c0 00 f8 34"));
  EXPECT_EQ(l[1], l[0]);  // later pages take the job's size too
  EXPECT_EQ(pxlMediaSizeValue(1111), 1111);
  EXPECT_EQ(pxlMediaSizeValue(81), 6);
  EXPECT_EQ(pxlMediaSizeValue(999), 2);

  s = defaults();
  s.outputBin = 300;
  l = pageLists({kSimplexPage}, s);
  EXPECT_EQ(l[0], hex("c0 00 f8 28 c0 02 f8 25 c1 2c 01 f8 24 c0 00 f8 34"));
  s.outputBin = 5;
  for (const std::string& page : pageLists({kSimplexPage, kSimplexPage}, s))
    EXPECT_EQ(page, hex("c0 00 f8 28 c0 02 f8 25 c0 05 f8 24 c0 00 f8 34"));
}

TEST(PxlBeginPage, MediaSourceOnlyForTheSourceListModel) {
  JobSettings s = defaults();
  s.inputTray = 2;
  EXPECT_EQ(pageLists({kSimplexPage}, s)[0], hex("c0 00 f8 28 c0 02 f8 25 c0 00 f8 34"));
  s.modelId = 30;
  std::vector<std::string> l = pageLists({kSimplexPage, kSimplexPage}, s);
  EXPECT_EQ(l[0], hex("c0 00 f8 28 c0 02 f8 25 c0 03 f8 26 c0 00 f8 34"));
  EXPECT_EQ(l[1], l[0]);
  EXPECT_EQ(pxlMediaSourceValue(5), 7);
  EXPECT_EQ(pxlMediaSourceValue(70), 70);
  EXPECT_EQ(pxlMediaSourceValue(3), 1);
}

TEST(PxlBeginPage, BothMediaTypeTables) {
  JobSettings s = defaults();
  s.mediaType = 10;
  std::string plainPage = kSimplexPage + hex("c8 c0 05") + "Plain" + hex("f8 27");
  std::vector<std::string> l = pageLists({plainPage, plainPage}, s);
  EXPECT_EQ(l[0], hex("c0 00 f8 28 c0 02 f8 25 c8 c0 09") + "Cardstock" + hex("f8 27 c0 00 f8 34"));
  EXPECT_EQ(l[1], l[0]);
  s.modelId = 30;
  s.mediaType = 109;
  EXPECT_EQ(pageLists({kSimplexPage}, s)[0],
            hex("c0 00 f8 28 c0 02 f8 25 c0 01 f8 26 c8 c0 0b") + "Extra Heavy" + hex("f8 27 c0 00 f8 34"));
  EXPECT_STREQ(pxlMediaTypeName(10, true), "Plain");
  EXPECT_STREQ(pxlMediaTypeName(20, false), "CardStock");
  // Without -m the file's media type stays on the first page only.
  EXPECT_EQ(pageLists({plainPage, plainPage}, defaults())[0],
            hex("c0 00 f8 28 c0 02 f8 25 c8 c0 05") + "Plain" + hex("f8 27 c0 00 f8 34"));
}

TEST(PxlBeginPage, DuplexOnEveryPageOfDuplexAndSimplexJobs) {
  struct Case {
    int duplex;
    std::string mode;  // the page's mode attribute
    bool side;         // DuplexPageSide kept (duplex jobs)
  };
  const Case cases[] = {{0, "c0 00 f8 34", false}, {1, "c0 01 f8 35", true}, {2, "c0 00 f8 35", true},
                        {4, "c0 00 f8 35", true}};
  for (const Case& c : cases) {
    JobSettings s = defaults();
    s.duplex = c.duplex;
    std::vector<std::string> duplexJob = pageLists({kDuplexPage, kDuplexPage, kDuplexPage}, s);
    std::vector<std::string> simplexJob = pageLists({kSimplexPage, kSimplexPage}, s);
    for (const std::string& l : duplexJob)
      EXPECT_EQ(l, hex("c0 00 f8 28 c0 00 f8 25 ") + hex(c.mode) + (c.side ? hex("c0 00 f8 36") : "")) << c.duplex;
    for (const std::string& l : simplexJob)
      EXPECT_EQ(l, hex("c0 00 f8 28 c0 02 f8 25 ") + hex(c.mode)) << c.duplex;
  }
  // Without -d each page keeps its own mode.
  EXPECT_EQ(pageLists({kDuplexPage}, defaults())[0], hex("c0 00 f8 28 c0 00 f8 25 c0 00 f8 35 c0 00 f8 36"));
}

TEST(PxlBeginPage, CustomSizeOnEveryPageUnlessThePaperSizeReplacesIt) {
  // Ghostscript's custom-size value holds 0xD1 inside its real32 bytes.
  std::string custom = hex("c0 00 f8 28 d5 55 55 d1 40 f2 8b 1b 41 f8 2f c0 00 f8 30 c0 01 f8 26 c0 00 f8 34");
  std::string want = hex("c0 00 f8 28 c0 00 f8 30 d5 55 55 d1 40 f2 8b 1b 41 f8 2f c0 00 f8 34");
  std::vector<std::string> l = pageLists({custom, custom, custom}, defaults());
  for (const std::string& page : l) EXPECT_EQ(page, want);
  JobSettings s = defaults();
  s.paperSize = 26;
  l = pageLists({custom, custom}, s);
  EXPECT_EQ(l[0], hex("c0 00 f8 28 c0 02 f8 25 c0 00 f8 34"));
  EXPECT_EQ(l[1], l[0]);
}

TEST(PxlBeginPage, APageWithoutAttributesPassesAndStaysTheFirst) {
  JobSettings s = defaults();
  s.paperSize = 27;
  // The file's media type is kept on the first rebuilt page only.
  std::string plainPage = kSimplexPage + hex("c8 c0 05") + "Plain" + hex("f8 27");
  std::vector<std::string> l = pageLists({"", plainPage, plainPage}, s);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "");
  EXPECT_EQ(l[1], hex("c0 00 f8 28 c0 05 f8 25 c8 c0 05") + "Plain" + hex("f8 27 c0 00 f8 34"));
  EXPECT_EQ(l[2], hex("c0 00 f8 28 c0 05 f8 25 c0 00 f8 34"));
}

TEST(PxlBeginPage, AnOverlongListPassesUnrebuilt) {
  JobSettings s = defaults();
  s.paperSize = 27;
  std::string huge = hex("c8 c2 00 00 02 00") + std::string(0x20000, 'q') + hex("f8 ab");  // 128 KiB array
  std::string page = kSimplexPage + huge;
  std::string stream = pxltest::streamOf({page, kSimplexPage});
  std::string out = filtered(stream, s);
  pxlscan::Stream st = pxlscan::scan(out);
  ASSERT_TRUE(st.complete) << st.fault;
  ASSERT_EQ(st.pages().size(), 2u);
  EXPECT_EQ(st.pages()[0]->attributes.size(), 5u);
  EXPECT_EQ(st.pages()[0]->find(kAttrMediaSize)->bytes, hex("c0 02"));
  EXPECT_EQ(st.pages()[1]->find(kAttrMediaSize)->bytes, hex("c0 05"));
}
