// Work-mode dispatch and the repeat copy of a job.
#include "job_dispatch.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

#include "input_pjl_header.h"
#include "pcl_rewriter.h"
#include "pjl_header.h"
#include "ps_handling.h"
#include "pxl_filter.h"
#include "stream_io.h"

namespace {

const char kTempName[] = "the temporary file";

// One language road from in to out (the input's PJL header already taken).
void processData(JobSettings& s, const FilterRun& run, InputReader& in, OutputWriter& out) {
  switch (s.workMode) {
    case kModePs:
      if (run.customSizeFix) fixCustomPageSize(in, out);
      else copyStream(in, out);
      break;
    case kModePxl: filterPCLXL(in, out, s, true); break;
    case kModePsp: cleanUpPSFile(in, out, s); break;
    default: CleanUpGSFile(in, out, s); break;
  }
  out.flush();
}

// The trailer that closes a job (or each copy) of this mode: with "@PJL"
// except in the default mode. A single job gets it too, so that the device
// leaves the job's language when the data ends rather than on a timeout.
int trailerKind(const JobSettings& s) { return s.workMode == kModeDefault ? 0 : 1; }

void replay(int repeatFd, OutputWriter& out) {
  if (::lseek(repeatFd, 0, SEEK_SET) < 0) throw IoError(std::string("cannot rewind ") + kTempName + ": " + std::strerror(errno));
  InputReader copy(repeatFd, kTempName);
  copyStream(copy, out);
}

}  // namespace

int prepareRepeatFile(JobSettings& s) {
  if (s.repeatCount < 1 && s.secondRepeatCount < 1) return -1;
  if (s.secondRepeatCount > s.repeatCount) s.repeatCount = s.secondRepeatCount;
  const char* dir = std::getenv("TMPDIR");
  std::string templ = std::string(dir && *dir ? dir : "/tmp") + "/qorgsfilter-XXXXXX";
  std::vector<char> name(templ.begin(), templ.end());
  name.push_back('\0');
  int fd = ::mkstemp(name.data());
  if (fd < 0) {
    std::fprintf(stderr, "Cannont create temporary file!\nSwitching to normal mode.\n");
    s.repeatCount = 0;
    return -1;
  }
  ::unlink(name.data());  // the copy lives only as long as the descriptor
  return fd;
}

void runJob(JobSettings& s, const FilterRun& run, int inFd, int outFd, int repeatFd) {
  widenPipe(inFd);
  widenPipe(outFd);
  InputReader in(inFd, "standard input");
  OutputWriter out(outFd, "standard output");
  bool psp = s.workMode == kModePsp;
  bool repeating = s.repeatCount > 0 && repeatFd >= 0 && (psp || !run.noPjl);
  bool withHeader = !psp && !run.noPjl;
  bool postScript = s.workMode == kModePs || psp;

  // The input's own PJL header would start a second job behind ours: its
  // lines go inside our header, its UELs and language line are dropped. The
  // PSP road writes no header of its own: there the input's header is
  // written back whole, in front of everything. -NOPJL leaves the input
  // as it is, except that the PCL XL road always drops the header.
  InputPjlHeader inputHeader;
  if (!run.noPjl || s.workMode == kModePxl) inputHeader = readInputPjlHeader(in);
  const std::vector<std::string>& inputLines = inputHeader.lines;

  // The banner goes behind the header, inside the job, so that it carries
  // the job's account and secure-print settings.
  if (!repeating) {
    if (withHeader) writePJLHeader(s, 0, 0, out, inputLines);
    if (psp) writeInputPjlHeader(inputHeader, out);
    if (postScript) writeBanner(s, run.bannerName, out);
    processData(s, run, in, out);
    if (withHeader) writeUELTrailer(trailerKind(s), out);
    out.flush();
    return;
  }

  OutputWriter copy(repeatFd, kTempName);
  if (psp) writeInputPjlHeader(inputHeader, copy);
  if (postScript) writeBanner(s, run.bannerName, copy);
  processData(s, run, in, copy);
  for (int i = 0; i < s.repeatCount; ++i) {
    if (withHeader) writePJLHeader(s, 0, 0, out, inputLines);
    replay(repeatFd, out);
    if (withHeader) writeUELTrailer(trailerKind(s), out);
  }
  out.flush();
}
