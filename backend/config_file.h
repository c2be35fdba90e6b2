// The per-printer configuration file "jarnConfig": the connection and PPD
// settings of one managed printer, kept in the printer's directory below the
// user's directory (in practice "root").
#pragma once

#include <string>

// The configuration file of the current printer and user:
// userFullDir "/" userName "/jarnConfig".
std::string configFilePath();

// Writes the current queue's settings to configFilePath() through the atomic
// writer (mode 0755, given to userName). A file that already holds exactly
// these lines is left untouched. Returns 1 when written (or unchanged), -1 on
// failure (the reason is shown with doMessage; an earlier file is left as it
// was).
int saveConfiguration();

// Reads a configuration file into the state. Returns 1 when the file was
// read, 0 when it cannot be opened or its first line is not the file mark
// (the state is then unchanged).
int getConfiguration(const std::string& path);

// What the last getConfiguration learnt about its file, for the loading of
// that queue's connection: the path, the connection type it names (0 none),
// and for a file that exists but could not be used, the notice naming it.
struct RecordReading {
  std::string path;
  int connectType = 0;
  std::string problem;
};
// The last reading when its file lies in the printer directory `printerDir`
// (userFullDir: the record of any of its users), else an empty one; either
// way the reading is forgotten, so that it serves one load only.
RecordReading takeRecordReading(const std::string& printerDir);
// The title of the notice of a configuration file that cannot be used.
extern const char kRecordProblemTitle[];
