// The built-in table of the maker's models and the lists of model ids that
// switch model-specific behaviour. Model id 0 means "unknown" and is in no
// list.
#pragma once

#include <cstddef>
#include <string>

struct ModelRow {
  const char* name;  // text that a PPD's model name holds
  int id;            // 1..231
};

// The built-in rows, in match order.
extern const ModelRow kModelRows[];
extern const std::size_t kModelRowCount;

// Model-id lists, each ended by 0.
extern const int kMailbox1List[];       // MAILBOXNUMBER1 keyword
extern const int kFoldList[];           // extra CFOLD=GENERICOFF line
extern const int kListA[];              // MEDIASOURCE outside PCL XL; tray renumbering
extern const int kPxlSourceList[];      // PCL XL media-source handling
extern const int kFirstAdvanceList[];   // traced only
extern const int kSecondAdvanceList[];  // cover-source keywords

// 1 when id occurs in the 0-ended list, else 0.
int isModelInList(int id, const int* list);

// The id of the first row whose name occurs in modelName, or 0 (also for
// an empty name).
int findModelId(const std::string& modelName, const ModelRow* rows, std::size_t count);
