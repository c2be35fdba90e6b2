// The per-printer configuration file "jarnConfig": the connection and PPD
// settings of one managed printer, kept in the printer's directory below the
// user's directory (in practice "root").
#pragma once

#include <string>

// The configuration file of the current printer and user:
// userFullDir "/" userName "/jarnConfig".
std::string configFilePath();

// Writes the current queue's settings to configFilePath() through the atomic
// writer (mode 0755, given to userName). Returns 1 when written, -1 on failure
// (the reason is shown with doMessage; an earlier file is left as it was).
int saveConfiguration();

// Reads a configuration file into the state. Returns 1 when the file was
// read, 0 when it cannot be opened or its first line is not the file mark
// (the state is then unchanged).
int getConfiguration(const std::string& path);
