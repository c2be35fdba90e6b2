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
// Runs "lpadmin -p QUEUE -o KEY=VALUE"; its wait status, or 0 without
// running anything for an empty keyword or value.
int updatePPDFileOption(const std::string& queue, const std::string& keyword, const std::string& value);
// Sends every pending option in PPD order (PageRegion never) and removes
// it; the keywords whose command failed go to `failed`. 0 for no PPD or
// no groups, else the number of commands run.
int updateCupsPPD(ppd_file_t* ppd, const std::string& queue, std::vector<std::string>* failed);
// Collects, sends and clears the changed options of the open PPD; options
// whose command failed stay changed, so that the next Update sends them
// again, and their keywords go to `failed`. Returns the pending count.
int updatePPDOption(std::vector<std::string>* failed);
// Runs "lpadmin -p QUEUE OPTIONS", the options split at blanks into words
// (nothing in them interpreted); 0 without running for empty options.
int updatePPDCombiOptions(const std::string& queue, const std::string& options);
// The text after the marker "QOR" in the first 255 bytes of `line`, leading
// and trailing blanks removed ("" without the marker).
std::string textAfterQorMarker(const std::string& line);
