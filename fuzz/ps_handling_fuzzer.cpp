// Fuzzes the PostScript roads: the first byte chooses PSP feature insertion
// (with settings from the next bytes) or the custom page-size fix; the rest
// is the job. Checks: no crash or hang; PSP output is the job with one block
// of feature code inserted; the fix leaves a job without "*CustomPageSize"
// unchanged and grows no more than a bound.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

#include "job_settings.h"
#include "memory_file.h"
#include "ps_handling.h"
#include "ps_header.h"
#include "stream_io.h"

namespace {

const std::size_t kSettingBytes = 4;
const std::size_t kMaxFeatureBytes = 1024;

void settingsFrom(const uint8_t* b, JobSettings& s) {
  initJobSettings(s);
  s.mailbox = b[1] == 255 ? -1 : b[1];
  s.proof = b[2] & 1;
  if (b[3] & 1) s.securePassword = std::to_string(b[3]);
  if (b[3] & 2) s.accountId = "00" + std::to_string(b[2]);
  if (b[3] & 4) s.accountPassword = "99999999999999999999";
}

// Whether out is in with one run of bytes inserted somewhere.
bool isInsertion(const std::string& in, const std::string& out) {
  if (out.size() < in.size()) return false;
  std::size_t p = 0;
  while (p < in.size() && in[p] == out[p]) ++p;
  std::size_t s = 0;
  while (s < in.size() - p && in[in.size() - 1 - s] == out[out.size() - 1 - s]) ++s;
  return p + s >= in.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kSettingBytes) return 0;
  JobSettings s;
  settingsFrom(data, s);
  const uint8_t* job = data + kSettingBytes;
  std::size_t jobSize = size - kSettingBytes;
  std::string in(reinterpret_cast<const char*>(job), jobSize);
  std::size_t end = 0;
  if (findPSHeaderEnd(in.data(), in.size(), &end) && end > in.size()) std::abort();
  double w = 0, h = 0;
  parseArtBox(in, &w, &h);

  int inFd = memoryFileWith("ps-fuzz", job, jobSize);
  int outFd = ::memfd_create("ps-fuzz-out", 0);
  if (inFd < 0 || outFd < 0) std::abort();
  bool psp = data[0] & 1;
  {
    InputReader reader(inFd, "fuzz input");
    OutputWriter writer(outFd, "fuzz output");
    if (psp) cleanUpPSFile(reader, writer, s);
    else fixCustomPageSize(reader, writer);
  }
  std::string out = readBack(outFd);
  ::close(inFd);
  ::close(outFd);
  if (psp) {
    if (out.size() > in.size() + kMaxFeatureBytes || !isInsertion(in, out)) std::abort();
  } else {
    if (in.find("*CustomPageSize") == std::string::npos && out != in) std::abort();
    if (out.size() > 4 * in.size() + 256) std::abort();
  }
  return 0;
}
