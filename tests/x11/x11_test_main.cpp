// main() for the in-process X test programs: GoogleTest with the display
// environment of x11_harness.h. A run in which no test ran (a filter that
// matches nothing) fails, so that a renamed test cannot pass by vanishing.
#include "x11_harness.h"

#include <cstdio>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new x11test::X11Environment);
  int status = RUN_ALL_TESTS();
  const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
  if (status == 0 && !::testing::GTEST_FLAG(list_tests) && unit.test_to_run_count() == 0) {
    std::fprintf(stderr, "no test ran\n");
    return 1;
  }
  return status;
}
