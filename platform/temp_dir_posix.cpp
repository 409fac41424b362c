// The private temporary directory on POSIX systems: $TMPDIR or /tmp as the
// base, and a directory of mode 0700 that must belong to this user.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/code_page.h"
#include "platform/temp_dir.h"

namespace tarnvelock {

std::wstring SystemTempBase() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::wstring base = FromUtf8(tmpdir != nullptr && *tmpdir == '/' ? tmpdir : "/tmp");
  if (base.back() != L'/') base += L'/';
  return base;
}

IoStatus EnsurePrivateDirectory(const std::wstring& path) {
  std::string native = ToUtf8(path);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  auto refuse = [&path](const std::wstring& why) {
    return IoStatus::Failure(L"The temporary directory \"" + path + L"\" cannot be used: " + why);
  };

  struct stat st;
  if (::lstat(native.c_str(), &st) != 0) {
    if (errno != ENOENT) return refuse(FromUtf8(std::strerror(errno)) + L".");
    if (::mkdir(native.c_str(), 0700) != 0) return refuse(FromUtf8(std::strerror(errno)) + L".");
    if (::lstat(native.c_str(), &st) != 0) return refuse(FromUtf8(std::strerror(errno)) + L".");
  }
  if (S_ISLNK(st.st_mode)) return refuse(L"it is a symbolic link.");
  if (!S_ISDIR(st.st_mode)) return refuse(L"it is not a directory.");
  if (st.st_uid != ::geteuid()) return refuse(L"it belongs to another user.");
  if ((st.st_mode & 077) != 0 && ::chmod(native.c_str(), 0700) != 0) {
    return refuse(L"others can write to it and its permissions cannot be restricted.");
  }
  return {};
}

}  // namespace tarnvelock
