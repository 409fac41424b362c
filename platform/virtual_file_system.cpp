// The in-memory file system used by tests.
#include "platform/virtual_file_system.h"

#include "platform/path_text.h"

namespace tarnvelock {

namespace {

std::wstring Parent(const std::wstring& full) {
  const size_t slash = full.find_last_of(L'/');
  return slash == 0 || slash == std::wstring::npos ? L"/" : full.substr(0, slash);
}

IoStatus NotFound(const std::wstring& path) {
  return IoStatus::Failure(L"Cannot open \"" + path + L"\": No such file or directory.");
}

}  // namespace

VirtualFileSystem::VirtualFileSystem() {
  directories_.insert(L"/");
}

std::wstring VirtualFileSystem::FullPath(const std::wstring& path) const {
  std::wstring absolute = path;
  for (wchar_t& c : absolute) {
    if (c == L'\\') c = L'/';
  }
  if (absolute.empty() || absolute[0] != L'/') absolute = current_ + L"/" + absolute;
  std::wstring full = NormaliseAbsolutePath(absolute, L'/');
  if (full.size() > 1 && full.back() == L'/') full.pop_back();
  return full;
}

void VirtualFileSystem::AddParents(const std::wstring& full) {
  for (std::wstring dir = Parent(full); directories_.insert(dir).second; dir = Parent(dir)) {
  }
}

void VirtualFileSystem::Create(const std::wstring& path, std::string_view contents) {
  const std::wstring full = FullPath(path);
  AddParents(full);
  files_[full] = File{std::string(contents), ++clock_};
}

std::string VirtualFileSystem::Contents(const std::wstring& path) const {
  const auto it = files_.find(FullPath(path));
  return it == files_.end() ? std::string() : it->second.contents;
}

void VirtualFileSystem::MakeInaccessible(const std::wstring& path) {
  inaccessible_.insert(FullPath(path));
}

void VirtualFileSystem::RemoveTree(const std::wstring& path) {
  const std::wstring full = FullPath(path);
  const std::wstring inside = full + L"/";
  const auto below = [&](const std::wstring& p) { return p == full || p.starts_with(inside); };
  std::erase_if(files_, [&](const auto& entry) { return below(entry.first); });
  std::erase_if(directories_, below);
}

bool VirtualFileSystem::FileExists(const std::wstring& path) const {
  return files_.count(FullPath(path)) != 0;
}

bool VirtualFileSystem::DirectoryExists(const std::wstring& path) const {
  return directories_.count(FullPath(path)) != 0;
}

std::optional<FileTimeStamp> VirtualFileSystem::LastWriteTime(const std::wstring& path) const {
  const auto it = files_.find(FullPath(path));
  if (it == files_.end()) return std::nullopt;
  return it->second.time;
}

IoStatus VirtualFileSystem::ReadFile(const std::wstring& path, std::string* contents) const {
  const std::wstring full = FullPath(path);
  const auto it = files_.find(full);
  if (inaccessible_.count(full) != 0) {
    return IoStatus::Failure(L"Cannot open \"" + path + L"\": Permission denied.");
  }
  if (it == files_.end()) return NotFound(path);
  *contents = it->second.contents;
  return {};
}

IoStatus VirtualFileSystem::CheckWritable(const std::wstring& full) const {
  if (inaccessible_.count(full) != 0) {
    return IoStatus::Failure(L"Cannot write \"" + full + L"\": Permission denied.");
  }
  if (directories_.count(Parent(full)) == 0) return NotFound(full);
  if (directories_.count(full) != 0) {
    return IoStatus::Failure(L"Cannot write \"" + full + L"\": Is a directory.");
  }
  return {};
}

IoStatus VirtualFileSystem::WriteFile(const std::wstring& path, std::string_view contents) {
  const std::wstring full = FullPath(path);
  if (IoStatus status = CheckWritable(full); !status) return status;
  files_[full] = File{std::string(contents), ++clock_};
  return {};
}

IoStatus VirtualFileSystem::AppendFile(const std::wstring& path, std::string_view contents) {
  const std::wstring full = FullPath(path);
  if (IoStatus status = CheckWritable(full); !status) return status;
  File& file = files_[full];
  file.contents += contents;
  file.time = ++clock_;
  return {};
}

IoStatus VirtualFileSystem::RemoveFile(const std::wstring& path) {
  const std::wstring full = FullPath(path);
  if (inaccessible_.count(full) != 0) {
    return IoStatus::Failure(L"Cannot delete \"" + path + L"\": Permission denied.");
  }
  if (files_.erase(full) == 0) return NotFound(path);
  return {};
}

IoStatus VirtualFileSystem::MoveFile(const std::wstring& from, const std::wstring& to) {
  const std::wstring source = FullPath(from);
  const std::wstring target = FullPath(to);
  const auto it = files_.find(source);
  if (it == files_.end() || inaccessible_.count(source) != 0) return NotFound(from);
  if (IoStatus status = CheckWritable(target); !status) return status;
  File file = it->second;
  files_.erase(it);
  files_[target] = std::move(file);
  return {};
}

IoStatus VirtualFileSystem::CopyFile(const std::wstring& from, const std::wstring& to) {
  std::string contents;
  if (IoStatus status = ReadFile(from, &contents); !status) return status;
  return WriteFile(to, contents);
}

IoStatus VirtualFileSystem::CreateDirectory(const std::wstring& path) {
  const std::wstring full = FullPath(path);
  if (directories_.count(Parent(full)) == 0) return NotFound(path);
  if (files_.count(full) != 0 || !directories_.insert(full).second) {
    return IoStatus::Failure(L"Cannot create directory \"" + path + L"\": File exists.");
  }
  return {};
}

IoStatus VirtualFileSystem::SetCurrentDirectory(const std::wstring& path) {
  const std::wstring full = FullPath(path);
  if (directories_.count(full) == 0) return NotFound(path);
  current_ = full;
  return {};
}

}  // namespace tarnvelock
