// The PostScript roads of the PS and PSP work modes. PS copies the job,
// with -xZ through the custom page-size fix (ps_custom_size.h); PSP puts the
// job settings as feature blocks right after the document's header comments
// (ps_feature_code.h). Both may put a banner page in front (ps_banner.h).
#pragma once

#include <string>

#include "job_settings.h"
#include "ps_banner.h"
#include "ps_custom_size.h"
#include "stream_io.h"

// How far the header comments are searched: a header longer than this is
// taken as having no end.
constexpr std::size_t kMaxPSHeader = 1024 * 1024;

// Mode PSP: copies the PostScript job with the job settings as feature
// blocks after its header comments. A job whose header has no end found
// gets them after its first line when that starts "%!" (so that a secured
// or mailbox job never prints openly), else passes unchanged. Returns 0.
int cleanUpPSFile(InputReader& in, OutputWriter& out, JobSettings& settings);
