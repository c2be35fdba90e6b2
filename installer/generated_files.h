// The files the installer writes into an installation: the start-up script
// "bin/jarn" that sets the environment of Jarn.exe and runs it (through a
// graphical su helper for a user other than root), the de-installation
// script "etc/UNINSTALLJARN" and the desktop entry "etc/Jarn2.0.desktop".
// Each is written whole through the atomic writer, with its mode and the
// installer's user and group as owner.
#pragma once

#include <string>
#include <sys/types.h>

namespace inst {

// What the generated files depend on besides the installation directory.
struct ScriptFacts {
  bool cups = false;         // the spooler is CUPS
  std::string cupsBaseDir;   // "" none
  std::string cupsBinDir;    // "" none
  std::string xkeysymPath;   // the XKeysymDB file, "" none
  std::string rm = "rm";     // the rm program
  std::string ppdDir;        // the PPD installation directory
  uid_t uid = 0;
  gid_t gid = 0;
};

// The facts of this run (probe, tools, user).
ScriptFacts scriptFactsFromState();

// The files' texts; `date` is the local time text without its line feed.
std::string startupScriptText(const std::string& installDir, const ScriptFacts& facts,
                              const std::string& date);
std::string uninstallScriptText(const std::string& installDir, const ScriptFacts& facts,
                                const std::string& date);
std::string desktopEntryText(const std::string& installDir);

// Writes "<installDir>/bin/jarn" (0755). 1 written, 0 not (logged).
int writeStartupScript(const std::string& installDir, const ScriptFacts& facts);

// Renames "bin/jarn" to "bin/jarn.old" (logged either way), then writes
// the start-up script. 1 written, 0 not.
int replaceStartupScript(const std::string& installDir, const ScriptFacts& facts);

// Writes "<installDir>/etc/UNINSTALLJARN" (0755). 1 written, 0 not.
int writeUninstallScript(const std::string& installDir, const ScriptFacts& facts);

// Writes "<installDir>/etc/Jarn2.0.desktop" (0644). 1 written, 0 not.
int writeDesktopEntry(const std::string& installDir, const ScriptFacts& facts);

}  // namespace inst
