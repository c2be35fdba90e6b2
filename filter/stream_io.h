// Buffered streaming over file descriptors: one reader over the job's input
// and one writer over its output (or the repeat copy). Both loop on short
// reads and partial writes and retry on EINTR; every failure throws IoError,
// so a job is never cut short silently.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

// A failed read or write; what() names the stream and the system's reason.
class IoError : public std::runtime_error {
 public:
  explicit IoError(const std::string& what) : std::runtime_error(what) {}
};

constexpr std::size_t kStreamBufferSize = 128 * 1024;

// Reads a descriptor through its own buffer. End of file is the only end:
// a short read (a pipe) just means "more later".
class InputReader {
 public:
  // fd: an open descriptor (not owned); name: used in error messages.
  InputReader(int fd, const std::string& name);
  InputReader(const InputReader&) = delete;
  InputReader& operator=(const InputReader&) = delete;

  // The next byte (0..255), or -1 at end of file.
  int get() {
    if (pos_ == end_ && !refill()) return -1;
    return static_cast<unsigned char>(buf_[pos_++]);
  }
  // The next byte without taking it, or -1 at end of file.
  int peek() {
    if (pos_ == end_ && !refill()) return -1;
    return static_cast<unsigned char>(buf_[pos_]);
  }
  // Makes buffered bytes available; false at end of file.
  bool fill() { return pos_ < end_ || refill(); }
  // The buffered bytes not yet taken, and taking n of them.
  const char* data() const { return buf_.data() + pos_; }
  std::size_t available() const { return end_ - pos_; }
  void consume(std::size_t n) { pos_ += n; }
  // Puts bytes back in front of the buffered ones, to be read again: a
  // reader that looked ahead and found no match of its own.
  void unread(const std::string& bytes);
  // Forgets buffered bytes and the end-of-file mark (after the caller moved
  // the descriptor's offset, for a replay).
  void reset() { pos_ = end_ = 0; eof_ = false; }

  const std::string& name() const { return name_; }

 private:
  bool refill();

  int fd_;
  std::string name_;
  std::vector<char> buf_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool eof_ = false;
};

// Writes a descriptor through its own buffer. flush() pushes everything out;
// the destructor does not flush (an unflushed writer lost its job anyway).
class OutputWriter {
 public:
  // fd: an open descriptor (not owned); name: used in error messages.
  OutputWriter(int fd, const std::string& name);
  OutputWriter(const OutputWriter&) = delete;
  OutputWriter& operator=(const OutputWriter&) = delete;

  void put(char c) {
    if (used_ == buf_.size()) drain();
    buf_[used_++] = c;
  }
  void write(const char* data, std::size_t n);
  void write(const std::string& text) { write(text.data(), text.size()); }
  // Writes every buffered byte to the descriptor.
  void flush() { drain(); }

  const std::string& name() const { return name_; }

 private:
  void drain();
  void writeAll(const char* data, std::size_t n);

  int fd_;
  std::string name_;
  std::vector<char> buf_;
  std::size_t used_ = 0;
};

// Asks for a larger kernel buffer when fd is a pipe, so that each read and
// write moves a whole block of ours: fewer system calls and switches.
void widenPipe(int fd);

// Copies the rest of the input to the output unchanged.
void copyStream(InputReader& in, OutputWriter& out);
