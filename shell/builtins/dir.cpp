// DIR: lists files and directories; /B bare names, /S subdirectories too,
// /A:D or /A:-D only directories or only files, /O sort orders.
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

// One key of a /O sort order: N name, E extension, S size, D date, G
// directories first; reversed when written after "-".
struct SortKey {
  char key = 'N';
  bool reverse = false;
};

struct DirOptions {
  bool bare = false;
  bool recursive = false;
  int directories = 0;  // 1 only directories, -1 only files, 0 both
  std::vector<SortKey> order{{'N', false}};
};

// The keys of "/O", "/O:GN", "/O-S" ...; "/O" alone groups directories
// first and sorts by name. False for a letter that is no sort key.
bool ParseSortOrder(std::string_view spec, std::vector<SortKey>* order) {
  if (!spec.empty() && spec.front() == ':') spec.remove_prefix(1);
  if (spec.empty()) {
    *order = {{'G', false}, {'N', false}};
    return true;
  }
  order->clear();
  bool reverse = false;
  for (char c : spec) {
    if (c == '-') {
      reverse = true;
      continue;
    }
    char key = AsciiUpper(c);
    if (std::string_view("NESDG").find(key) == std::string_view::npos) return false;
    order->push_back({key, reverse});
    reverse = false;
  }
  return !order->empty();
}

// Compares two entries by one key: negative, zero or positive.
int CompareBy(char key, const fs::directory_entry& a, const fs::directory_entry& b) {
  std::error_code error;
  auto three_way = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
  auto text = [](const std::string& x, const std::string& y) {
    return IgnoreCaseLess()(x, y) ? -1 : (IgnoreCaseLess()(y, x) ? 1 : 0);
  };
  switch (key) {
    case 'E':
      return text(a.path().extension().string(), b.path().extension().string());
    case 'S':
      return three_way(a.is_directory(error) ? 0 : a.file_size(error),
                       b.is_directory(error) ? 0 : b.file_size(error));
    case 'D':
      return three_way(a.last_write_time(error), b.last_write_time(error));
    case 'G':
      return three_way(a.is_directory(error) ? 0 : 1, b.is_directory(error) ? 0 : 1);
    default:
      return text(a.path().filename().string(), b.path().filename().string());
  }
}

void SortEntries(std::vector<fs::directory_entry>* entries, const std::vector<SortKey>& order) {
  std::stable_sort(entries->begin(), entries->end(), [&order](const auto& a, const auto& b) {
    for (const SortKey& key : order) {
      int result = CompareBy(key.key, a, b);
      if (result != 0) return key.reverse ? result > 0 : result < 0;
    }
    return false;
  });
}

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
  SortEntries(&entries, options.order);
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
    } else if (upper.rfind("/O", 0) == 0) {
      if (!ParseSortOrder(std::string_view(upper).substr(2), &options.order)) {
        shell.ErrorLine("Invalid switch - \"" + word.substr(1) + "\".");
        shell.set_error_level(1);
        return 1;
      }
    } else if (!word.empty() && word[0] == '/') {
      continue;  // other views change nothing here
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
