// PCL 5 road: for now the data passes through unchanged behind the header.
#include "pcl_rewriter.h"

#include <cstdio>

int CleanUpGSFile(InputReader& in, OutputWriter& out, JobSettings& settings) {
  if (settings.debugLevel > 0) std::fprintf(stderr, "CleanUpGSFile(stdin, stdout).\n");
  copyStream(in, out);
  out.flush();
  return 0;
}
