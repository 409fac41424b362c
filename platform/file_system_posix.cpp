// FileSystem on POSIX systems. Paths are passed to the system as UTF-8; a
// backslash is taken as a directory separator too, since batch files and
// their settings are written with Windows paths in mind.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/path_text.h"

namespace tarnvelock {

namespace {

std::string NativePath(const std::wstring& path) {
  std::string bytes = ToUtf8(path);
  for (char& c : bytes) {
    if (c == '\\') c = '/';
  }
  return bytes;
}

IoStatus ErrnoFailure(const char* action, const std::wstring& path, int error) {
  return IoStatus::Failure(FromUtf8(action) + L" \"" + path + L"\": " +
                           FromUtf8(std::strerror(error)) + L".");
}

IoStatus WriteAll(int fd, std::string_view contents, const std::wstring& path) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      ::close(fd);
      return ErrnoFailure("Cannot write", path, error);
    }
    contents.remove_prefix(static_cast<size_t>(written));
  }
  if (::close(fd) != 0) return ErrnoFailure("Cannot write", path, errno);
  return {};
}

IoStatus WriteWithFlags(const std::wstring& path, std::string_view contents, int flags) {
  const int fd = ::open(NativePath(path).c_str(), flags | O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return ErrnoFailure("Cannot write", path, errno);
  return WriteAll(fd, contents, path);
}

class PosixFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::wstring& path) const override {
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
  }

  bool DirectoryExists(const std::wstring& path) const override {
    struct stat st;
    return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
  }

  std::wstring FullPath(const std::wstring& path) const override {
    std::wstring absolute = path;
    for (wchar_t& c : absolute) {
      if (c == L'\\') c = L'/';
    }
    if (absolute.empty() || absolute[0] != L'/') absolute = CurrentDirectory() + L"/" + absolute;
    return NormaliseAbsolutePath(absolute, L'/');
  }

  bool SameFile(const std::wstring& a, const std::wstring& b) const override {
    struct stat first, second;
    if (::stat(NativePath(a).c_str(), &first) == 0 && ::stat(NativePath(b).c_str(), &second) == 0) {
      return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    return FullPath(a) == FullPath(b);
  }

  std::optional<FileTimeStamp> LastWriteTime(const std::wstring& path) const override {
    struct stat st;
    if (::stat(NativePath(path).c_str(), &st) != 0) return std::nullopt;
    return static_cast<FileTimeStamp>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  }

  IoStatus ReadFile(const std::wstring& path, std::string* contents) const override {
    const int fd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return ErrnoFailure("Cannot open", path, errno);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
      ::close(fd);
      return ErrnoFailure("Cannot open", path, EISDIR);
    }
    contents->clear();
    char buffer[65536];
    for (;;) {
      const ssize_t got = ::read(fd, buffer, sizeof buffer);
      if (got == 0) break;
      if (got < 0) {
        if (errno == EINTR) continue;
        const int error = errno;
        ::close(fd);
        return ErrnoFailure("Cannot read", path, error);
      }
      contents->append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return {};
  }

  IoStatus WriteFile(const std::wstring& path, std::string_view contents) override {
    return WriteWithFlags(path, contents, O_TRUNC);
  }

  IoStatus AppendFile(const std::wstring& path, std::string_view contents) override {
    return WriteWithFlags(path, contents, O_APPEND);
  }

  IoStatus WriteNoFollow(const std::wstring& path, std::string_view contents,
                         WriteMode mode) override {
    return WriteWithFlags(path, contents,
                          O_NOFOLLOW | (mode == WriteMode::Append ? O_APPEND : O_TRUNC));
  }

  IoStatus RemoveFile(const std::wstring& path) override {
    if (::unlink(NativePath(path).c_str()) != 0) return ErrnoFailure("Cannot delete", path, errno);
    return {};
  }

  IoStatus MoveFile(const std::wstring& from, const std::wstring& to) override {
    if (::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0) return {};
    if (errno != EXDEV) return ErrnoFailure("Cannot move", from, errno);
    if (IoStatus copied = CopyFile(from, to); !copied) return copied;
    return RemoveFile(from);
  }

  IoStatus CopyFile(const std::wstring& from, const std::wstring& to) override {
    std::string contents;
    if (IoStatus read = ReadFile(from, &contents); !read) return read;
    return WriteFile(to, contents);
  }

  IoStatus CreateDirectory(const std::wstring& path) override {
    if (::mkdir(NativePath(path).c_str(), 0700) != 0) {
      return ErrnoFailure("Cannot create directory", path, errno);
    }
    return {};
  }

  std::wstring CurrentDirectory() const override {
    std::vector<char> buffer(PATH_MAX);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
      if (errno != ERANGE) return L"/";
      buffer.resize(buffer.size() * 2);
    }
    return FromUtf8(buffer.data());
  }

  IoStatus SetCurrentDirectory(const std::wstring& path) override {
    if (::chdir(NativePath(path).c_str()) != 0) {
      return ErrnoFailure("Cannot change to directory", path, errno);
    }
    return {};
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static PosixFileSystem file_system;
  return file_system;
}

wchar_t PathSeparator() {
  return L'/';
}

}  // namespace tarnvelock
