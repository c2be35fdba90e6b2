// Device URIs: built from the connection fields, read back into them.
#include "device_uri.h"

#include <arpa/inet.h>
#include <cups/cups.h>

#include <cstdio>
#include <cstring>

#include "config_file.h"
#include "printers_conf.h"
#include "queue_name.h"
#include "report.h"
#include "usb_discovery.h"
#include "setup_state.h"

namespace {

// The default port of a scheme, which a host text leaves out.
int defaultPort(const std::string& scheme) {
  if (strcasecmp(scheme.c_str(), "ipp") == 0) return 631;
  if (strcasecmp(scheme.c_str(), "lpd") == 0) return 515;
  if (strcasecmp(scheme.c_str(), "socket") == 0) return 9100;
  return 0;
}

bool hasUsbScheme(const std::string& text) { return text.compare(0, 4, "usb:") == 0; }

// What follows a leading "usb:" and the slashes after it; a text without one
// as it is. Only a leading one counts: a "usb:" inside a model name is part
// of it, and a URI's text after "usb://" then reads back as it was sent.
std::string afterUsbScheme(const std::string& text) {
  if (!hasUsbScheme(text)) return text;
  size_t pos = 4;
  while (pos < text.size() && text[pos] == '/') ++pos;
  return text.substr(pos);
}

std::string withoutLeadingSlashes(const std::string& path) {
  size_t pos = path.find_first_not_of('/');
  return pos == std::string::npos ? std::string() : path.substr(pos);
}

// The parts of a URI, undecoded.
struct UriParts {
  std::string scheme, user, host, resource;
  int port = 0;
};

// Splits a URI; with `decode` the escapes of the parts are undone (network
// URIs, whose parts the builder escapes again).
bool separate(const std::string& uri, UriParts* parts, bool decode = false) {
  char scheme[64], user[256], host[256], resource[1024];
  int port = 0;
  http_uri_status_t st = httpSeparateURI(decode ? HTTP_URI_CODING_ALL : HTTP_URI_CODING_NONE, uri.c_str(), scheme, sizeof scheme,
                                         user, sizeof user, host, sizeof host, &port, resource,
                                         sizeof resource);
  if (st < HTTP_URI_STATUS_OK || st == HTTP_URI_STATUS_MISSING_SCHEME) return false;
  parts->scheme = scheme;
  parts->user = user;
  parts->host = host;
  parts->port = port;
  parts->resource = resource;
  return true;
}

// An IPv6 address in brackets, any other host as it is.
std::string bracketed(const std::string& host) {
  return host.find(':') != std::string::npos ? "[" + host + "]" : host;
}

// The host with its port when the port is not the scheme's default
// ("127.0.0.1:8631").
std::string hostWithPort(const UriParts& p) {
  std::string host = bracketed(p.host);
  if (p.port > 0 && p.port != defaultPort(p.scheme)) host += ":" + std::to_string(p.port);
  return host;
}

const char kDeviceTitle[] = "Device URI";
constexpr size_t kMaxHostName = 253;
constexpr size_t kMaxLabel = 63;
constexpr int kMaxPort = 65535;

bool isLabelChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

// A host name of labels joined by "."; all-digit names must be IPv4 addresses.
bool isHostNameOrIPv4(const std::string& host) {
  if (host.empty() || host.size() > kMaxHostName) return false;
  if (host.find_first_not_of("0123456789.") == std::string::npos) {
    in_addr a;
    return ::inet_pton(AF_INET, host.c_str(), &a) == 1;
  }
  size_t start = 0;
  for (;;) {
    size_t dot = host.find('.', start);
    std::string label = host.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (label.empty() || label.size() > kMaxLabel || label.front() == '-' || label.back() == '-') return false;
    for (char c : label) {
      if (!isLabelChar(c)) return false;
    }
    if (dot == std::string::npos) return true;
    start = dot + 1;
  }
}

// A port text: 1 to 5 digits, 1..65535.
bool parsePort(const std::string& text, int* port) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  int value = std::stoi(text);
  if (value < 1 || value > kMaxPort) return false;
  *port = value;
  return true;
}

// The URI of a scheme, a checked host and port, and an unescaped resource.
bool assemble(const char* scheme, const std::string& host, int port, const std::string& resource,
              std::string* uri, std::string* why) {
  char buffer[1024];
  if (httpAssembleURI(HTTP_URI_CODING_ALL, buffer, sizeof buffer, scheme, nullptr, host.c_str(), port,
                      resource.c_str()) < HTTP_URI_STATUS_OK) {
    if (why) *why = "The device URI for '" + host + "'\ncannot be formed (too long?).";
    return false;
  }
  // libcups leaves "#" alone; in a device URI it could only start a fragment
  // that the back ends never see, so it is escaped too. The checked host
  // holds none, so every "#" comes from the resource.
  uri->clear();
  for (const char* p = buffer; *p; ++p) *uri += *p == '#' ? std::string("%23") : std::string(1, *p);
  return true;
}

void store(std::string& field, const std::string& value, size_t size) {
  field = value;
  cutField(field, size);
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A part of a typed URI with its escapes undone ("%20" a blank), so that
// libcups, which writes every "%" as "%25", escapes each byte once. A "%"
// that begins no escape stays, as does "%00", which no URI may hold.
std::string unescaped(const std::string& part) {
  std::string out;
  for (size_t i = 0; i < part.size(); ++i) {
    int high = i + 2 < part.size() ? hexDigit(part[i + 1]) : -1;
    int low = high >= 0 ? hexDigit(part[i + 2]) : -1;
    if (part[i] == '%' && low >= 0 && (high | low) != 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += part[i];
    }
  }
  return out;
}

}  // namespace

std::string localDeviceUri(const std::string& devicePath) {
  if (devicePath.find("/dev/tty") != std::string::npos) return "serial:" + devicePath;
  if (devicePath.find("/dev/lp") != std::string::npos) return "parallel:" + devicePath;
  return fileDeviceUri(devicePath);
}

std::string fileDeviceUri(const std::string& path) { return "file:" + fileUriTail(path); }

std::string fileUriTail(const std::string& path) {
  // libcups writes "file://" and the escaped path; the empty authority is
  // left out, as CUPS itself writes its file: URIs.
  char buffer[1024];
  if (httpAssembleURI(HTTP_URI_CODING_ALL, buffer, sizeof buffer, "file", nullptr, "", 0, path.c_str()) <
          HTTP_URI_STATUS_OK ||
      std::strncmp(buffer, "file://", 7) != 0)
    return path;
  std::string tail;
  for (const char* p = buffer + 7; *p; ++p) tail += *p == '#' ? std::string("%23") : std::string(1, *p);
  return tail;
}

std::string usbShellText(const std::string& text) {
  std::string shown = text;
  checkUSBString(shown);
  return shown;
}

bool makeUsbUri(const std::string& text, std::string* uri, std::string* why) {
  // The make is the URI's host, the model and its serial number its
  // resource, as the back end assembles them; libcups escapes the two
  // parts by their own rules. A make with ":" or a leading "[" it would
  // take for an IPv6 address.
  std::string tail = afterUsbScheme(text);
  size_t slash = tail.find('/');
  std::string make = unescaped(tail.substr(0, slash));
  std::string rest = slash == std::string::npos ? std::string() : unescaped(tail.substr(slash));
  char buffer[1024];
  UriParts parts;
  if (make.find(':') != std::string::npos || make.compare(0, 1, "[") == 0 ||
      httpAssembleURI(HTTP_URI_CODING_ALL, buffer, sizeof buffer, "usb", nullptr, make.c_str(), 0,
                      rest.empty() ? nullptr : rest.c_str()) < HTTP_URI_STATUS_OK ||
      !separate(buffer, &parts, true)) {
    if (why) *why = "The USB device '" + text + "'\ncannot be made into a device URI.";
    return false;
  }
  *uri = buffer;
  return true;
}

std::string usbRecordText(const std::string& text) {
  std::string uri;
  if (text.empty() || !makeUsbUri(text, &uri, nullptr)) return text;
  std::string kept = hasUsbScheme(text) ? uri : uri.substr(std::strlen("usb://"));
  // The record's field holds kUsbFieldSize - 1 bytes: an escaped form that
  // would be cut there (perhaps inside an escape) keeps the text instead.
  return kept.size() < kUsbFieldSize ? kept : text;
}

std::string ippPathShellText(const std::string& path) {
  std::string text = withoutLeadingSlashes(path);
  if (path.empty()) return "ipp";
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    bool loneSign = c == '%' && !(i > 0 && text[i - 1] == '%') &&
                    !(i + 1 < text.size() && text[i + 1] == '%');
    if (c == ' ' || c == '(' || c == ')' || loneSign) out += '\\';
    out += c;
  }
  return out;
}

std::string ippPathValue(const std::string& path) {
  if (path.empty()) return "ipp";
  return withoutLeadingSlashes(path);
}

bool splitHostField(const std::string& field, bool portAllowed, std::string* host, int* port,
                    std::string* why) {
  std::string name = field;
  std::string portText;
  bool hasPort = false;
  bool ipv6 = false;
  if (!field.empty() && field[0] == '[') {
    size_t close = field.find(']');
    ipv6 = true;
    name = close == std::string::npos ? std::string() : field.substr(1, close - 1);
    if (close != std::string::npos && close + 1 < field.size()) {
      hasPort = field[close + 1] == ':';
      portText = field.substr(close + 2);
      if (!hasPort) name.clear();  // text after "]" that is no port
    }
  } else if (field.find(':') != std::string::npos) {
    hasPort = true;
    name = field.substr(0, field.find(':'));
    portText = field.substr(field.find(':') + 1);
  }
  std::string reason;
  in6_addr a6;
  bool hostOk = ipv6 ? ::inet_pton(AF_INET6, name.c_str(), &a6) == 1 : isHostNameOrIPv4(name);
  int number = 0;
  if (field.empty()) {
    reason = "A printer host is needed.";
  } else if (!hostOk) {
    reason = "The host '" + field + "'\nis not a host name, an IPv4 address\nor an IPv6 address in brackets.";
  } else if (hasPort && !parsePort(portText, &number)) {
    reason = "The port of the host '" + field + "'\nis not a number from 1 to 65535.";
  } else if (hasPort && !portAllowed) {
    reason = "The host '" + field + "'\nmust not carry a port here:\nthe port has a field of its own.";
  }
  if (!reason.empty()) {
    if (why) *why = reason;
    return false;
  }
  *host = name;
  *port = number;
  return true;
}

bool makeLpdUri(const std::string& host, const std::string& queue, std::string* uri, std::string* why) {
  std::string name;
  int port = 0;
  return splitHostField(host, true, &name, &port, why) && assemble("lpd", name, port, "/" + queue, uri, why);
}

bool makeSocketUri(const std::string& host, int port, std::string* uri, std::string* why) {
  std::string name;
  int none = 0;
  if (!splitHostField(host, false, &name, &none, why)) return false;
  if (port < 1 || port > kMaxPort) {
    if (why) *why = "The TCP port " + std::to_string(port) + "\nis not a number from 1 to 65535.";
    return false;
  }
  return assemble("socket", name, port, "", uri, why);
}

bool makeIppUri(const std::string& host, const std::string& path, std::string* uri, std::string* why) {
  std::string name;
  int port = 0;
  return splitHostField(host, true, &name, &port, why) &&
         assemble("ipp", name, port, "/" + ippPathValue(path), uri, why);
}

void reportDeviceField(const std::string& why) { doMessage(kMsgCorrectable, kDeviceTitle, why); }

std::string buildDeviceURI(std::string* shownText, std::string* why) {
  const SetupState& s = setup();
  std::string uri;
  std::string shown;
  std::string reason;
  switch (s.connectType) {
    case kConnectLpd:
      if (!s.lpdHost.empty()) makeLpdUri(s.lpdHost, s.remoteQueue, &uri, &reason);
      break;
    case kConnectTcp:
      if (!s.tcpHost.empty()) makeSocketUri(s.tcpHost, s.tcpPort, &uri, &reason);
      break;
    case kConnectLocal:
      if (!s.deviceName.empty()) uri = localDeviceUri(s.deviceName);
      break;
    case kConnectUsb: {
      const std::string& text = s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath;
      if (text.empty()) break;
      makeUsbUri(text, &uri, &reason);
      shown = "usb://" + usbShellText(text) + (s.usbVariant == 1 ? "" : "  ");
      break;
    }
    case kConnectIpp:
      if (!s.ippHost.empty()) makeIppUri(s.ippHost, s.ippPath, &uri, &reason);
      break;
    case kConnectOldIpp:  // a file: URI naming /dev/null
      if (!s.fileName.empty()) uri = fileDeviceUri(s.fileName);
      break;
    case kConnectFile:  // a path that is not absolute could never be printed to
      if (!s.fileName.empty() && checkFileQueuePath(s.fileName, &reason)) uri = fileDeviceUri(s.fileName);
      break;
    default:
      break;  // no URI for this connection: nothing is sent
  }
  if (!reason.empty()) uri.clear();
  if (why) *why = reason;
  if (shownText) *shownText = uri.empty() ? std::string() : (shown.empty() ? uri : shown);
  return uri;
}

bool isParsableUri(const std::string& uri) {
  UriParts parts;
  return separate(uri, &parts);
}

int nullDeviceType(int uriType, int recordedType) {
  if (uriType != kConnectOldIpp) return uriType;
  return recordedType == kConnectLocal || recordedType == kConnectFile ? recordedType : uriType;
}

void clearConnectionFields() {
  SetupState& s = setup();
  s.printerHost.clear();
  s.lpdHost.clear();
  storeRemoteQueue("lp");
  s.tcpHost.clear();
  s.tcpPort = 9100;
  storeLocalDevice(std::string());
  s.usbVariant = 0;
  s.usbDeviceId.clear();
  s.usbDevicePath.clear();
  s.ippHost.clear();
  s.ippPath = "ipp";
  s.fileName.clear();
}

// The connection fields, between the state and a saved copy: both hold
// them under the same names.
namespace {
template <class From, class To>
void copyConnectionFields(const From& f, To& t) {
  t.connectType = f.connectType, t.connectKind = f.connectKind;
  t.printerHost = f.printerHost, t.lpdHost = f.lpdHost, t.remoteQueue = f.remoteQueue;
  t.lpdRemoteKind = f.lpdRemoteKind;
  t.tcpHost = f.tcpHost, t.tcpPort = f.tcpPort;
  t.deviceName = f.deviceName, t.localDeviceKind = f.localDeviceKind;
  t.usbVariant = f.usbVariant, t.usbDeviceId = f.usbDeviceId, t.usbDevicePath = f.usbDevicePath;
  t.ippHost = f.ippHost, t.ippPath = f.ippPath, t.fileName = f.fileName;
}
}  // namespace

ConnectionFields takeConnectionFields() {
  ConnectionFields c;
  copyConnectionFields(setup(), c);
  return c;
}

void putConnectionFields(const ConnectionFields& c) { copyConnectionFields(c, setup()); }

int parseDeviceURI() {
  SetupState& s = setup();
  // The queue's own record, read just before, tells a local device or a
  // file on /dev/null from an old IPP queue; a record that exists but
  // cannot be used is named, and the daemon's URI is shown all the same.
  RecordReading record = takeRecordReading(s.userFullDir);
  if (!record.problem.empty()) doMessage(kMsgError, kRecordProblemTitle, record.problem);
  std::string uri;
  int type = getCUPSInfo(s.printerName, kTopicDeviceUri, &uri);
  if (type < 0) return type;
  if (type == 0) {
    std::fprintf(stderr, "Unknown Jarn connect type: 0x%x.\n", static_cast<unsigned>(type));
    return -1;
  }
  return applyDeviceURI(nullDeviceType(type, record.connectType), uri);
}

int applyDeviceURI(int type, const std::string& uri) {
  UriParts p;
  bool network = type == kConnectLpd || type == kConnectTcp || type == kConnectIpp;
  // A file: URI's path is decoded when it can be ("%20" is a blank).
  bool file = type == kConnectFile || type == kConnectOldIpp || type == kConnectLocal;
  if (!(file && separate(uri, &p, true)) && !separate(uri, &p, network)) return -1;
  if (type < kConnectOldIpp || type > kConnectFile) {
    std::fprintf(stderr, "Unknown Jarn connect type: 0x%x.\n", static_cast<unsigned>(type));
    return -1;
  }
  SetupState& s = setup();
  clearConnectionFields();
  switch (type) {
    case kConnectOldIpp:
    case kConnectFile:
      store(s.fileName, p.resource, kPathSize);
      break;
    case kConnectLpd:
      if (!p.host.empty()) {
        store(s.printerHost, hostWithPort(p), kPathSize);
        store(s.lpdHost, s.printerHost, kFormHostSize);
      }
      if (!withoutLeadingSlashes(p.resource).empty()) {
        store(s.remoteQueue, withoutLeadingSlashes(p.resource), kFormHostSize);
      }
      break;
    case kConnectTcp:
      store(s.printerHost, bracketed(p.host), kPathSize);
      store(s.tcpHost, s.printerHost, kFormHostSize);
      s.tcpPort = p.port > 0 ? p.port : 9100;
      break;
    case kConnectLocal:
      storeLocalDevice(p.resource);
      break;
    case kConnectUsb: {
      // After "//"; without one after the scheme's ":" (any length of URI).
      size_t slashes = uri.find("//");
      size_t colon = uri.find(':');
      std::string path = slashes != std::string::npos ? uri.substr(slashes + 2)
                         : colon != std::string::npos ? uri.substr(colon + 1)
                                                      : uri;
      store(s.usbDevicePath, path, kUsbFieldSize);
      s.usbVariant = 0;
      break;
    }
    case kConnectIpp:
      store(s.ippHost, hostWithPort(p), kPathSize);
      store(s.printerHost, s.ippHost, kPathSize);
      store(s.ippPath, withoutLeadingSlashes(p.resource), kPathSize);
      s.tcpPort = p.port;
      std::fprintf(stderr, "IPP::restul=%s, address=%s, port=%d dummy=%s.\n", uri.c_str(),
                   p.host.c_str(), p.port, p.resource.c_str());
      break;
    default:
      break;  // checked above
  }
  s.connectType = type;
  return type;
}

std::string copyUriToken(const std::string& text, size_t pos) {
  if (pos >= text.size()) return std::string();
  size_t end = text.find_first_of(std::string("\n\f\r \0", 5), pos);
  return text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}

std::string copyHostToken(const std::string& text, size_t pos) {
  if (pos >= text.size()) return std::string();
  size_t end = text.find_first_of(std::string("\n\r /:\0", 6), pos);
  return text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
}
