// The injectable root of the fixed system paths.
#include "fs_root.h"

namespace {
std::string root;
}

void setFsRoot(const std::string& r) {
  root = r;
  while (root.size() > 1 && root.back() == '/') root.pop_back();
  if (root == "/") root.clear();
}

const std::string& fsRoot() { return root; }

std::string rootedPath(const std::string& absolutePath) {
  if (root.empty() || absolutePath.empty() || absolutePath[0] != '/') return absolutePath;
  return root + absolutePath;
}
