// PSP mode: feature blocks after the header comments.
#include "ps_handling.h"

#include <cstdio>

#include "ps_feature_code.h"
#include "ps_header.h"

namespace {

// Reads more of the input into head; false at end of file.
bool readMore(InputReader& in, std::string& head) {
  if (!in.fill()) return false;
  std::size_t n = in.available();
  if (n > kMaxPSHeader - head.size()) n = kMaxPSHeader - head.size();
  head.append(in.data(), n);
  in.consume(n);
  return true;
}

}  // namespace

int cleanUpPSFile(InputReader& in, OutputWriter& out, JobSettings& settings) {
  std::string head;
  std::size_t end = 0;
  bool found = false;
  bool eof = false;
  while (!found && !eof && head.size() < kMaxPSHeader) {
    eof = !readMore(in, head);
    found = findPSHeaderEnd(head.data(), head.size(), &end);
  }
  if (!found && eof) found = findPSHeaderEnd(head.data(), head.size(), &end, true);
  if (!found) {
    std::fputs("cleanUpPSFile: No PS header found!\n", stderr);
    found = head.compare(0, 2, "%!") == 0 && findFirstLineEnd(head.data(), head.size(), &end);
  }
  if (found) {
    out.write(head.data(), end);
    writePSFeatures(settings, out);
    out.write(head.data() + end, head.size() - end);
  } else {
    out.write(head);
  }
  copyStream(in, out);
  out.flush();
  return 0;
}
