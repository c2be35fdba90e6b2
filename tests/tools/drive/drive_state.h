// The page driver's view of the program's state: the state fields by name,
// canned USB printers, and a queue created from what the pages hold.
#pragma once

#include <string>

// A state field's value ("" and false for a name that is not one); besides
// the fields of SetupState: tabMask (the enabled tabs as bits) and bellCount.
std::string getDriveField(const std::string& name);
bool setDriveField(const std::string& name, const std::string& value);

// The next USB probes find one printer per line of the file (its IEEE 1284
// device ID). False when the file cannot be read.
bool useCannedUsbIds(const std::string& path);

// Reads the connection page back and creates the queue through the back
// end: by URI when raw, else with ppdFile. The command's result.
int createFromPages();
