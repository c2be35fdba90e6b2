// The system queue list and the managed printers: reads the spooler's queues
// (with a time-based cache), marks each one as managed or not for the main
// window's list, answers whether a name is a spooler queue or a managed
// printer, and adds and removes managed printers with their directories and
// information-file entries.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lists.h"

// Refreshes the list behind `head` from the spooler when `force` is set or
// queueRescanInterval seconds have passed since lastQueueScan; otherwise
// leaves it. Returns the number of queues (systemQueueCount).
int getSysQ(PList* head, int force);

// One record per CUPS destination (one per instance). Returns the number added.
int getCupsDestinationList(PList* head);

// One record per entry of the System V printer directory; -1 when no such
// directory exists.
int getSysVQueList(PList* head);

// Parses "lpstat -v" output into queue names, in the order of the lines.
std::vector<std::string> parseLpstatDevices(const std::string& output);

// The main window's queue list, as this back end sees it.
class QueueListView {
 public:
  virtual ~QueueListView() = default;
  virtual void deleteAllItems() = 0;
  virtual void setHeightFor(int itemCount) = 0;
  virtual void addItemsAtEnd(const std::vector<std::string>& items) = 0;
};

// The items of the main list for the queues read last, by queueListFilter:
// managed queues as "%-64s", the others as "* %-64s", in the list's order.
std::vector<std::string> queueListItems();

// Forced refresh, then fills the view.
void fillSystemQueueList(QueueListView* view);

// The name under which the spooler holds the queue `name` names, as the
// spooler spells it (CUPS: the same name in another ASCII case); "" when it
// holds none. The cached list may serve.
std::string systemQueueHolding(const std::string& name);

// 1 when the name is among the spooler's queues (systemQueueHolding).
int isSystemQueue(const std::string& name);

// The managed printer (printerList) that `name` names, as its records
// spell it, compared as the spooler compares names; "" when none.
std::string managedPrinterHolding(const std::string& name);

// 1 when the name is one of the managed printers (managedPrinterHolding).
int isManagedPrinter(const std::string& name);

// The name cut at the first "@", or else at the first ":", and then to at
// most `limit` bytes. Names are compared in full: callers pass no limit
// unless a field's visible size asks for one.
std::string cutQueueName(const std::string& name, size_t limit = std::string::npos);

// The name a listed queue's records go under (its directory, its line in
// the information file), cut to `limit` bytes. CUPS names its destinations
// whole ("ipp@q" is a queue of its own); the listings of other spoolers
// carry a host after "@" or ":", which is cut off (cutQueueName).
std::string recordNameOf(const std::string& name, size_t limit = std::string::npos);

// Makes the printer managed, in this order: its directory and "root" user
// directory, its record (`writeRecord`, when given: the queue's jarnConfig),
// then its lines in the information file and its record in printerList.
// With `check`, a printer that is managed already is refused with a
// message; a printer managed under another spelling of the name
// (sameQueueName) is that printer, and its records keep their spelling.
// 1 added; 0 refused or not stored, with a message naming the step
// that failed and the directory this call made removed again, so that the
// information file never lists a printer without its record.
int addPrinter(const std::string& name, int check, const std::function<bool()>& writeRecord = nullptr);

// Makes the printer unmanaged (under its records' spelling): its PRINTERS line and PRNT block go, then its
// directory tree and its script, and the queue page is cleared. 1 when done;
// 0, with a message and every file kept, when the information file could
// not be changed.
int deletePrinter(const std::string& name);

// Deletes the queue through the spooler and, when that really ran and the
// queue is a managed printer, its records (deletePrinter). At trace level 1
// the delete is only printed and the records stay (the trace names them). 1 when done, 0 when the
// queue or its records could not be deleted (with a message).
int deleteQueueAndRecords(const std::string& name);

// Makes a queue that a create command just made managed (addPrinter), except
// at trace level 1, where the command was only printed: then nothing is
// written, the trace names the files that would have been, and the result
// is 1.
int addCreatedPrinter(const std::string& name, int check, const std::function<bool()>& writeRecord = nullptr);

// The queue page's setter of the queue name, which deletePrinter calls with
// an empty name; the screens plug theirs in (null: none).
using QueueNameSetter = void (*)(const std::string& name);
void setQueueNameSetter(QueueNameSetter setter);
