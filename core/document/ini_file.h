// IniFile: the text of an INI file in memory, with the lookup and update rules
// of the Windows profile-string functions that the settings files rely on:
// section and key names match without regard to letter case, a new key goes
// to the end of its section and a new section to the end of the file. Lines
// that are neither sections nor keys (comments, blank lines) are kept as they
// are. Files are UTF-8 without a byte-order mark; a mark is accepted on reading.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/io_status.h"

namespace tarnvelock {

class IniFile {
 public:
  IniFile() = default;
  // Parses text with CR LF, CR or LF line ends.
  static IniFile Parse(std::wstring_view text);
  // The file text, every line ended by CR LF.
  std::wstring Text() const;

  bool HasSection(std::wstring_view section) const;
  // The value of key in section without the blanks and tabs around it, or
  // nothing.
  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
  // The value as ParseProfileInt reads it; nothing when missing or not a number.
  std::optional<std::int32_t> GetInt(std::wstring_view section, std::wstring_view key) const;
  // Any number other than 0 is true; nothing when missing or not a number.
  std::optional<bool> GetBool(std::wstring_view section, std::wstring_view key) const;

  // Replaces the value of key, or adds the key at the end of section, adding
  // the section at the end of the file when it is missing. Line breaks in
  // value become blanks, so that a value can never add lines to the file.
  void Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);
  void SetInt(std::wstring_view section, std::wstring_view key, std::int32_t value);
  void SetBool(std::wstring_view section, std::wstring_view key, bool value);

 private:
  struct Line {
    std::wstring text;   // the line as it stands in the file
    std::wstring key;    // empty for a line that holds no key
    std::wstring value;  // without the blanks and tabs around it
  };
  struct Section {
    std::wstring header;  // the "[name]" line; empty for the lines before any section
    std::vector<Line> lines;
  };

  const Section* FindSection(std::wstring_view name) const;
  const Line* FindKey(std::wstring_view section, std::wstring_view key) const;
  void AddSection(Section section, std::wstring_view name);

  std::vector<Section> sections_{Section{}};
  std::map<std::wstring, size_t> index_;  // upper-cased name -> first section of that name
};

// A decimal integer with an optional sign, or hexadecimal after "0x", with
// blanks and tabs around it allowed; nothing for any other text.
std::optional<std::int32_t> ParseProfileInt(std::wstring_view text);

// Reads path into ini. A missing file gives an empty ini and success.
IoStatus ReadIniFile(const FileSystem& fs, const std::wstring& path, IniFile* ini);
// Replaces path with the text of ini.
IoStatus WriteIniFile(FileSystem& fs, const std::wstring& path, const IniFile& ini);

}  // namespace tarnvelock
