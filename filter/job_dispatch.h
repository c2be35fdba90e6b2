// Running one job: the work mode chooses the road from input to output; a
// job with a header is closed by the UEL trailer. A repeated job keeps its
// processed data in an unlinked temporary file that is replayed once per
// copy, each copy between its own header and trailer.
#pragma once

#include "job_settings.h"

// Makes the repeat copy's file when the repeat count or the second repeat
// count is 1 or more (the larger becomes the repeat count). Returns its
// descriptor, or -1 (with the repeat count set to 0 when the file could not
// be made, after a message on standard error).
int prepareRepeatFile(JobSettings& settings);

// Processes the whole job from inFd to outFd. repeatFd: the descriptor from
// prepareRepeatFile. Throws IoError when a read or write fails.
void runJob(JobSettings& settings, const FilterRun& run, int inFd, int outFd, int repeatFd);
