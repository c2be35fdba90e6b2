// De-installation: the managed queues named in the information file go
// from the spooler, with their directories, and then the installed files
// and directories of the installation directory. Names from the file are
// never shell text: queue commands run from an argv, and a name that is
// empty, "." or ".." or holds "/" is skipped. Files are removed only inside
// the installation directory with no link on the way; the two links in
// /usr/bin only when they lead into it. A queue that is still there, or an
// installed file that could not be removed, marks the run as failed; the
// information file, the manifest and bin/setup then stay, so that the next
// -d finds the installation and finishes the removal.
#pragma once

#include <string>

namespace inst {

// The directory to remove: the one -u gave, else the one found (checked as
// an installation directory; "" none); it must hold the information file of
// `version` (for -u: jarnInfo2.0, else jarnInfo1.0, which sets `version`).
// True with state().installDir set to it.
bool chooseDeinstallDir(const std::string& found, int* version);

// Removes each managed queue of the printer list (the head record
// included; "Default" skipped), then its files, and logs each.
void deletePrinters();

// Removes one queue from the spooler found at start-up: AIX through
// rmquedev and rmque, System V and CUPS through the back end (AIX commands
// on an AIX system). 1 when a removal was attempted, 0 for other spoolers.
int deleteSpoolerQueue(const std::string& name);

// Removes "<installDir>/<name>" as a tree and "<installDir>/<name>.sh". -1
// when the directory does not exist, else the tree removal's result.
int deletePrinterFiles(const std::string& name);

// Removes (with `really` 0 only reports) the installed files and
// directories; logs each "OK." or "Not possible!". Once the run has failed
// (a queue or a file left), the files that find the installation are kept
// and named. 0 when the installation directory cannot be entered, else 1.
int removeInstalledFiles(int really);

}  // namespace inst
