// PPD file search: the maker's PPD directory, the class in a PPD file name,
// the model name inside a PPD, and the sorted listing for the model chooser.
#include "ppd_search.h"

#include <cups/file.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <strings.h>

#include "fs_root.h"
#include "setup_state.h"
#include "trace.h"

namespace {

// Slot of toolPaths that holds the CUPS model directory.
constexpr int kCupsModelDirSlot = 7;

// Sub-directories of the CUPS model directory tried first, in order.
const std::initializer_list<const char*> kModelDirCandidates = {
    "/bry", "/BRY", "/Velta/bry", "/velta/bry", "/Velta", "/velta",
};

// The base directories of the second and third rounds, in order.
const char* const kBaseDirs[] = {
    "/opt/share/ppd",
    "/usr/share/cups/model/custom",
    "/usr/share/ppd/openprinting",
    "/usr/share/ppd",
    "/usr/share/ppd/cups-included",
    "/usr/share/ppd/custom",
    "/usr/share/foomatic/db/source/PPD",
    "/usr/share/cups/model/0-driverppds",
    "/usr/share/cups/model/3-driverppds",
    "/usr/local/share/ppd",
    "/usr/local/share/ppd/custom",
    "/usr/share/cups/model",
};
constexpr int kBaseDirCount = sizeof(kBaseDirs) / sizeof(kBaseDirs[0]);

// Maker directories below a base, second round, then third round.
const std::initializer_list<const char*> kRound2Candidates = {"/Velta/bry", "/Velta/BRY", "/bry", "/BRY"};
const std::initializer_list<const char*> kRound3Candidates = {"/Velta", "/velta"};

std::string searchDir;
std::vector<PpdRow> table;

// True when the system path exists (under the injectable root).
bool systemPathExists(const std::string& path) {
  struct stat st;
  return ::stat(rootedPath(path).c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Tries `base` + each candidate (each traced when `traced`); stores and
// returns true for the first that exists.
bool tryCandidates(const std::string& base, std::initializer_list<const char*> candidates, bool traced) {
  for (const char* c : candidates) {
    std::string path = base + c;
    if (traced && setup().traceLevel > 2) tracef("testing %s.\n", path.c_str());
    if (systemPathExists(path)) {
      searchDir = path;
      cutField(searchDir, kPpdPathSize);
      return true;
    }
  }
  return false;
}

// The names of the directory's entries other than "." and "..", sorted, so
// that the directory's own order never shows.
bool readEntryNames(const std::string& dir, std::vector<std::string>* names) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return false;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names->push_back(name);
  }
  ::closedir(d);
  std::sort(names->begin(), names->end());
  return true;
}

// The chooser's order: model names byte by byte, an empty name last.
bool rowBefore(const PpdRow& a, const PpdRow& b) {
  if (a.modelName.empty() != b.modelName.empty()) return b.modelName.empty();
  return a.modelName < b.modelName;
}

// The first kPpdHeadBytes of an open PPD, decompressed when it is gzip
// data; closes the descriptor. A plain file takes one read, without the
// library's file layer.
std::string readPpdHead(int fd) {
  std::string head(kPpdHeadBytes, '\0');
  size_t got = 0;
  while (got < head.size()) {
    ssize_t n = ::read(fd, &head[got], head.size() - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  bool gzip = got >= 2 && static_cast<unsigned char>(head[0]) == 0x1f && static_cast<unsigned char>(head[1]) == 0x8b;
  if (!gzip || ::lseek(fd, 0, SEEK_SET) != 0) {
    ::close(fd);
    head.resize(got);
    return head;
  }
  cups_file_t* f = cupsFileOpenFd(fd, "r");
  if (!f) {
    ::close(fd);
    return std::string();
  }
  got = 0;
  while (got < head.size()) {
    ssize_t n = cupsFileRead(f, &head[got], head.size() - got);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  cupsFileClose(f);
  head.resize(got);
  return head;
}

// The model name in a PPD's head: the text between the double quotes of
// its "ModelName:" line.
int modelNameInHead(const std::string& head, std::string* modelName) {
  modelName->clear();
  if (head.size() < 2) return 0;
  size_t key = head.find("ModelName:");
  if (key == std::string::npos) return 0;
  size_t lineEnd = head.find_first_of("\r\n", key);
  if (lineEnd == std::string::npos) lineEnd = head.size();
  size_t open = head.find('"', key);
  if (open == std::string::npos || open >= lineEnd) return 0;
  size_t close = head.find('"', open + 1);
  if (close == std::string::npos || close >= lineEnd) return 0;
  *modelName = head.substr(open + 1, close - open - 1);
  cutField(*modelName, kPpdModelNameSize);
  return modelName->empty() ? 0 : 1;
}

// A listed entry opened by its name in the open directory (links followed,
// never blocking on a FIFO): -1 unless it is a regular file.
int openListedFile(int dirFd, const std::string& name) {
  int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st;
  if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::string& ppdSearchDir() { return searchDir; }

const std::vector<PpdRow>& ppdTable() { return table; }

int ppdListCount() { return static_cast<int>(table.size()); }

int getPpdPdlClass(const std::string& fileName) {
  size_t dot = fileName.find(".ppd");
  if (dot == std::string::npos) return -1;
  if (dot < 3 || fileName[dot - 3] != '-') {
    std::fprintf(stderr, "Corrupted PPD file name: %s\n", fileName.c_str());
    return -1;
  }
  if (dot < 5) return -1;
  std::string code = fileName.substr(dot - 5, 2);
  if (strcasecmp(code.c_str(), "PS") == 0) return kTypePostScript;
  if (strcasecmp(code.c_str(), "CL") == 0) return kTypePcl;
  if (strcasecmp(code.c_str(), "XL") == 0) return kTypePclXl;
  return -1;
}

int getPpdModelName(const std::string& path, std::string* modelName) {
  modelName->clear();
  if (path.find("ppd") == std::string::npos && path.find("PPD") == std::string::npos) return 0;
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 0;
  return modelNameInHead(readPpdHead(fd), modelName);
}

std::string getPpdLanguage(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string();
  std::string head = readPpdHead(fd);
  const std::string key = "*LanguageVersion:";
  size_t at = head.find(key);
  if (at == std::string::npos) return std::string();
  size_t start = head.find_first_not_of(" \t", at + key.size());
  size_t end = head.find_first_of("\r\n", at);
  if (start == std::string::npos || (end != std::string::npos && start >= end)) return std::string();
  std::string value = head.substr(start, end == std::string::npos ? std::string::npos : end - start);
  value.erase(value.find_last_not_of(" \t") + 1);
  return value;
}

int getPPDSearchPath() {
  const std::string& modelDir = setup().toolPaths[kCupsModelDirSlot];
  if (!modelDir.empty() && tryCandidates(modelDir, kModelDirCandidates, false)) {
    tracef("getPPDSearchPath #1 (counter=%d)=%s\n", 0, searchDir.c_str());
    return 1;
  }
  for (int i = 0; i < kBaseDirCount; ++i) {
    if (setup().traceLevel > 2) tracef("testing %s.\n", kBaseDirs[i]);
    if (systemPathExists(kBaseDirs[i]) && tryCandidates(kBaseDirs[i], kRound2Candidates, true)) {
      tracef("getPPDSearchPath #2 (counter=%d)=%s\n", i, searchDir.c_str());
      return 1;
    }
  }
  for (int i = 0; i < kBaseDirCount; ++i) {
    if (systemPathExists(kBaseDirs[i]) && tryCandidates(kBaseDirs[i], kRound3Candidates, false)) {
      tracef("getPPDSearchPath #3 (counter=%d)=%s\n", i, searchDir.c_str());
      return 1;
    }
  }
  tracef("getPPDSearchPath #3 (counter=%d)=%s\n", kBaseDirCount, searchDir.c_str());
  return 0;
}

int listPPD(std::vector<std::string>* listItems) {
  if (searchDir.empty() && !getPPDSearchPath()) {
    std::fprintf(stderr, "No base directory :???\n");
    return -1;
  }
  std::string dir = searchDir.empty() ? setup().userDir : searchDir;
  tracef("listPPD(%s)\n", dir.c_str());
  std::string opened = rootedPath(dir);
  std::vector<std::string> names;
  if (!isDirectory(opened) || !readEntryNames(opened, &names)) {
    std::fprintf(stderr, "No base directory : %s\n", dir.c_str());
    return -1;
  }

  if (setup().traceLevel > 2) {
    tracef("listPPD(Before getting count)\n");
    tracef("listPPD(count=%d)\n", static_cast<int>(listItems->size()));
  }
  listItems->clear();
  table.clear();

  // Each file is opened by its name in the open directory: one short look-up
  // a file instead of a walk of the whole path for each test.
  std::vector<PpdRow> rows;
  int dirFd = ::open(opened.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  for (const std::string& name : names) {
    if (dirFd < 0 || getPpdPdlClass(name) != setup().printerType) continue;
    int fd = openListedFile(dirFd, name);
    PpdRow row;
    if (fd < 0 || !modelNameInHead(readPpdHead(fd), &row.modelName)) continue;
    row.path = opened + "/" + name;
    rows.push_back(row);
  }
  if (dirFd >= 0) ::close(dirFd);
  std::stable_sort(rows.begin(), rows.end(), rowBefore);
  if (rows.size() > static_cast<size_t>(kPpdTableRows)) rows.resize(kPpdTableRows);

  table = rows;
  for (const PpdRow& row : table) listItems->push_back(row.modelName);
  tracef("listPPD(counter=%d)\n", ppdListCount());
  return ppdListCount();
}
