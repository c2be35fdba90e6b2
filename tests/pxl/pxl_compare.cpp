// pxl-compare: compares a job's PCL XL stream as it reached the printer with
// the stream Ghostscript made of the same document (end-to-end test).
//
//   pxl-compare GOT MADE
//
// Prints the duplex mode of each page of GOT on one line ("-" for a page
// without one); exits 1 when a stream does not scan to its end or when the
// two differ in anything but the BeginPage attributes (saying what).
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "pxl_scanner.h"

namespace {

constexpr unsigned kDuplexPageMode = 53;

bool load(const char* path, pxlscan::Stream& out) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  out = pxlscan::scan(bytes.str());
  if (!in || !out.complete) std::fprintf(stderr, "%s: %s at %zu\n", path, out.fault.c_str(), out.faultOffset);
  return in && out.complete;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pxl-compare GOT MADE\n");
    return 2;
  }
  pxlscan::Stream got, made;
  if (!load(argv[1], got) || !load(argv[2], made)) return 1;
  std::string line;
  for (const pxlscan::Operator* page : got.pages()) {
    const pxlscan::Attribute* mode = page->find(kDuplexPageMode);
    line += (line.empty() ? "" : " ") + (mode ? std::to_string(mode->number) : std::string("-"));
  }
  std::printf("%s\n", line.c_str());
  std::string diff = pxlscan::compareExceptPages(got, made);
  if (!diff.empty()) std::fprintf(stderr, "pages differ: %s\n", diff.c_str());
  return diff.empty() ? 0 : 1;
}
