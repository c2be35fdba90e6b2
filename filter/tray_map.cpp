// The tray renumbering table of the list-A models.
#include "tray_map.h"

#include "model_table.h"

namespace {

struct TrayRule {
  int tray;
  int models[14];  // ended by 0
  int result;
};

const TrayRule kTrayRules[] = {
    {2, {210, 211, 212, 216, 218, 219, 220, 221, 222, 224, 225, 226, 0}, 4},
    {4, {210, 211, 212, 213, 214, 216, 218, 219, 220, 221, 222, 224, 226, 0}, 5},
    {5, {221, 222, 226, 0}, 8},
    {5, {215, 217, 0}, 4},
    {20, {217, 225, 0}, 5},
    {21, {217, 225, 0}, 8},
};

}  // namespace

int mapTrayForModel(int tray, int modelId) {
  if (!isModelInList(modelId, kListA)) return tray;
  for (const TrayRule& rule : kTrayRules)
    if (rule.tray == tray && isModelInList(modelId, rule.models)) return rule.result;
  return tray;
}
