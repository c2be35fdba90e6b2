// Reading single settings of a CUPS queue: asked of the daemon, which writes
// printers.conf lazily, and read from printers.conf only when no daemon
// answers. The file is only ever read here: settings are changed through
// lpadmin (cups_options.h), never by writing the daemon's file.
#pragma once

#include <string>

// Topics of getCUPSInfo() and setCUPSValue().
enum CupsTopic {
  kTopicStartBanner = 1,  // JobSheets, first name
  kTopicEndBanner = 2,    // JobSheets, second name
  kTopicBanners = 3,      // JobSheets, first + 256 * second
  kTopicErrorPolicy = 4,  // ErrorPolicy: 1 stop-printer, 2 retry-job, 3 abort-job
  kTopicDeviceUri = 5,    // DeviceURI: the connection type
  kTopicPpd = 6,          // setCUPSValue only
};

// "<cupsDir>/etc/cups/printers.conf", or "/etc/cups/printers.conf".
std::string printersConfPath();

// Reads one setting of the printer: the daemon's attribute (device-uri,
// job-sheets-default, printer-error-policy), or, when no daemon answers, the
// line of the printer's block in printers.conf (a "<Printer NAME>" or
// "<DefaultPrinter NAME>" block; names compared in full). Topic 5 copies the
// URI into `uri` (when given). Returns the setting's code, -1 when the queue
// or the setting is missing, 0 for a topic outside 1-5 (and for a
// URI of a scheme without a connection type).
int getCUPSInfo(const std::string& printer, int topic, std::string* uri);

// Whether the spooler holds the queue now (no cache): false when the daemon
// answers that it has no such queue, or, when no daemon answers, when
// printers.conf has no block of it.
bool spoolerHasQueue(const std::string& printer);
