// ipp_class_server: a small IPP server of our own for the printer URI
// look-up tests, for what a CUPS 2.4 daemon cannot be made to serve: classes
// whose members are classes, on the same server or on another one. It answers
// Get-Printer-Attributes from a table given on the command line, over real
// HTTP and IPP (libcups's server-side calls), one process per connection.
//
//   ipp_class_server LOG ENTRY...
//     ENTRY = printer:NAME=URI        a printer with that printer-uri-supported
//           | class:NAME=URI[,URI...] a class with those member-uris
//
// It listens on a free port of 127.0.0.1 and prints "ready PORT" once it
// does; "@PORT@" in a URI stands for that port. Each request's printer name
// is appended to LOG as one line. It runs until it is killed.
#include <arpa/inet.h>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <cups/cups.h>
#include <cups/ipp.h>
#include <map>
#include <netinet/in.h>
#include <string>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Entry {
  bool isClass = false;
  std::vector<std::string> uris;
};

std::map<std::string, Entry> table;
std::string logPath;
int listenPort = 0;

std::string withPort(std::string uri) {
  const std::string key = "@PORT@";
  for (size_t at = uri.find(key); at != std::string::npos; at = uri.find(key)) {
    uri.replace(at, key.size(), std::to_string(listenPort));
  }
  return uri;
}

bool parseEntry(const std::string& arg) {
  size_t colon = arg.find(':');
  size_t eq = arg.find('=');
  if (colon == std::string::npos || eq == std::string::npos || eq < colon) return false;
  std::string kind = arg.substr(0, colon);
  Entry e;
  e.isClass = kind == "class";
  if (!e.isClass && kind != "printer") return false;
  std::string rest = arg.substr(eq + 1);
  size_t start = 0;
  while (start <= rest.size()) {
    size_t comma = rest.find(',', start);
    std::string uri = rest.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (!uri.empty()) e.uris.push_back(uri);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  table[arg.substr(colon + 1, eq - colon - 1)] = e;
  return true;
}

void logName(const std::string& name) {
  FILE* f = std::fopen(logPath.c_str(), "a");
  if (!f) return;
  std::fprintf(f, "%s\n", name.c_str());
  std::fclose(f);
}

// The answer to one Get-Printer-Attributes request.
ipp_t* answer(ipp_t* request) {
  ipp_t* response = ippNewResponse(request);
  ipp_attribute_t* uriAttr = ippFindAttribute(request, "printer-uri", IPP_TAG_URI);
  char scheme[32], user[64], host[256], resource[1024];
  int port = 0;
  std::string name;
  if (uriAttr && httpSeparateURI(HTTP_URI_CODING_ALL, ippGetString(uriAttr, 0, nullptr), scheme, sizeof scheme, user,
                                 sizeof user, host, sizeof host, &port, resource, sizeof resource) >= HTTP_URI_STATUS_OK) {
    const char* slash = std::strrchr(resource, '/');
    name = slash ? slash + 1 : resource;
  }
  logName(name);
  auto it = table.find(name);
  if (ippGetOperation(request) != IPP_OP_GET_PRINTER_ATTRIBUTES || it == table.end()) {
    ippSetStatusCode(response, IPP_STATUS_ERROR_NOT_FOUND);
    return response;
  }
  ippSetStatusCode(response, IPP_STATUS_OK);
  const Entry& e = it->second;
  std::string self = withPort(std::string("ipp://127.0.0.1:@PORT@/") + (e.isClass ? "classes/" : "printers/") + name);
  ippAddInteger(response, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-type", e.isClass ? CUPS_PRINTER_CLASS : 0);
  if (e.isClass) {
    std::vector<std::string> uris;
    for (const auto& u : e.uris) uris.push_back(withPort(u));
    std::vector<const char*> values;
    for (const auto& u : uris) values.push_back(u.c_str());
    if (!values.empty()) {
      ippAddStrings(response, IPP_TAG_PRINTER, IPP_TAG_URI, "member-uris", static_cast<int>(values.size()), nullptr,
                    values.data());
    }
    ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr, self.c_str());
  } else {
    std::string uri = e.uris.empty() ? self : withPort(e.uris[0]);
    ippAddString(response, IPP_TAG_PRINTER, IPP_TAG_URI, "printer-uri-supported", nullptr, uri.c_str());
  }
  return response;
}

// Serves the requests of one connection until the client closes it.
void serve(http_t* http) {
  for (;;) {
    char uri[1024];
    http_state_t state = httpReadRequest(http, uri, sizeof uri);
    if (state == HTTP_STATE_WAITING) {
      if (!httpWait(http, 10000)) return;
      continue;
    }
    if (state != HTTP_STATE_POST) return;
    http_status_t status;
    while ((status = httpUpdate(http)) == HTTP_STATUS_CONTINUE) {
    }
    if (status != HTTP_STATUS_OK) return;
    if (httpGetExpect(http) == HTTP_STATUS_CONTINUE) httpWriteResponse(http, HTTP_STATUS_CONTINUE);
    ipp_t* request = ippNew();
    ipp_state_t ipps;
    while ((ipps = ippRead(http, request)) != IPP_STATE_DATA) {
      if (ipps == IPP_STATE_ERROR) {
        ippDelete(request);
        return;
      }
    }
    ipp_t* response = answer(request);
    ippDelete(request);
    httpClearFields(http);
    httpSetField(http, HTTP_FIELD_CONTENT_TYPE, "application/ipp");
    httpSetLength(http, ippLength(response));
    if (httpWriteResponse(http, HTTP_STATUS_OK) < 0) {
      ippDelete(response);
      return;
    }
    ippSetState(response, IPP_STATE_IDLE);
    while (ippWrite(http, response) != IPP_STATE_DATA) {
    }
    httpFlushWrite(http);
    ippDelete(response);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: ipp_class_server LOG ENTRY...\n");
    return 2;
  }
  logPath = argv[1];
  for (int i = 2; i < argc; ++i) {
    if (!parseEntry(argv[i])) {
      std::fprintf(stderr, "ipp_class_server: bad entry '%s'\n", argv[i]);
      return 2;
    }
  }
  int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in me;
  std::memset(&me, 0, sizeof me);
  me.sin_family = AF_INET;
  me.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof me;
  if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&me), sizeof me) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&me), &len) != 0) {
    std::perror("ipp_class_server");
    return 1;
  }
  listenPort = ntohs(me.sin_port);
  std::signal(SIGCHLD, SIG_IGN);
  std::printf("ready %d\n", listenPort);
  std::fflush(stdout);
  for (;;) {
    http_t* http = httpAcceptConnection(fd, 1);
    if (!http) continue;
    pid_t pid = ::fork();
    if (pid == 0) {
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
      ::close(fd);
      serve(http);
      httpClose(http);
      _exit(0);
    }
    httpClose(http);
  }
}
