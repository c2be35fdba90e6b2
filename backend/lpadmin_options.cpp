// PPD options for lpadmin's -o and their read-back (see lpadmin_options.h).
#include "lpadmin_options.h"

#include <strings.h>

#include <cctype>
#include <cstring>

#include "atomic_file.h"
#include "queue_name.h"
#include "system_detection.h"

namespace {

// Names lpadmin and the daemon take as queue attributes: by beginning, and
// by ending.
const char* const kAttributePrefixes[] = {"printer-", "job-",   "requesting-", "port-monitor", "device-uri",
                                          "auth-info-", "marker-", "member-",  "notify-",      "ppd-"};
const char* const kAttributeSuffixes[] = {"-default", "-supported"};

bool startsWithNoCase(const std::string& text, const char* head) {
  return strncasecmp(text.c_str(), head, std::strlen(head)) == 0;
}

bool endsWithNoCase(const std::string& text, const char* tail) {
  size_t n = std::strlen(tail);
  return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, tail) == 0;
}

}  // namespace

bool isQueueAttributeName(const std::string& keyword) {
  for (const char* head : kAttributePrefixes) {
    if (startsWithNoCase(keyword, head)) return true;
  }
  for (const char* tail : kAttributeSuffixes) {
    if (endsWithNoCase(keyword, tail)) return true;
  }
  return false;
}

bool isSendableKeyword(const std::string& keyword) {
  if (keyword.empty()) return false;
  for (unsigned char c : keyword) {
    if (c <= 32 || c >= 127 || std::strchr("=\\'\"", c)) return false;
  }
  return true;
}

std::string lpadminOptionValue(const std::string& value) {
  std::string out;
  for (char c : value) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && !std::strchr(".-_", c)) out += '\\';
    out += c;
  }
  return out;
}

bool readInstalledDefaults(const std::string& queue, std::map<std::string, std::string>* defaults) {
  std::string path, data;
  if (!checkQueueName(queue, nullptr) || !getCupsPPDFname(queue, &path, 0) || !readWholeFile(path, &data))
    return false;
  static const char kMark[] = "*Default";
  for (size_t pos = 0; pos < data.size();) {
    size_t end = data.find('\n', pos);
    if (end == std::string::npos) end = data.size();
    std::string line = data.substr(pos, end - pos);
    pos = end + 1;
    size_t colon = line.find(':');
    if (line.compare(0, sizeof kMark - 1, kMark) != 0 || colon == std::string::npos) continue;
    size_t start = line.find_first_not_of(" \t", colon + 1);
    size_t last = line.find_last_not_of(" \t\r");
    std::string value = start == std::string::npos || last < start ? std::string() : line.substr(start, last - start + 1);
    (*defaults)[line.substr(sizeof kMark - 1, colon - (sizeof kMark - 1))] = value;
  }
  return true;
}
