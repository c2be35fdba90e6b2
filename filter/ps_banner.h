// The banner page of the PostScript work modes: a PostScript file from the
// printing system's banner directory, named by -Y, with the job's printer,
// user and title put in for its placeholders.
#pragma once

#include <string>

#include "job_settings.h"
#include "stream_io.h"

// Writes the banner named bannerName. Nothing is written for an empty name,
// a name holding '/' (or "." or ".."), a file that cannot be opened or one
// that does not start "%!".
void writeBanner(const JobSettings& settings, const std::string& bannerName, OutputWriter& out);

// The line with the first occurrence of placeholder replaced.
std::string replaceSubstring(const std::string& line, const std::string& placeholder, const std::string& replacement);

// The directory banners are read from ("/usr/share/cups/banners"); tests
// point it elsewhere.
void setBannerDirectory(const std::string& directory);
