// The archive of the PPD files an upgrade from 1.0 finds in the PPD
// installation directory, kept in /var/tmp before the new ones are copied.
#pragma once

#include <string>

namespace inst {

// The archive's name.
std::string ppdArchivePath();

// Archives the entries of `dir` (sorted, by name, with tar working in
// `dir`) into a temporary file of /var/tmp that is then renamed to
// ppdArchivePath(), replacing whatever is there (a link is replaced, never
// followed). -1 ("Cannot access PPD dir") when `dir` cannot be entered;
// else tar's exit code (0 with nothing to archive).
int savePPDFiles(const std::string& dir);

}  // namespace inst
