// A PPD option as lpadmin's "-o NAME=VALUE" takes it, and as the daemon's
// copy of the queue's PPD shows it afterwards.
//
// lpadmin reads its -o text with the CUPS option parser (a backslash
// escapes the next character, quotes group, blanks split options) and
// takes some names as queue attributes (error policy, user lists, device
// URI...) rather than PPD defaults. A PPD is third-party data: its option
// keywords and choices reach lpadmin only in a form it reads back as given.
#pragma once

#include <map>
#include <string>

// True for a keyword lpadmin or the daemon reads as a queue attribute
// ("printer-*", "job-*", "requesting-*", "port-monitor", "device-uri",
// "*-default", ... in any case): such an option is never sent.
bool isQueueAttributeName(const std::string& keyword);

// True for a keyword the option parser reads back whole: printable, no
// blank, no '=', no quote or backslash.
bool isSendableKeyword(const std::string& keyword);

// The value escaped for the option parser: every byte other than a letter,
// a digit, '.', '-' and '_' behind a backslash.
std::string lpadminOptionValue(const std::string& value);

// The "*DefaultKEY: VALUE" lines of the daemon's installed PPD of a queue
// (getCupsPPDFname), by keyword. False when the file cannot be read.
bool readInstalledDefaults(const std::string& queue, std::map<std::string, std::string>* defaults);
