// The installer's two lists: the queues of the maker's printers that an
// upgrade found (VendorPrinter) and the defaults read from a queue's old PPD
// (OptNode). Both are circular and doubly linked. A printer list keeps its
// first entry in the head record itself; an option list has an empty head
// record in front of its entries. Records after the head are made with new
// and freed by the list's free function.
#pragma once

#include <string>

namespace inst {

// PDL codes of a printer.
enum Pdl { kNoPdl = 0, kPdlIsPostScript = 1, kPdlIsPcl = 2, kPdlIsPxl = 3 };

constexpr size_t kModelTextMax = 255;
constexpr size_t kPrinterNameMax = 79;
constexpr size_t kOptionTextMax = 40;

struct VendorPrinter {
  std::string modelName;    // the PPD's *ModelName text
  std::string ppdPath;      // the queue's PPD
  std::string printerName;  // the queue
  int modelNumber = 0;
  int index = 0;  // position from 0
  int pdl = kNoPdl;
  VendorPrinter* next;
  VendorPrinter* prev;

  VendorPrinter() : next(this), prev(this) {}
  VendorPrinter(const VendorPrinter&) = delete;
  VendorPrinter& operator=(const VendorPrinter&) = delete;
};

struct OptNode {
  std::string keyword;  // without "*"
  std::string choice;
  int number = 0;  // from 1
  OptNode* next;
  OptNode* prev;

  OptNode() : next(this), prev(this) {}
  OptNode(const OptNode&) = delete;
  OptNode& operator=(const OptNode&) = delete;
};

// Append `record` before the head. A null head writes "addPList(NULL,...)
// Error!" (or the addOptList text) to standard error and ends the program
// (FatalExit 1).
void addPList(VendorPrinter* head, VendorPrinter* record);
void addOptList(OptNode* head, OptNode* record);

// Free every record after the head and link the head to itself.
void freeVendorList(VendorPrinter* head);
void freeOptList(OptNode* head);

// The n-th record (0 the head); null past the end or for a null head.
VendorPrinter* nthPList(VendorPrinter* head, int n);
OptNode* nthOptList(OptNode* head, int n);

// The number of records, the head included (0 for a null head).
int countPList(const VendorPrinter* head);

// The first record, from the head, whose printer name is `name`; or null.
VendorPrinter* findPList(VendorPrinter* head, const std::string& name);

// Copies the printer name, index and PDL.
void copyPrinterIdentity(const VendorPrinter& from, VendorPrinter* to);

// The entry of an option list whose keyword is `keyword`; or null.
const OptNode* findOption(const OptNode* head, const std::string& keyword);

// Logs each option ("Option %2d/%2d = %s == %s.") or "List is empty.".
void printOptList(const OptNode* head);

}  // namespace inst
