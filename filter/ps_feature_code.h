// The PostScript feature blocks that carry the job settings in work mode
// PSP: destination, mailbox, proof copy, account user ID and password, and
// the secure-print password. Each writer returns 1 when it wrote its block.
#pragma once

#include "job_settings.h"
#include "stream_io.h"

int writePSDestination(int destination, OutputWriter& out);
int writePSMailbox(int mailbox, OutputWriter& out);
int writePSProofPrint(int proof, OutputWriter& out);
int writePSUserID(long long id, OutputWriter& out);
int writePSUserPassword(long long password, OutputWriter& out);
int writePSSecurePassword(long long password, OutputWriter& out);

// All blocks the settings ask for, in their order.
void writePSFeatures(const JobSettings& settings, OutputWriter& out);

// A text value read as a decimal number ("0012" gives 12; text that does
// not start with a digit gives 0).
long long psNumber(const std::string& text);
