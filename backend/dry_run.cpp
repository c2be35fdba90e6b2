// The dry run (see dry_run.h).
#include "dry_run.h"

#include "report.h"
#include "trace.h"

namespace {
constexpr int kDryRunCode = 64;  // the message page's code of an update notice
}  // namespace

bool isDryRun() { return traceLevel() == 1; }

bool skipWriteInDryRun(const std::string& path) {
  if (!isDryRun()) return false;
  tracef("Dry run: not written: %s\n", path.c_str());
  return true;
}

void showDryRunNotice(const std::string& printer) {
  doMessage(kDryRunCode, "Information Message",
            "Trace level 1: the commands for the printer\n'" + printer +
                "' were printed on standard error\nand not run. Nothing was changed.");
}

void showDryRunFileNotice(const std::string& path) {
  doMessage(kDryRunCode, "Information Message",
            "Trace level 1: the file\n'" + path + "'\nwas not written. Nothing was changed.");
}
