// Circular printer and user lists.
#include "lists.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "fatal_exit.h"

PList::PList(const std::string& n, int pos, int fl)
    : name(n.substr(0, kPListNameSize - 1)), position(pos), flags(fl), next(this), prev(this) {}

UList::UList(const std::string& n, int pos, int fl)
    : name(n.substr(0, kUListNameSize - 1)), position(pos), flags(fl), next(this), prev(this) {}

namespace {

template <typename L>
void addList(L* head, L* record, const char* message) {
  if (!head) {
    std::fputs(message, stderr);
    throw FatalExit(1, message);
  }
  record->prev = head->prev;
  head->prev->next = record;
  record->next = head;
  head->prev = record;
}

template <typename L>
int countList(const L* head) {
  if (!head) return 0;
  int n = 1;
  for (const L* r = head->next; r != head; r = r->next) ++n;
  return n;
}

template <typename L>
void freeRecords(L* head) {
  L* r = head->next;
  while (r != head) {
    L* next = r->next;
    delete r;
    r = next;
  }
  head->next = head->prev = head;
}

template <typename L>
L* findByName(L* head, const std::string& name) {
  if (!head) return nullptr;
  L* r = head;
  do {
    if (r->name == name) return r;
    r = r->next;
  } while (r != head);
  return nullptr;
}

template <typename L>
L* findRecord(L* head, const L& probe) {
  if (!head) return nullptr;
  L* r = head;
  do {
    if (r->position == probe.position && r->flags == probe.flags && r->name == probe.name) return r;
    r = r->next;
  } while (r != head);
  return nullptr;
}

template <typename L>
int removeRecord(L* head, const L& probe, int freeIt) {
  if (!head || head->next == head) return 0;
  L* r = findRecord(head, probe);
  if (!r || r == head) return 0;  // the head holds an entry but cannot be unlinked
  r->prev->next = r->next;
  r->next->prev = r->prev;
  r->next = r->prev = r;
  if (freeIt == 1) delete r;
  return 0;
}

}  // namespace

void addPList(PList* head, PList* record) { addList(head, record, "addPList(NULL,...) Error!\n"); }
void addUList(UList* head, UList* record) { addList(head, record, "addUList(NULL,...) Error!\n"); }

int countPList(const PList* head) { return countList(head); }
int countUList(const UList* head) { return countList(head); }

int freePList(PList* head) {
  if (head) freeRecords(head);
  return 0;
}

int freeUList(UList* head) {
  if (!head) return 0;
  freeRecords(head);
  head->name.clear();
  head->position = 0;
  head->flags = 0;
  return 0;
}

PList* findPListEntry(PList* head, const std::string& name) { return findByName(head, name); }
UList* findUListEntry(UList* head, const std::string& name) { return findByName(head, name); }

int compareQueueNames(const std::string& a, const std::string& b) {
  if (a.empty() && b.empty()) return 0;
  if (a.empty()) return 1;
  if (b.empty()) return -1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void sortPList(PList* head, int count) {
  if (!head || count < 2) return;
  std::vector<std::string> names;
  PList* r = head->next;
  for (int i = 0; i < count && r != head; ++i, r = r->next) names.push_back(r->name);
  std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return compareQueueNames(a, b) < 0;
  });
  r = head->next;
  for (size_t i = 0; i < names.size(); ++i, r = r->next) r->name = names[i];
}

PList* findPListRecord(PList* head, const PList& probe) { return findRecord(head, probe); }
UList* findUListRecord(UList* head, const UList& probe) { return findRecord(head, probe); }

int removePListRecord(PList* head, const PList& probe, int freeIt) {
  return removeRecord(head, probe, freeIt);
}
int removeUListRecord(UList* head, const UList& probe, int freeIt) {
  return removeRecord(head, probe, freeIt);
}

int lookupNamedValue(const std::string& name, const NamedValue* table) {
  for (const NamedValue* e = table; e && e->value; ++e) {
    if (e->name && name == e->name) return *e->value;
  }
  return 0;
}
