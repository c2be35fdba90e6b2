// The information file as the installer sees it: finding an earlier
// installation through it, counting its managed printers, and writing a
// fresh file or converting the file of version 1.0. An existing
// "jarnInfo2.0" is never replaced. Only the installation's own files count:
// a link or another user's file at one of these names is never read as the
// installation's, and is moved aside (logged) before anything is written.
#pragma once

#include <string>

namespace inst {

// Looks for an earlier installation: the file JARNINFO names, else
// "/opt/bry/jarnInfo1.0", then "/opt/bry/jarnInfo2.0", each only when it is
// a regular file of root's (of the running user's) and not a link; the
// first with a USRDIR line gives its directory. The version is that of the
// file's name (1 for "jarnInfo1.0", else 2), and 2 when the file's
// directory or the USRDIR directory holds such a "jarnInfo2.0". 1 when
// found; 0 with version -1 when not.
int findInstallation(std::string* dir, int* version);

// Reads the printers block of the information file of `version` in
// installDir into the back end's printer list; the count (also in
// printerCount), -1 when the file or the block is missing.
int readInstalledPrinters(int version);

// Writes "<installDir>/jarnInfo2.0" (mode 0755, owner uid and gid) unless
// it exists. 1 when written or kept, 0 when it cannot be written.
int writeInfoFile();

// Copies "<installDir>/jarnInfo1.0" to "jarnInfo2.0" with the new title
// line; without a 1.0 file writes a fresh one. An existing jarnInfo2.0 is
// kept. 1 on success; 0 on failure, and 0 with notUpgraded set (said on
// standard error) when a 1.0 name was there that is not root's readable
// file: a fresh file is written then.
int convertInfoFile();

// After an upgrade that did all it set out to do: the first generation's
// jarnInfo1.0, once jarnInfo2.0 is there, is renamed "jarnInfo1.0.old" so
// that it is never read as an installation again. An earlier backup of
// root's is kept: with the same contents the 1.0 file is removed, else it
// takes the first free "jarnInfo1.0.old.N". Any other name at
// "jarnInfo1.0.old" is moved aside first.
void setAsideFirstGenerationInfo();

// The text writeInfoFile writes for an installation directory.
std::string infoFileText(const std::string& installDir);

}  // namespace inst
