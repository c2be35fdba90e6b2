// In-memory files for the fuzz targets: the filter reads and writes
// descriptors, and a fuzzer must never touch the working directory.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// A memory file holding `size` bytes of `data`, positioned at its start.
inline int memoryFileWith(const char* name, const uint8_t* data, std::size_t size) {
  int fd = ::memfd_create(name, 0);
  if (fd < 0) std::abort();
  while (size > 0) {
    ssize_t w = ::write(fd, data, size);
    if (w <= 0) std::abort();
    data += w;
    size -= static_cast<std::size_t>(w);
  }
  ::lseek(fd, 0, SEEK_SET);
  return fd;
}

// The whole contents of a descriptor, read from its start.
inline std::string readBack(int fd) {
  std::string text;
  ::lseek(fd, 0, SEEK_SET);
  char buf[65536];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
  return text;
}
