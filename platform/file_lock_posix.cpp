// FileLock on POSIX systems: flock on a descriptor that child processes do not
// inherit, so a batch interpreter that outlives a crashed debugger holds no
// lock of it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/code_page.h"
#include "platform/file_lock.h"

namespace tarnvelock {

namespace {

class PosixFileLock final : public FileLock {
 public:
  PosixFileLock(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  ~PosixFileLock() override { ::close(fd_); }
  PosixFileLock(const PosixFileLock&) = delete;
  PosixFileLock& operator=(const PosixFileLock&) = delete;

  bool StillHeld() const override {
    struct stat held, named;
    return ::fstat(fd_, &held) == 0 && ::lstat(path_.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
  }

 private:
  int fd_;
  std::string path_;
};

IoStatus Failure(const std::wstring& path, const std::wstring& why) {
  return IoStatus::Failure(L"Cannot lock \"" + path + L"\": " + why);
}

}  // namespace

LockAttempt TryLockFile(const std::wstring& path) {
  const std::string native = ToUtf8(path);
  LockAttempt attempt;
  const int fd = ::open(native.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) {
    attempt.status = Failure(path, FromUtf8(std::strerror(errno)) + L".");
    return attempt;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    ::close(fd);
    attempt.status = Failure(path, L"it is not a file of this user.");
    return attempt;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) {
      attempt.busy = true;
    } else {
      attempt.status = Failure(path, FromUtf8(std::strerror(error)) + L".");
    }
    return attempt;
  }
  attempt.lock = std::make_unique<PosixFileLock>(fd, native);
  return attempt;
}

}  // namespace tarnvelock
