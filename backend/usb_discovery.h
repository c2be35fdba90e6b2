// USB printer discovery: probes the kernel's USB printer nodes, reads each
// printer's IEEE 1284 device ID, derives its make-and-model text and its
// usb:// URI, and keeps the printers found in setup().usbDeviceList.
// Also the rewriting of a usb URI into the text shown for spooler command
// lines (checkUSBString).
//
// The device ID is data from the device: nothing here hands it to a shell.
#pragma once

#include <cstddef>
#include <string>

#include "lists.h"

constexpr size_t kUsbWorkBufferSize = 1024;  // device ID, make-and-model, URI
constexpr int kUsbNodeCount = 16;            // node numbers 0 to 15

// Empties setup().usbDeviceList, probes the nodes 0 to 15 and appends one
// record per printer found (name: the URI without "usb://"). Returns the
// number of printers added.
int getUSBDevice();

// Reads the device ID from an open node into `deviceId` (at most
// idSize - 1 bytes) and derives `makeModel` (at most mmSize - 1) and, when a
// scheme and a URI buffer over 32 bytes are given, `uri` (at most
// uriSize - 1). 0 on success; -1 for a negative descriptor, a missing
// buffer, an ID or make-and-model size below 32, a failed read or an empty ID.
int getUSBDeviceId(int fd, std::string* deviceId, size_t idSize, std::string* makeModel,
                   size_t mmSize, const char* scheme, std::string* uri, size_t uriSize);

// The make-and-model text of a device ID, at most outSize - 1 bytes. 0 when
// a non-empty text was produced; -1 for an empty ID, a null output or a size
// below 32.
int getMakeModel(const std::string& deviceId, std::string* out, size_t outSize);

// Rewrites a usb URI in place into the text pasted after "usb://" in a
// spooler command line as the traces show it: the part after "usb:" and its
// slashes, with a backslash before each blank, '(' and ')', and before each
// '%' that is not part of "%%". The result is cut at the field size
// (127 characters) without leaving half an escape. A text without "usb:" stays.
void checkUSBString(std::string& text);

// Cuts trailing bytes below '!' (blanks and control characters) from the
// record's name, keeping its first character.
void trimDeviceName(PList* record);
