// The platform layer of the USB printer probe: opening a USB printer node
// and asking the kernel's usblp driver for the printer's IEEE 1284 device
// ID. Tests put a layer with canned device IDs in its place.
#pragma once

#include <cstddef>
#include <string>

class UsbDeviceIdSource {
 public:
  virtual ~UsbDeviceIdSource() = default;
  // Opens a printer node for the probe: read and write, exclusive, never
  // blocking. Returns a descriptor, or -1 with errno set.
  virtual int openNode(const std::string& path) = 0;
  // Fills `buffer` (zeroed by the caller) with the driver's reply: a
  // two-byte length, then the device ID. Returns 0, or -1 on failure.
  virtual int readDeviceId(int fd, unsigned char* buffer, size_t size) = 0;
  virtual void closeNode(int fd) = 0;
};

// The layer in force (the kernel's, unless a test replaced it).
UsbDeviceIdSource& usbDeviceIdSource();

// Makes `source` the layer in force (null: the kernel's again); returns the
// one that was in force before.
UsbDeviceIdSource* setUsbDeviceIdSource(UsbDeviceIdSource* source);

// The usblp request for the device ID with a reply of `length` bytes.
unsigned long usblpGetDeviceIdRequest(size_t length);
