// One injectable root for the fixed system paths ("/dev/usb/lp0", "/etc/cups",
// "/opt/bry/", ...), so that tests can point them into a private tree.
#pragma once

#include <string>

// Sets the root that rootedPath() puts in front of absolute paths; "" = none.
void setFsRoot(const std::string& root);
const std::string& fsRoot();

// The path as the program must open it: the root followed by the absolute path.
std::string rootedPath(const std::string& absolutePath);
