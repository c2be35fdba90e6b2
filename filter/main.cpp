// qorgsfilter: the print-data filter run in a queue's print path. It reads
// one job on standard input and writes it, behind a PJL job header that
// carries the job's settings, on standard output.
#include <cstdio>
#include <new>
#include <unistd.h>

#include "cups_environment.h"
#include "filter_options.h"
#include "job_dispatch.h"
#include "job_settings.h"
#include "mailbox_merge.h"
#include "mailbox_reader.h"
#include "model_table.h"
#include "ppd_model.h"
#include "stream_io.h"

namespace {

void identifyModel(JobSettings& s) {
  s.modelId = getModelId(s);
  s.plainSettings[kPlainListA] = isModelInList(s.modelId, kListA);
  s.firstAdvance = isModelInList(s.modelId, kFirstAdvanceList);
  s.secondAdvance = isModelInList(s.modelId, kSecondAdvanceList);
}

int runFilter(int argc, char** argv) {
  JobSettings settings;
  FilterRun run;
  initJobSettings(settings);
  if (parseFilterOptions(argc, argv, settings, run) == OptionResult::kUsage) {
    printUsage();
    return 0;
  }
  readCupsEnvironment(settings);
  identifyModel(settings);
  buildDigitEntryIds(settings);
  getMAILBOX(settings);
  mergeMailbox(settings);
  mergeUserIdPassword(settings);
  mergeSecurePassword(settings);
  int repeatFd = prepareRepeatFile(settings);
  if (settings.debugLevel > 0) {
    std::fprintf(stderr, "isNewAdvance1=%d, isNewAdvance2=%d.\n", settings.firstAdvance, settings.secondAdvance);
    std::fprintf(stderr, "RepeatMode = %d.\n", settings.repeatCount);
  }
  runJob(settings, run, STDIN_FILENO, STDOUT_FILENO, repeatFd);
  if (repeatFd >= 0) ::close(repeatFd);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return runFilter(argc, argv);
  } catch (const IoError& e) {
    std::fprintf(stderr, "qorgsfilter: %s\n", e.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "buffer space: Cannot allocate memory\n");
  }
  return 1;
}
