// The PCL 5 road of the default and PCL work modes.
#pragma once

#include "job_settings.h"
#include "stream_io.h"

// Rewrites the PCL 5 stream from in to out so that the job settings win,
// and flushes out. Returns 0.
int CleanUpGSFile(InputReader& in, OutputWriter& out, JobSettings& settings);
