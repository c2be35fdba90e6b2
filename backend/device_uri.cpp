// Device URIs: built from the connection fields, read back into them.
#include "device_uri.h"

#include <cups/cups.h>

#include <cstdio>
#include <cstring>

#include "printers_conf.h"
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

// A backslash before blanks, parentheses and a "%" without a "%" beside it.
std::string escapeForCommandLine(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ' ' || c == '(' || c == ')') {
      out += '\\';
    } else if (c == '%') {
      bool before = i > 0 && text[i - 1] == '%';
      bool after = i + 1 < text.size() && text[i + 1] == '%';
      if (!before && !after) out += '\\';
    }
    out += c;
  }
  return out;
}

// What follows "usb:" and the slashes after it; the text itself without "usb:".
std::string afterUsbScheme(const std::string& text) {
  size_t at = text.find("usb:");
  if (at == std::string::npos) return text;
  size_t pos = at + 4;
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

bool separate(const std::string& uri, UriParts* parts) {
  char scheme[64], user[256], host[256], resource[1024];
  int port = 0;
  http_uri_status_t st = httpSeparateURI(HTTP_URI_CODING_NONE, uri.c_str(), scheme, sizeof scheme,
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

// The host with its port when the port is not the scheme's default
// ("127.0.0.1:8631"); an IPv6 address in brackets.
std::string hostWithPort(const UriParts& p) {
  std::string host = p.host.find(':') != std::string::npos ? "[" + p.host + "]" : p.host;
  if (p.port > 0 && p.port != defaultPort(p.scheme)) host += ":" + std::to_string(p.port);
  return host;
}

void store(std::string& field, const std::string& value, size_t size) {
  field = value;
  cutField(field, size);
}

}  // namespace

std::string localDeviceUri(const std::string& devicePath) {
  if (devicePath.find("/dev/tty") != std::string::npos) return "serial:" + devicePath;
  if (devicePath.find("/dev/lp") != std::string::npos) return "parallel:" + devicePath;
  return "file:" + devicePath;
}

std::string usbShellText(const std::string& text) {
  std::string shown = text;
  checkUSBString(shown);
  return shown;
}

std::string usbUriValue(const std::string& text) { return afterUsbScheme(text); }

std::string ippPathShellText(const std::string& path) {
  if (path.empty()) return "ipp";
  return escapeForCommandLine(withoutLeadingSlashes(path));
}

std::string ippPathValue(const std::string& path) {
  if (path.empty()) return "ipp";
  return withoutLeadingSlashes(path);
}

std::string buildDeviceURI(std::string* shownText) {
  const SetupState& s = setup();
  std::string uri;
  std::string shown;
  switch (s.connectType) {
    case kConnectLpd:
      if (!s.lpdHost.empty()) uri = "lpd://" + s.lpdHost + "/" + s.remoteQueue;
      break;
    case kConnectTcp:
      if (!s.tcpHost.empty()) uri = "socket://" + s.tcpHost + ":" + std::to_string(s.tcpPort);
      break;
    case kConnectLocal:
      if (!s.deviceName.empty()) uri = localDeviceUri(s.deviceName);
      break;
    case kConnectUsb: {
      const std::string& text = s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath;
      if (text.empty()) break;
      uri = "usb://" + usbUriValue(text);
      shown = "usb://" + usbShellText(text) + (s.usbVariant == 1 ? "" : "  ");
      break;
    }
    case kConnectIpp:
      if (s.ippHost.empty()) break;
      uri = "ipp://" + s.ippHost + "/" + ippPathValue(s.ippPath);
      shown = "ipp://" + s.ippHost + "/" + ippPathShellText(s.ippPath);
      break;
    case kConnectOldIpp:  // a file: URI naming /dev/null
    case kConnectFile:
      if (!s.fileName.empty()) uri = "file:" + s.fileName;
      break;
    default:
      break;  // no URI for this connection: nothing is sent
  }
  if (shownText) *shownText = uri.empty() ? std::string() : (shown.empty() ? uri : shown);
  return uri;
}

bool isParsableUri(const std::string& uri) {
  UriParts parts;
  return separate(uri, &parts);
}

int parseDeviceURI() {
  std::string uri;
  int type = getCUPSInfo(setup().printerName, kTopicDeviceUri, &uri);
  if (type < 0) return type;
  if (type == 0) {
    std::fprintf(stderr, "Unknown Jarn connect type: 0x%x.\n", static_cast<unsigned>(type));
    return -1;
  }
  return applyDeviceURI(type, uri);
}

int applyDeviceURI(int type, const std::string& uri) {
  UriParts p;
  if (!separate(uri, &p)) return -1;
  SetupState& s = setup();
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
      store(s.printerHost, p.host, kPathSize);
      store(s.tcpHost, p.host, kFormHostSize);
      s.tcpPort = p.port > 0 ? p.port : 9100;
      break;
    case kConnectLocal:
      store(s.deviceName, p.resource, kPathSize);
      break;
    case kConnectUsb: {
      size_t slashes = uri.find("//");
      store(s.usbDevicePath, uri.substr(slashes == std::string::npos ? uri.find(':') + 1 : slashes + 2),
            kUsbFieldSize);
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
      std::fprintf(stderr, "Unknown Jarn connect type: 0x%x.\n", static_cast<unsigned>(type));
      return -1;
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
