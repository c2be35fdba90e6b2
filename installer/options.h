// The command line of setup ("df:hi:m:q:u:w:S:D:Z:"): read once, applied in
// two phases. The first phase (-d, -f, -S, -h) comes before the log is
// opened, the second (the others) after it.
#pragma once

#include <string>
#include <vector>

namespace inst {

inline constexpr char kOptionString[] = "df:hi:m:q:u:w:S:D:Z:";

struct ParsedOption {
  char letter;
  std::string value;
};

// Reads the options once; an unknown option, a missing value or a value of
// -f, -S, -D, -Z, -m or -q that is not a decimal number within int, and
// each word that is not an option, is reported once on standard error and
// sets `bad` (when given).
std::vector<ParsedOption> parseOptions(int argc, char* const argv[], bool* bad = nullptr);

// Applies -d, -f, -S; true when -h asks for the usage text.
bool applyFirstPhase(const std::vector<ParsedOption>& options);

// Applies -D, -Z, -i, -m, -q, -u, -w. A refused -u leaves installDir as it
// was and sets installDirRefused and refusedReason.
void applySecondPhase(const std::vector<ParsedOption>& options);

// The usage text.
std::string usageText();

// A decimal number as the options read it (atoi: 0 when none).
int decimalOption(const std::string& value);

}  // namespace inst
