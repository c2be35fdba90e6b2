// Sending the PPD options changed on the option pages to the spooler: one
// "lpadmin -p QUEUE -o KEY=VALUE" per option, through the process runner
// (no shell: keywords and choices come from third-party PPD files and queue
// names may hold shell characters). The PPD file itself is never edited.
#pragma once

#include <cups/ppd.h>

#include <string>
#include <vector>

// Fills the pending list from the changed choice records and the edited
// special fields; returns the pending count.
int getChangedOptions();
// 1 when the pending list holds exactly that keyword.
int isPendingOption(const char* keyword);
// Removes the entry of that keyword (any case); returns the new count.
int removePendingOption(const char* keyword);
// Runs "lpadmin -p QUEUE -o KEY=VALUE" as a spooler command (printed and
// not run at trace level 1), the value escaped for lpadmin's option parser;
// its wait status, 0 without running anything for an empty keyword or
// value, and 1 without running anything for a keyword lpadmin would take
// as a queue attribute or could not read whole.
int updatePPDFileOption(const std::string& queue, const std::string& keyword, const std::string& value);
// The value as CUPS takes it for the PPD's option: a choice's keyword as it
// is; any other value of an option with a custom form as "Custom.VALUE"
// (one parameter) or "{PARAM=VALUE}" (its first of several parameters).
std::string valueForPpd(ppd_file_t* ppd, const char* keyword, const std::string& value);
// Sends every pending option in PPD order (PageRegion never) and removes
// it, then reads the sent values back from the daemon's copy of the PPD;
// the keywords whose command failed or whose value did not take go to
// `failed`. 0 for no PPD or
// no groups, else the number of commands run.
int updateCupsPPD(ppd_file_t* ppd, const std::string& queue, std::vector<std::string>* failed);
// Collects, sends to `queue` and clears the changed options of the open PPD; options
// whose command failed stay changed, so that the next Update sends them
// again, and their keywords go to `failed`. Returns the pending count.
int updatePPDOption(const std::string& queue, std::vector<std::string>* failed);
// Runs "lpadmin -p QUEUE OPTIONS", the options split at blanks into words
// (nothing in them interpreted); 0 without running for empty options.
int updatePPDCombiOptions(const std::string& queue, const std::string& options);
// The text after the marker "QOR" in the first 255 bytes of `line`, leading
// and trailing blanks removed ("" without the marker).
std::string textAfterQorMarker(const std::string& line);
