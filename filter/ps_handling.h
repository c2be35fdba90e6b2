// The PostScript roads of the PS and PSP work modes, and the banner page.
#pragma once

#include <string>

#include "job_settings.h"
#include "stream_io.h"

// Mode PSP: copies the PostScript job with the job settings as feature blocks.
int cleanUpPSFile(InputReader& in, OutputWriter& out, JobSettings& settings);

// Mode PS with -xZ: copies the job with its custom page size fixed.
void fixCustomPageSize(InputReader& in, OutputWriter& out);

// Modes PS and PSP: the banner page named by -Y, before anything else.
void writeBanner(const JobSettings& settings, const std::string& bannerName, OutputWriter& out);
