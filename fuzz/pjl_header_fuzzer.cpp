// Fuzzes the filter's options and environment into the PJL header. Input: a
// model byte, a flags byte, then NUL-separated words: "NAME=value" for the
// printing system's variables, anything else a command-line argument.
// Checks: no crash; every header line is a PJL line (or the UEL) and holds no
// ESC but the UEL's.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cups_environment.h"
#include "filter_options.h"
#include "mailbox_merge.h"
#include "memory_file.h"
#include "model_table.h"
#include "pjl_header.h"

namespace {

const char* const kVariables[] = {"USER", "PRINTER", "TITLE", "DEVICE_URI", "PPD", "CUPS_SERVER", "SERVER_ADMIN"};
const std::string kUel = "\x1b%-12345X";

bool isPjlLine(const std::string& line) {
  std::string body = line.compare(0, kUel.size(), kUel) == 0 ? line.substr(kUel.size()) : line;
  return body.find('\x1b') == std::string::npos && (body.empty() ? line == kUel : body.compare(0, 4, "@PJL") == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  for (const char* name : kVariables) ::unsetenv(name);
  std::vector<std::string> args = {"qorgsfilter"};
  std::string words(reinterpret_cast<const char*>(data + 2), size - 2);
  for (size_t at = 0; at <= words.size();) {
    size_t end = words.find('\0', at);
    std::string word = words.substr(at, end == std::string::npos ? std::string::npos : end - at);
    size_t eq = word.find('=');
    bool variable = false;
    for (const char* name : kVariables) variable |= eq != std::string::npos && word.compare(0, eq, name) == 0;
    if (variable) ::setenv(word.substr(0, eq).c_str(), word.c_str() + eq + 1, 1);
    else args.push_back(word);
    if (end == std::string::npos) break;
    at = end + 1;
  }
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);

  JobSettings settings;
  FilterRun run;
  initJobSettings(settings);
  if (parseFilterOptions(static_cast<int>(args.size()), argv.data(), settings, run) == OptionResult::kUsage) return 0;
  readCupsEnvironment(settings);
  settings.modelId = data[0] < kModelRowCount ? kModelRows[data[0]].id : 0;
  settings.plainSettings[kPlainListA] = isModelInList(settings.modelId, kListA);
  settings.secondAdvance = isModelInList(settings.modelId, kSecondAdvanceList);
  buildDigitEntryIds(settings);
  mergeMailbox(settings);
  mergeUserIdPassword(settings);
  mergeSecurePassword(settings);

  int fd = ::memfd_create("pjl-fuzz-out", 0);
  if (fd < 0) std::abort();
  {
    OutputWriter out(fd, "fuzz output");
    writePJLHeader(settings, data[1] & 3, data[1] >> 2 & 1, out);
    out.flush();
  }
  std::string header = readBack(fd);
  ::close(fd);
  if (!header.empty() && header.back() != '\n') std::abort();
  for (size_t at = 0; at < header.size(); at = header.find('\n', at) + 1) {
    if (!isPjlLine(header.substr(at, header.find('\n', at) - at))) std::abort();
  }
  return 0;
}
