// InstallState: the installer's one run state, filled at start-up and read
// by every later step. The CUPS directories, the spooler kind and the
// lpadmin, lpstat and data-directory paths live in the back end's SetupState
// (setup()), whose detection fills them.
#pragma once

#include <string>
#include <vector>

namespace inst {

// The release the installer reports everywhere.
inline constexpr char kRelease[] = "2.0-10";
inline constexpr char kDefaultInstallDir[] = "/opt/bry";
inline constexpr char kDefaultManifest[] = "JARNINST.CONF";

// One line of the install manifest.
struct InstallEntry {
  std::string source;  // relative to sourceDir, at most 47 characters
  std::string dest;    // the destination word as written
  int mode = 0;        // permission bits after copying; 0 = as copied
  int destIsPath = 0;  // DEST begins with "./", or is absolute with 3+ characters
  int destIsPPD = 0;   // DEST begins with "?"
};

// A link of the CUPS model directory that points at a PPD tree.
struct ModelLink {
  std::string path;    // the link inside the model directory
  std::string target;  // what it points at
};

// The programs the installer runs; a bare name when not found (the SELinux
// tools stay empty then).
struct Tools {
  std::string accept = "accept", cat = "cat", chcon, chown = "chown", cp = "cp";
  std::string cupsenable = "cupsenable", gzip = "gzip", ln = "ln", rm = "rm", whoami = "whoami";
  std::string lpsched = "lpsched", lpshut = "lpshut", nc = "nc", rmque = "rmque";
  std::string rmquedev = "rmquedev", restorecon, selinuxenabled, semodule;
};

struct InstallState {
  int deinstall = 0;
  int selinux = 0;
  int isRoot = 0;
  int noCups = 0;
  int noFoomatic = 0;
  int abandon = 0;
  int interactive = 0;
  int debug = 0;  // the installer's own trace level; the back end's stays 0
  int fromAnyDir = 1;
  int scheduler = 0;
  int systemType = 0;
  int mode = 0;  // 0 new installation, 1 upgrade from 1.0, 2 update of 2.0
  int foundInstallation = 0;
  int ppdDirBits = 0;
  int xkeysymFound = 0;
  int installDirsMade = 0;
  int ppdDirReady = 0;
  int manifestCount = 0;
  int printerCount = 0;
  int mArg = 1;
  int cupsVersion = 1000;
  int uid = 0;
  int gid = 0;
  int logOpen = 0;
  int failed = 0;              // the run could not do what it set out to do: exit 1
  int installDirGiven = 0;     // -u named the installation directory
  int installDirRefused = 0;   // -u named a directory that is refused ...
  std::string refusedInstallDir;  // ... this one ...
  std::string refusedReason;      // ... for this reason
  int notUpgraded = 0;            // the 1.0 information file could not be converted
  std::string commandLine;        // the run's command line, for the log's run-start line
  int outcome = 0;                // what the run did: a kDone* message (0: nothing)
  Tools tools;
  std::string sourceDir;
  std::string installDir = kDefaultInstallDir;
  std::string workDir = "/opt";
  std::string manifestName = kDefaultManifest;
  std::string foundDir;
  std::string ppdInstallDir;
  std::string cupsModelDir;
  std::string xkeysymPath;
  std::string nodeName;
  std::string ipAddress;
  std::string logPath;
  std::string scriptPath;
  // What the probe decided for the PPD directory; goInstall makes it.
  int ppdDirCreate = 0;         // make ppdInstallDir (0755) when missing
  std::string ppdLinkPath;      // a link to make ("" none) ...
  std::string ppdLinkTarget;    // ... pointing here
  std::vector<ModelLink> modelLinks;
  std::vector<InstallEntry> manifest;
};

// The run state.
InstallState& state();
// A fresh run state (for tests and the test driver).
void resetState();

}  // namespace inst
