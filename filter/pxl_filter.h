// The PCL XL road of the PXL work mode.
#pragma once

#include "job_settings.h"
#include "stream_io.h"

// Copies the PCL XL stream from in to out without the PJL header in front
// of it, with each page's BeginPage attributes rebuilt for the job's
// settings. A stream the reader cannot follow is copied on unchanged from
// that point (with a message on standard error).
void filterPCLXL(InputReader& in, OutputWriter& out, JobSettings& settings);
