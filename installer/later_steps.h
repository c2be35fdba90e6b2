// The steps after the hand-over that later work fills in: the installation
// of the files, the removal of an installation and the search for queues
// to upgrade. Until then each logs that it is not built and marks the run
// as failed (the printer search finds none).
#pragma once

namespace inst {

// Installs the `count` manifest entries (installer/file_install.cpp). 0 when
// the installation directory could not be made and the run stops there.
int goInstall(int count);

// Removes the managed queues and the installed files.
void removeInstallation();

// Finds the queues of the maker's printers that need a new PPD; their count.
int listVendorPrinters();

// Brings the queues found up to date.
void updatePrinters(int count);

}  // namespace inst
