// Merging the mailbox file's values with the command line's: an option
// stands unless a stored value carries the override flag 'S'; root's line
// is the fallback and wins over the user's own line only when root
// overrides and the user's line does not.
#pragma once

#include "job_settings.h"

void mergeMailbox(JobSettings& settings);
void mergeUserIdPassword(JobSettings& settings);
void mergeSecurePassword(JobSettings& settings);
