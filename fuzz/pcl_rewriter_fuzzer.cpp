// Fuzzes the PCL 5 rewriter: the first input bytes choose the job settings,
// the rest is the PCL stream. Checks, against the independent test scanner:
// no crash or hang, every data byte kept in order (for streams the scanner
// reads whole), and output no longer than the input plus a bound.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "job_settings.h"
#include "memory_file.h"
#include "pcl_rewriter.h"
#include "stream_io.h"
#include "pcl5_scanner.h"

namespace {

const std::size_t kSettingBytes = 10;

int small(uint8_t b, int range) { return b == 255 ? -1 : b % range; }

void settingsFrom(const uint8_t* b, JobSettings& s) {
  initJobSettings(s);
  s.paperSize = small(b[0], 30);
  s.duplex = small(b[1], 4);
  s.inputTray = small(b[2], 25);
  s.mediaType = b[3] == 255 ? -1 : b[3];
  s.keepFlags = b[4] & 3;
  s.registrationMode = b[5] % 5;
  s.colorMode = small(b[6], 3);
  s.modelId = b[7];
  s.registrationOffsets[0] = static_cast<int8_t>(b[8]);
  s.registrationOffsets[1] = static_cast<int8_t>(b[9]);
}

// The data bytes but for the media names the rewriter inserts.
std::string dataOf(const pcl5::Scan& s) {
  std::string d;
  for (const pcl5::Command& c : s.commands)
    if (c.prefix != "&n") d += c.data;
  return d;
}

// Value fields longer than the rewriter reads in one sequence.
bool hasLongValue(const std::string& in) {
  std::size_t run = 0;
  for (char c : in) {
    run = ((c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-') ? run + 1 : 0;
    if (run > 200) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kSettingBytes) return 0;
  JobSettings s;
  settingsFrom(data, s);
  std::string in(reinterpret_cast<const char*>(data) + kSettingBytes, size - kSettingBytes);
  int inFd = memoryFileWith("pcl-fuzz", data + kSettingBytes, size - kSettingBytes);
  int outFd = ::memfd_create("pcl-fuzz-out", 0);
  if (inFd < 0 || outFd < 0) std::abort();
  {
    InputReader reader(inFd, "fuzz input");
    OutputWriter writer(outFd, "fuzz output");
    CleanUpGSFile(reader, writer, s);
  }
  std::string out = readBack(outFd);
  ::close(inFd);
  ::close(outFd);
  if (out.size() > in.size() + 128 + in.size() / 4) std::abort();
  pcl5::Scan a = pcl5::scan(in);
  if (a.complete && !hasLongValue(in)) {
    pcl5::Scan b = pcl5::scan(out);
    if (dataOf(a) != dataOf(b) || a.text != b.text) {
      std::fprintf(stderr, "data or text bytes changed\n");
      std::abort();
    }
  }
  return 0;
}
