// Fuzzes the filter's reading of a mailbox file: any bytes as the file, for
// a user named by the first line.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "mailbox_reader.h"
#include "job_settings.h"

namespace {

// One temporary file for the whole run, rewritten for each input.
const std::string& scratchPath() {
  static std::string path = [] {
    char templ[] = "/tmp/jarn-mailbox-fuzz-XXXXXX";
    int fd = ::mkstemp(templ);
    if (fd >= 0) ::close(fd);
    return std::string(templ);
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(scratchPath().c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  JobSettings settings;
  settings.userName = "alice";
  readMailboxFile(scratchPath(), settings);
  return 0;
}
