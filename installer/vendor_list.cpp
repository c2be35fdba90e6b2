// The installer's printer and option lists.
#include "vendor_list.h"

#include <cstdio>

#include "fatal_exit.h"
#include "install_log.h"

namespace inst {
namespace {

template <typename T>
void append(T* head, T* record, Msg nullText) {
  if (!head) {
    std::fputs(text(nullText), stderr);
    throw FatalExit(1, text(nullText));
  }
  record->prev = head->prev;
  record->next = head;
  head->prev->next = record;
  head->prev = record;
}

template <typename T>
void freeAfterHead(T* head) {
  if (!head) return;
  for (T* r = head->next; r != head;) {
    T* next = r->next;
    delete r;
    r = next;
  }
  head->next = head->prev = head;
}

template <typename T>
T* nth(T* head, int n) {
  if (!head || n < 0) return nullptr;
  T* r = head;
  for (int i = 0; i < n; ++i) {
    r = r->next;
    if (r == head) return nullptr;
  }
  return r;
}

}  // namespace

void addPList(VendorPrinter* head, VendorPrinter* record) { append(head, record, kAddPListNull); }
void addOptList(OptNode* head, OptNode* record) { append(head, record, kAddOptListNull); }
void freeVendorList(VendorPrinter* head) { freeAfterHead(head); }
void freeOptList(OptNode* head) { freeAfterHead(head); }
VendorPrinter* nthPList(VendorPrinter* head, int n) { return nth(head, n); }
OptNode* nthOptList(OptNode* head, int n) { return nth(head, n); }

int countPList(const VendorPrinter* head) {
  if (!head) return 0;
  int n = 1;
  for (const VendorPrinter* r = head->next; r != head; r = r->next) ++n;
  return n;
}

VendorPrinter* findPList(VendorPrinter* head, const std::string& name) {
  if (!head) return nullptr;
  VendorPrinter* r = head;
  do {
    if (r->printerName == name) return r;
    r = r->next;
  } while (r != head);
  return nullptr;
}

void copyPrinterIdentity(const VendorPrinter& from, VendorPrinter* to) {
  to->printerName = from.printerName;
  to->index = from.index;
  to->pdl = from.pdl;
}

const OptNode* findOption(const OptNode* head, const std::string& keyword) {
  if (!head) return nullptr;
  for (const OptNode* r = head->next; r != head; r = r->next)
    if (r->keyword == keyword) return r;
  return nullptr;
}

void printOptList(const OptNode* head) {
  if (!head || head->next == head) {
    writeLog(text(kListEmpty));
    return;
  }
  int total = 0;
  for (const OptNode* r = head->next; r != head; r = r->next) ++total;
  for (const OptNode* r = head->next; r != head; r = r->next)
    logMsg(kOptionLine, r->number, total, r->keyword.c_str(), r->choice.c_str());
}

}  // namespace inst
