// The printer URI look-up: one Get-Printer-Attributes request per printer or
// class, member classes followed on the same or on a new connection.
#include "printer_uri.h"

#include <cstdio>
#include <cstring>
#include <cups/cups.h>
#include <cups/ipp.h>
#include <strings.h>
#include <vector>

#include "setup_state.h"

namespace {

const char* const kRequestedAttributes[] = {"printer-uri-supported", "printer-type", "member-uris"};

constexpr size_t kUriSize = 1024;
const char kPrintersPrefix[] = "/printers/";
const char kClassesPrefix[] = "/classes/";

bool traceOn() { return setup().traceLevel > 2; }

// The parts of a URI; false when it cannot be split.
struct UriParts {
  std::string host;
  int port = 0;
  std::string resource;
};

bool splitUri(const char* uri, UriParts* parts) {
  char scheme[32];
  char user[256];
  char host[kPrinterUriFieldSize];
  char resource[kPrinterUriFieldSize];
  int port = 0;
  if (!uri || httpSeparateURI(HTTP_URI_CODING_ALL, uri, scheme, sizeof scheme, user, sizeof user, host, sizeof host,
                              &port, resource, sizeof resource) < HTTP_URI_STATUS_OK) {
    return false;
  }
  parts->host = host;
  parts->port = port;
  parts->resource = resource;
  return true;
}

void answer(const UriParts& parts, std::string* host, int* port, std::string* resource) {
  *host = parts.host;
  *port = parts.port;
  *resource = parts.resource;
  cutField(*host, kPrinterUriFieldSize);
  cutField(*resource, kPrinterUriFieldSize);
}

bool startsWith(const std::string& text, const char* prefix) { return text.compare(0, std::strlen(prefix), prefix) == 0; }

// Looks up a member class, on the same connection when it lives on the same
// server, else on a new connection that is closed afterwards.
int lookUpMemberClass(http_t* http, const UriParts& member, const std::string& notedHost, int notedPort,
                      std::string* host, int* port, std::string* resource, int depth) {
  std::string name = member.resource.substr(std::strlen(kClassesPrefix));
  cutField(name, kClassNameSize);
  if (strcasecmp(member.host.c_str(), notedHost.c_str()) == 0 && member.port == notedPort) {
    return cupsGetPrinterUri(http, name, host, port, resource, depth + 1);
  }
  http_t* other = httpConnect2(member.host.c_str(), member.port, nullptr, AF_UNSPEC, cupsEncryption(), 1, 30000,
                               nullptr);
  if (!other) {
    if (traceOn()) std::fprintf(stderr, "Unable to connect to server!\n");
    return 0;
  }
  int found = cupsGetPrinterUri(other, name, host, port, resource, depth + 1);
  httpClose(other);
  return found;
}

}  // namespace

int cupsGetPrinterUri(http_t* http, const std::string& name, std::string* host, int* port,
                      std::string* resource, int depth) {
  host->clear();
  resource->clear();
  char uri[kUriSize];
  if (httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                       name.c_str()) < HTTP_URI_STATUS_OK) {
    std::fprintf(stderr, "Unable to create printer-uri!\n");
    return 0;
  }
  if (traceOn()) std::fprintf(stderr, "cupsGetPrinterUri: printer-uri=\"%s\"\n", uri);

  char hostBuf[kPrinterUriFieldSize] = "";
  httpGetHostname(http, hostBuf, sizeof hostBuf);
  std::string notedHost = hostBuf;
  int notedPort = httpAddrPort(httpGetAddress(http));

  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                static_cast<int>(sizeof kRequestedAttributes / sizeof kRequestedAttributes[0]), nullptr,
                kRequestedAttributes);
  ipp_t* response = cupsDoRequest(http, request, "/");
  int found = 0;
  if (response) {
    ipp_attribute_t* members = ippFindAttribute(response, "member-uris", IPP_TAG_URI);
    if (members) {
      std::vector<UriParts> parts;
      for (int i = 0; i < ippGetCount(members); ++i) {
        UriParts p;
        if (splitUri(ippGetString(members, i, nullptr), &p)) parts.push_back(p);
      }
      for (const UriParts& p : parts) {
        if (startsWith(p.resource, kPrintersPrefix)) {
          answer(p, host, port, resource);
          found = 1;
          break;
        }
      }
      for (size_t i = 0; !found && depth < kPrinterUriMaxDepth && i < parts.size(); ++i) {
        if (!startsWith(parts[i].resource, kClassesPrefix)) continue;
        found = lookUpMemberClass(http, parts[i], notedHost, notedPort, host, port, resource, depth) && !host->empty();
      }
    }
    // A printer answers with its own URI; a class only through its members.
    ipp_attribute_t* supported = ippFindAttribute(response, "printer-uri-supported", IPP_TAG_URI);
    UriParts p;
    if (!found && !members && supported && splitUri(ippGetString(supported, 0, nullptr), &p)) {
      answer(p, host, port, resource);
      found = 1;
    }
    ippDelete(response);
  }
  if (!found) {
    if (traceOn()) std::fprintf(stderr, "No printer-uri found!\n");
    host->clear();
    resource->clear();
  }
  return found;
}
