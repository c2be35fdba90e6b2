// The information file "jarnInfo2.0": the program's record of its
// installation. It holds the general settings (work, home and temporary
// directory), the managed printers, the known users, and for each managed
// printer the users that have a configuration on it, as blocks of lines
// between marker lines. The readers fill the state's lists; the editors
// replace the file through the atomic writer, so that a reader sees the old
// file or the new one and a failed edit leaves the old one as it was.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "setup_state.h"

// The file's name inside the installation directory.
inline constexpr char kInfoFileName[] = "jarnInfo2.0";

// Marker lines. A PRNT marker is the marker, a blank and the printer's name.
inline constexpr char kMarkGeneralBegin[] = "%%QORBLOCK_GENERAL_BEGIN";
inline constexpr char kMarkGeneralEnd[] = "%%QORBLOCK_GENERAL_END";
inline constexpr char kMarkPrintersBegin[] = "%%QORBLOCK_PRINTERS_BEGIN";
inline constexpr char kMarkPrintersEnd[] = "%%QORBLOCK_PRINTERS_END";
inline constexpr char kMarkUsersBegin[] = "%%QORBLOCK_USERS_BEGIN";
inline constexpr char kMarkUsersEnd[] = "%%QORBLOCK_USERS_END";
inline constexpr char kMarkPrntBegin[] = "%%QORBLOCK_PRNT_BEGIN";
inline constexpr char kMarkPrntEnd[] = "%%QORBLOCK_PRNT_END";
inline constexpr char kMarkSessionBegin[] = "%%QORBLOCK_SESSION_BEGIN";
inline constexpr char kMarkSessionEnd[] = "%%QORBLOCK_SESSION_END";
inline constexpr char kMarkUtilitiesBegin[] = "%%QORBLOCK_UTILITIES_BEGIN";
inline constexpr char kMarkUtilitiesEnd[] = "%%QORBLOCK_UTILITIES_END";
inline constexpr char kMarkUserBegin[] = "%%QORBLOCK_USER_BEGIN";
inline constexpr char kMarkUserEnd[] = "%%QORBLOCK_USER_END";
inline constexpr char kMarkFileEnd[] = "%%QOREND";

// Block kinds of readInfoBlock().
enum InfoBlockKind {
  kInfoBlockGeneral = 0,
  kInfoBlockSession = 2,
  kInfoBlockUtilities = 3,
  kInfoBlockUser = 4,  // any other value reads the USER block too
};

// Operations of editInfoFile().
enum InfoEdit {
  kEditAddPrinter = 2,
  kEditDeletePrinter = 3,
  kEditAddUser = 18,
  kEditDeleteUser = 19,
  kEditAddPrinterUser = 20,     // to the PRNT block of printerName
  kEditDeletePrinterUser = 21,  // from the PRNT block of printerName
};

// An information file read whole: its path and its lines, each without its
// line feed and otherwise as stored.
struct InfoFile {
  std::string path;
  std::vector<std::string> lines;
  bool endsWithNewline = false;
};

// Opens `fileName` when given, else the file named by JARNINFO, else
// "jarnInfo2.0" in `directory` when that directory exists, and reads it into
// `file`. On success the path becomes the current information file (the one
// the list readers read). Returns false when there is nothing to read.
bool openInfoFile(const std::string& directory, const std::string& fileName, InfoFile* file);

// Fills userDir, homeDir and tmpDir from the GENERAL block (values expanded
// in-process, cut to their field size). 0 when the file cannot be opened or
// has no GENERAL block.
int readInfoGeneral(const std::string& directory, const std::string& fileName);

// Fills printerList and managedPrinterCount from the PRINTERS block of the
// current information file; with `filter` only printers whose PRNT block
// lists userName. 0 (lists untouched) when the file or the block is missing.
int readInfoPrinters(int filter);
// The same for the USERS block into userList and infoUserCount.
int readInfoUsers();
// The same for the printer's PRNT block into printerUserList and printerUserCount.
int readPrinterUsers(const std::string& printer);

// 1 when the printer's PRNT block has a line equal to `user`.
int isPrinterUser(const InfoFile& file, const std::string& printer, const std::string& user);

// Reads a block of keyword lines. With a non-empty `keyword`, the first line
// of the block that begins with it gives its value into `value`; otherwise
// every line of the block is held against `table` (the first keyword that
// begins the line takes the value and its found flag). 1 when the file
// cannot be opened ("No config file" on standard error), else 0.
int readInfoBlock(const std::string& file, const std::string& keyword, std::string* value,
                  SnapKeyword* table, size_t tableSize, int kind);

// Adds or removes one line of the file "jarnInfo2.0" in userDir (see
// InfoEdit), compacts the file and reads the changed block again, all under
// the file's record lock. 1 on success; 0, with the file unchanged and a
// code-1 message, on failure (among them a block that is missing or not
// closed: "Configuration file:\n<path>\nhas no complete <block> block").
int editInfoFile(const std::string& text, int operation);
// The same on the information file at `path`.
int editInfoFileAt(const std::string& path, const std::string& text, int operation);

// Removes empty lines and keeps at most two "#" lines in a row. 1 or 0.
int compactInfoFile(const std::string& path);

// The default information file for the directory and printer, byte for byte.
std::string defaultInfoFileText(const std::string& directory, const std::string& printer);

// Asks whether to create the missing information file in `directory`; on
// yes writes the default file for `printer` ("Default" when empty) and makes
// the printer's directory and its "root" directory (0755). Returns 1 when the
// file and both directories are there, 0 otherwise. An information file that
// cannot be written ends the program (FatalExit -1) after a message and a
// wait of 5 seconds.
//
// A file that exists at that path is never replaced and no question is
// asked: one that reads and has a complete GENERAL block is kept (1); one
// that cannot be read, or has no complete GENERAL block, ends the program the
// same way after the code-1 message "Configuration file:\n<path>\ncannot be
// read: <reason>" or "...\nhas no valid general block" (title
// "Configuration Problem").
int createInfoFile(const std::string& directory, const std::string& printer);

// Removes the printer's directory tree inside `directory`, its PRNT block
// from the current information file and its script "<printer>.sh". -1 when
// the printer has no directory there (nothing changed) or the file could not
// be rewritten; else the result of the tree removal.
int removeInfoPrinterBlock(const std::string& directory, const std::string& printer);
