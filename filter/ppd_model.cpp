// Reading the model name of a PPD file and looking it up in the model table.
#include "ppd_model.h"

#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "model_table.h"

namespace {

const std::string::size_type kMaxLineLength = 255;
const std::string::size_type kMaxModelNameLength = 63;
// A PPD is a few hundred KiB at most: reading stops here, so that a PPD
// variable naming a device or a huge file cannot hold the job.
const long kMaxPpdBytes = 4L * 1024 * 1024;

// Opens path for reading when it is a regular file. The open does not wait
// for a writer (a FIFO), and anything but a regular file is refused.
std::FILE* openRegularFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "r");
  if (!f) ::close(fd);
  return f;
}

// The model name held by a "ModelName:" line, or false for another line.
bool modelNameOf(std::string line, std::string& name) {
  if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
  std::string::size_type key = line.find("ModelName:");
  if (key == std::string::npos) return false;
  name.clear();
  std::string::size_type open = line.find('"', key);
  if (open == std::string::npos) return true;
  std::string::size_type close = line.find('"', open + 1);
  name = line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
  if (!name.empty() && name.back() == '\r') name.pop_back();
  if (name.size() > kMaxModelNameLength) name.resize(kMaxModelNameLength);
  return true;
}

}  // namespace

std::string readPpdModelName(const std::string& ppdPath) {
  if (ppdPath.empty()) return std::string();
  std::FILE* f = openRegularFile(ppdPath);
  if (!f) return std::string();
  std::string line;
  std::string name;
  bool found = false;
  int c = 0;
  for (long read = 0; !found && read < kMaxPpdBytes && c != EOF; ++read) {
    c = std::getc(f);
    if (c != EOF && c != '\n') {
      if (line.size() <= kMaxLineLength) line.push_back(static_cast<char>(c));
      continue;
    }
    found = modelNameOf(line, name);
    line.clear();
  }
  std::fclose(f);
  return found ? name : std::string();
}

int getModelId(const JobSettings& settings) {
  return findModelId(readPpdModelName(settings.ppdPath), kModelRows, kModelRowCount);
}
