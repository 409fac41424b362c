// DIR: lists files and directories; /B bare names, /S subdirectories too,
// /A:D or /A:-D only directories or only files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "shell/arguments.h"
#include "shell/builtins/builtins.h"
#include "shell/interpreter.h"
#include "shell/path_modifiers.h"
#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace {

namespace fs = std::filesystem;

struct DirOptions {
  bool bare = false;
  bool recursive = false;
  int directories = 0;  // 1 only directories, -1 only files, 0 both
};

std::string Stamp(const fs::directory_entry& entry) {
  std::error_code error;
  const auto stamp = entry.last_write_time(error);
  if (error) return std::string(20, ' ');
  return FormatFileTime(stamp, "  ");
}

std::string Grouped(std::uintmax_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// Lists one directory; returns the number of entries shown.
int ListDirectory(Interpreter& shell, const std::string& directory, const std::string& pattern,
                  const DirOptions& options) {
  std::vector<fs::directory_entry> entries;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::error_code kind_error;
    bool is_directory = it->is_directory(kind_error);
    if (options.directories == 1 && !is_directory) continue;
    if (options.directories == -1 && is_directory) continue;
    if (WildcardMatch(pattern, it->path().filename().string())) entries.push_back(*it);
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) {
    return IgnoreCaseLess()(a.path().filename().string(), b.path().filename().string());
  });
  std::string out;
  std::uintmax_t bytes = 0;
  int files = 0;
  for (const auto& entry : entries) {
    std::string name = entry.path().filename().string();
    if (options.bare) {
      out += (options.recursive ? entry.path().string() : name) + std::string(kNewline);
      continue;
    }
    std::error_code kind_error;
    if (entry.is_directory(kind_error)) {
      out += Stamp(entry) + "    <DIR>          " + name + std::string(kNewline);
    } else {
      std::uintmax_t size = entry.file_size(kind_error);
      bytes += size;
      ++files;
      out += Stamp(entry) + " " + PadLeft(Grouped(size), 17) + " " + name + std::string(kNewline);
    }
  }
  if (!options.bare && !entries.empty()) {
    out = std::string(kNewline) + " Directory of " + directory + std::string(kNewline) +
          std::string(kNewline) + out + PadLeft(std::to_string(files), 16) + " File(s) " +
          PadLeft(Grouped(bytes), 14) + " bytes" + std::string(kNewline);
  }
  shell.Out(out);
  int shown = static_cast<int>(entries.size());
  if (options.recursive) {
    std::vector<std::string> children;
    for (fs::directory_iterator it(directory, error), end; !error && it != end;
         it.increment(error)) {
      std::error_code kind_error;
      if (it->is_directory(kind_error) && !it->is_symlink(kind_error)) {
        children.push_back(it->path().string());
      }
    }
    std::sort(children.begin(), children.end(), IgnoreCaseLess());
    for (const std::string& child : children)
      shown += ListDirectory(shell, child, pattern, options);
  }
  return shown;
}

}  // namespace

int RunDir(Interpreter& shell, std::string_view arguments) {
  DirOptions options;
  std::vector<std::string> targets;
  for (const std::string& word : SplitArgumentsAndSwitches(arguments)) {
    std::string upper = ToUpper(word);
    if (upper == "/B") {
      options.bare = true;
    } else if (upper == "/S") {
      options.recursive = true;
    } else if (upper == "/AD" || upper == "/A:D") {
      options.directories = 1;
    } else if (upper == "/A-D" || upper == "/A:-D") {
      options.directories = -1;
    } else if (!word.empty() && word[0] == '/') {
      continue;  // sort orders and other views: names are sorted anyway
    } else {
      targets.emplace_back(StripQuotes(word));
    }
  }
  if (targets.empty()) targets.emplace_back(".");
  int shown = 0;
  for (const std::string& target : targets) {
    std::string native = NativePath(target);
    std::string directory = native;
    std::string pattern = "*";
    if (!IsDirectory(native)) {
      auto [parent, name] = SplitDirectory(native);
      directory = parent.empty() ? std::string(".") : parent;
      pattern = name;
    }
    shown += ListDirectory(shell, FullPath(directory), pattern, options);
  }
  if (shown == 0) {
    shell.ErrorLine("File Not Found");
    shell.set_error_level(1);
    return 1;
  }
  shell.set_error_level(0);
  return 0;
}

}  // namespace tarnvelock
