// The PCL XL road of the PXL work mode.
#pragma once

#include <string>
#include <vector>

#include "job_settings.h"
#include "stream_io.h"

// Copies the PCL XL stream from in to out without the PJL header in front
// of it, with each page's BeginPage attributes rebuilt for the job's
// settings. A stream the reader cannot follow is copied on unchanged from
// that point (with a message on standard error). headerTaken: the caller
// already took the input's PJL header, and whatever follows is data.
void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings& settings, bool headerTaken = false);

// One pass of the reader over the input named inputName ("stdin" is in;
// "<name>" is looked for in includePaths; any
// other name is a file opened as it stands), written to out (not flushed).
// Returns 0, or the error code of the input stack (nothing is then written)
// or of the pass.
int processPXLStream(InputReader& in, OutputWriter& out, const std::string& inputName,
                     const std::vector<std::string>& includePaths, const JobSettings& settings);
