// FileSystem: every file operation the debugger performs, behind one interface
// so that tests can run against VirtualFileSystem instead of the disk.
// Paths are full or relative paths as text; both "\" and "/" separate
// directories on Windows, "/" on POSIX.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/io_status.h"

namespace tarnvelock {

// The directory separator of this system: L'\\' on Windows, L'/' on POSIX.
wchar_t PathSeparator();

// Last-write time of a file in nanoseconds since 1970; 0 stands for "none".
using FileTimeStamp = std::int64_t;

enum class WriteMode { Replace, Append };

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::wstring& path) const = 0;
  virtual bool DirectoryExists(const std::wstring& path) const = 0;
  // The absolute, normalised form of path (relative to the current directory).
  virtual std::wstring FullPath(const std::wstring& path) const = 0;
  virtual std::optional<FileTimeStamp> LastWriteTime(const std::wstring& path) const = 0;
  // Whether a and b name one file, also through links; two names of which
  // one does not exist are the same only as the same full path.
  virtual bool SameFile(const std::wstring& a, const std::wstring& b) const {
    return FullPath(a) == FullPath(b);
  }

  virtual IoStatus ReadFile(const std::wstring& path, std::string* contents) const = 0;
  // Creates or replaces path with exactly these bytes.
  virtual IoStatus WriteFile(const std::wstring& path, std::string_view contents) = 0;
  virtual IoStatus AppendFile(const std::wstring& path, std::string_view contents) = 0;
  // As WriteFile or AppendFile, except that a symbolic link at path is
  // refused instead of followed: for the files of a private directory, where
  // a link can only have been planted. A file system without links writes.
  virtual IoStatus WriteNoFollow(const std::wstring& path, std::string_view contents,
                                 WriteMode mode) {
    return mode == WriteMode::Append ? AppendFile(path, contents) : WriteFile(path, contents);
  }
  virtual IoStatus RemoveFile(const std::wstring& path) = 0;
  // Renames from to to; across volumes it copies and then removes from.
  // An existing to is replaced.
  virtual IoStatus MoveFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual IoStatus CopyFile(const std::wstring& from, const std::wstring& to) = 0;
  virtual IoStatus CreateDirectory(const std::wstring& path) = 0;

  virtual std::wstring CurrentDirectory() const = 0;
  virtual IoStatus SetCurrentDirectory(const std::wstring& path) = 0;

  // The separator of the paths this file system makes; "/" is taken too.
  virtual wchar_t Separator() const { return PathSeparator(); }
};

// The real file system of this machine.
FileSystem& SystemFileSystem();

}  // namespace tarnvelock
