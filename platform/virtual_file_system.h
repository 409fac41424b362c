// VirtualFileSystem: an in-memory FileSystem for tests. Paths use "/" (a "\" is
// taken as "/"), relative paths start at the current directory "/", every
// write advances a clock that serves as the last-write time, and single files
// can be made to fail reads, writes or removals.
#pragma once

#include <map>
#include <set>
#include <string>

#include "platform/file_system.h"

namespace tarnvelock {

class VirtualFileSystem final : public FileSystem {
 public:
  VirtualFileSystem();

  // Creates path with contents (and its parent directories), as a write would.
  void Create(const std::wstring& path, std::string_view contents);
  // The contents of path; empty when there is no such file.
  std::string Contents(const std::wstring& path) const;
  // Makes every operation on path fail from now on.
  void MakeInaccessible(const std::wstring& path);
  // Removes path with everything below it, as another program might.
  void RemoveTree(const std::wstring& path);

  bool FileExists(const std::wstring& path) const override;
  bool DirectoryExists(const std::wstring& path) const override;
  std::wstring FullPath(const std::wstring& path) const override;
  std::optional<FileTimeStamp> LastWriteTime(const std::wstring& path) const override;
  IoStatus ReadFile(const std::wstring& path, std::string* contents) const override;
  IoStatus WriteFile(const std::wstring& path, std::string_view contents) override;
  IoStatus AppendFile(const std::wstring& path, std::string_view contents) override;
  IoStatus RemoveFile(const std::wstring& path) override;
  IoStatus MoveFile(const std::wstring& from, const std::wstring& to) override;
  IoStatus CopyFile(const std::wstring& from, const std::wstring& to) override;
  IoStatus CreateDirectory(const std::wstring& path) override;
  std::wstring CurrentDirectory() const override { return current_; }
  IoStatus SetCurrentDirectory(const std::wstring& path) override;
  wchar_t Separator() const override { return L'/'; }

 private:
  struct File {
    std::string contents;
    FileTimeStamp time = 0;
  };

  IoStatus CheckWritable(const std::wstring& full) const;
  void AddParents(const std::wstring& full);

  std::map<std::wstring, File> files_;
  std::set<std::wstring> directories_;
  std::set<std::wstring> inaccessible_;
  std::wstring current_ = L"/";
  FileTimeStamp clock_ = 1'000'000'000;
};

}  // namespace tarnvelock
