// Reading a queue's settings: from the daemon (Get-Printer-Attributes), or,
// when no daemon answers, from printers.conf, a block of lines per queue
// between "<Printer NAME>" (or "<DefaultPrinter NAME>") and "</Printer>".
#include "printers_conf.h"

#include <cups/cups.h>

#include <cctype>
#include <fstream>
#include <sstream>

#include "cups_options.h"
#include "device_uri.h"
#include "fs_root.h"
#include "setup_state.h"
#include "trace.h"

namespace {

// The scheme of a device URI and the connection type it stands for.
struct SchemeType {
  const char* scheme;
  int type;
};
const SchemeType kSchemeTypes[] = {{"lpd:", kConnectLpd},      {"socket:", kConnectTcp},
                                   {"parallel:", kConnectLocal}, {"serial:", kConnectLocal},
                                   {"usb:", kConnectUsb},      {"ipp:", kConnectIpp},
                                   {"file:", kConnectFile},    {"http:", 0}};

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

const char* keyOf(int topic) {
  if (topic >= kTopicStartBanner && topic <= kTopicBanners) return "JobSheets";
  if (topic == kTopicErrorPolicy) return "ErrorPolicy";
  if (topic == kTopicDeviceUri) return "DeviceURI";
  return nullptr;
}

// The name of a block opened by this line, or false when it opens none.
bool blockName(const std::string& line, std::string* name) {
  size_t tag = line.find("<Printer");
  size_t len = 8;
  if (tag == std::string::npos) {
    tag = line.find("<DefaultPrinter");
    len = 15;
  }
  if (tag == std::string::npos) return false;
  size_t start = line.find_first_not_of(" \t", tag + len);
  if (start == std::string::npos) start = line.size();
  size_t end = line.find('>', start);
  *name = line.substr(start, end == std::string::npos ? std::string::npos : end - start);
  return true;
}

bool closesBlock(const std::string& line) {
  return line.find("</Printer") != std::string::npos ||
         line.find("</DefaultPrinter") != std::string::npos;
}

// The value of a line whose first word is `key`; false for any other line.
bool keyValue(const std::string& line, const char* key, std::string* value) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word != key) return false;
  std::getline(in, *value);
  size_t start = value->find_first_not_of(" \t");
  value->erase(0, start == std::string::npos ? value->size() : start);
  return true;
}

// The code of one setting line; `decided` is false when the line decides nothing.
int settingCode(int topic, const std::string& value, std::string* uri, bool* decided) {
  *decided = true;
  if (topic == kTopicErrorPolicy) {
    std::string v = lower(value);
    if (v.find("abort-job") != std::string::npos) return 3;
    if (v.find("retry-job") != std::string::npos) return 2;
    if (v.find("stop-printer") != std::string::npos) return 1;
    *decided = false;
    return -1;
  }
  if (topic == kTopicDeviceUri) {
    std::string token = copyUriToken(value);
    std::string scheme = lower(token.substr(0, token.find(':') + 1));
    for (const SchemeType& s : kSchemeTypes) {
      if (scheme != s.scheme) continue;
      if (uri) *uri = token;
      if (s.type == kConnectFile && token.find("/dev/null") != std::string::npos) return kConnectOldIpp;
      return s.type;
    }
    if (uri) *uri = token;  // shown, but it stands for no connection type
    *decided = false;
    return 0;
  }
  std::istringstream in(value);
  std::string first, second;
  in >> first >> second;
  int a = getJobSheetsCode(first.c_str());
  int b = second.empty() ? -1 : getJobSheetsCode(second.c_str());
  if (topic == kTopicStartBanner) return a;
  if (topic == kTopicEndBanner) return b;
  if (a < 0 || b < 0) return -1;
  return a + 256 * b;
}

// How long a daemon may take to answer before printers.conf is read instead.
constexpr int kDaemonTimeoutMs = 5000;

// The daemon's attribute for a topic, as its printers.conf line would hold it.
const char* attributeOf(int topic) {
  if (topic >= kTopicStartBanner && topic <= kTopicBanners) return "job-sheets-default";
  if (topic == kTopicErrorPolicy) return "printer-error-policy";
  return "device-uri";
}

// Asks the daemon of cupsServer() (CUPS_SERVER) for one attribute of the
// queue; false when no daemon answered. `found` is false when the daemon has
// no such queue or no such attribute; `value` gets the attribute's values
// separated by blanks, as printers.conf writes them; `exists` (when given)
// is false only when the daemon says it has no such queue.
bool askDaemon(const std::string& printer, int topic, bool* found, std::string* value, bool* exists = nullptr) {
  *found = false;
  if (exists) *exists = false;
  const char* server = cupsServer();  // first: a "host:port" server sets ippPort()
  int port = ippPort();
  http_t* http = httpConnect2(server, port, nullptr, AF_UNSPEC, cupsEncryption(), 1, kDaemonTimeoutMs, nullptr);
  if (!http) return false;
  httpSetTimeout(http, kDaemonTimeoutMs / 1000.0, nullptr, nullptr);
  char uri[HTTP_MAX_URI];
  httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", port,
                   "/printers/%s", printer.c_str());
  const char* wanted = attributeOf(topic);
  ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 1, nullptr, &wanted);
  ipp_t* response = cupsDoRequest(http, request, "/");
  bool answered = response != nullptr;  // an IPP error (no such queue) is an answer too
  ipp_attribute_t* attr = nullptr;
  if (answered && exists) *exists = ippGetStatusCode(response) != IPP_STATUS_ERROR_NOT_FOUND;
  if (answered && ippGetStatusCode(response) <= IPP_STATUS_OK_CONFLICTING) {
    attr = ippFindAttribute(response, wanted, IPP_TAG_ZERO);
  }
  for (int i = 0; attr && i < ippGetCount(attr); ++i) {
    const char* v = ippGetString(attr, i, nullptr);
    if (!v) continue;
    if (!value->empty()) *value += ' ';
    *value += v;
    *found = true;
  }
  ippDelete(response);
  httpClose(http);
  return answered;
}

// The code of a topic from printers.conf; -1 when the file, the block or the
// setting is missing.
int codeFromPrintersConf(const std::string& printer, int topic, const char* key, std::string* uri) {
  int result = -1;
  std::ifstream in(printersConfPath());
  std::string line;
  bool inBlock = false;
  while (in && std::getline(in, line)) {
    std::string name;
    if (!inBlock) {
      if (blockName(line, &name) && name == printer) inBlock = true;
      continue;
    }
    if (closesBlock(line)) break;
    std::string value;
    if (!keyValue(line, key, &value)) continue;
    bool decided = false;
    result = settingCode(topic, value, uri, &decided);
    if (decided) break;
  }
  return result;
}

}  // namespace

std::string printersConfPath() {
  const std::string& dir = setup().cupsDir;
  if (!dir.empty()) return dir + "/etc/cups/printers.conf";
  return rootedPath("/etc/cups/printers.conf");
}

bool spoolerHasQueue(const std::string& printer) {
  bool found = false, exists = false;
  std::string value;
  if (askDaemon(printer, kTopicDeviceUri, &found, &value, &exists)) return exists;
  return codeFromPrintersConf(printer, kTopicDeviceUri, keyOf(kTopicDeviceUri), nullptr) >= 0;
}

int getCUPSInfo(const std::string& printer, int topic, std::string* uri) {
  const char* key = keyOf(topic);
  if (!key) return 0;
  if (uri) uri->clear();
  int result = -1;
  // The daemon writes printers.conf lazily (DirtyCleanInterval): only its
  // own answer is current.
  bool found = false;
  std::string value;
  if (askDaemon(printer, topic, &found, &value)) {
    bool decided = false;
    if (found) result = settingCode(topic, value, uri, &decided);
  } else {
    result = codeFromPrintersConf(printer, topic, key, uri);
  }
  if (uri) {
    tracef("getCUPSInfo(Printer=%s, topic=%d) = %d / %s\n", printer.c_str(), topic, result,
           uri->empty() ? "NULL" : uri->c_str());
  } else {
    tracef("getCUPSInfo(Printer=%s, topic=%d) = %d /(NULL)\n", printer.c_str(), topic, result);
  }
  return result;
}
