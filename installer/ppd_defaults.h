// Carrying a queue's chosen defaults from its old PPD into the new PPD of
// its model: reading the old defaults, finding a choice in a UI block, and
// rewriting the new PPD's *Default lines.
#pragma once

#include <string>
#include <vector>

#include "vendor_list.h"

namespace inst {

// Records, through the CUPS PPD functions, the default choice of every
// option of every group as an OptNode numbered from 1. False, with
// "Unable to open '%s' as a PPD file!" on standard error and in the log,
// when libcups cannot open the file (nothing recorded).
bool readPPDDefaults(const std::string& path, OptNode* head);

// A *Default line of a PPD: its key (without "*", at most 79 characters,
// up to a blank or ":") and value (the word after ":" and blanks, at most
// 79). False for other lines and for "*DefaultColorSep".
bool parseDefaultLine(const std::string& line, std::string* key, std::string* value);

// 1 when the *OpenUI block of `keyword` (without "*") in the PPD's lines
// holds the choice, followed by "/" or ":"; else 0. A block opened with
// *JCLOpenUI counts as well.
int hasUIChoiceIn(const std::vector<std::string>& lines, const std::string& keyword,
                  const std::string& choice);
// The same for a PPD file (CUPS file functions, so ".gz" reads).
int hasUIChoice(const std::string& path, const std::string& keyword, const std::string& choice);

// The new PPD with each *Default line inside a UI block (*OpenUI or
// *JCLOpenUI) set to the old PPD's choice for its key, when the new block
// offers that choice or, for a custom value, takes custom values; the
// defaults of PageRegion, ImageableArea and PaperDimension follow the page
// size carried where the new PPD has that size. An old choice that cannot be
// carried is named, with `printer`, in the log and on standard error. Every
// other line as it stands.
std::string processNewPPD(const std::string& newPPD, const OptNode* options,
                          const std::string& printer = std::string());

// The lines of a text, each with its line end.
std::vector<std::string> splitRawLines(const std::string& text);

}  // namespace inst
