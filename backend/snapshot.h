// The restore of an earlier run's queue settings from the SESSION block of a
// snapshot file (information-file syntax). Nothing in the system writes one;
// it is prepared by hand or by other tools.
#pragma once

#include <string>

#include "setup_state.h"

// The snapshot file named by the environment: JARNINFO, else JARNUSERINFO,
// else "JarnInfo2.0" in JARNUSERDIR; "" when none is set.
std::string snapFileFromEnvironment();

// Reads the SESSION block of the snapshot into the keyword table and the
// queue fields. Mode 0 takes the file from the environment; any other mode
// reads `fileName` after filling the keyword table again. Returns 1 when a
// snapshot was read, 0 when there was no file to read.
int restoreSnapData(int mode, const std::string& fileName);

// When `entry` has a keyword that begins with `keyword` and was found, sets
// `*target` to the decimal value of the entry's text (left alone when the
// text holds no number that fits).
void matchSnapKeyword(const SnapKeyword& entry, const std::string& keyword, int* target);
