// The system queue list and the managed printers.
#include "queue_list.h"

#include <cups/cups.h>
#include <dirent.h>
#include <sys/stat.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <sstream>

#include "command_formats.h"
#include "dry_run.h"
#include "file_helpers.h"
#include "fs_root.h"
#include "info_file.h"
#include "process_runner.h"
#include "queue_commands.h"
#include "queue_name.h"
#include "report.h"
#include "setup_state.h"
#include "system_detection.h"
#include "trace.h"

namespace {

// The CUPS destinations of the last reading and the default among them.
struct CupsDestinations {
  cups_dest_t* dests = nullptr;
  int count = 0;
  cups_dest_t* defaultDest = nullptr;

  void release() {
    if (dests) cupsFreeDests(count, dests);
    dests = nullptr;
    count = 0;
    defaultDest = nullptr;
  }
};
CupsDestinations destinations;

QueueNameSetter queueNameSetter = nullptr;

const char kAddQueueTitle[] = "Jarn 2.0-10 : Add Queue";
const char kRecordsTitle[] = "Configuration Problem";

// While in force, notes whether a message went out and passes everything on
// to the Reporter it replaced: a step whose own failure message was shown
// needs no second one.
class MessageNoter : public Reporter {
 public:
  MessageNoter() : previous_(setReporter(this)) {}
  ~MessageNoter() override { setReporter(previous_); }
  MessageNoter(const MessageNoter&) = delete;
  MessageNoter& operator=(const MessageNoter&) = delete;

  void message(int code, const std::string& title, const std::string& text) override {
    noted = true;
    previous_->message(code, title, text);
  }
  bool ask(const std::string& title, const std::string& text, const std::string& yes,
           const std::string& no) override {
    return previous_->ask(title, text, yes, no);
  }
  bool askInPanel(int code, const std::string& title, const std::string& text) override {
    return previous_->askInPanel(code, title, text);
  }
  bool noted = false;

 private:
  Reporter* previous_;
};

// Runs one step of a records change; when it fails without a message of its
// own, shows `failure`. True when the step succeeded.
template <typename Step>
bool reportedStep(Step step, const std::string& failure) {
  MessageNoter noter;
  if (step()) return true;
  if (!noter.noted) doMessage(kMsgError, kRecordsTitle, failure);
  return false;
}

int recordsAfterHead(const PList* head) {
  int n = 0;
  for (const PList* p = head->next; p != head; p = p->next) ++n;
  return n;
}

bool isDirectoryOrFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || S_ISREG(st.st_mode));
}

bool isDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// The System V printer directory for the system kind.
std::string sysVPrinterDir(int osKind) {
  if (osKind == kOsIrix || osKind == kOsHpUx) return "/usr/spool/lp/member";
  if (osKind == kOsScoSv) return "/usr/spool/lp/admins/lp/printers";
  if (osKind == kOsOther || osKind == 8 || osKind > kOsOpenUnix) return "/usr/spool/lp/printers";
  return "/etc/lp/printers";
}

// Reads the queues of spoolers other than CUPS and System V from "lpstat -v".
int readLpstatQueues(PList* head) {
  SetupState& s = setup();
  const std::string& lpstat = s.toolPaths[kToolLpstat];
  Command cmd = commandFromFormat(fmt::kLpstatList, {lpstat.empty() ? std::string("lpstat") : lpstat});
  std::string out;
  int st = runCapture(cmd, s.traceLevel, &out, RunMode::Quiet);
  tracef("getSysQ(%s)=%d\n", cmd.text.c_str(), exitCodeOf(st));
  int n = 0;
  for (const std::string& name : parseLpstatDevices(out)) {
    addPList(head, new PList(name));
    ++n;
  }
  s.systemQueueCount = n;
  tracef("getSysQ(nPrinters)=%d\n", n);
  return n;
}

// Unlinks a record that is still in the list and frees it.
void unlinkRecord(PList* head, PList* record) {
  for (PList* p = head->next; p != head; p = p->next) {
    if (p != record) continue;
    p->prev->next = p->next;
    p->next->prev = p->prev;
    delete p;
    return;
  }
}

// The names of a user list, head first when it holds one.
std::vector<std::string> userNames(UList* head) {
  std::vector<std::string> names;
  if (!head->name.empty()) names.push_back(head->name);
  for (UList* u = head->next; u != head; u = u->next) names.push_back(u->name);
  return names;
}

// Puts names back into a user list, the first one in the head.
void refillUsers(UList* head, const std::vector<std::string>& names) {
  freeUList(head);
  for (size_t i = 0; i < names.size(); ++i) {
    if (i == 0) {
      head->name = names[0];
    } else {
      addUList(head, new UList(names[i], static_cast<int>(i)));
    }
  }
}

// The text left-aligned in 64 columns ("%-64s").
std::string padTo64(const std::string& text) {
  std::string out = text;
  if (out.size() < 64) out.append(64 - out.size(), ' ');
  return out;
}

// The printer's lines in the information file: its PRINTERS line and PRNT
// block with "root", and its record in printerList. On failure nothing of it
// stays (said with a message).
bool addInfoFileLines(const std::string& name) {
  SetupState& s = setup();
  PList* record = new PList(name, countPList(&s.printerList), 0);
  addPList(&s.printerList, record);
  if (!reportedStep([&] { return editInfoFile(name, kEditAddPrinter) != 0; },
                    "Cannot add the queue '" + name + "'\nto the information file.")) {
    // The information file was left as it was: so is the list.
    unlinkRecord(&s.printerList, record);
    return false;
  }
  // The "root" user of the new printer, with the state of the current
  // printer put back afterwards.
  std::string savedFullDir = s.userFullDir;
  std::string savedPrinter = s.printerName;
  std::vector<std::string> savedUsers = userNames(&s.printerUserList);
  int savedUserCount = s.printerUserCount;
  s.userFullDir = s.userDir + "/" + name;
  s.printerName = name;
  bool rooted = reportedStep([&] { return editInfoFile("root", kEditAddPrinterUser) != 0; },
                             "Cannot add the user 'root'\nto the queue '" + name + "'.");
  s.userFullDir = savedFullDir;
  s.printerName = savedPrinter;
  refillUsers(&s.printerUserList, savedUsers);
  s.printerUserCount = savedUserCount;
  if (!rooted) {
    editInfoFile(name, kEditDeletePrinter);  // also drops the list's record
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> parseLpstatDevices(const std::string& output) {
  std::vector<std::string> names;
  std::istringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    std::string name;
    if (line.find("ique pour ") != std::string::npos || line.find("ique de ") != std::string::npos) {
      size_t start = line.find_first_not_of(" \t", colon + 1);
      if (start == std::string::npos) continue;
      size_t end = line.find_first_of(" \t\r", start);
      name = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
    } else {
      size_t end = colon;
      if (end > 0 && line[end - 1] == ' ') --end;
      size_t start = line.rfind(' ', end == 0 ? 0 : end - 1);
      start = (start == std::string::npos || start >= end) ? 0 : start + 1;
      name = line.substr(start, end - start);
    }
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

std::string cutQueueName(const std::string& name, size_t limit) {
  size_t cut = name.find('@');
  if (cut == std::string::npos) cut = name.find(':');
  std::string out = name.substr(0, cut);
  if (out.size() > limit) out.resize(limit);
  return out;
}

std::string recordNameOf(const std::string& name, size_t limit) {
  if (setup().lpMode != kLpCups) return cutQueueName(name, limit);
  return name.size() > limit ? name.substr(0, limit) : name;
}

int getSysQ(PList* head, int force) {
  SetupState& s = setup();
  long now = static_cast<long>(std::time(nullptr));
  bool due = now - s.lastQueueScan >= s.queueRescanInterval;
  if (!force && !due) {
    s.systemQueueCount = recordsAfterHead(head);
    tracef("getSystemQueList(soft:%ld)\n", now);
    return s.systemQueueCount;
  }
  s.lastQueueScan = static_cast<int>(now);
  freePList(head);
  s.systemQueueCount = 0;
  tracef("getSysQ() lpMode=%d unameVersion=%g\n", s.lpMode, static_cast<double>(s.unameRelease));
  if (s.lpMode == kLpSysV) {
    if (getSysVQueList(head) < 0) s.systemQueueCount = 0;
  } else if (s.lpMode == kLpCups) {
    getCupsDestinationList(head);
  } else {
    readLpstatQueues(head);
  }
  sortPList(head, s.systemQueueCount);
  return s.systemQueueCount;
}

int getCupsDestinationList(PList* head) {
  SetupState& s = setup();
  destinations.release();
  destinations.count = cupsGetDests(&destinations.dests);
  destinations.defaultDest = cupsGetDest(nullptr, nullptr, destinations.count, destinations.dests);
  int n = 0;
  for (int i = 0; i < destinations.count; ++i) {
    const char* name = destinations.dests[i].name;
    if (!name || !*name) continue;
    addPList(head, new PList(name));
    ++n;
  }
  s.systemQueueCount = n;
  tracef("getCupsDestinationList(nPrinters)=%d\n", n);
  return n;
}

int getSysVQueList(PList* head) {
  SetupState& s = setup();
  std::string dir = rootedPath(sysVPrinterDir(s.osKind));
  tracef("getSysVQueList::fname=%s\n", dir.c_str());
  const char* const fallbacks[] = {"/etc/lp/printers", "/usr/spool/lp/member"};
  size_t next = 0;
  while (!isDirectory(dir)) {
    std::fprintf(stderr, "No base directory-1 : %s\n", dir.c_str());
    if (next >= sizeof fallbacks / sizeof fallbacks[0]) return -1;
    dir = rootedPath(fallbacks[next++]);
  }
  DIR* d = ::opendir(dir.c_str());
  if (!d) return -1;
  int n = 0;
  while (struct dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (!isDirectoryOrFile(dir + "/" + name)) continue;
    addPList(head, new PList(name));
    ++n;
  }
  ::closedir(d);
  s.systemQueueCount = n;
  tracef("getSysVQueList::SysV(nPrinters)=%d\n", n);
  return n;
}

std::vector<std::string> queueListItems() {
  SetupState& s = setup();
  std::vector<std::string> items;
  int i = 0;
  for (PList* p = s.systemQueueList.next; p != &s.systemQueueList && i < s.systemQueueCount;
       p = p->next, ++i) {
    bool managed = isManagedPrinter(recordNameOf(p->name)) != 0;
    if (managed && (s.queueListFilter == 2 || s.queueListFilter == 3)) {
      items.push_back(padTo64(p->name));
    } else if (!managed && (s.queueListFilter == 3 || s.queueListFilter == 1)) {
      items.push_back("* " + padTo64(p->name));
    }
  }
  return items;
}

void fillSystemQueueList(QueueListView* view) {
  SetupState& s = setup();
  getSysQ(&s.systemQueueList, 1);
  view->deleteAllItems();
  if (s.systemQueueCount == 0) return;
  std::vector<std::string> items = queueListItems();
  if (items.empty()) return;
  view->setHeightFor(static_cast<int>(items.size()));
  view->addItemsAtEnd(items);
}

std::string systemQueueHolding(const std::string& name) {
  SetupState& s = setup();
  getSysQ(&s.systemQueueList, 0);
  if (name.empty()) return std::string();
  std::string other;  // the first queue that holds the name in another spelling
  int i = 0;
  for (PList* p = s.systemQueueList.next; p != &s.systemQueueList && i < s.systemQueueCount;
       p = p->next, ++i) {
    for (const std::string& listed : {p->name, recordNameOf(p->name)}) {
      if (listed == name) return listed;
      if (other.empty() && sameQueueName(listed, name)) other = listed;
    }
  }
  return other;
}

int isSystemQueue(const std::string& name) { return systemQueueHolding(name).empty() ? 0 : 1; }

std::string managedPrinterHolding(const std::string& name) {
  if (name.empty()) return std::string();
  PList* head = &setup().printerList;
  if (findPListEntry(head, name)) return name;
  PList* r = head;
  do {
    if (!r->name.empty() && sameQueueName(r->name, name)) return r->name;
    r = r->next;
  } while (r != head);
  return std::string();
}

int isManagedPrinter(const std::string& name) { return managedPrinterHolding(name).empty() ? 0 : 1; }

int addPrinter(const std::string& asked, int check, const std::function<bool()>& writeRecord) {
  SetupState& s = setup();
  // One queue, one record: a printer managed under another spelling of the
  // name keeps its own.
  const std::string held = managedPrinterHolding(asked);
  const std::string name = held.empty() ? asked : held;
  if (check && !held.empty()) {
    doMessage(kMsgInfo, kAddQueueTitle, "Queue '" + name + "' already exists .... !");
    return 0;
  }
  const std::string printerDir = s.userDir + "/" + name;
  const bool madeDir = !isDirectory(printerDir);
  if (!isSafeEntryName(name) || makeSubDirectory(s.userDir, name) != 0) {
    doMessage(kMsgError, kAddQueueTitle, "Cannot create directory " + printerDir);
    return 0;
  }
  // A step that fails takes back the directory this call made: the
  // information file never names a printer whose record is not written.
  auto undo = [&] {
    if (madeDir) removeTree(printerDir);
  };
  if (!reportedStep([&] { return makeUserDirectory(printerDir, "root") == 0; },
                    "Cannot create dir:\n" + printerDir + "/root") ||
      (writeRecord && !reportedStep(writeRecord, "Cannot write the configuration file\nof the queue '" + name +
                                                     "'.")) ||
      !addInfoFileLines(name)) {
    undo();
    return 0;
  }
  tracef("Added JarnPrinter %s.\n", name.c_str());
  return 1;
}

int deletePrinter(const std::string& asked) {
  SetupState& s = setup();
  const std::string held = managedPrinterHolding(asked);
  const std::string& name = held.empty() ? asked : held;
  // The files go only once the information file no longer names the printer.
  if (!reportedStep([&] { return editInfoFile(name, kEditDeletePrinter) != 0; },
                    "Cannot remove the queue '" + name + "'\nfrom the information file.")) {
    return 0;
  }
  removeInfoPrinterBlock(s.userDir, name);
  if (queueNameSetter) queueNameSetter(std::string());
  tracef("Deleted JarnPrinter %s.\n", name.c_str());
  return 1;
}

int deleteQueueAndRecords(const std::string& name) {
  if (!deleteSpoolerQueue(name, 0)) return 0;
  const std::string held = managedPrinterHolding(name);
  if (held.empty()) return 1;
  if (isDryRun()) {
    skipWriteInDryRun(setup().infoFilePath);
    skipWriteInDryRun(setup().userDir + "/" + held);
    return 1;
  }
  return deletePrinter(held);
}

int addCreatedPrinter(const std::string& name, int check, const std::function<bool()>& writeRecord) {
  if (isDryRun()) {
    const SetupState& s = setup();
    skipWriteInDryRun(s.userDir + "/" + name + "/root/jarnConfig");
    skipWriteInDryRun(s.infoFilePath);
    return 1;
  }
  return addPrinter(name, check, writeRecord);
}

void setQueueNameSetter(QueueNameSetter setter) { queueNameSetter = setter; }
