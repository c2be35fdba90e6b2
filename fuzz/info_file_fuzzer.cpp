// Fuzzes the information-file readers and the printer edits. Input: a
// selector byte, a printer name line, then the file. Checks: no crash; after
// a successful edit the file is compact, a re-read lists an added printer and
// no longer lists a deleted one that only one line of the file named (when
// its PRNT blocks follow the list).
#include <cstdlib>
#include <fstream>
#include <sstream>
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

// Lines of the input whose first word is the name; -1 when a PRNT block of
// the printer begins before the line that ends the first PRINTERS block
// (removing the printer's PRNT blocks could then change the list).
int linesNaming(const std::string& text, const std::string& name) {
  std::istringstream in(text);
  int n = 0, list = 0;  // before the list, in it, after it
  for (std::string line; std::getline(in, line);) {
    size_t end = name.size();
    n += line.rfind(name, 0) == 0 && (line.size() == end || static_cast<unsigned char>(line[end]) <= 32);
    if (list < 2 && line.rfind(std::string(kMarkPrntBegin) + " " + name, 0) == 0) return -1;
    if (list == 1 && (line.rfind("%%QORBLOCK_", 0) == 0 || line.rfind(kMarkFileEnd, 0) == 0)) list = 2;
    if (list == 0 && line.substr(0, line.find_last_not_of(' ') + 1) == kMarkPrintersBegin) list = 1;
  }
  return list == 2 ? n : -1;
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
  int naming = linesNaming(text, name);
  if (!add && naming >= 0 && (after > before || (naming == 1 && after != 0))) std::abort();
  return 0;
}
