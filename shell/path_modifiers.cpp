// The "%~" modifiers of batch parameters and FOR variables.
#include "shell/path_modifiers.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "shell/paths.h"
#include "shell/text.h"

namespace tarnvelock {

namespace fs = std::filesystem;

std::string FormatFileTime(fs::file_time_type stamp, const char* gap) {
  auto system = std::chrono::time_point_cast<std::chrono::system_clock::duration>(
      stamp - fs::file_time_type::clock::now() + std::chrono::system_clock::now());
  std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local = *std::localtime(&seconds);
  int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d%s%02d:%02d %s", local.tm_mon + 1,
                local.tm_mday, local.tm_year + 1900, gap, hour, local.tm_min,
                local.tm_hour < 12 ? "AM" : "PM");
  return buffer;
}

namespace {

bool Has(std::string_view letters, char letter) {
  for (char c : letters) {
    if (AsciiLower(c) == letter) return true;
  }
  return false;
}

std::string Attributes(const std::string& native) {
  std::error_code error;
  fs::file_status status = fs::status(native, error);
  if (error || !fs::exists(status)) return {};
  std::string result = "---------";
  if (fs::is_directory(status)) result[0] = 'd';
  if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) result[1] = 'r';
  if (!fs::is_directory(status)) result[2] = 'a';
  return result;
}

// en-US form, as the English Windows interpreter prints file times.
std::string FileTime(const std::string& native) {
  std::error_code error;
  const fs::file_time_type stamp = fs::last_write_time(native, error);
  if (error) return {};
  return FormatFileTime(stamp, " ");
}

std::string FileSize(const std::string& native) {
  std::error_code error;
  if (!fs::is_regular_file(native, error)) return {};
  auto size = fs::file_size(native, error);
  return error ? std::string() : std::to_string(size);
}

std::string SearchList(std::string_view name, const std::string& list) {
  std::size_t start = 0;
  while (start <= list.size()) {
    std::size_t end = list.find_first_of(";:", start);
    if (end == std::string::npos) end = list.size();
    std::string directory = list.substr(start, end - start);
    if (!directory.empty()) {
      std::string candidate = FullPath(directory + "/" + std::string(name));
      if (PathExists(candidate)) return candidate;
    }
    start = end + 1;
  }
  return {};
}

}  // namespace

std::string ApplyPathModifiers(std::string_view value, std::string_view letters,
                               const std::string* search_list) {
  std::string_view plain = StripQuotes(value);
  if (letters.empty() && search_list == nullptr) return std::string(plain);
  std::string full;
  if (search_list != nullptr) {
    full = SearchList(plain, *search_list);
    if (full.empty()) return {};
  } else {
    if (plain.empty()) return {};
    full = FullPath(plain);
  }
  bool any_part = Has(letters, 'f') || Has(letters, 'd') || Has(letters, 'p') ||
                  Has(letters, 'n') || Has(letters, 'x');
  bool any_info = Has(letters, 'a') || Has(letters, 't') || Has(letters, 'z');
  std::string native = full;
  std::string path;
  if (Has(letters, 'f') || (!any_part && !any_info)) {
    path = full;
  } else if (any_part) {
    auto [directory, name] = SplitDirectory(full);
    std::size_t dot = name.rfind('.');
    std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    std::string extension = dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
    if (Has(letters, 'p')) path += directory;
    if (Has(letters, 'n')) path += stem;
    if (Has(letters, 'x')) path += extension;
  }
  std::string result;
  auto add = [&result](const std::string& item) {
    if (item.empty()) return;
    if (!result.empty()) result += ' ';
    result += item;
  };
  if (Has(letters, 'a')) add(Attributes(native));
  if (Has(letters, 't')) add(FileTime(native));
  if (Has(letters, 'z')) add(FileSize(native));
  add(path);
  return result;
}

}  // namespace tarnvelock
