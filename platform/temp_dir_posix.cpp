// The private temporary directories on POSIX systems: the session's
// $XDG_RUNTIME_DIR, else a directory of mode 0700 named after the user in
// $TMPDIR or /tmp, which must belong to this user and be closed to others.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/code_page.h"
#include "platform/temp_dir.h"
#include "platform/user_account.h"

namespace tarnvelock {

namespace {

// An absolute directory named by the environment variable, else nothing;
// a relative one would depend on where the program happened to start.
const char* AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value == '/' ? value : nullptr;
}

std::string WithoutTrailingSlashes(const std::wstring& path) {
  std::string native = ToUtf8(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  return native;
}

IoStatus Refusal(const std::wstring& path, const std::wstring& why) {
  return IoStatus::Failure(L"The temporary directory \"" + path + L"\" cannot be used: " + why);
}

IoStatus ErrnoRefusal(const std::wstring& path, int error) {
  return Refusal(path, FromUtf8(std::strerror(error)) + L".");
}

// Whether st is a directory that only this user can change.
IoStatus CheckPrivate(const std::wstring& path, const struct stat& st) {
  if (S_ISLNK(st.st_mode)) return Refusal(path, L"it is a symbolic link.");
  if (!S_ISDIR(st.st_mode)) return Refusal(path, L"it is not a directory.");
  if (st.st_uid != ::geteuid()) return Refusal(path, L"it belongs to another user.");
  if ((st.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return Refusal(path, L"others can write to it. Make it private (chmod 700) or remove it.");
  }
  return {};
}

}  // namespace

std::wstring SystemTempBase() {
  // The exchange files are rewritten at every line the batch runs. The
  // runtime directory of a desktop session is a memory file system of this
  // user's own; on a disk file system each rewrite of a truncated file costs
  // a flush, which makes free runs several times slower.
  if (const char* runtime = AbsoluteFromEnvironment("XDG_RUNTIME_DIR")) {
    std::wstring base = FromUtf8(runtime);
    if (base.back() != L'/') base += L'/';
    return base;
  }
  const char* shared = AbsoluteFromEnvironment("TMPDIR");
  std::wstring base = FromUtf8(shared != nullptr ? shared : "/tmp");
  if (base.back() != L'/') base += L'/';
  return base + L"tarnvelock-" + AccountId() + L"/";
}

IoStatus EnsurePrivateDirectory(const std::wstring& path) {
  const std::string native = WithoutTrailingSlashes(path);
  struct stat st;
  if (::lstat(native.c_str(), &st) != 0) {
    if (errno != ENOENT) return ErrnoRefusal(path, errno);
    if (::mkdir(native.c_str(), 0700) != 0 && errno != EEXIST) return ErrnoRefusal(path, errno);
    if (::lstat(native.c_str(), &st) != 0) return ErrnoRefusal(path, errno);
  }
  return CheckPrivate(path, st);
}

IoStatus RecreatePrivateDirectory(const std::wstring& path) {
  const std::string native = WithoutTrailingSlashes(path);
  std::error_code error;
  // remove_all removes a symbolic link itself, never what it points to.
  std::filesystem::remove_all(native, error);
  if (error) return Refusal(path, FromUtf8(error.message()) + L".");
  if (::mkdir(native.c_str(), 0700) != 0) return ErrnoRefusal(path, errno);
  struct stat st;
  if (::lstat(native.c_str(), &st) != 0) return ErrnoRefusal(path, errno);
  return CheckPrivate(path, st);
}

}  // namespace tarnvelock
