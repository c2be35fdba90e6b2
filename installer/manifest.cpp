// Reading the install manifest.
#include "manifest.h"

#include <cstdlib>
#include <fstream>

#include "install_log.h"
#include "install_paths.h"

namespace inst {
namespace {

constexpr size_t kLineMax = 255;

// Separators: every byte whose signed value is at most 32.
bool isSeparator(char c) { return static_cast<signed char>(c) <= 32; }

std::string wordAt(const std::string& line, size_t* pos) {
  while (*pos < line.size() && isSeparator(line[*pos])) ++*pos;
  size_t start = *pos;
  while (*pos < line.size() && !isSeparator(line[*pos])) ++*pos;
  return line.substr(start, *pos - start);
}

// A manifest over one of its limits is refused whole, before anything is
// made: the limit and the line are logged, the table is emptied.
int refuse(const std::string& path, int number, const char* what, size_t limit) {
  stopBecause(format(kManifestLimits, path.c_str(), number, what, static_cast<int>(limit)));
  state().manifest.clear();
  return -1;
}

}  // namespace

bool parseManifestLine(const std::string& raw, InstallEntry* entry) {
  if (raw.empty() || raw[0] == '#' || raw[0] == '\n') return false;
  std::string line = raw;
  while (!line.empty() && (line.back() == ' ' || line.back() == '\r' || line.back() == '\n')) line.pop_back();
  if (line.empty() || isSeparator(line[0])) return false;
  *entry = InstallEntry();
  size_t pos = 0;
  entry->source = wordAt(line, &pos);
  entry->dest = wordAt(line, &pos);
  size_t zeros = line.find("00", pos);
  if (zeros != std::string::npos) {
    size_t end = zeros;
    std::string word = wordAt(line, &end);
    long mode = std::strtol(word.c_str(), nullptr, 8);
    entry->mode = mode < 1 ? 0755 : static_cast<int>(mode);
  }
  const std::string& d = entry->dest;
  entry->destIsPath = (d.compare(0, 2, "./") == 0 || (d.size() >= 3 && d[0] == '/')) ? 1 : 0;
  entry->destIsPPD = !d.empty() && d[0] == '?' ? 1 : 0;
  return true;
}

int getInfoData() {
  InstallState& s = state();
  s.manifest.clear();
  const std::string etc = s.sourceDir + "/etc";
  std::string path = etc + "/" + s.manifestName;
  std::ifstream in(path);
  if (!in) {
    path = s.sourceDir + "/" + s.manifestName;
    in.open(path);
  }
  if (!in) {
    logMsg(kCannotOpenManifest, path.c_str());
    return 0;
  }
  if (!releaseFileTrusted(path, s.sourceDir, etc)) {
    stopBecause(format(kUnsafeRelease, s.sourceDir.c_str()));
    return 0;
  }
  logMsg(kManifestPath, path.c_str());
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    // A line ends in a line feed or a carriage return and a line feed.
    size_t length = line.size() - (!line.empty() && line.back() == '\r' ? 1 : 0);
    if (length > kLineMax) return refuse(path, number, "a line is too long", kLineMax);
    if (line.find("@@NULL") != std::string::npos) break;
    InstallEntry e;
    if (!parseManifestLine(line, &e)) continue;
    if (s.manifest.size() >= kManifestMax) return refuse(path, number, "too many entries", kManifestMax);
    if (e.source.size() > kSourceMax) return refuse(path, number, "a SOURCE is too long", kSourceMax);
    // No set-id or sticky bits: a mode is permission bits only.
    if (e.mode > 0777) return refuse(path, number, "a MODE beyond 0777 (octal)", 0777);
    trace(text(kManifestEntry), e.source.c_str(), e.dest.c_str(), static_cast<unsigned>(e.mode));
    s.manifest.push_back(e);
  }
  return static_cast<int>(s.manifest.size());
}

}  // namespace inst
