// The device authentication exchange over UDP: the request, the bounded
// reading of the reply, and the one-second wait for it (a poll() timeout; no
// signal handler is involved).
#include "device_auth.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "sleeper.h"
#include "trace.h"

namespace {

// The fixed part of the request header.
const unsigned char kRequestHeader[kKrpaHeaderSize] = {
    0xCD, 0xCA, 0x10, 0x04, 0x00, 0x50, 0x00, 0x00, 0x00, 0x08,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
};

constexpr size_t kBodyLengthOffset = 8;
constexpr size_t kStatusOffset = 24;
constexpr size_t kVerdictOffset = 25;

void appendBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

// Finds the IPv4 address of `host`: by name first, then as a dotted address.
// Returns false (with the verbose message) when there is none.
bool resolveHost(const std::string& host, in_addr* address, int verbose) {
  addrinfo hints;
  std::memset(&hints, 0, sizeof hints);
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
    bool ok = found->ai_family == AF_INET && found->ai_addrlen >= sizeof(sockaddr_in);
    if (ok) *address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr;
    ::freeaddrinfo(found);
    if (!ok && verbose) std::fprintf(stderr, "krpaAuthenticate: address length wrong\n");
    return ok;
  }
  if (::inet_aton(host.c_str(), address) != 0) return true;
  if (verbose) std::fprintf(stderr, "krpaAuthenticate: cannot find address for '%s'\n", host.c_str());
  return false;
}

// Sets up a UDP socket connected to the printer, with up to ten tries a
// second apart. Returns the socket, or -1 (with the messages) when none could be set up.
int connectToPrinter(const in_addr& address, int verbose) {
  sockaddr_in peer;
  std::memset(&peer, 0, sizeof peer);
  peer.sin_family = AF_INET;
  peer.sin_port = htons(kKrpaPort);
  peer.sin_addr = address;
  char dotted[INET_ADDRSTRLEN] = "";
  ::inet_ntop(AF_INET, &address, dotted, sizeof dotted);
  int lastError = 0;
  for (int tries = 0; tries < kKrpaConnectTries; ++tries) {
    int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
      if (verbose) std::fprintf(stderr, "krpaAuthenticate: socket() failed '%s'\n", std::strerror(errno));
      return -1;
    }
    if (::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer) == 0) return fd;
    lastError = errno;
    sleepSeconds(1);
    ::close(fd);
  }
  if (verbose) {
    std::fprintf(stderr, "krpaAuthenticate: connect to '%s',port %d failed after %d tries - %s\n", dotted,
                 kKrpaPort, kKrpaConnectTries, std::strerror(lastError));
  }
  return -1;
}

// Waits up to the reply timeout for the socket to become readable (or to
// carry an error). False, after the timeout message, when nothing came.
bool waitForReply(int fd, const std::string& host) {
  pollfd p;
  p.fd = fd;
  p.events = POLLIN;
  p.revents = 0;
  for (;;) {
    int n = ::poll(&p, 1, kKrpaReplyTimeoutMs);
    if (n > 0) return true;
    if (n < 0 && errno == EINTR) continue;
    // The wording of the old alarm handler, with the signal that used to end the wait.
    std::fprintf(stderr, "Cannot communicate with : '%s' [%d]\n", host.c_str(), SIGALRM);
    return false;
  }
}

// Receives the reply and reads its verdict. Returns -1 when none could be read.
int readReply(int fd, const std::string& host, int* status, int verbose) {
  unsigned char buffer[kKrpaReplyBufferSize];
  ssize_t got = -1;
  if (waitForReply(fd, host)) {
    do {
      got = ::recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    } while (got < 0 && errno == EINTR);
  }
  int result = got < 0 ? -1 : krpaParseReply(buffer, static_cast<size_t>(got), status);
  if (result < 0) {
    if (traceLevel() > 0) std::fprintf(stderr, "Cannot read from socket %d.\n", fd);
    if (verbose) std::fprintf(stderr, "Cannot receive packet of 26 bytes: %d.\n", static_cast<int>(got));
  }
  return result;
}

}  // namespace

std::string krpaRequest(uint32_t identity, uint32_t secret) {
  std::string request(reinterpret_cast<const char*>(kRequestHeader), kKrpaHeaderSize);
  appendBigEndian(request, identity);
  appendBigEndian(request, secret);
  return request;
}

int krpaParseReply(const unsigned char* data, size_t size, int* status) {
  if (size < kKrpaHeaderSize) return -1;
  size_t bodyLength = (static_cast<size_t>(data[kBodyLengthOffset]) << 8) | data[kBodyLengthOffset + 1];
  size_t usable = std::min(size, kKrpaHeaderSize + bodyLength);
  if (usable > kStatusOffset && status) *status = data[kStatusOffset];
  return usable > kVerdictOffset ? data[kVerdictOffset] : 0;
}

int krpaAuthenticate(const std::string& host, uint32_t identity, uint32_t secret, int* status,
                     int verbose) {
  if (host.empty()) {
    if (status) *status = kKrpaStatusNoHost;
    return 0;
  }
  in_addr address;
  int fd = -1;
  bool resolved = resolveHost(host, &address, verbose);
  if (resolved) {
    if (verbose) std::fprintf(stderr, "connect to '%s',port 0x%x\n", host.c_str(), kKrpaPort);
    fd = connectToPrinter(address, verbose);
  }
  if (fd < 0) {
    std::fprintf(stderr, "Cannot open socket for %s:%d.\n", host.c_str(), kKrpaPort);
    if (status) *status = resolved ? kKrpaStatusNoConnection : kKrpaStatusNoHost;
    return 0;
  }
  std::string request = krpaRequest(identity, secret);
  ssize_t sent = ::send(fd, request.data(), request.size(), MSG_NOSIGNAL);
  if (sent < 0) {
    std::fprintf(stderr, "Cannot send to socket %d.\n", fd);
    ::close(fd);
    return 0;
  }
  if (static_cast<size_t>(sent) != request.size()) {
    if (verbose) std::fprintf(stderr, "Cannot send packet of 28 bytes: %d.\n", static_cast<int>(sent));
    ::close(fd);
    return 0;
  }
  int result = readReply(fd, host, status, verbose);
  ::close(fd);
  return result;
}
