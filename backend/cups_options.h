// The CUPS extra options of an existing queue: banner pages (job sheets),
// error policy, device URI and PPD file, each changed through one lpadmin
// command; and the two code tables (banner names, error policies).
#pragma once

#include <string>

#include "printers_conf.h"

// Error-policy codes.
enum ErrorPolicy {
  kPolicyStopPrinter = 1,
  kPolicyRetryJob = 2,
  kPolicyAbortJob = 3,
};

// The job-sheets name of a banner code's low four bits; 1 when the code has
// a name, else "none" and 0.
int getJobSheetsName(int code, std::string* name);

// The banner code of a job-sheets text (leading blanks skipped, case
// ignored, "unclassified" and "topsecret" before the names they contain);
// -1 for a text naming none, and for a null text.
int getJobSheetsCode(const char* text);

// The error policy's CUPS name ("retry-job" for an unknown code).
const char* errorPolicyName(int code);

// Runs one lpadmin command for the printer: topics 1-3 the banners, 4 the
// error policy, 5 the device URI `text`, 6 the PPD file `text`. Returns the
// command's exit status (0 = done); 0 without running anything when there is
// no printer name or lpadmin, or the topic is 0 or above 6; 1 with nothing run
// when the printer name is refused (checkQueueName, message shown).
int setCUPSValue(const std::string& printer, const std::string& text, int topic);

// Sends the device URI of the state's connection fields (topic 5). -1, with
// nothing run, when the connection has no URI or a field of it is refused
// (message shown).
int sendDeviceURI(const std::string& printer);

// Sends the state's banners (startBanner, endBanner) and error policy to the
// daemon. 1 when both commands succeeded, else 0.
int setCUPSInfo(const std::string& printer);
