// The PXL road on hand-made streams: what passes unchanged, the incoming
// PJL header, white space, long arrays, byte orders, and streams the reader
// cannot follow (copied on unchanged from there).
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

#include "pjl_skip.h"
#include "pxl_tags.h"

using pxltest::defaults;
using pxltest::filtered;
using pxltest::hex;

namespace {

JobSettings sourceListModel() {
  JobSettings s = defaults();
  s.modelId = 30;  // keeps MediaSource: the rebuild of a plain page changes nothing
  return s;
}

const std::string kPage = hex("c0 00 f8 28 c0 02 f8 25 c0 01 f8 26 c0 00 f8 34");

}  // namespace

TEST(PxlTags, EveryOperatorByteIsNamedAndTablesAgree) {
  for (int b = 0; b < 256; ++b) {
    if (pxlByteClass(static_cast<std::uint8_t>(b)) != kPxlOperator) continue;
    EXPECT_NE(findTag(kTagOperator, static_cast<std::uint32_t>(b), kContextOperator), nullptr) << b;
  }
  ASSERT_NE(findTag(kTagOperator, 67, kContextOperator), nullptr);
  EXPECT_STREQ(findTag(kTagOperator, 67, kContextOperator)->name, "BeginPage");
  EXPECT_STREQ(findTag(kTagAttribute, 37, kContextAttribute)->name, "MediaSize");
  EXPECT_STREQ(findTag(kTagEnumeration, 1, kAttrMediaSource)->name, "eAutoSelect");
  EXPECT_EQ(findTag(kTagOperator, 0x45, kContextOperator), nullptr);
  EXPECT_EQ(pxlTypeIndex(0xD3), 19);
  EXPECT_EQ(pxlTypeIndex(0xCB), 51);
  EXPECT_EQ(pxlTypeIndex(0xD8), kPxlNoType);
  for (int b : {0x00, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x20}) EXPECT_EQ(pxlByteClass(static_cast<std::uint8_t>(b)), kPxlWhiteSpace);
}

TEST(PxlStream, PlainPagesPassUnchangedBehindTheDroppedPjl) {
  std::string stream = pxltest::streamOf({kPage, kPage});
  EXPECT_EQ(filtered(pxltest::uelPjl() + stream, sourceListModel()), stream);
  EXPECT_EQ(filtered(stream, sourceListModel()), stream);
}

TEST(PxlStream, WhiteSpaceBetweenTokensIsCopied) {
  std::string spaced = std::string(pxltest::kStreamHeader) + hex("20 0d 0a") + pxltest::session() +
                       hex("00 c0 00 09 f8 28 20 c0 02 f8 25 0b 43 0c b1 fb 02 41 42 20 44 0a 42 0a");
  std::string out = filtered(spaced, sourceListModel());
  // The rebuilt list leaves out the white space inside it; everything else stays.
  std::string want = std::string(pxltest::kStreamHeader) + hex("20 0d 0a") + pxltest::session() +
                     hex("c0 00 09 f8 28 c0 02 f8 25 43 0c b1 fb 02 41 42 20 44 0a 42 0a");
  EXPECT_EQ(out, want);
  pxlscan::Stream st = pxlscan::scan(out);
  EXPECT_TRUE(st.complete) << st.fault;
  EXPECT_EQ(st.count(0x42), 1u);
}

TEST(PxlStream, LongArraysAndBothDataLengthsPass) {
  std::string array = hex("c8 c1 e9 03") + std::string(1001, 'x') + hex("f8 ab");     // 1,001 ubytes
  std::string wide = hex("c9 c1 e9 03") + std::string(2002, 'y') + hex("f8 ab");      // 1,001 uint16
  std::string big(300000, '\x1b');
  std::string s = std::string(pxltest::kStreamHeader) + pxltest::session() + kPage + hex("43") + array + wide +
                  hex("a8 b1 fa e0 93 04 00") + big + hex("b1 fb 03 41 42 43 44 42");
  EXPECT_EQ(filtered(s, sourceListModel()), s);
}

TEST(PxlStream, HighByteFirstStreamsAreFollowed) {
  // The embedded data's length 0x00000104 read high byte first; read low byte
  // first it would run past the end.
  std::string data(0x104, '\x43');
  std::string s = std::string(pxltest::kStreamHeaderHigh) + hex("d1 02 58 02 58 f8 89 41") + kPage + hex("43") +
                  hex("b1 fa 00 00 01 04") + data + hex("c0 00 f8 28 c0 02 f8 25 43 44 42");
  JobSettings settings = defaults();
  settings.paperSize = 11;  // two-byte MediaSize in the stream's order
  std::string out = filtered(s, settings);
  pxlscan::Stream st = pxlscan::scan(out);
  ASSERT_TRUE(st.complete) << st.fault;
  ASSERT_EQ(st.pages().size(), 2u);
  EXPECT_EQ(st.pages()[0]->find(kAttrMediaSize)->bytes, hex("c1 04 24"));
  EXPECT_EQ(st.pages()[1]->find(kAttrMediaSize)->bytes, hex("c1 04 24"));
  EXPECT_EQ(st.operators[2].data, data);
}

TEST(PxlStream, AsciiStreamsPassUnchanged) {
  std::string s = "' HP-PCL XL;2;0\nBeginSession ubyte 0 Measure BeginPage C0 43 EndSession\n";
  JobSettings settings = defaults();
  settings.paperSize = 27;
  EXPECT_EQ(filtered(s, settings), s);
}

TEST(PxlStream, UnreadableStreamsAreCopiedOnUnchanged) {
  JobSettings settings = defaults();
  settings.paperSize = 27;
  std::string head = std::string(pxltest::kStreamHeader) + pxltest::session() + kPage + hex("43");
  std::string headOut = std::string(pxltest::kStreamHeader) + pxltest::session() + hex("c0 00 f8 28 c0 05 f8 25 c0 00 f8 34 43");
  // An unknown operator, a reserved data type, an attribute id out of place,
  // a bad array-length type: the rest, later pages included, passes as it is.
  for (const char* bad : {"45", "d8 00", "f8 28", "c8 c5 00 f8 28", "c0 01 c0"}) {
    std::string rest = hex(bad) + kPage + hex("43 44 42");
    EXPECT_EQ(filtered(head + rest, settings), headOut + rest) << bad;
  }
  // A job that is not PCL XL at all keeps every byte.
  std::string text = "DATA-BLOCK\nDATA-BLOCK\n";
  EXPECT_EQ(filtered(text, settings), text);
}

TEST(PxlStream, CutAtEveryOffsetKeepsEveryByte) {
  // With settings that change nothing, a job cut anywhere comes out as it
  // went in: nothing held back is lost at the end.
  std::string job = pxltest::withoutPjl(pxltest::gsMono());
  std::size_t limit = std::min<std::size_t>(job.size(), 3000);
  for (std::size_t cut = 0; cut <= limit; ++cut) {
    std::string part = job.substr(0, cut);
    ASSERT_EQ(filtered(part, sourceListModel()), part) << "cut at " << cut;
  }
}

namespace {

std::string skipped(const std::string& input, int* result = nullptr) {
  pxltest::TempDir dir;
  writeFile(dir / "in", input);
  int fd = ::open((dir / "in").c_str(), O_RDONLY);
  InputReader in(fd, "test");
  std::string carry;
  int r = skipPJLHeader(in);
  if (result) *result = r;
  while (in.fill()) {
    carry.append(in.data(), in.available());
    in.consume(in.available());
  }
  ::close(fd);
  return carry;
}

}  // namespace

TEST(PjlSkip, DropsTheHeaderUpToTheLanguageLine) {
  int r = -1;
  EXPECT_EQ(skipped("\033%-12345X@PJL SET RESOLUTION=600\n@PJL ENTER LANGUAGE = PCLXL\n) HP", &r), ") HP");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(skipped(") HP-PCL XL", &r), ") HP-PCL XL");
  EXPECT_EQ(r, 0);
}

TEST(PjlSkip, StopsAtTheFirstLineThatIsNotPjlAndAtEndOfFile) {
  // No language line: the PJL lines go, the data stays.
  EXPECT_EQ(skipped("\033%-12345X@PJL JOB\n@PJL SET COPIES=2\n) HP-PCL XL;2;0\n"), ") HP-PCL XL;2;0\n");
  // A job name holding LANGUAGE does not end the header.
  EXPECT_EQ(skipped("\033%-12345X@PJL JOB NAME=\"LANGUAGE\"\n@PJL ENTER LANGUAGE=PCLXL\nXX"), "XX");
  // End of file inside the header ends the skipping.
  EXPECT_EQ(skipped("\033%-12345X@PJL SET"), "");
  EXPECT_EQ(skipped("\033%-12345X@PJ"), "@PJ");
  // Not a UEL: nothing is dropped.
  EXPECT_EQ(skipped("\033E\033&l0O"), "\033E\033&l0O");
}

TEST(PjlSkip, LongLinesAreSkippedWhole) {
  std::string longLine = "@PJL COMMENT " + std::string(500, 'z') + " ENTER LANGUAGE\n";
  EXPECT_EQ(skipped("\033%-12345X" + longLine + "@PJL ENTER LANGUAGE=PCLXL\nDATA"), "DATA");
}
