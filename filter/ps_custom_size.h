// The custom page-size fix of work mode PS (-xZ): a custom page-size feature
// becomes an A4 or A3 page region of the size the document's ArtBox
// measures, and the document no longer claims to supply a custom size.
#pragma once

#include "stream_io.h"

// Copies the job from in to out with its custom page size fixed.
void fixCustomPageSize(InputReader& in, OutputWriter& out);

// When the line holds "ArtBox" followed by "[" and four numbers: 1, with
// the third and fourth numbers as width and height; else 0 (unchanged).
int parseArtBox(const std::string& line, double* width, double* height);

// 1 when the size's whole part t satisfies nominal - tolerance < t <=
// nominal + tolerance.
int isNearSize(double size, int nominal, int tolerance);
