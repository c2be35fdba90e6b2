// The exclusive lock of a record file. Every read-edit-replace of a record
// file (information, configuration and mailbox file) holds it, so that two
// programs changing the same file at once take turns and neither update is
// lost. The lock is an flock() on a file beside the record file, named after
// it: ".jarnInfo2.0.lock" for "jarnInfo2.0". A link to a record file is
// locked beside the file it leads to.
//
// Within one process the lock is counted: taking it again while it is held
// (an editor calling a compaction, which locks too) does not wait on the
// process itself. The atomic writer never takes the lock; it only asks
// whether it is held.
#pragma once

#include <string>

// How long a writer waits for another one to finish.
inline constexpr unsigned kRecordLockWaitSeconds = 10;

class RecordLock {
 public:
  RecordLock() = default;
  ~RecordLock();
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;

  // Takes the lock of the record file `path`, waiting at most
  // `waitSeconds`. False, with `error` naming the file and the reason, when
  // the file cannot be reached (a link to a missing file), the lock file
  // cannot be made, or another program holds the lock all that time.
  bool acquire(const std::string& path, std::string* error,
               unsigned waitSeconds = kRecordLockWaitSeconds);

 private:
  std::string target_;  // the record file the lock is held for; "" when none
};

// True when this process holds the lock of the record file `target` (a path
// as resolveWriteTarget() gives it).
bool holdsRecordLock(const std::string& target);
