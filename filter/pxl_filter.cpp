// PCL XL road: the incoming PJL header is dropped, the stream parsed and
// copied with rebuilt BeginPage lists.
#include "pxl_filter.h"

#include <string>

#include "pjl_skip.h"
#include "pxl_parser.h"

void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings& settings) {
  std::string carry;
  skipPJLHeader(in, carry);
  PxlParser parser(in, out, settings, carry);
  parser.run();
  out.flush();
}
