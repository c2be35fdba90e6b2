// PCL XL road: the incoming PJL header is dropped, the stream parsed and
// copied with rebuilt BeginPage lists.
#include "pxl_filter.h"

#include <cstdio>
#include <string>

#include "pjl_skip.h"
#include "pxl_input_stack.h"
#include "pxl_parser.h"

namespace {

const char kStandardInputName[] = "stdin";
const char kMsgNoInput[] = "PCL XL input %s: error %d.\n";

}  // namespace

int processPXLStream(InputReader& in, OutputWriter& out, const std::string& inputName,
                     const std::vector<std::string>& includePaths, const JobSettings& settings) {
  PxlInputStack inputs = pxlNewInputStack(in, includePaths);
  int code = pxlPushInput(inputs, inputName);
  if (code != kPxlInputOk) {
    std::fprintf(stderr, kMsgNoInput, inputName.c_str(), code);
    return code;
  }
  PxlParser parser(inputs, out, settings);
  parser.run();
  pxlCloseInput(inputs);
  return parser.error();
}

void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings& settings, bool headerTaken) {
  if (!headerTaken) skipPJLHeader(in);
  const std::vector<std::string> includePaths{"."};
  processPXLStream(in, out, kStandardInputName, includePaths, settings);
  out.flush();
}
