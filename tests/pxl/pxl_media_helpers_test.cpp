// The media helpers beside the page rewrite.
#include "pxl_test_helpers.h"

#include "pxl_media_helpers.h"
#include "pxl_tags.h"

using pxltest::hex;

namespace {

std::string written(void (*write)(OutputWriter&)) {
  TempDir dir;
  int fd = ::open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  {
    OutputWriter out(fd, "test");
    write(out);
    out.flush();
  }
  ::close(fd);
  return readFile(dir / "out");
}

int codeOf(const std::string& list) {
  PxlAttributeSpan a{0, static_cast<std::uint32_t>(list.size()), static_cast<std::uint8_t>(list.back())};
  return pclPageSizeCode(reinterpret_cast<const std::uint8_t*>(list.data()), a);
}

}  // namespace

TEST(PxlMediaHelpers, WritesMediaTypesAsUbyteArrays) {
  EXPECT_EQ(written([](OutputWriter& o) { writePXLMediaType(6, o); }), hex("c8 c1 06 00") + "labels" + hex("f8 27"));
  EXPECT_EQ(written([](OutputWriter& o) { writePXLMediaType(10, o); }), hex("c8 c1 09 00") + "Tab Stock" + hex("f8 27"));
  EXPECT_EQ(written([](OutputWriter& o) { writePXLMediaType(15, o); }), "");
  EXPECT_EQ(written([](OutputWriter& o) { writePXLUbyteArray("", o); }), "");
}

TEST(PxlMediaHelpers, PageSizeCodesAndAttributeCharacters) {
  EXPECT_EQ(codeOf(hex("c0 05 f8 25")), 5);
  EXPECT_EQ(codeOf(hex("c8 c0 02") + "A4" + hex("f8 25")), 26);
  EXPECT_EQ(codeOf(hex("c8 c1 06 00") + "LEDGER" + hex("f8 25")), 3);
  EXPECT_EQ(codeOf(hex("c8 c0 0c") + "ARCH-13X19in" + hex("f8 25")), 1111);
  EXPECT_EQ(codeOf(hex("c8 c0 03") + "xyz" + hex("f8 25")), -1);
  EXPECT_EQ(codeOf(hex("c0 05 f8 26")), -1);
  EXPECT_EQ(attributeIdChar(52), '\x34');
  EXPECT_EQ(attributeIdChar(41), 0);
}
