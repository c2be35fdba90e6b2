// Reading the model name of a PPD file and looking it up in the model table.
#include "ppd_model.h"

#include "line_file.h"
#include "model_table.h"

namespace {

const std::string::size_type kMaxLineLength = 255;
const std::string::size_type kMaxModelNameLength = 63;

}  // namespace

std::string readPpdModelName(const std::string& ppdPath) {
  if (ppdPath.empty()) return std::string();
  LineFile in(ppdPath);
  std::string line;
  while (in.next(line)) {
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    std::string::size_type key = line.find("ModelName:");
    if (key == std::string::npos) continue;
    std::string::size_type open = line.find('"', key);
    if (open == std::string::npos) return std::string();
    std::string::size_type close = line.find('"', open + 1);
    std::string name = line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (name.size() > kMaxModelNameLength) name.resize(kMaxModelNameLength);
    return name;
  }
  return std::string();
}

int getModelId(const JobSettings& settings) {
  return findModelId(readPpdModelName(settings.ppdPath), kModelRows, kModelRowCount);
}
