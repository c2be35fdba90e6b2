// The one writer of record files: the new contents go to a temporary file in
// the target's directory, which is then renamed over the target and the
// directory synced. A reader sees the old file or the new one, never a
// half-written one; on any error the old file is left as it was. A target
// that is a symbolic link is written through (the file it leads to is
// replaced in its own directory and the link stays) only when the link and
// every directory on the way to it and to the file belong to root or the
// writing user and others cannot write them; otherwise the write fails and
// nothing changes. Owners and modes are set on the open temporary file.
#pragma once

#include <string>
#include <sys/types.h>

struct AtomicWriteOptions {
  mode_t mode = 0644;
  uid_t owner = static_cast<uid_t>(-1);  // -1: leave as created
  gid_t group = static_cast<gid_t>(-1);  // -1: leave as created
  // The name itself is replaced, a link there included (never followed).
  bool replaceLink = false;
};

// Replaces `path` (or the file a link at `path` leads to) by `data`. While
// the caller holds the file's record lock, the temporaries of earlier
// writers of that file that were killed before their rename are removed
// first. Returns true on success; on failure fills `error` (when given) with
// a text naming the path and the system error.
bool writeFileAtomic(const std::string& path, const std::string& data,
                     const AtomicWriteOptions& options = AtomicWriteOptions(),
                     std::string* error = nullptr);

// The file a write of `path` replaces, as an absolute path without links:
// the file a link leads to, or `path` in its real directory. False, with
// `error` naming the path, for a link to a missing file or an unreachable
// directory.
bool resolveWriteTarget(const std::string& path, std::string* target, std::string* error);

// True when a link at `path` may be written through (see above); `error`
// names the link otherwise.
bool linkMayBeFollowed(const std::string& path, std::string* error);

// Removes the temporaries (".<name>.XXXXXX") that writers of `target` left
// when they were killed before their rename. Only for a caller that knows
// no live writer of the file can own one.
void removeStaleTemporaries(const std::string& target);

// Reads a whole file into `data`; false when it cannot be read.
bool readWholeFile(const std::string& path, std::string* data);

// Reads what is left of an open file into `data` (the descriptor stays
// open); false on a read error.
bool readWholeFd(int fd, std::string* data);

// Creates a temporary file from mkstemp in `directory` with the base-name
// prefix `prefix` (mode 0600); returns its path and sets `fd`, or "" on failure.
std::string makeTempFile(const std::string& directory, const std::string& prefix, int* fd);
