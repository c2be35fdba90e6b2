// Names in an installation directory that the installer did not put there:
// before setup makes a directory its own, every user may have been able to
// write into it (the first generation made its directories 0777), so a name
// there may be a link or another user's file. Such a name is never read as
// the installation's own file and never written through: it is moved aside
// under a new name, and the move is logged.
#pragma once

#include <string>

namespace inst {

// True when `path` itself (not a link's target) is a regular file that
// belongs to root or to the running user.
bool isOwnFile(const std::string& path);

// True when `path` exists and is not isOwnFile (a link, a directory, a
// device, another user's file).
bool isForeignFile(const std::string& path);

// Reads `path` whole when it is an own file (opened without following a
// link, checked on the open file); false otherwise.
bool readOwnFile(const std::string& path, std::string* data);

// Renames `from` to `name`, or when that name is taken to the first free
// one of "name.1" to "name.99", never replacing anything. The name used in
// `to`; false when none could be had.
bool renameToFreeName(const std::string& from, const std::string& name, std::string* to);

// Moves the name `path` aside: a link to "<path>.link-moved", anything else
// to "<path>.moved" (or the first free numbered name after it), and logs
// it. False, logged, when it cannot be moved.
bool moveAside(const std::string& path);

}  // namespace inst
