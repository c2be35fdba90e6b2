// The filter's command line: the option string, every option's effect on
// the job settings, and the digit forms of the mailbox, account and
// secure-print values.
#pragma once

#include <string>

#include "job_settings.h"

enum class OptionResult { kRun, kUsage };

// Applies the options of argv in order (later ones overwrite earlier ones).
// Unknown options are reported by the option scanner and otherwise ignored,
// as are non-option arguments. Returns kUsage when -h was met (the caller
// prints the usage text and ends with status 0).
OptionResult parseFilterOptions(int argc, char** argv, JobSettings& settings, FilterRun& run);

// Turns each digit array that holds a non-zero digit into its number (first
// position most significant) and, when that is above 0, into the text value
// it stands for; the mailbox digits give the mailbox (or -1 when the job
// goes to print, destination 0).
void buildDigitEntryIds(JobSettings& settings);

// Writes the usage text of -h to standard error.
void printUsage();
