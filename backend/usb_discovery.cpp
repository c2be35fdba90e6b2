// USB printer discovery: the node probe, the device ID's make-and-model
// text and URI, and the command-line form of a usb URI.
#include "usb_discovery.h"

#include <cctype>
#include <initializer_list>
#include <cerrno>
#include <cstdio>
#include <new>
#include <strings.h>
#include <vector>

#include "fs_root.h"
#include "setup_state.h"
#include "trace.h"
#include "usb_device_id.h"

namespace {

// The node names tried for each number, in order: the next one only when
// the one before does not exist.
const char* const kNodeFormats[] = {"/dev/usblp%d", "/dev/usb/lp%d", "/dev/usb/usblp%d"};

constexpr size_t kMinBufferSize = 32;
constexpr size_t kMakeFieldSize = 256;    // the make in the URI: 255 characters
constexpr size_t kSerialFieldSize = 1024; // the serial number: 1023 characters
constexpr size_t kEscapedFieldSize = 128; // checkUSBString's result: 127 characters

// Makers whose names the URI and the make-and-model text shorten.
struct MakeAlias {
  const char* prefix;
  const char* shortName;
};
const MakeAlias kMakeAliases[] = {
    {"Hewlett-Packard", "HP"},
    {"Lexmark International", "Lexmark"},
};

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && strncasecmp(text.c_str(), prefix.c_str(), prefix.size()) == 0;
}

bool isBlank(unsigned char c) { return std::isspace(c) != 0; }

// The value after the first of `keys` found in the ID, up to ';' or the end.
bool fieldValue(const std::string& id, std::initializer_list<const char*> keys, std::string* value) {
  for (const char* key : keys) {
    size_t at = id.find(key);
    if (at == std::string::npos) continue;
    size_t start = at + std::string(key).size();
    size_t end = id.find(';', start);
    *value = id.substr(start, end == std::string::npos ? std::string::npos : end - start);
    return true;
  }
  return false;
}

// The description field, when it reads like one: with a ';' after it, it
// must hold a blank and a letter.
bool descriptionValue(const std::string& id, std::string* value) {
  for (const char* key : {"DES:", "DESCRIPTION:"}) {
    size_t at = id.find(key);
    if (at == std::string::npos) continue;
    size_t start = at + std::string(key).size();
    size_t end = id.find(';', start);
    *value = id.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) return true;
    bool blank = false, letter = false;
    for (unsigned char c : *value) {
      blank = blank || isBlank(c);
      letter = letter || std::isalpha(c);
    }
    return blank && letter;
  }
  return false;
}

std::string shortMakeName(const std::string& make) {
  for (const MakeAlias& a : kMakeAliases) {
    if (startsWithNoCase(make, a.prefix)) return a.shortName;
  }
  return make;
}

// A description with the long HP prefixes written as "HP ".
std::string shortDescription(const std::string& description) {
  for (const char* prefix : {"Hewlett-Packard hp ", "Hewlett-Packard "}) {
    if (startsWithNoCase(description, prefix)) return "HP " + description.substr(std::string(prefix).size());
  }
  return description;
}

// Appends `text` while the URI is more than 3 bytes short of its buffer's
// end, each blank as "%20".
void appendToUri(std::string* uri, const std::string& text, size_t uriSize) {
  for (char c : text) {
    if (uri->size() + 3 >= uriSize) return;
    if (c == ' ') {
      *uri += "%20";
    } else {
      *uri += c;
    }
  }
}

// Reads the device ID of an open node: the driver's two-byte length, high
// byte first, else low byte first, else as much as the buffer holds; the
// text ends at the first NUL. Never reads past the buffer.
bool readDeviceIdText(int fd, size_t idSize, std::string* deviceId) {
  std::vector<unsigned char> buffer(idSize, 0);
  if (usbDeviceIdSource().readDeviceId(fd, buffer.data(), idSize) != 0) return false;
  size_t length = (static_cast<size_t>(buffer[0]) << 8) | buffer[1];
  if (length >= idSize - 1) length = (static_cast<size_t>(buffer[1]) << 8) | buffer[0];
  if (length >= idSize - 1) length = idSize - 2;
  std::string text(reinterpret_cast<const char*>(buffer.data()) + 2, length);
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  *deviceId = text;
  return !deviceId->empty();
}

// The usb URI of a device ID: scheme, make, '/', model, "?serial=" number.
std::string buildUri(const std::string& id, const std::string& makeModel, const char* scheme,
                     size_t uriSize) {
  std::string serial;
  bool hasSerial = fieldValue(id, {"SERN:", "SERIALNUMBER:", ";SN:"}, &serial);
  cutField(serial, kSerialFieldSize);

  std::string make;
  if (fieldValue(id, {"MANUFACTURER:", "Manufacturer:", "MFG:"}, &make)) {
    cutField(make, kMakeFieldSize);
    make = shortMakeName(make);
  } else {
    make = makeModel.substr(0, makeModel.find(' '));
  }

  std::string model = makeModel;
  if (startsWithNoCase(model, make)) {
    size_t start = make.size();
    while (start < model.size() && isBlank(model[start])) ++start;
    model = model.substr(start);
  }

  std::string uri;
  appendToUri(&uri, std::string(scheme) + "://", uriSize);
  appendToUri(&uri, make, uriSize);
  appendToUri(&uri, "/", uriSize);
  appendToUri(&uri, model, uriSize);
  if (hasSerial) {
    appendToUri(&uri, "?serial=", uriSize);
    appendToUri(&uri, serial, uriSize);
  }
  return uri;
}

// Opens node number n: the first name that exists; -1 when none can be opened.
int openPrinterNode(int n) {
  for (const char* format : kNodeFormats) {
    char path[64];
    std::snprintf(path, sizeof path, format, n);
    int fd = usbDeviceIdSource().openNode(rootedPath(path));
    if (fd >= 0) return fd;
    if (errno != ENOENT) return -1;
  }
  return -1;
}

}  // namespace

int getMakeModel(const std::string& deviceId, std::string* out, size_t outSize) {
  if (deviceId.empty() || !out || outSize < kMinBufferSize) return -1;
  std::string make, model, description, result;
  bool hasMake = fieldValue(deviceId, {"MANUFACTURER:", "Manufacturer:", "MFG:"}, &make);
  bool hasModel = fieldValue(deviceId, {"MODEL:", "Model:", "MDL:"}, &model);

  if (!hasModel) {
    result = descriptionValue(deviceId, &description) ? shortDescription(description) : "Unknown";
  } else if (hasMake) {
    make = shortMakeName(make);
    result = startsWithNoCase(model, make) ? model : make + " " + model;
  } else {
    result = model;
  }

  size_t semicolon = result.find(';');
  if (semicolon != std::string::npos) result.resize(semicolon);
  cutField(result, outSize);
  while (!result.empty() && isBlank(result.back())) result.pop_back();
  *out = result;
  return out->empty() ? -1 : 0;
}

int getUSBDeviceId(int fd, std::string* deviceId, size_t idSize, std::string* makeModel,
                   size_t mmSize, const char* scheme, std::string* uri, size_t uriSize) {
  if (fd < 0 || !deviceId || !makeModel || idSize < kMinBufferSize || mmSize < kMinBufferSize) return -1;
  deviceId->clear();
  makeModel->clear();
  if (!readDeviceIdText(fd, idSize, deviceId)) return -1;
  getMakeModel(*deviceId, makeModel, mmSize);
  if (scheme && uri && uriSize > kMinBufferSize) *uri = buildUri(*deviceId, *makeModel, scheme, uriSize);
  return 0;
}

int getUSBDevice() {
  SetupState& s = setup();
  freePList(&s.usbDeviceList);
  int count = 0;
  try {
    std::string deviceId, makeModel, uri;
    for (int n = 0; n < kUsbNodeCount; ++n) {
      int fd = openPrinterNode(n);
      if (fd < 0) continue;
      if (getUSBDeviceId(fd, &deviceId, kUsbWorkBufferSize, &makeModel, kUsbWorkBufferSize, "usb", &uri,
                         kUsbWorkBufferSize) == 0) {
        PList* record = new (std::nothrow) PList(uri.size() > 6 ? uri.substr(6) : std::string());
        if (record) {
          cutField(record->name, kPListNameSize);
          trimDeviceName(record);
          record->position = ++count;
          record->flags = 0;
          addPList(&s.usbDeviceList, record);
        }
        if (s.traceLevel > 2) {
          tracef("getUSBDevice: %s \"%s\" \"%s USB #%d\" \"%s\"\n", uri.c_str(), makeModel.c_str(),
                 makeModel.c_str(), n, deviceId.c_str());
        }
      }
      usbDeviceIdSource().closeNode(fd);
    }
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "jarnGetUSBDevices: Out of Memory!\n");
    freePList(&s.usbDeviceList);
    return 0;
  }
  return count;
}

void checkUSBString(std::string& text) {
  size_t at = text.find("usb:");
  if (at == std::string::npos) return;
  size_t start = at + 4;
  while (start < text.size() && text[start] == '/') ++start;

  std::string out;
  for (size_t i = start; i < text.size(); ++i) {
    char c = text[i];
    std::string unit(1, c);
    if (c == ' ' || c == '(' || c == ')') {
      unit = std::string("\\") + c;
    } else if (c == '%' && text[i - 1] != '%' && (i + 1 >= text.size() || text[i + 1] != '%')) {
      unit = "\\%";
    }
    if (out.size() + unit.size() > kEscapedFieldSize - 1) break;
    out += unit;
  }
  text = out;
}

void trimDeviceName(PList* record) {
  if (!record) return;
  std::string& name = record->name;
  while (name.size() > 1 && static_cast<unsigned char>(name.back()) < '!') name.pop_back();
}
