// Reading the job user's and root's lines of the queue's mailbox file
// "JarnMailBoxFile" into the job settings.
#pragma once

#include <string>
#include <vector>

#include "job_settings.h"

// The files tried, in order, for the printer: JARNDATADIR's first when that
// variable is set, then the fixed installation directories.
std::vector<std::string> mailboxFileCandidates(const std::string& printer);

// Finds the printer's mailbox file and reads the user's and root's values
// into the settings. Returns -1 when the printer or user name is empty or
// no file could be opened, 1 when a user or root line was taken, else 0.
int getMAILBOX(JobSettings& settings);

// Reads the mailbox file at path as getMAILBOX does (for a known path).
int readMailboxFile(const std::string& path, JobSettings& settings);
