// FileLock on Windows: the file opened without sharing. The system closes the
// handle when the process ends, and the handle is not inheritable, so child
// processes hold no lock of ours.
#include <windows.h>

#include "platform/file_lock.h"

namespace tarnvelock {

namespace {

class Win32FileLock final : public FileLock {
 public:
  Win32FileLock(HANDLE handle, std::wstring path) : handle_(handle), path_(std::move(path)) {}
  ~Win32FileLock() override { ::CloseHandle(handle_); }
  Win32FileLock(const Win32FileLock&) = delete;
  Win32FileLock& operator=(const Win32FileLock&) = delete;

  // A file open without delete sharing cannot be removed, nor its directory.
  bool StillHeld() const override {
    return ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

 private:
  HANDLE handle_;
  std::wstring path_;
};

std::wstring SystemText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text =
      length != 0 ? std::wstring(buffer, length) : L"error " + std::to_wstring(error);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return text;
}

}  // namespace

LockAttempt TryLockFile(const std::wstring& path) {
  LockAttempt attempt;
  const HANDLE handle =
      ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_SHARING_VIOLATION) {
      attempt.busy = true;
    } else {
      attempt.status = IoStatus::Failure(L"Cannot lock \"" + path + L"\": " + SystemText(error));
    }
    return attempt;
  }
  attempt.lock = std::make_unique<Win32FileLock>(handle, path);
  return attempt;
}

}  // namespace tarnvelock
