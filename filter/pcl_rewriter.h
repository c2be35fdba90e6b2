// The PCL 5 road of the default and PCL work modes: the job's stream is
// copied with a small set of commands rewritten so that the job settings
// win. The first reset is kept and followed by the job's page size, duplex,
// tray and media type; later resets and copies commands are dropped, tray
// commands too unless asked to keep them; page-size commands are filtered;
// the rendering program's fixed registration offset becomes the model's.
// Data payloads and all other sequences pass as read.
#pragma once

#include "job_settings.h"
#include "stream_io.h"

// Rewrites the PCL 5 stream from in to out so that the job settings win,
// and flushes out. Returns 0.
int CleanUpGSFile(InputReader& in, OutputWriter& out, JobSettings& settings);

// The decimal number whose digits end at position (when the character there
// is not a digit, the one before it is the last digit), read backwards no
// further than lowerBound.
int readNumberBefore(const char* position, const char* lowerBound);

// The media-name command that follows an inserted media type, or empty for
// codes without a name.
std::string mediaNameCommand(int mediaType);
