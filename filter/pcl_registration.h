// Registration offsets of PCL 5 jobs: the model table that replaces the
// rendering program's fixed image offset, and the choice of the (x, y) pair
// for each page by duplex mode.
#pragma once

#include "job_settings.h"

// Offsets layout in JobSettings::registrationOffsets (decipoints, x then y):
// the first sheet's front long-edge, back long-edge, front short-edge and
// back short-edge pairs, then the same four pairs for the later sheets.
constexpr int kLaterSheet = 8;

// Fills all 16 offsets from the model table; the colour variant is used
// when colourFlag or the settings' colour mode is non-zero (not given, -1,
// counts as colour).
void setRegistrationOffsets(JobSettings& settings, int colourFlag);

// The index (0..15, of x; y follows) of the pair for the page-th occurrence
// (0-based) of the registration sequence under the duplex value.
int registrationPairIndex(int duplex, long long page);
