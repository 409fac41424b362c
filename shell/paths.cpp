// Windows-style paths on this system.
#include "shell/paths.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/file_system.h"
#include "platform/system_names.h"
#include "shell/text.h"

namespace tarnvelock {

namespace fs = std::filesystem;

namespace {

bool StartsWithDriveLetter(std::string_view path) {
  return path.size() >= 2 && path[1] == ':' &&
         ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
}

// The length of the drive ("C:") that begins an already native path.
std::size_t DriveLength(std::string_view native) {
  return HasDriveLetters() && StartsWithDriveLetter(native) ? 2 : 0;
}

}  // namespace

std::string NativePath(std::string_view path) {
  if (StartsWithDriveLetter(path) && !HasDriveLetters()) {
    path.remove_prefix(2);
    if (path.empty()) return ".";
  }
  if (EqualsIgnoreCase(path, "nul") || StartsWithIgnoreCase(path, "nul.")) {
    return std::string(NullDevicePath());
  }
  if (EqualsIgnoreCase(path, "con")) return std::string(ConsoleDevicePath());
  std::string result(path);
  std::replace(result.begin(), result.end(), '\\', '/');
  // Quotes only group a name ("dir"\"name".txt is dir\name.txt); no file
  // name holds one.
  std::erase(result, '"');
  return result;
}

std::string CurrentDirectory() {
  std::error_code error;
  fs::path current = fs::current_path(error);
  if (error) return std::string("/");
  // Some systems keep the separator a directory was entered with ("C:\dir\").
  std::string text = current.string();
  while (text.size() > 1 && (text.back() == '/' || text.back() == '\\') &&
         text[text.size() - 2] != ':') {
    text.pop_back();
  }
  return text;
}

std::string FullPath(std::string_view path) {
  std::string native = NativePath(path);
  if (native == NullDevicePath() || native == ConsoleDevicePath()) return native;
  std::string current = NativePath(CurrentDirectory());
  std::string drive = current.substr(0, DriveLength(current));
  if (std::size_t length = DriveLength(native); length > 0) {
    drive = native.substr(0, length);
    native.erase(0, length);
    // "C:name" is relative to the current directory when that is on C:.
    if (native.empty() || native[0] != '/') {
      native =
          (current.compare(0, 2, drive) == 0 ? current.substr(2) : std::string()) + "/" + native;
    }
  }
  std::string joined =
      (!native.empty() && native[0] == '/') ? native : current.substr(drive.size()) + "/" + native;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    std::string part = joined.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(std::move(part));
    }
    start = end + 1;
  }
  const char separator = static_cast<char>(PathSeparator());
  std::string result = drive;
  for (const std::string& part : parts) {
    result += separator;
    result += part;
  }
  if (result.size() == drive.size()) result.push_back(separator);
  // A trailing separator as written stays ("dir\" names the directory).
  if (!native.empty() && native.back() == '/' && result.back() != separator) result += separator;
  return result;
}

bool PathExists(const std::string& native) {
  std::error_code error;
  return fs::exists(native, error);
}

bool IsDirectory(const std::string& native) {
  std::error_code error;
  return fs::is_directory(native, error);
}

bool IsRegularFile(const std::string& native) {
  std::error_code error;
  return fs::is_regular_file(native, error);
}

std::optional<std::string> ReadFileBytes(const std::string& native) {
  if (IsDirectory(native)) return std::nullopt;
  std::ifstream in(native, std::ios::binary);
  if (!in) return std::nullopt;
  // istream::read turns a failing read into a stream state; iterating the
  // buffer directly would throw.
  std::string content;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    content.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return content;
}

bool HasWildcards(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  if (pattern == "*.*") pattern = "*";
  std::size_t p = 0, n = 0, star = std::string_view::npos, resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || AsciiUpper(pattern[p]) == AsciiUpper(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '.')) ++p;
  return p == pattern.size();
}

std::pair<std::string, std::string> SplitDirectory(std::string_view path) {
  std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string_view::npos) {
    if (path.size() >= 2 && path[1] == ':')
      return {std::string(path.substr(0, 2)), std::string(path.substr(2))};
    return {"", std::string(path)};
  }
  return {std::string(path.substr(0, slash + 1)), std::string(path.substr(slash + 1))};
}

std::vector<GlobMatch> Glob(std::string_view pattern) {
  std::vector<GlobMatch> result;
  auto [directory, name] = SplitDirectory(pattern);
  if (!HasWildcards(name)) {
    std::string native = NativePath(pattern);
    if (PathExists(native)) result.push_back({std::string(pattern), IsDirectory(native)});
    return result;
  }
  std::string native_dir = directory.empty() ? std::string(".") : NativePath(directory);
  std::error_code error;
  for (fs::directory_iterator it(native_dir, error), end; !error && it != end;
       it.increment(error)) {
    std::string entry = it->path().filename().string();
    if (WildcardMatch(name, entry)) {
      std::error_code kind_error;
      result.push_back({directory + entry, it->is_directory(kind_error)});
    }
  }
  std::sort(result.begin(), result.end(), [](const GlobMatch& a, const GlobMatch& b) {
    return IgnoreCaseLess()(a.path, b.path);
  });
  return result;
}

}  // namespace tarnvelock
