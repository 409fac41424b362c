// Windows-style paths on this system: batch files write "\" or "/", drive
// letters may appear, names compare without case and "*" and "?" match files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

// The path as this system spells it: "\" becomes "/", a leading drive ("C:")
// is dropped, and the device names NUL and CON map to their devices here.
std::string NativePath(std::string_view path);
// The absolute, normalised form of path ("." and ".." resolved, no doubled
// separators), relative to the current directory.
std::string FullPath(std::string_view path);
std::string CurrentDirectory();

bool PathExists(const std::string& native);
bool IsDirectory(const std::string& native);
bool IsRegularFile(const std::string& native);
// The whole content of a file; nothing for a directory or an unreadable file.
std::optional<std::string> ReadFileBytes(const std::string& native);

bool HasWildcards(std::string_view name);
// "*" matches any run, "?" one character; letters match without case.
bool WildcardMatch(std::string_view pattern, std::string_view name);

struct GlobMatch {
  std::string path;  // the directory part as written plus the matching name
  bool directory = false;
};
// The entries matching pattern (wildcards in its last part only), sorted by
// name; without wildcards the path itself when it exists.
std::vector<GlobMatch> Glob(std::string_view pattern);

// Splits "dir/name.ext" at the last separator: ("dir/", "name.ext").
std::pair<std::string, std::string> SplitDirectory(std::string_view path);

}  // namespace tarnvelock
