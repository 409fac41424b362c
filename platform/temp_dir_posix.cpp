// The private temporary directory on POSIX systems: $TMPDIR, else the
// session's $XDG_RUNTIME_DIR, else /tmp as the base, and a directory of mode
// 0700 that must belong to this user.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/code_page.h"
#include "platform/temp_dir.h"

namespace tarnvelock {

namespace {

// An absolute directory named by the environment variable, else nothing;
// a relative one would depend on where the program happened to start.
const char* AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value == '/' ? value : nullptr;
}

}  // namespace

std::wstring SystemTempBase() {
  // The exchange files are rewritten at every line the batch runs. The
  // runtime directory of a desktop session is a memory file system of this
  // user's own; on a disk file system each rewrite of a truncated file costs
  // a flush, which makes free runs several times slower.
  const char* chosen = AbsoluteFromEnvironment("TMPDIR");
  if (chosen == nullptr) chosen = AbsoluteFromEnvironment("XDG_RUNTIME_DIR");
  std::wstring base = FromUtf8(chosen != nullptr ? chosen : "/tmp");
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
