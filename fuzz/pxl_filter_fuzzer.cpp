// Fuzzes the PCL XL road: the first six bytes choose the job's settings
// (paper size, duplex, model and tray, media type, output bin, traces), the
// rest is the print data. Invariants: no crash or hang, output bounded by
// the input, and for a stream that the tests' own scanner reads to its end,
// an output it reads to its end with the same operators and embedded data.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "job_settings.h"
#include "memory_file.h"
#include "pxl_filter.h"
#include "stream_io.h"

#include "pxl_scanner.h"

namespace {

const int kPaperSizes[] = {-1, 2, 11, 26, 27, 1111, 999, 0};
const int kDuplex[] = {-1, 0, 1, 2, 4, -1, 3, 1};
const int kTrays[] = {-1, 1, 2, 61, 300, 9, -1, 21};
const int kMediaTypes[] = {-1, 10, 109, 4, 1, 200, -1, 21};
const int kOutputBins[] = {-1, 5, 300, 70000, 0, 255, 256, -1};
const std::size_t kSettingBytes = 6;

JobSettings settingsFrom(const uint8_t* data) {
  JobSettings s;
  initJobSettings(s);
  s.paperSize = kPaperSizes[data[0] & 7];
  s.duplex = kDuplex[data[1] & 7];
  s.modelId = (data[2] & 8) ? 30 : 0;
  s.inputTray = kTrays[data[2] & 7];
  s.mediaType = kMediaTypes[data[3] & 7];
  s.outputBin = kOutputBins[data[4] & 7];
  s.debugLevel = data[5] == 0xD2 ? 2 : 0;
  return s;
}

// A descriptor in memory, never a file in the working directory.
int memoryFile(const char* name) {
  int fd = ::memfd_create(name, 0);
  if (fd < 0) std::abort();
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kSettingBytes) return 0;
  JobSettings settings = settingsFrom(data);
  std::string job(reinterpret_cast<const char*>(data) + kSettingBytes, size - kSettingBytes);

  static int inFd = memoryFile("pxl-in");
  static int outFd = memoryFile("pxl-out");
  if (::ftruncate(inFd, 0) != 0 || ::ftruncate(outFd, 0) != 0) std::abort();
  if (::pwrite(inFd, job.data(), job.size(), 0) != static_cast<ssize_t>(job.size())) std::abort();
  ::lseek(inFd, 0, SEEK_SET);
  ::lseek(outFd, 0, SEEK_SET);
  {
    InputReader in(inFd, "fuzz input");
    OutputWriter out(outFd, "fuzz output");
    filterPCLXL(in, out, settings);
    out.flush();
  }
  std::string output = readBack(outFd);

  // Each page's list may grow by the job's attributes: some 40 bytes for a
  // page of at least one byte.
  if (output.size() > 64 * job.size() + 64) std::abort();

  pxlscan::Stream before = pxlscan::scan(job);
  if (before.complete) {
    pxlscan::Stream after = pxlscan::scan(output);
    if (!after.complete) {
      std::fprintf(stderr, "output no longer scans: %s at %zu\n", after.fault.c_str(), after.faultOffset);
      std::abort();
    }
    std::string diff = pxlscan::compareExceptPages(before, after);
    if (!diff.empty()) {
      std::fprintf(stderr, "output differs: %s\n", diff.c_str());
      std::abort();
    }
  }
  return 0;
}
