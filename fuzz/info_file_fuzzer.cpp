// Fuzzes the information-file readers and the printer edits. Input: a
// selector byte, a printer name line, then the file. Checks: no crash; after
// a successful edit the file is compact, a re-read lists an added printer and
// no longer lists a deleted one that only one line of the file named.
#include <cstdlib>
#include <fstream>
#include <string>

#include "backend_fuzz.h"
#include "info_file.h"

namespace {

// How often a fresh read of the current file lists the printer.
int timesListed(const std::string& name) {
  SetupState& s = setup();
  s.managedPrinterCount = 0;
  if (!readInfoPrinters(0)) return 0;
  int n = 0;
  const PList* p = &s.printerList;
  for (int i = 0; i < s.managedPrinterCount; ++i, p = p->next) n += p->name == name;
  return n;
}

// Lines whose first word is the name.
int linesNaming(const std::string& text, const std::string& name) {
  int n = 0;
  for (size_t at = 0;;) {
    size_t end = at + name.size();
    if (text.compare(at, name.size(), name) == 0 &&
        (end >= text.size() || static_cast<unsigned char>(text[end]) <= 32))
      ++n;
    size_t nl = text.find('\n', at);
    if (nl == std::string::npos) return n;
    at = nl + 1;
  }
}

// No empty line, and no more than two "#" lines in a row.
bool isCompact(const std::string& path) {
  std::ifstream in(path);
  int hashes = 0;
  for (std::string line; std::getline(in, line);) {
    line.erase(line.find_last_not_of(' ') + 1);
    hashes = line == "#" ? hashes + 1 : 0;
    if (line.empty() || hashes > 2) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::string rest = inputText(data + 1, size - 1);
  size_t nl = rest.find('\n');
  if (nl == std::string::npos) return 0;
  std::string name = rest.substr(0, nl), text = rest.substr(nl + 1);
  freshState();
  std::string path = writeScratch(kInfoFileName, text);
  readInfoGeneral("", path);
  readInfoPrinters(data[0] & 2);
  readInfoUsers();
  readPrinterUsers(name);
  std::string value;
  SetupState& s = setup();
  readInfoBlock(path, name, &value, nullptr, 0, data[0] >> 2 & 7);
  readInfoBlock(path, "", nullptr, s.snapKeywords.data(), s.snapKeywords.size(), data[0] >> 5);

  bool add = data[0] & 1;
  int before = timesListed(name);
  if (!editInfoFileAt(path, name, add ? kEditAddPrinter : kEditDeletePrinter)) return 0;
  int after = timesListed(name);
  if (!isCompact(path) || (add && after == 0)) std::abort();
  if (!add && (after > before || (linesNaming(text, name) == 1 && after != 0))) std::abort();
  return 0;
}
