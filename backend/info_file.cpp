// The information file: reading its blocks into the state's lists, editing
// its lines through the atomic writer, creating the default file and
// removing a printer's block with its directory.
//
// Lines are read whole; each is right-trimmed (blanks and line feeds) before
// it is compared. A list block (PRINTERS, USERS, PRNT) is opened and closed
// by a line that is exactly its marker; the other blocks by a line that
// begins with theirs. An unclosed block ends at the next marker line.
#include "info_file.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "atomic_file.h"
#include "file_helpers.h"
#include "fatal_exit.h"
#include "queue_name.h"
#include "record_lock.h"
#include "report.h"
#include "sleeper.h"
#include "string_helpers.h"
#include "trace.h"

namespace {

// The system's messages of this file: title and text.
constexpr char kTitleQuestion[] = "Configuration File";
constexpr char kTitleDirectory[] = "Directory Creation";
constexpr char kTitleProblem[] = "Configuration Problem";
constexpr char kTextDirectoryWillBeCreated[] = "Directory '%s' will be created";
constexpr char kTextCannotCreateDir[] = "Cannot create dir:\n%s";
constexpr char kTextCannotCreateFile[] = "Cannot create\nConfiguration file";
constexpr char kTextInvalidName[] = "Invalid name:\n%s";
// What is wrong with an existing file, after "Configuration file:\n<path>\n".
constexpr char kTextFileHead[] = "Configuration file:\n%s\n";
constexpr char kTextCannotRead[] = "cannot be read: ";
constexpr char kTextNoGeneralBlock[] = "has no valid general block";
constexpr char kTextNoBlock[] = "has no complete %s block";
constexpr char kTextListedAs[] = "lists that queue already as '%s'";

// The default file; "@D@" stands for the directory, "@N@" for the printer.
const char* const kDefaultLines[] = {
    "#",
    "# Jarn 2.0 Information File",
    "#",
    kMarkGeneralBegin,
    "USRDIR          @D@",
    "HOMEDIR         $HOME",
    "TMPDIR          /tmp",
    kMarkGeneralEnd,
    "#",
    "#",
    "#",
    kMarkPrintersBegin,
    "@N@",
    kMarkPrintersEnd,
    "#",
    "#",
    kMarkUsersBegin,
    "root",
    kMarkUsersEnd,
    "#",
    "#",
    "%%QORBLOCK_PRNT_BEGIN @N@",
    "root",
    "%%QORBLOCK_PRNT_END @N@",
    "#",
    "#",
    kMarkFileEnd,  // no line feed after it
};

constexpr char kDefaultPrinter[] = "Default";
constexpr char kRootUser[] = "root";
constexpr int kInfoFileMode = 0644;

std::string format1(const char* fmt, const std::string& arg) {
  std::string out;
  for (const char* p = fmt; *p; ++p) {
    if (p[0] == '%' && p[1] == 's') {
      out += arg;
      ++p;
    } else {
      out += *p;
    }
  }
  return out;
}

std::string joinPath(const std::string& dir, const std::string& name) {
  if (!dir.empty() && dir.back() == '/') return dir + name;
  return dir + "/" + name;
}

std::string trimmed(const std::string& line) {
  std::string t = line;
  trimRight(t);
  return t;
}

bool beginsWith(const std::string& line, const std::string& prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

bool isExactly(const std::string& line, const std::string& marker) {
  return trimmed(line) == marker;
}

bool isMarkerLine(const std::string& line) {
  return beginsWith(line, "%%QORBLOCK_") || beginsWith(line, kMarkFileEnd);
}

std::string prntBegin(const std::string& printer) { return std::string(kMarkPrntBegin) + " " + printer; }
std::string prntEnd(const std::string& printer) { return std::string(kMarkPrntEnd) + " " + printer; }

void splitLines(const std::string& data, InfoFile* file) {
  file->lines.clear();
  file->endsWithNewline = !data.empty() && data.back() == '\n';
  size_t start = 0;
  while (start < data.size()) {
    size_t nl = data.find('\n', start);
    if (nl == std::string::npos) nl = data.size();
    file->lines.push_back(data.substr(start, nl - start));
    start = nl + 1;
  }
}

std::string joinLines(const InfoFile& file) {
  std::string out;
  for (size_t i = 0; i < file.lines.size(); ++i) {
    out += file.lines[i];
    if (i + 1 < file.lines.size() || file.endsWithNewline) out += '\n';
  }
  return out;
}

bool readInfoText(const std::string& path, InfoFile* file) {
  std::string data;
  if (path.empty() || !readWholeFile(path, &data)) return false;
  file->path = path;
  splitLines(data, file);
  return true;
}

// Where a block's lines are: [first, last), and whether its end marker closed it.
struct BlockRange {
  size_t first = 0;
  size_t last = 0;
  bool closed = false;
};

// Finds the first block opened by `begin` and closed by `end`: as whole
// trimmed lines when `exact`, else as line beginnings. The block also ends
// at the next marker line.
bool findBlock(const InfoFile& file, const std::string& begin, const std::string& end, bool exact,
               BlockRange* range) {
  const auto& lines = file.lines;
  for (size_t i = 0; i < lines.size(); ++i) {
    bool opens = exact ? isExactly(lines[i], begin) : beginsWith(lines[i], begin);
    if (!opens) continue;
    range->first = i + 1;
    size_t j = i + 1;
    for (; j < lines.size(); ++j) {
      bool closes = exact ? isExactly(lines[j], end) : beginsWith(lines[j], end);
      if (closes) {
        range->closed = true;
        break;
      }
      if (isMarkerLine(lines[j])) break;
    }
    range->last = j;
    return true;
  }
  return false;
}

// The names of a list block: trimmed lines, empty lines and comments left out.
std::vector<std::string> blockNames(const InfoFile& file, const BlockRange& range) {
  std::vector<std::string> names;
  for (size_t i = range.first; i < range.last; ++i) {
    std::string t = trimmed(file.lines[i]);
    if (t.empty() || t[0] == '#') continue;
    names.push_back(t);
  }
  return names;
}

// Reads the current information file and the names of one of its list blocks.
bool readListBlock(const std::string& begin, const std::string& end, InfoFile* file,
                   std::vector<std::string>* names) {
  if (!readInfoText(setup().infoFilePath, file)) return false;
  BlockRange range;
  if (!findBlock(*file, begin, end, true, &range)) return false;
  *names = blockNames(*file, range);
  return true;
}

void fillPList(PList* head, const std::vector<std::string>& names) {
  freePList(head);
  head->name.clear();
  head->position = 0;
  head->flags = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i == 0) {
      head->name = names[0];
      cutField(head->name, kPListNameSize);
    } else {
      addPList(head, new PList(names[i], static_cast<int>(i)));
    }
  }
}

void fillUList(UList* head, const std::vector<std::string>& names) {
  freeUList(head);
  for (size_t i = 0; i < names.size(); ++i) {
    if (i == 0) {
      head->name = names[0];
      cutField(head->name, kUListNameSize);
    } else {
      addUList(head, new UList(names[i], static_cast<int>(i)));
    }
  }
}

// The value of a keyword line: from the first byte in 33..127 after the
// keyword to the line's end ("" when there is none).
std::string valueAfter(const std::string& line, size_t keywordLength) {
  for (size_t i = keywordLength; i < line.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(line[i]);
    if (c >= 33 && c <= 127) return line.substr(i);
  }
  return std::string();
}

// The GENERAL value of `keyword` (the first word of a line of the block),
// expanded and cut to the field size; false when the block has no such line.
bool generalValue(const InfoFile& file, const BlockRange& range, const std::string& keyword,
                  std::string* value) {
  for (size_t i = range.first; i < range.last; ++i) {
    const std::string& line = file.lines[i];
    size_t start = skipBlanks(line);
    if (line.compare(start, keyword.size(), keyword) != 0) continue;
    size_t after = start + keyword.size();
    if (after < line.size() && static_cast<unsigned char>(line[after]) > 32) continue;
    std::string v = line.substr(skipBlanks(line, after));
    expandShellWord(v);
    cutField(v, kPathSize);
    *value = v;
    return true;
  }
  return false;
}

// A name that may become a line of a list block and a directory: no
// control bytes or blanks, not a comment or marker, not ".", ".." or
// holding "/", and within the list's field.
bool isStorableName(const std::string& name, size_t fieldSize) {
  if (!isSafeEntryName(name) || name.size() >= fieldSize) return false;
  if (name[0] == '#' || beginsWith(name, "%%")) return false;
  for (char c : name) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u <= 32 || u == 127) return false;
  }
  return true;
}

// The line's first word equals the name.
bool lineNames(const std::string& line, const std::string& name) {
  if (name.empty() || !beginsWith(line, name)) return false;
  return line.size() == name.size() || static_cast<unsigned char>(line[name.size()]) <= 32;
}

// Index of the first line exactly equal to `marker`, or npos.
size_t findExactLine(const InfoFile& file, const std::string& marker, size_t from = 0) {
  for (size_t i = from; i < file.lines.size(); ++i) {
    if (isExactly(file.lines[i], marker)) return i;
  }
  return std::string::npos;
}

// Removes every complete PRNT block of the printer; the number removed.
int removePrntBlocks(InfoFile* file, const std::string& printer) {
  int removed = 0;
  size_t from = 0;
  for (;;) {
    size_t b = findExactLine(*file, prntBegin(printer), from);
    if (b == std::string::npos) break;
    size_t e = findExactLine(*file, prntEnd(printer), b + 1);
    if (e == std::string::npos) break;
    file->lines.erase(file->lines.begin() + static_cast<long>(b),
                      file->lines.begin() + static_cast<long>(e) + 1);
    from = b;
    ++removed;
  }
  return removed;
}

// Empty lines go, and a run of "#" lines keeps at most two.
void compactLines(InfoFile* file) {
  std::vector<std::string> kept;
  int hashRun = 0;
  for (const std::string& line : file->lines) {
    std::string t = trimmed(line);
    if (t.empty()) continue;
    if (t == "#") {
      if (hashRun >= 2) continue;
      ++hashRun;
    } else {
      hashRun = 0;
    }
    kept.push_back(line);
  }
  file->lines.swap(kept);
}

// Replaces the file by the lines through the atomic writer, keeping its mode
// and owner; on failure the old file stays and the reason is shown.
bool replaceInfoFile(const InfoFile& file) {
  AtomicWriteOptions options;
  struct stat st;
  if (::stat(file.path.c_str(), &st) == 0) {
    options.mode = st.st_mode & 07777;
    options.owner = st.st_uid;
    options.group = st.st_gid;
  } else {
    options.mode = kInfoFileMode;
  }
  std::string error;
  if (writeFileAtomic(file.path, joinLines(file), options, &error)) return true;
  doMessage(kMsgError, kTitleProblem, error);
  return false;
}

// Inserts `text` before the first line that is exactly `endMarker` when the
// block opened by `beginMarker` does not list it yet. False when there is no
// such block.
bool addToBlock(InfoFile* file, const std::string& beginMarker, const std::string& endMarker,
                const std::string& text) {
  BlockRange range;
  if (!findBlock(*file, beginMarker, endMarker, true, &range) || !range.closed) return false;
  for (const std::string& name : blockNames(*file, range)) {
    if (name == text) return true;
  }
  file->lines.insert(file->lines.begin() + static_cast<long>(range.last), text);
  return true;
}

// Removes the first line of the block whose first word is `text`. False when
// there is no such block or it is not closed.
bool removeFromBlock(InfoFile* file, const std::string& beginMarker, const std::string& endMarker,
                     const std::string& text) {
  BlockRange range;
  if (!findBlock(*file, beginMarker, endMarker, true, &range) || !range.closed) return false;
  for (size_t i = range.first; i < range.last; ++i) {
    if (lineNames(file->lines[i], text)) {
      file->lines.erase(file->lines.begin() + static_cast<long>(i));
      break;
    }
  }
  return true;
}

// A new printer's empty PRNT block, in place of the "%%QOREND" line (or at
// the end when the file has none).
void addPrntBlock(InfoFile* file, const std::string& printer) {
  if (findExactLine(*file, prntBegin(printer)) != std::string::npos) return;
  const std::vector<std::string> block = {"#", prntBegin(printer), prntEnd(printer), "#",
                                          kMarkFileEnd};
  size_t end = findExactLine(*file, kMarkFileEnd);
  if (end == std::string::npos) {
    file->lines.insert(file->lines.end(), block.begin(), block.end());
    file->endsWithNewline = false;
    return;
  }
  file->lines.erase(file->lines.begin() + static_cast<long>(end));
  file->lines.insert(file->lines.begin() + static_cast<long>(end), block.begin(), block.end());
}

// The block an edit works on: its name in messages and its marker lines.
struct EditBlock {
  std::string name;
  std::string begin;
  std::string end;
};

EditBlock blockOf(int operation) {
  const std::string current = setup().printerName;
  switch (operation) {
    case kEditAddPrinter:
    case kEditDeletePrinter:
      return {"PRINTERS", kMarkPrintersBegin, kMarkPrintersEnd};
    case kEditAddUser:
    case kEditDeleteUser:
      return {"USERS", kMarkUsersBegin, kMarkUsersEnd};
    case kEditAddPrinterUser:
    case kEditDeletePrinterUser:
      return {"PRNT " + current, prntBegin(current), prntEnd(current)};
    default:
      return {};
  }
}

bool isAddOperation(int operation) {
  return operation == kEditAddPrinter || operation == kEditAddUser ||
         operation == kEditAddPrinterUser;
}

// The PRINTERS block's spelling of the queue `name` names when it lists it
// only in another spelling (sameQueueName); "" otherwise.
std::string listedInOtherSpelling(const InfoFile& file, const std::string& name) {
  BlockRange range;
  if (!findBlock(file, kMarkPrintersBegin, kMarkPrintersEnd, true, &range)) return std::string();
  std::string other;
  for (const std::string& listed : blockNames(file, range)) {
    if (listed == name) return std::string();
    if (other.empty() && sameQueueName(listed, name)) other = listed;
  }
  return other;
}

// Applies one edit to the lines; false when its block is missing or unclosed.
bool applyEdit(InfoFile* file, const std::string& text, int operation, const EditBlock& block) {
  if (isAddOperation(operation)) {
    if (!addToBlock(file, block.begin, block.end, text)) return false;
    if (operation == kEditAddPrinter) addPrntBlock(file, text);
    return true;
  }
  if (!removeFromBlock(file, block.begin, block.end, text)) return false;
  if (operation == kEditDeletePrinter) removePrntBlocks(file, text);
  return true;
}

// Makes a directory 0755 when it is missing; a link or a file in its place fails.
bool ensureDirectory(const std::string& path) {
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (::mkdir(path.c_str(), 0755) != 0) return false;
  return ::chmod(path.c_str(), 0755) == 0;
}

// Takes the lock of the information file at `path`; a failure is shown.
bool lockInfoFile(RecordLock* lock, const std::string& path) {
  std::string error;
  if (lock->acquire(path, &error)) return true;
  doMessage(kMsgError, kTitleProblem, error);
  return false;
}

// What is wrong with the existing information file at `path`, or "" when it
// reads and has a complete GENERAL block.
std::string existingFileProblem(const std::string& path) {
  InfoFile file;
  if (!readInfoText(path, &file)) return kTextCannotRead + std::string(std::strerror(errno));
  BlockRange range;
  if (!findBlock(file, kMarkGeneralBegin, kMarkGeneralEnd, false, &range) || !range.closed)
    return kTextNoGeneralBlock;
  return std::string();
}

// Ends the program after a message, as when the information file cannot be made.
[[noreturn]] void endForInfoFile(const std::string& text) {
  doMessage(kMsgError, kTitleProblem, text);
  sleepSeconds(5);
  throw FatalExit(-1, "Cannot use the information file");
}

// An information file that exists is never replaced: a good one is kept as
// it is (1); a file that cannot be read or has no complete GENERAL block ends
// the program after naming the file and its fault.
int useExistingInfoFile(const std::string& path) {
  std::string problem = existingFileProblem(path);
  if (problem.empty()) return 1;
  endForInfoFile(format1(kTextFileHead, path) + problem);
}

bool hasControlBytes(const std::string& text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 32) return true;
  }
  return false;
}

}  // namespace

bool openInfoFile(const std::string& directory, const std::string& fileName, InfoFile* file) {
  std::string path = fileName;
  if (path.empty()) {
    const char* env = std::getenv("JARNINFO");
    if (env && *env) {
      path = env;
    } else {
      struct stat st;
      if (directory.empty() || ::stat(directory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
      path = joinPath(directory, kInfoFileName);
    }
  }
  if (!readInfoText(path, file)) return false;
  setup().infoFilePath = path;
  return true;
}

int readInfoGeneral(const std::string& directory, const std::string& fileName) {
  InfoFile file;
  if (!openInfoFile(directory, fileName, &file)) return 0;
  BlockRange range;
  if (!findBlock(file, kMarkGeneralBegin, kMarkGeneralEnd, false, &range)) return 0;
  SetupState& s = setup();
  generalValue(file, range, "USRDIR", &s.userDir);
  if (generalValue(file, range, "HOMEDIR", &s.homeDir)) s.homeDirText = s.homeDir;
  if (generalValue(file, range, "TMPDIR", &s.tmpDir)) s.tmpDirText = s.tmpDir;
  return 1;
}

int readInfoPrinters(int filter) {
  InfoFile file;
  std::vector<std::string> names;
  if (!readListBlock(kMarkPrintersBegin, kMarkPrintersEnd, &file, &names)) return 0;
  SetupState& s = setup();
  if (filter) {
    std::vector<std::string> mine;
    for (const std::string& n : names) {
      if (isPrinterUser(file, n, s.userName)) mine.push_back(n);
    }
    names.swap(mine);
  }
  fillPList(&s.printerList, names);
  s.managedPrinterCount = static_cast<int>(names.size());
  return 1;
}

int readInfoUsers() {
  InfoFile file;
  std::vector<std::string> names;
  if (!readListBlock(kMarkUsersBegin, kMarkUsersEnd, &file, &names)) return 0;
  SetupState& s = setup();
  fillUList(&s.userList, names);
  s.infoUserCount = static_cast<int>(names.size());
  return 1;
}

int readPrinterUsers(const std::string& printer) {
  InfoFile file;
  std::vector<std::string> names;
  if (!readListBlock(prntBegin(printer), prntEnd(printer), &file, &names)) return 0;
  SetupState& s = setup();
  fillUList(&s.printerUserList, names);
  s.printerUserCount = static_cast<int>(names.size());
  return 1;
}

int isPrinterUser(const InfoFile& file, const std::string& printer, const std::string& user) {
  BlockRange range;
  if (!findBlock(file, prntBegin(printer), prntEnd(printer), true, &range)) return 0;
  for (size_t i = range.first; i < range.last; ++i) {
    if (trimmed(file.lines[i]) == user) return 1;
  }
  return 0;
}

int readInfoBlock(const std::string& fileName, const std::string& keyword, std::string* value,
                  SnapKeyword* table, size_t tableSize, int kind) {
  InfoFile file;
  if (!readInfoText(fileName, &file)) {
    std::fprintf(stderr, "No config file: %s\n", std::strerror(errno));
    return 1;
  }
  const char* begin = kMarkUserBegin;
  const char* end = kMarkUserEnd;
  if (kind == kInfoBlockGeneral) {
    begin = kMarkGeneralBegin;
    end = kMarkGeneralEnd;
  } else if (kind == kInfoBlockSession) {
    begin = kMarkSessionBegin;
    end = kMarkSessionEnd;
  } else if (kind == kInfoBlockUtilities) {
    begin = kMarkUtilitiesBegin;
    end = kMarkUtilitiesEnd;
  }
  BlockRange range;
  if (!findBlock(file, begin, end, false, &range)) return 0;
  for (size_t i = range.first; i < range.last; ++i) {
    std::string line = trimmed(file.lines[i]);
    if (!keyword.empty()) {
      if (!beginsWith(line, keyword)) continue;
      if (value) {
        *value = valueAfter(line, keyword.size());
        cutField(*value, kPathSize);
      }
      return 0;
    }
    for (size_t k = 0; table && k < tableSize; ++k) {
      SnapKeyword& entry = table[k];
      if (entry.keyword.empty() || !beginsWith(line, entry.keyword)) continue;
      std::string v = valueAfter(line, entry.keyword.size());
      cutField(v, kPathSize);
      if (!v.empty()) entry.found = 1;
      if (entry.target) *entry.target = v;
      break;
    }
  }
  return 0;
}

int editInfoFile(const std::string& text, int operation) {
  return editInfoFileAt(joinPath(setup().userDir, kInfoFileName), text, operation);
}

int editInfoFileAt(const std::string& path, const std::string& text, int operation) {
  SetupState& s = setup();
  size_t field = (operation == kEditAddPrinter) ? kPListNameSize : kUListNameSize;
  if (text.empty() || (isAddOperation(operation) && !isStorableName(text, field))) {
    doMessage(kMsgCorrectable, kTitleProblem, format1(kTextInvalidName, text));
    return 0;
  }
  const EditBlock block = blockOf(operation);
  if (block.name.empty()) {
    tracef("editInfoFile(%s,%d): no such operation\n", text.c_str(), operation);
    return 0;
  }
  RecordLock lock;
  if (!lockInfoFile(&lock, path)) return 0;
  InfoFile file;
  if (!readInfoText(path, &file)) {
    doMessage(kMsgError, kTitleProblem, path + ": " + std::strerror(errno));
    return 0;
  }
  s.infoFilePath = path;
  // One queue, one block: a second spelling of a listed queue is refused.
  const std::string other = operation == kEditAddPrinter ? listedInOtherSpelling(file, text) : std::string();
  if (!other.empty()) {
    doMessage(kMsgError, kTitleProblem, format1(kTextFileHead, path) + format1(kTextListedAs, other));
    return 0;
  }
  if (!applyEdit(&file, text, operation, block)) {
    doMessage(kMsgError, kTitleProblem,
              format1(kTextFileHead, path) + format1(kTextNoBlock, block.name));
    return 0;
  }
  compactLines(&file);
  if (!replaceInfoFile(file)) return 0;
  switch (operation) {
    case kEditAddPrinter:
    case kEditDeletePrinter:
      readInfoPrinters(0);
      break;
    case kEditAddUser:
    case kEditDeleteUser:
      readInfoUsers();
      break;
    default:
      readPrinterUsers(s.printerName);
      break;
  }
  return 1;
}

int compactInfoFile(const std::string& path) {
  RecordLock lock;
  if (!lockInfoFile(&lock, path)) return 0;
  InfoFile file;
  if (!readInfoText(path, &file)) return 0;
  compactLines(&file);
  return replaceInfoFile(file) ? 1 : 0;
}

std::string defaultInfoFileText(const std::string& directory, const std::string& printer) {
  InfoFile file;
  for (const char* line : kDefaultLines) {
    std::string l = line;
    size_t at;
    while ((at = l.find("@D@")) != std::string::npos) l.replace(at, 3, directory);
    while ((at = l.find("@N@")) != std::string::npos) l.replace(at, 3, printer);
    file.lines.push_back(l);
  }
  file.endsWithNewline = false;
  return joinLines(file);
}

int createInfoFile(const std::string& directory, const std::string& printer) {
  SetupState& s = setup();
  const std::string name = printer.empty() ? kDefaultPrinter : printer;
  const std::string printerDir = joinPath(directory, name);
  if (directory.empty() || hasControlBytes(directory) || !isStorableName(name, kPrinterNameSize)) {
    doMessage(kMsgError, kTitleProblem, format1(kTextCannotCreateDir, printerDir));
    return 0;
  }
  const std::string path = joinPath(directory, kInfoFileName);
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0) return useExistingInfoFile(path);
  std::string question = "Configuration File:\n" + directory + "/" + kInfoFileName + "\n" +
                         "not found.\nShould I create it now?";
  if (!askQuestionBox(kTitleQuestion, "Yes", "No", question)) return 0;

  if (::stat(directory.c_str(), &st) != 0) {
    doMessage(kMsgInfo, kTitleDirectory, format1(kTextDirectoryWillBeCreated, directory));
    if (::mkdir(directory.c_str(), 0755) != 0)
      doMessage(kMsgError, kTitleProblem, format1(kTextCannotCreateDir, directory));
    ::chmod(directory.c_str(), 0755);
  }

  {
    // Another program may have made the file while the question was open:
    // under the lock, only a file that is still missing is written.
    RecordLock lock;
    std::string error;
    if (!lock.acquire(path, &error)) {
      tracef("createInfoFile: %s\n", error.c_str());
      endForInfoFile(kTextCannotCreateFile);
    }
    if (::lstat(path.c_str(), &st) == 0) return useExistingInfoFile(path);
    AtomicWriteOptions options;
    options.mode = kInfoFileMode;
    if (!writeFileAtomic(path, defaultInfoFileText(directory, name), options, &error)) {
      tracef("createInfoFile: %s\n", error.c_str());
      endForInfoFile(kTextCannotCreateFile);
    }
  }
  if (s.homeDir.empty()) {
    s.homeDir = getHomeDir();
    if (s.homeDir.empty()) s.homeDir = "/";
  }
  s.infoFilePath = path;
  s.userFullDir.clear();

  if (!ensureDirectory(printerDir)) {
    doMessage(kMsgError, kTitleProblem, format1(kTextCannotCreateDir, printerDir));
    return 0;
  }
  const std::string rootDir = joinPath(printerDir, kRootUser);
  if (!ensureDirectory(rootDir)) {
    doMessage(kMsgError, kTitleProblem, format1(kTextCannotCreateDir, rootDir));
    return 0;
  }
  return 1;
}

int removeInfoPrinterBlock(const std::string& directory, const std::string& printer) {
  if (!isSafeEntryName(printer)) {
    tracef("removeInfoPrinterBlock(%s): refused\n", printer.c_str());
    return -1;
  }
  const std::string printerDir = joinPath(directory, printer);
  struct stat st;
  if (::lstat(printerDir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return -1;
  int result = removeTree(printerDir);

  const std::string& current = setup().infoFilePath;
  InfoFile file;
  RecordLock lock;
  if (current.empty()) {
    tracef("removeInfoPrinterBlock(%s): no information file\n", printer.c_str());
  } else if (!lockInfoFile(&lock, current)) {
    result = -1;
  } else if (!readInfoText(current, &file)) {
    std::fprintf(stderr, "%s: %s\n", current.c_str(), std::strerror(errno));
  } else if (removePrntBlocks(&file, printer) > 0 && !replaceInfoFile(file)) {
    result = -1;
  }

  const std::string script = joinPath(directory, printer + ".sh");
  if (::lstat(script.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) ::unlink(script.c_str());
  return result;
}
