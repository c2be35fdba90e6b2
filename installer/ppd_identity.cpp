// Model, generation and language of PPD files.
#include "ppd_identity.h"

#include <cups/file.h>
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "install_log.h"
#include "model_table.h"

namespace inst {
namespace {

const char kModelKey[] = "*ModelName:";
const char kVersionKey[] = "*% Jarn version:";
const char kLanguageKey[] = "*LanguageVersion:";

// The PDL codes by the text of the window, in the order they are tried.
const struct {
  const char* text;
  int pdl;
} kPdlWindows[] = {{" PCL", kPdlIsPcl}, {" PXL", kPdlIsPxl}, {" PS", kPdlIsPostScript}};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string valueAfter(const std::string& line, size_t at) {
  while (at < line.size() && isBlank(line[at])) ++at;
  size_t end = line.find_last_not_of(" \t\r\n");
  return end == std::string::npos || end < at ? std::string() : line.substr(at, end + 1 - at);
}

}  // namespace

std::string matchModelName(const std::string& line, int* pdl, int* number) {
  size_t at = line.find(kModelKey);
  if (at == std::string::npos) return std::string();
  std::string window = line.size() >= 9 ? line.substr(line.size() - 9, 8) : line;
  *pdl = kNoPdl;
  for (const auto& w : kPdlWindows) {
    if (window.find(w.text) != std::string::npos) {
      *pdl = w.pdl;
      break;
    }
  }
  size_t pos = at + std::strlen(kModelKey);
  while (pos < line.size() && isBlank(line[pos])) ++pos;
  std::string model = line.substr(pos);
  while (!model.empty() && (model.back() == '\n' || model.back() == '\r')) model.pop_back();
  if (model.size() > kModelTextMax) model.resize(kModelTextMax);
  int id = findModelId(model, kModelRows, kModelRowCount);
  if (id == 0) return std::string();
  *number = id;
  return model;
}

int getPPDVersion(const std::string& line) {
  size_t at = line.find(kVersionKey);
  if (at == std::string::npos) return -1;
  at += std::strlen(kVersionKey);
  while (at < line.size() && isBlank(line[at])) ++at;
  if (at >= line.size() || line[at] < '0' || line[at] > '9') return -1;
  return line[at] - '0';
}

bool readPPDModel(const std::string& path, PPDModel* out) {
  *out = PPDModel();
  cups_file_t* f = cupsFileOpen(path.c_str(), "r");
  if (!f) {
    std::fprintf(stderr, "%s", format(kUnableToOpen, path.c_str()).c_str());
    return false;
  }
  char buf[256];
  while (cupsFileGets(f, buf, sizeof buf) && (out->model.empty() || out->language.empty())) {
    std::string line = std::string(buf) + "\n";
    if (out->model.empty()) out->model = matchModelName(line, &out->pdl, &out->number);
    if (out->language.empty() && line.compare(0, std::strlen(kLanguageKey), kLanguageKey) == 0)
      out->language = valueAfter(line, std::strlen(kLanguageKey));
  }
  cupsFileClose(f);
  if (out->model.empty()) out->pdl = kNoPdl;
  return true;
}

std::vector<std::string> regularFiles(const std::string& dir, const std::string& suffix) {
  std::vector<std::string> names;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return names;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    struct stat st;
    if (::lstat((dir + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

int findPPDForModel(const std::string& dir, const VendorPrinter& printer, std::string* path) {
  logMsg(kGettingPPD, dir.c_str());
  PPDModel old;
  readPPDModel(printer.ppdPath, &old);
  std::string first;
  for (const std::string& name : regularFiles(dir)) {
    PPDModel m;
    std::string candidate = dir + "/" + name;
    if (!readPPDModel(candidate, &m) || m.model.compare(0, printer.modelName.size(), printer.modelName) != 0 ||
        m.number != printer.modelNumber || m.pdl != printer.pdl)
      continue;
    if (!old.language.empty() && m.language == old.language) {
      *path = candidate;
      return 1;
    }
    if (first.empty()) first = candidate;
  }
  if (first.empty()) return 0;
  *path = first;
  return 1;
}

}  // namespace inst
