// Circular doubly linked printer (PList) and user (UList) lists.
//
// A list is addressed by its head record, which lives in SetupState and is
// never freed; an empty list is a head linked to itself. Lists read from the
// information file keep their first entry in the head itself; the system
// queue list and the USB list use the head as a sentinel only.
#pragma once

#include <string>

constexpr size_t kPListNameSize = 256;  // visible name size (255 bytes + NUL)
constexpr size_t kUListNameSize = 80;

struct PList {
  std::string name;
  int position = 0;
  int flags = 0;
  PList* next;
  PList* prev;

  PList() : next(this), prev(this) {}
  explicit PList(const std::string& n, int pos = 0, int fl = 0);
  PList(const PList&) = delete;
  PList& operator=(const PList&) = delete;
};

struct UList {
  std::string name;
  int position = 0;
  int flags = 0;
  UList* next;
  UList* prev;

  UList() : next(this), prev(this) {}
  explicit UList(const std::string& n, int pos = 0, int fl = 0);
  UList(const UList&) = delete;
  UList& operator=(const UList&) = delete;
};

// Appends `record` at the tail (before the head). A null head is fatal (status 1).
void addPList(PList* head, PList* record);
void addUList(UList* head, UList* record);

// 0 for a null head; otherwise 1 plus the records after the head.
int countPList(const PList* head);
int countUList(const UList* head);

// Frees every record after the head and links the head to itself. The
// PList head keeps its contents; the UList head is cleared.
int freePList(PList* head);
int freeUList(UList* head);

// First record (head included) whose name equals `name`, or null.
PList* findPListEntry(PList* head, const std::string& name);
UList* findUListEntry(UList* head, const std::string& name);

// Sorts the names of the `count` records after the head (compareQueueNames).
void sortPList(PList* head, int count);

// Order of sortPList: byte-wise, an empty name after every other name.
int compareQueueNames(const std::string& a, const std::string& b);

// Record whose position, flags and name equal the probe's, head first.
PList* findPListRecord(PList* head, const PList& probe);
UList* findUListRecord(UList* head, const UList& probe);

// Unlinks the record found as above; with freeIt, frees it unless it is the head.
int removePListRecord(PList* head, const PList& probe, int freeIt);
int removeUListRecord(UList* head, const UList& probe, int freeIt);

// A {name, pointer to int} table, ended by an entry with a null pointer.
struct NamedValue {
  const char* name;
  const int* value;
};
// The integer the entry called `name` points to, 0 when there is none.
int lookupNamedValue(const std::string& name, const NamedValue* table);
