// The model table (rows in model_rows.inc) and the model-id lists.
#include "model_table.h"

const ModelRow kModelRows[] = {
#include "model_rows.inc"
};
const std::size_t kModelRowCount = sizeof(kModelRows) / sizeof(kModelRows[0]);

const int kMailbox1List[] = {165, 174, 1, 2, 3, 4, 5, 6, 7, 9, 59, 60, 75, 51, 52, 55, 67, 68, 70, 71, 81, 82, 84, 0};
const int kFoldList[] = {132, 136, 0};
const int kListA[] = {210, 211, 212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 225, 224, 226, 0};
const int kPxlSourceList[] = {30, 0};
const int kFirstAdvanceList[] = {45, 46, 53, 54, 61, 62, 69, 76, 77, 83, 85, 0};
const int kSecondAdvanceList[] = {31, 33, 32, 34, 35, 40, 39, 41, 49, 65, 80, 20, 59, 75, 56, 72, 66, 86, 0};

int isModelInList(int id, const int* list) {
  for (const int* p = list; *p != 0; ++p)
    if (*p == id) return 1;
  return 0;
}

int findModelId(const std::string& modelName, const ModelRow* rows, std::size_t count) {
  if (modelName.empty()) return 0;
  for (std::size_t i = 0; i < count; ++i)
    if (modelName.find(rows[i].name) != std::string::npos) return rows[i].id;
  return 0;
}
