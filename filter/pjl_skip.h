// Removing the PJL job header that the rendering program put in front of a
// PCL XL stream: the filter writes a header of its own.
#pragma once

#include <string>

#include "stream_io.h"

// Skips a UEL and the "@PJL" lines after it, up to and including the line
// that enters a language ("ENTER" and "LANGUAGE" in one line). Skipping
// stops at end of file and before the first line that is not a PJL line;
// the bytes read that belong to the data are left in carry, to be processed
// before the rest of in. Returns 1 when a header was skipped, else 0 (input
// not starting with ESC is left untouched). A line longer than 128 bytes
// gives "Header buffer overflow!" once on standard error.
int skipPJLHeader(InputReader& in, std::string& carry);
