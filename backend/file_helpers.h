// Directory and file routines with the ownership rules of the printer
// directories. Directories are made 0755; temporary files come from mkstemp.
#pragma once

#include <string>

// -1 (with "No base directory-5") when `directory` does not exist; 1 when it
// holds a directory called `name`; else 0.
int isSubDirectory(const std::string& directory, const std::string& name);
// The same; the message ("No base directory-4") only when verbose.
int isSubDirectoryQuiet(const std::string& directory, const std::string& name, int verbose);

// Creates the subdirectory `name` (mode 0755) when it is missing. Returns 0 on
// success or when it existed, -1 on failure.
int makeSubDirectory(const std::string& directory, const std::string& name);
// Creates the user's subdirectory (0755) when missing and gives it to the user.
// -1 for a user name that isSafeEntryName refuses.
int makeUserDirectory(const std::string& directory, const std::string& user);

// Gives the path to the user: "Default" and "root" mean root with its primary
// group; another user its uid (0 when unknown) and the gid of the group of
// the same name, else its primary group, else 0. A link at the path is
// not followed (the link itself is given). Returns lchown's status.
int chownToUser(const std::string& path, const std::string& user);

// Mode 0755.
int makeExecutable(const std::string& path);
// mkdir, falling back to "/bin/mkdir"; then the mode. 0 or the failing status.
int makeDirectory(const std::string& path, int mode);

// True for a name that may stand for a printer or user directory inside
// another one: not empty, not "." or "..", no "/".
bool isSafeEntryName(const std::string& name);

// Removes a directory tree without following symbolic links: directories
// recursively, regular files and links unlinked, other entries (devices,
// pipes) left in place. -1 (with "No base directory-2") when the path is
// missing or not a directory; else the status of the final rmdir.
int removeTree(const std::string& path);
// removeTree of `directory`/`name`; -1 when it does not exist or the name is unsafe.
int removeSubTree(const std::string& directory, const std::string& name);

// Lists the entries of a directory on standard output by kind. -1 when missing.
int listDirectory(const std::string& path);
// Counts the subdirectories after the first `skip`; see the file for the modes.
int listSubDirectories(const std::string& path, std::string* output, size_t size, int skip,
                       int mode);
// A relative path that does not exist becomes directory/path when that exists.
void resolveRelativePath(const std::string& directory, std::string& path);

// Copies `source` over `target` through the atomic writer (the target keeps
// the source's mode). False, with the reason on standard error, on failure.
bool copyFile(const std::string& source, const std::string& target);
// Moves `source` over `target` (rename, else copy and unlink). False on failure;
// the target is then unchanged. Never ends the program.
bool moveFile(const std::string& source, const std::string& target);

// Creates a new empty temporary file (mode 0600, prefix "QORXX") in
// `directory` and returns its path; "" when none can be made.
std::string makeTempName(const std::string& directory);

// The directory named by JARNHOME, else JARNHOMEDIR, else HOME, the first
// that names an existing path; "" when none does.
std::string getHomeDir();
