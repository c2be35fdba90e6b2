// PCL XL road: for now the data passes through unchanged behind the header.
#include "pxl_filter.h"

void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings&) {
  copyStream(in, out);
  out.flush();
}
