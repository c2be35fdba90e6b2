// Reading a small text file line by line, whatever the line lengths.
#pragma once

#include <cstdio>
#include <string>

class LineFile {
 public:
  // Opens path for reading; ok() tells whether that worked.
  explicit LineFile(const std::string& path);
  ~LineFile();
  LineFile(const LineFile&) = delete;
  LineFile& operator=(const LineFile&) = delete;

  bool ok() const { return file_ != nullptr; }
  // The next line without its LF; false at the end of the file. Only the
  // first kKeptLength characters of a line are kept (the rest is read and
  // dropped), so that a file without line ends cannot fill memory.
  bool next(std::string& line);

  static const std::string::size_type kKeptLength = 4096;

 private:
  std::FILE* file_;
};
