// Reading what the upgrade needs to know of a PPD: the model name and PDL
// of its *ModelName line, the generation of the maker's PPD ("*% Jarn
// version:"), its *LanguageVersion, and the new PPD of a queue's model.
#pragma once

#include <string>
#include <vector>

#include "vendor_list.h"

namespace inst {

// For a line holding "*ModelName:": the model text (after the keyword and
// its blanks, without the trailing line feeds and carriage returns) when a
// row of the model table occurs in it, with that row's number. The PDL is
// read from the 8 characters that begin 9 before the end of the raw line:
// " PCL" 2, else " PXL" 3, else " PS" 1, else 0. "" when no row matches.
std::string matchModelName(const std::string& line, int* pdl, int* number);

// The digit after "*% Jarn version:" and its blanks, or -1.
int getPPDVersion(const std::string& line);

// What readPPDModel finds in a PPD.
struct PPDModel {
  std::string model;     // "" when no *ModelName line matches the table
  int number = 0;
  int pdl = kNoPdl;
  std::string language;  // the *LanguageVersion value
};

// Reads a PPD (a ".gz" file decompressed by the CUPS file functions): the
// first *ModelName line that the table knows, and the *LanguageVersion.
// False, with "Unable to open '%s'!" on standard error, when it cannot be
// opened.
bool readPPDModel(const std::string& path, PPDModel* out);

// The names of the regular files of a directory (no links, no
// subdirectories), sorted; those ending in `suffix` when it is given.
std::vector<std::string> regularFiles(const std::string& dir, const std::string& suffix = "");

// Looks in `dir` for the new PPD of the printer's model: a file whose model
// text begins with the printer's and whose number and PDL are the
// printer's. Among several, the one whose *LanguageVersion is that of the
// printer's old PPD, else the first in name order. 1 with its path.
int findPPDForModel(const std::string& dir, const VendorPrinter& printer, std::string* path);

}  // namespace inst
