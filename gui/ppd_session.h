// The PPD the option pages show: opening it (model name, marks, rows),
// closing it, and the small questions about it.
#pragma once

#include <string>

// Opens the PPD at `path` as ppdFile: its model name into modelName, the old
// rows and PPD gone, the defaults marked, the rows built, the model-name
// field filled. 0 (no PPD open) when the name cannot be read or the file
// does not open as a PPD.
int openPpd(const std::string& path);
// Destroys the rows and closes the PPD (nothing open: nothing happens).
void closePpd();
// The open PPD's colour-device flag (0 without a PPD).
int isPpdColorDevice();
// Whether a PPD is open, checked with a 256-byte scratch string (an
// allocation failure ends the program with "allocte temp string").
int isPpdOpenChecked();
// Opens ppdFile after the chooser's OK: the rows built, menus restored,
// constraints walked, pages 0-3 enabled. False when it did not open.
bool openChosenPpd();
