// PPD file search: finds the directory that holds the maker's PPD files and
// lists the files there that belong to the queue's page-description class,
// sorted by model name, for the PPD model chooser.
#pragma once

#include <string>
#include <vector>

constexpr int kPpdTableRows = 256;        // rows of the PPD table
constexpr size_t kPpdPathSize = 256;      // visible size of a row's path
constexpr size_t kPpdModelNameSize = 256; // visible size of a row's model name
constexpr size_t kPpdHeadBytes = 2048;    // how much of a PPD the model name is looked for in

// One row of the PPD table: the file as it is opened, and its model name.
struct PpdRow {
  std::string path;
  std::string modelName;
};

// The directory listed by listPPD (a system path, under the injectable root
// when one is set); empty until found.
std::string& ppdSearchDir();

// The rows of the last listing, in the chooser's order, at most kPpdTableRows.
const std::vector<PpdRow>& ppdTable();
// Rows of the last listing (0 when none).
int ppdListCount();

// The class coded in a PPD file name: the two letters before the hyphen that
// comes three characters before ".ppd": "PS" 1, "CL" 2, "XL" 3 (any case),
// else -1. A name with ".ppd" but no hyphen there is reported as corrupted
// on standard error (-1); a name without ".ppd" gives -1.
int getPpdPdlClass(const std::string& fileName);

// Reads the model name of a PPD (plain or gzip-compressed) from its first
// 2048 bytes: the text between the double quotes of the "ModelName:" line.
// Returns 1 when one was found, else 0 with `modelName` empty.
int getPpdModelName(const std::string& path, std::string* modelName);

// The language of a PPD (plain or gzip-compressed): the value of its
// "*LanguageVersion:" line within the first 2048 bytes ("English"), or "".
std::string getPpdLanguage(const std::string& path);

// Looks for the maker's PPD directory (the CUPS model directory first, then
// the usual PPD directories) and stores it in ppdSearchDir(). 1 when found.
int getPPDSearchPath();

// Lists ppdSearchDir() (searching for it first when it is empty): fills the
// PPD table with the files of the queue's class (setup().printerType) that
// carry a model name, sorted by model name, and replaces `listItems` with
// their model names. Returns the row count, or -1 (with the reason on
// standard error, `listItems` and the table unchanged) when there is no
// directory to list.
int listPPD(std::vector<std::string>* listItems);
