// The PJL job header in front of the print data and the UEL trailer that
// closes a job (or each copy of a repeated job). Every line ends with LF.
#pragma once

#include <string>
#include <vector>

#include "job_settings.h"
#include "stream_io.h"

enum HeaderFlags {
  kHeaderNoFirstLine = 1,  // suppress the identifying first line
  kHeaderNoLanguage = 2,   // suppress the ENTER LANGUAGE line
};

// Writes the header for the settings. flags: HeaderFlags bits; noAccount:
// non-zero leaves out the mailbox, account and secure-print lines.
// inputLines: the PJL lines of the input's own header, written right after
// the first line, so that where both set a variable the filter's line holds.
void writePJLHeader(const JobSettings& settings, int flags, int noAccount, OutputWriter& out,
                    const std::vector<std::string>& inputLines = {});

// With withPjl: ESC "%-12345X@PJL" LF, then ESC "%-12345X" LF; without it
// only the second line.
void writeUELTrailer(int withPjl, OutputWriter& out);

// The host part of a "name@host.domain" text: the characters after the
// first '@' up to the first '.', newline or end. False when text holds no '@'.
bool getAdminDomain(const std::string& text, std::string& domain);

// The host that the user and document lines name: SERVER_ADMIN's host, else
// CUPS_SERVER, else "localhost".
std::string headerHost(const JobSettings& settings);
