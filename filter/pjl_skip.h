// Removing the PJL job header that the rendering program put in front of a
// PCL XL stream: the filter writes a header of its own.
#pragma once

#include "stream_io.h"

// Drops a leading header as readInputPjlHeader (input_pjl_header.h) reads
// it: UELs, "@PJL" lines and blank lines up to and including the line that
// enters a language. The data after it stays in in. Returns 1 when a
// header was dropped, else 0 (nothing is taken then).
int skipPJLHeader(InputReader& in);
