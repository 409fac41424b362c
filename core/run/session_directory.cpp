// Claiming, and restoring, the exchange directory of a session.
#include "core/run/session_directory.h"

#include <utility>

#include "core/base/exchange_file_names.h"
#include "platform/temp_dir.h"

namespace tarnvelock {

namespace {

// The name of the n-th session's directory, counted from 1.
std::wstring SessionName(int n) {
  return std::wstring(kTempDirName) + (n == 1 ? std::wstring() : std::to_wstring(n));
}

}  // namespace

TempDirFacility TempDirFacility::Platform() {
  return TempDirFacility{SystemTempBase, EnsurePrivateDirectory, TryLockFile,
                         RecreatePrivateDirectory};
}

SessionDirectory::SessionDirectory(const FileSystem& files, TempDirFacility facility)
    : files_(files), facility_(std::move(facility)) {}

std::wstring SessionDirectory::LockPath() const {
  return path_.substr(0, path_.size() - 1) + L".lock";
}

IoStatus SessionDirectory::Claim(const std::wstring& base) {
  // A new claim gives up the old one, which would otherwise block itself.
  lock_.reset();
  path_.clear();
  for (int n = 1; n <= kMaxSessions; ++n) {
    const std::wstring dir = base + SessionName(n);
    LockAttempt attempt = facility_.Lock(dir + L".lock");
    if (attempt.busy) continue;
    if (!attempt.lock) return attempt.status;
    if (IoStatus made = facility_.MakeFresh(dir); !made) return made;
    base_ = base;
    path_ = dir + files_.Separator();
    lock_ = std::move(attempt.lock);
    return {};
  }
  return IoStatus::Failure(L"All " + std::to_wstring(kMaxSessions) +
                           L" exchange directories in \"" + base +
                           L"\" are in use by other sessions of the debugger.");
}

bool SessionDirectory::Intact() const {
  return lock_ != nullptr && lock_->StillHeld() && files_.DirectoryExists(path_);
}

IoStatus SessionDirectory::Restore() {
  if (lock_ == nullptr || Intact()) return {};
  if (IoStatus base = facility_.EnsurePrivate(base_); !base) return base;
  if (!lock_->StillHeld()) {
    // The lock file went with the directory; until it is locked again another
    // session could take the same name.
    LockAttempt attempt = facility_.Lock(LockPath());
    if (attempt.busy) {
      return IoStatus::Failure(L"The exchange directory \"" + path_ +
                               L"\" was removed and another session has taken it since.");
    }
    if (!attempt.lock) return attempt.status;
    lock_ = std::move(attempt.lock);
  } else if (files_.DirectoryExists(path_)) {
    return {};
  }
  return facility_.MakeFresh(path_.substr(0, path_.size() - 1));
}

}  // namespace tarnvelock
