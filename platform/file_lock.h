// FileLock: an exclusive lock on a file that this process holds until the
// lock object goes away or the process ends, however it ends. Sessions of the
// debugger use it to claim a directory of their own: a directory whose lock
// nobody holds belongs to no living session.
#pragma once

#include <memory>
#include <string>

#include "platform/io_status.h"

namespace tarnvelock {

class FileLock {
 public:
  virtual ~FileLock() = default;
  // Whether path still names the locked file; it does not once the file or
  // its directory was removed, and then another process could lock anew.
  virtual bool StillHeld() const = 0;
};

struct LockAttempt {
  std::unique_ptr<FileLock> lock;  // set when the lock was taken
  bool busy = false;               // another process holds it
  IoStatus status;                 // otherwise, why the file could not be locked
};

// Creates path when missing (never through a symbolic link, and only as a
// file of this user's) and locks it without waiting. The lock is not passed
// on to child processes.
LockAttempt TryLockFile(const std::wstring& path);

}  // namespace tarnvelock
