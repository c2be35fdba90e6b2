// The install manifest ("JARNINST.CONF"): one entry a line, SOURCE DEST
// [MODE]. Root reads it only from a release that others cannot change.
#pragma once

#include <string>

#include "install_state.h"

namespace inst {

inline constexpr size_t kManifestMax = 256;
inline constexpr size_t kSourceMax = 47;

// Reads one manifest line into `entry`; false for a line that makes no
// entry (a comment, an empty line, a line beginning with a separator).
bool parseManifestLine(const std::string& line, InstallEntry* entry);

// Reads "<sourceDir>/etc/<manifestName>", else "<sourceDir>/<manifestName>",
// into state().manifest. Returns the entry count; 0 when the manifest is
// missing, unreadable, empty or can be changed by others; -1 when it is
// over its limits (256 entries, a SOURCE of 47 characters, a line of 255).
int getInfoData();

}  // namespace inst
