// The CUPS extra options of a queue, sent through lpadmin.
#include "cups_options.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "command_formats.h"
#include "device_uri.h"
#include "process_runner.h"
#include "queue_name.h"
#include "setup_state.h"
#include "system_detection.h"
#include "trace.h"

namespace {

// Banner (job-sheets) names by code.
const char* const kJobSheetsNames[] = {"none",   "classified", "confidential", "mls", "secret",
                                       "selinux", "standard",  "te",           "topsecret",
                                       "unclassified"};
constexpr int kJobSheetsCount = sizeof kJobSheetsNames / sizeof kJobSheetsNames[0];

// The order in which a text is tested for the names: names that contain
// another name come before it.
struct SheetMatch {
  const char* name;
  int code;
};
const SheetMatch kSheetMatchOrder[] = {{"none", 0},   {"unclassified", 9}, {"classified", 1},
                                       {"confidential", 2}, {"mls", 3},    {"topsecret", 8},
                                       {"secret", 4}, {"selinux", 5},      {"standard", 6},
                                       {"te", 7}};

struct PolicyName {
  int code;
  const char* name;
  const char* option;  // the lpadmin format
};
const PolicyName kPolicies[] = {{kPolicyStopPrinter, "stop-printer", fmt::kSetPolicyStop},
                                {kPolicyRetryJob, "retry-job", fmt::kSetPolicyRetry},
                                {kPolicyAbortJob, "abort-job", fmt::kSetPolicyAbort}};

// The status of a setting refused before anything ran.
constexpr int kRefusedStatus = 1;

// The shell's word for a text: trailing blanks are not part of it.
std::string withoutTrailingBlanks(const std::string& text) {
  size_t end = text.find_last_not_of(" \t\n");
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

// Runs the lpadmin command of a topic with the value given in both forms.
int runSetValue(const std::string& printer, const FormatArg& value, int topic) {
  SetupState& s = setup();
  const std::string& lpadmin = s.toolPaths[kToolLpadmin];
  if (printer.empty() || lpadmin.empty() || topic <= 0 || topic > kTopicPpd) return 0;
  if (!reportQueueName(printer)) return kRefusedStatus;
  const SetupState& c = setup();

  std::string format = fmt::kSetValueHead;
  std::vector<FormatArg> args = {lpadmin, printer};
  if (topic <= kTopicBanners) {
    std::string start, end;
    getJobSheetsName(c.startBanner, &start);
    getJobSheetsName(c.endBanner, &end);
    format += fmt::kSetJobSheets;
    args.push_back(start);
    args.push_back(end);
  } else if (topic == kTopicErrorPolicy) {
    const char* option = fmt::kSetPolicyRetry;
    for (const PolicyName& p : kPolicies) {
      if (p.code == c.errorPolicy) option = p.option;
    }
    format += option;
  } else {
    format += topic == kTopicDeviceUri ? fmt::kSetDeviceUri : fmt::kSetPpd;
    args.push_back(value);
  }
  Command cmd = commandFromFormat(format.c_str(), args);
  int status = exitCodeOf(runCommand(cmd, s.traceLevel, RunMode::Spooler));
  if (s.traceLevel > 1) {
    std::fprintf(stderr, "setCUPSValue(%s,%d)=%d:: %s.\n", printer.c_str(), topic, status,
                 cmd.text.c_str());
  }
  return status;
}

}  // namespace

int getJobSheetsName(int code, std::string* name) {
  int index = code & 0x0f;
  if (code >= 0 && index < kJobSheetsCount) {
    *name = kJobSheetsNames[index];
    return 1;
  }
  *name = "none";
  return 0;
}

int getJobSheetsCode(const char* text) {
  if (!text) return -1;
  while (*text && static_cast<unsigned char>(*text) <= 32) ++text;
  std::string lower = text;
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const SheetMatch& m : kSheetMatchOrder) {
    if (lower.find(m.name) != std::string::npos) return m.code;
  }
  return -1;
}

const char* errorPolicyName(int code) {
  for (const PolicyName& p : kPolicies) {
    if (p.code == code) return p.name;
  }
  return "retry-job";
}

int setCUPSValue(const std::string& printer, const std::string& text, int topic) {
  return runSetValue(printer, FormatArg(text, withoutTrailingBlanks(text)), topic);
}

int sendDeviceURI(const std::string& printer) {
  std::string shown;
  std::string why;
  std::string uri = buildDeviceURI(&shown, &why);
  if (!why.empty()) reportDeviceField(why);
  if (uri.empty()) return -1;
  return runSetValue(printer, FormatArg(shown, uri), kTopicDeviceUri);
}

int setCUPSInfo(const std::string& printer) {
  tracef("setCUPSInfo(Printer=%s)\n", printer.c_str());
  if (printer.empty() || setup().toolPaths[kToolLpadmin].empty()) return 0;
  int banners = setCUPSValue(printer, std::string(), kTopicBanners);
  int policy = setCUPSValue(printer, std::string(), kTopicErrorPolicy);
  return banners == 0 && policy == 0 ? 1 : 0;
}
