// Fuzzes the filter's options and environment, and the job's own PJL header,
// into the PJL header. Input: a model byte, a flags byte, then NUL-separated
// words: "NAME=value" sets one of the printing system's variables, any other
// word is an argument. With flags bit 3 the words end at the first empty one
// ("\0\0"): the bytes after it are the job's input, whose leading PJL header
// is read, carried into ours and also written back on its own (as for PSP).
// Checks: no crash; every header line is a PJL line (or the UEL) and holds no
// ESC but the UEL's; no more input lines carried than the fixed number.
#include <strings.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "cups_environment.h"
#include "filter_options.h"
#include "input_pjl_header.h"
#include "mailbox_merge.h"
#include "memory_file.h"
#include "model_table.h"
#include "pjl_header.h"

namespace {

const char* const kVariables[] = {"USER", "PRINTER", "TITLE", "DEVICE_URI", "PPD", "CUPS_SERVER", "SERVER_ADMIN"};
const std::string kUel = "\x1b%-12345X";

bool isPjlLine(const std::string& line) {
  std::string body = line.compare(0, kUel.size(), kUel) == 0 ? line.substr(kUel.size()) : line;
  // Lines carried from the job's own header may spell "@PJL" in any case.
  return body.find('\x1b') == std::string::npos &&
         (body.empty() ? line == kUel : ::strncasecmp(body.c_str(), "@PJL", 4) == 0);
}

// Sets the variables the words name and returns the other words, after the program's name.
std::vector<std::string> argumentsFrom(const std::string& words) {
  for (const char* name : kVariables) ::unsetenv(name);
  std::vector<std::string> args = {"qorgsfilter"};
  for (size_t at = 0, end = 0; end != std::string::npos; at = end + 1) {
    end = words.find('\0', at);
    std::string word = words.substr(at, end == std::string::npos ? end : end - at);
    size_t eq = word.find('=');
    bool variable = false;
    for (const char* name : kVariables) variable |= eq != std::string::npos && word.compare(0, eq, name) == 0;
    if (variable) ::setenv(word.substr(0, eq).c_str(), word.c_str() + eq + 1, 1);
    else args.push_back(word);
  }
  return args;
}

// The job's input after the words, with flags bit 3: its own PJL header.
InputPjlHeader inputHeaderFrom(std::string& words, bool withInput) {
  InputPjlHeader header;
  size_t cut = words.find(std::string("\0\0", 2));
  if (!withInput || cut == std::string::npos) return header;
  std::string job = words.substr(cut + 2);
  words.resize(cut);
  int fd = memoryFileWith("pjl-fuzz-in", reinterpret_cast<const uint8_t*>(job.data()), job.size());
  InputReader in(fd, "fuzz input");
  header = readInputPjlHeader(in);
  ::close(fd);
  if (header.lines.size() > kMaxCarriedLines) std::abort();
  return header;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  std::string words(reinterpret_cast<const char*>(data + 2), size - 2);
  InputPjlHeader input = inputHeaderFrom(words, (data[1] & 8) != 0);
  std::vector<std::string> args = argumentsFrom(words);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  JobSettings s;
  FilterRun run;
  initJobSettings(s);
  if (parseFilterOptions(static_cast<int>(args.size()), argv.data(), s, run) == OptionResult::kUsage) return 0;
  readCupsEnvironment(s);
  s.modelId = data[0] < kModelRowCount ? kModelRows[data[0]].id : 0;
  s.plainSettings[kPlainListA] = isModelInList(s.modelId, kListA);
  s.secondAdvance = isModelInList(s.modelId, kSecondAdvanceList);
  buildDigitEntryIds(s);
  mergeMailbox(s);
  mergeUserIdPassword(s);
  mergeSecurePassword(s);

  int fd = ::memfd_create("pjl-fuzz-out", 0);
  if (fd < 0) std::abort();
  OutputWriter out(fd, "fuzz output");
  writePJLHeader(s, data[1] & 3, data[1] >> 2 & 1, out, input.lines);
  writeInputPjlHeader(input, out);
  out.flush();
  std::string header = readBack(fd);
  ::close(fd);
  // A write-back with neither lines nor language line is the bare UEL, the
  // data right behind it.
  if (input.lines.empty() && input.languageLine.empty() && input.found) header += '\n';
  if (!header.empty() && header.back() != '\n') std::abort();
  for (size_t at = 0; at < header.size(); at = header.find('\n', at) + 1) {
    if (!isPjlLine(header.substr(at, header.find('\n', at) - at))) std::abort();
  }
  return 0;
}
