// FileSystem on Windows, through the wide file functions; "/" is taken as a
// directory separator as well as "\".
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/win32_error.h"

namespace tarnvelock {

namespace {

// 100-nanosecond steps between 1601-01-01 (FILETIME) and 1970-01-01.
constexpr std::int64_t kEpochDifference = 116'444'736'000'000'000LL;

IoStatus LastErrorFailure(const char* action, const std::wstring& path) {
  const DWORD error = ::GetLastError();
  return IoStatus::Failure(std::wstring(action, action + std::char_traits<char>::length(action)) +
                           L" \"" + path + L"\": " + Win32ErrorText(error));
}

// Owns one file handle.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) ::CloseHandle(handle_);
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool Close() {
    const bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

 private:
  HANDLE handle_;
};

IoStatus WriteWith(const std::wstring& path, std::string_view contents, DWORD disposition,
                   bool append) {
  // Others may read and even delete the file meanwhile: the batch and the
  // debugger look at each other's files while they are being written.
  FileHandle file(::CreateFileW(path.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return LastErrorFailure("Cannot write", path);
  while (!contents.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), contents.data(), chunk, &written, nullptr)) {
      return LastErrorFailure("Cannot write", path);
    }
    contents.remove_prefix(written);
  }
  if (!file.Close()) return LastErrorFailure("Cannot write", path);
  return {};
}

std::optional<WIN32_FILE_ATTRIBUTE_DATA> Attributes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

class Win32FileSystem final : public FileSystem {
 public:
  bool FileExists(const std::wstring& path) const override {
    const auto data = Attributes(path);
    return data && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool DirectoryExists(const std::wstring& path) const override {
    const auto data = Attributes(path);
    return data && (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  }

  std::wstring FullPath(const std::wstring& path) const override {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
      const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()),
                                              buffer.data(), nullptr);
      if (length == 0) return path;
      if (length < buffer.size()) return std::wstring(buffer.data(), length);
      buffer.resize(length);
    }
  }

  std::optional<FileTimeStamp> LastWriteTime(const std::wstring& path) const override {
    const auto data = Attributes(path);
    if (!data) return std::nullopt;
    const std::int64_t ticks =
        (static_cast<std::int64_t>(data->ftLastWriteTime.dwHighDateTime) << 32) |
        data->ftLastWriteTime.dwLowDateTime;
    return (ticks - kEpochDifference) * 100;
  }

  IoStatus ReadFile(const std::wstring& path, std::string* contents) const override {
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastErrorFailure("Cannot open", path);
    contents->clear();
    char buffer[65536];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
        return LastErrorFailure("Cannot read", path);
      }
      if (got == 0) break;
      contents->append(buffer, got);
    }
    return {};
  }

  IoStatus WriteFile(const std::wstring& path, std::string_view contents) override {
    return WriteWith(path, contents, CREATE_ALWAYS, false);
  }

  IoStatus AppendFile(const std::wstring& path, std::string_view contents) override {
    return WriteWith(path, contents, OPEN_ALWAYS, true);
  }

  IoStatus RemoveFile(const std::wstring& path) override {
    if (!::DeleteFileW(path.c_str())) return LastErrorFailure("Cannot delete", path);
    return {};
  }

  IoStatus MoveFile(const std::wstring& from, const std::wstring& to) override {
    if (!::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) {
      return LastErrorFailure("Cannot move", from);
    }
    return {};
  }

  IoStatus CopyFile(const std::wstring& from, const std::wstring& to) override {
    if (!::CopyFileW(from.c_str(), to.c_str(), FALSE)) return LastErrorFailure("Cannot copy", from);
    return {};
  }

  IoStatus CreateDirectory(const std::wstring& path) override {
    if (!::CreateDirectoryW(path.c_str(), nullptr)) {
      return LastErrorFailure("Cannot create directory", path);
    }
    return {};
  }

  std::wstring CurrentDirectory() const override {
    const DWORD length = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(length, L'\0');
    const DWORD written = ::GetCurrentDirectoryW(length, directory.data());
    directory.resize(written);
    return directory;
  }

  IoStatus SetCurrentDirectory(const std::wstring& path) override {
    if (!::SetCurrentDirectoryW(path.c_str())) {
      return LastErrorFailure("Cannot change to directory", path);
    }
    return {};
  }
};

}  // namespace

FileSystem& SystemFileSystem() {
  static Win32FileSystem file_system;
  return file_system;
}

wchar_t PathSeparator() {
  return L'\\';
}

}  // namespace tarnvelock
