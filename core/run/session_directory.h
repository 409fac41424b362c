// SessionDirectory: the exchange directory of one debugging session. Inside
// the user's private base every living session holds a directory of its own,
// "_dbgTmp" for the first and "_dbgTmp2", "_dbgTmp3", ... for the next, claimed
// by a lock file beside it; the directory of a session that ended or crashed
// holds no lock and is taken over. A claimed directory starts fresh and
// empty: nothing found in it is trusted, since the batch runs what it finds.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/file_lock.h"
#include "platform/file_system.h"
#include "platform/io_status.h"

namespace tarnvelock {

// Where the system keeps temporary files and how the private directories are
// made there; the platform's facilities unless a test substitutes its own.
struct TempDirFacility {
  std::function<std::wstring()> SystemBase;
  // Makes sure a base directory exists and is private to the user.
  std::function<IoStatus(const std::wstring&)> EnsurePrivate;
  // Locks a session's lock file without waiting.
  std::function<LockAttempt(const std::wstring&)> Lock;
  // Makes a session's directory afresh, empty and private.
  std::function<IoStatus(const std::wstring&)> MakeFresh;

  static TempDirFacility Platform();
};

// How many sessions of one user may run side by side.
inline constexpr int kMaxSessions = 100;

class SessionDirectory {
 public:
  SessionDirectory(const FileSystem& files, TempDirFacility facility);

  // Claims the first directory in base (a private directory, ending in the
  // path separator) that no living session holds, and empties it. An
  // earlier claim is given up first.
  IoStatus Claim(const std::wstring& base);
  // The claimed directory, ending in the path separator; empty before.
  const std::wstring& Path() const { return path_; }
  // Whether the directory and its lock are still in place.
  bool Intact() const;
  // Makes the directory (and the base) again when it has gone, and takes
  // the lock again when its file went with it.
  IoStatus Restore();

 private:
  std::wstring LockPath() const;

  const FileSystem& files_;
  TempDirFacility facility_;
  std::wstring base_;
  std::wstring path_;
  std::unique_ptr<FileLock> lock_;
};

}  // namespace tarnvelock
