// PostScript roads: for now the data passes through unchanged and no banner
// page is written.
#include "ps_handling.h"

int cleanUpPSFile(InputReader& in, OutputWriter& out, JobSettings&) {
  copyStream(in, out);
  out.flush();
  return 0;
}

void fixCustomPageSize(InputReader& in, OutputWriter& out) {
  copyStream(in, out);
  out.flush();
}

void writeBanner(const JobSettings&, const std::string&, OutputWriter&) {}
