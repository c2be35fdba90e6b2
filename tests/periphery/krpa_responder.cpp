// krpa_responder: a stand-in printer for the device authentication tests. It
// listens on 127.0.0.1:47545 (UDP), records each request it gets as one line
// of hex in a file, checks its bytes against the request expected for an
// identity and secret, and answers with a reply of a chosen shape.
//
//   krpa_responder [--record FILE] [--expect ID SECRET] [--silent]
//                  [--length N] [--body-length N] [--status S] [--verdict V]
//
// --length     size of the reply datagram (default 26)
// --body-length the body length written into the header (default N - 20)
// --silent     receive but never answer
// A request that does not match --expect is answered with the verdict 0xEE.
// "ready" is printed on standard output once the socket is bound; the program
// runs until it is killed.
#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct Options {
  std::string record;
  bool expect = false;
  unsigned long id = 0;
  unsigned long secret = 0;
  bool silent = false;
  long length = 26;
  long bodyLength = -1;
  int status = 0x33;
  int verdict = 0x01;
};

bool parse(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    bool more = i + 1 < argc;
    if (a == "--record" && more) o->record = argv[++i];
    else if (a == "--expect" && i + 2 < argc) {
      o->expect = true;
      o->id = std::strtoul(argv[++i], nullptr, 0);
      o->secret = std::strtoul(argv[++i], nullptr, 0);
    } else if (a == "--silent") o->silent = true;
    else if (a == "--length" && more) o->length = std::strtol(argv[++i], nullptr, 0);
    else if (a == "--body-length" && more) o->bodyLength = std::strtol(argv[++i], nullptr, 0);
    else if (a == "--status" && more) o->status = static_cast<int>(std::strtol(argv[++i], nullptr, 0));
    else if (a == "--verdict" && more) o->verdict = static_cast<int>(std::strtol(argv[++i], nullptr, 0));
    else return false;
  }
  return o->length >= 0 && o->length <= 1024;
}

// The request a correct client sends for the expected identity and secret.
std::string expectedRequest(const Options& o) {
  const unsigned char head[20] = {0xCD, 0xCA, 0x10, 0x04, 0x00, 0x50, 0, 0, 0, 8};
  std::string r(reinterpret_cast<const char*>(head), 20);
  for (unsigned long v : {o.id, o.secret}) {
    for (int shift = 24; shift >= 0; shift -= 8) r += static_cast<char>((v >> shift) & 0xff);
  }
  return r;
}

std::string reply(const Options& o, bool matched) {
  std::string r(static_cast<size_t>(o.length), '\0');
  long body = o.bodyLength >= 0 ? o.bodyLength : (o.length > 20 ? o.length - 20 : 0);
  const unsigned char head[6] = {0xCD, 0xCA, 0x10, 0x04, 0x00, 0x50};
  for (size_t i = 0; i < 6 && i < r.size(); ++i) r[i] = static_cast<char>(head[i]);
  if (r.size() > 9) {
    r[8] = static_cast<char>((body >> 8) & 0xff);
    r[9] = static_cast<char>(body & 0xff);
  }
  if (r.size() > 24) r[24] = static_cast<char>(o.status);
  if (r.size() > 25) r[25] = static_cast<char>(matched ? o.verdict : 0xEE);
  for (size_t i = 26; i < r.size(); ++i) r[i] = static_cast<char>(0xA0 + (i % 16));
  return r;
}

void record(const std::string& path, const unsigned char* data, ssize_t n) {
  if (path.empty()) return;
  FILE* f = std::fopen(path.c_str(), "a");
  if (!f) return;
  for (ssize_t i = 0; i < n; ++i) std::fprintf(f, "%02x", data[i]);
  std::fputc('\n', f);
  std::fclose(f);
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse(argc, argv, &o)) {
    std::fprintf(stderr, "usage: krpa_responder [--record FILE] [--expect ID SECRET] [--silent] "
                         "[--length N] [--body-length N] [--status S] [--verdict V]\n");
    return 2;
  }
  int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
  int one = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in me;
  std::memset(&me, 0, sizeof me);
  me.sin_family = AF_INET;
  me.sin_port = htons(47545);
  me.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&me), sizeof me) != 0) {
    std::perror("krpa_responder: bind 127.0.0.1:47545");
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  const std::string expected = expectedRequest(o);
  for (;;) {
    unsigned char buf[2048];
    sockaddr_in from;
    socklen_t fromLen = sizeof from;
    ssize_t n = ::recvfrom(fd, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &fromLen);
    if (n < 0) continue;
    record(o.record, buf, n);
    if (o.silent) continue;
    bool matched = !o.expect || std::string(reinterpret_cast<char*>(buf), static_cast<size_t>(n)) == expected;
    std::string r = reply(o, matched);
    ::sendto(fd, r.data(), r.size(), 0, reinterpret_cast<sockaddr*>(&from), fromLen);
  }
}
