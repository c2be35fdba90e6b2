// The tests' scanner on hand-made streams: it must see every token, in both
// byte orders and both embedded-data lengths, and notice broken streams.
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

using pxltest::hex;

TEST(PxlScanner, ReadsTokensInBothByteOrders) {
  // ReadImage with data of 4-byte length 0x00000003 and 1-byte length 2.
  std::string low = std::string(pxltest::kStreamHeader) + hex("c1 34 12 f8 6c c8 c1 02 00 61 62 f8 a8 b1 fa 03 00 00 00 41 42 43 fb 02 44 45 42");
  std::string high = std::string(pxltest::kStreamHeaderHigh) + hex("c1 12 34 f8 6c c8 c1 00 02 61 62 f8 a8 b1 fa 00 00 00 03 41 42 43 fb 02 44 45 42");
  for (const std::string& s : {low, high}) {
    pxlscan::Stream st = pxlscan::scan(s);
    ASSERT_TRUE(st.complete) << st.fault;
    ASSERT_EQ(st.operators.size(), 2u);
    EXPECT_EQ(st.operators[0].code, 0xB1u);
    EXPECT_EQ(st.operators[0].data, "ABCDE");
    ASSERT_EQ(st.operators[0].attributes.size(), 2u);
    EXPECT_EQ(st.operators[0].attributes[0].number, 0x1234);
    EXPECT_EQ(st.operators[0].attributes[1].bytes.size(), 6u);
  }
}

TEST(PxlScanner, NoticesBrokenStreams) {
  std::string base = pxltest::kStreamHeader;
  EXPECT_FALSE(pxlscan::scan(base + hex("c0 01 43")).complete);        // value without id
  EXPECT_FALSE(pxlscan::scan(base + hex("b1 fa 09 00 00 00 41")).complete);  // data cut short
  EXPECT_FALSE(pxlscan::scan(base + hex("c0 01 f8 28")).complete);     // no operator at the end
  EXPECT_FALSE(pxlscan::scan(base + hex("43 f0")).complete);           // reserved byte
}
