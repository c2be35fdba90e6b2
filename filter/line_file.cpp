// Line reader over stdio.
#include "line_file.h"

LineFile::LineFile(const std::string& path) : file_(std::fopen(path.c_str(), "r")) {}

LineFile::~LineFile() {
  if (file_) std::fclose(file_);
}

bool LineFile::next(std::string& line) {
  line.clear();
  if (!file_) return false;
  int c;
  bool any = false;
  while ((c = std::getc(file_)) != EOF) {
    any = true;
    if (c == '\n') return true;
    if (line.size() < kKeptLength) line.push_back(static_cast<char>(c));
  }
  return any;
}
