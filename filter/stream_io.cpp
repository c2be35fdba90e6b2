// Buffered descriptor reader and writer of the filter.
#include "stream_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

std::string reason(const char* action, const std::string& name) {
  return std::string(action) + " " + name + ": " + std::strerror(errno);
}

// Waits until a non-blocking descriptor is ready again.
void waitReady(int fd, short events) {
  struct pollfd p;
  p.fd = fd;
  p.events = events;
  p.revents = 0;
  while (::poll(&p, 1, -1) < 0 && errno == EINTR) {
  }
}

}  // namespace

InputReader::InputReader(int fd, const std::string& name) : fd_(fd), name_(name), buf_(kStreamBufferSize) {}

void widenPipe(int fd) {
  // Only pipes take this; for anything else it fails harmlessly.
  (void)::fcntl(fd, F_SETPIPE_SZ, static_cast<int>(kStreamBufferSize * 2));
}

bool InputReader::refill() {
  pos_ = end_ = 0;
  if (eof_) return false;
  for (;;) {
    ssize_t n = ::read(fd_, buf_.data(), buf_.size());
    if (n > 0) {
      end_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n == 0) {
      eof_ = true;
      return false;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) {
      waitReady(fd_, POLLIN);
      continue;
    }
    throw IoError(reason("cannot read", name_));
  }
}

void InputReader::unread(const std::string& bytes) {
  std::size_t n = bytes.size();
  if (n <= pos_) {
    pos_ -= n;
    std::memcpy(buf_.data() + pos_, bytes.data(), n);
    return;
  }
  std::string rest(buf_.data() + pos_, end_ - pos_);
  if (buf_.size() < n + rest.size()) buf_.resize(n + rest.size());
  std::memcpy(buf_.data(), bytes.data(), n);
  std::memcpy(buf_.data() + n, rest.data(), rest.size());
  pos_ = 0;
  end_ = n + rest.size();
}

OutputWriter::OutputWriter(int fd, const std::string& name) : fd_(fd), name_(name), buf_(kStreamBufferSize) {}

void OutputWriter::write(const char* data, std::size_t n) {
  if (n >= buf_.size() / 2) {
    // A large block goes straight out, after what is already buffered:
    // copying it through the buffer would only add work.
    drain();
    writeAll(data, n);
    return;
  }
  if (n > buf_.size() - used_) drain();
  std::memcpy(buf_.data() + used_, data, n);
  used_ += n;
}

void OutputWriter::drain() {
  writeAll(buf_.data(), used_);
  used_ = 0;
}

void OutputWriter::writeAll(const char* data, std::size_t n) {
  while (n > 0) {
    ssize_t w = ::write(fd_, data, n);
    if (w > 0) {
      data += w;
      n -= static_cast<std::size_t>(w);
      continue;
    }
    if (w < 0 && errno == EINTR) continue;
    if (w < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      waitReady(fd_, POLLOUT);
      continue;
    }
    if (w == 0) errno = EIO;
    throw IoError(reason("cannot write", name_));
  }
}

void copyStream(InputReader& in, OutputWriter& out) {
  while (in.fill()) {
    out.write(in.data(), in.available());
    in.consume(in.available());
  }
}
