// The steps after the hand-over: the installation of the files
// (file_install.cpp), the removal of an installation (deinstall.cpp) and the
// upgrade of the queues found (queue_upgrade.cpp).
#pragma once

namespace inst {

// Installs the `count` manifest entries (installer/file_install.cpp). 0 when
// the installation directory could not be made, or the installed programs
// are not in place after the copy, and the run stops there.
int goInstall(int count);

// Removes the managed queues and the installed files.
void removeInstallation();

// Finds the queues of the maker's printers that need a new PPD; their count.
int listVendorPrinters();

// Brings the queues found up to date.
void updatePrinters(int count);

}  // namespace inst
