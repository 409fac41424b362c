// IniFile: parsing, lookup, update and the file round trip.
#include "core/document/ini_file.h"

#include <cwctype>

#include "core/base/text_trim.h"
#include "platform/code_page.h"

namespace tarnvelock {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::wstring Fold(std::wstring_view name) {
  std::wstring folded(name);
  for (wchar_t& ch : folded) ch = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(ch)));
  return folded;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && Fold(a) == Fold(b);
}

// The section name of a "[name]" line, or nothing for any other line.
std::optional<std::wstring_view> SectionName(std::wstring_view line) {
  const std::wstring_view trimmed = TrimBlanks(line);
  if (trimmed.empty() || trimmed.front() != L'[') return std::nullopt;
  const size_t close = trimmed.find(L']');
  return TrimBlanks(trimmed.substr(1, close == std::wstring_view::npos ? close : close - 1));
}

}  // namespace

std::optional<std::int32_t> ParseProfileInt(std::wstring_view text) {
  text = TrimBlanks(text);
  if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
    std::uint32_t value = 0;
    text.remove_prefix(2);
    if (text.size() > 8) return std::nullopt;
    for (wchar_t ch : text) {
      int digit;
      if (ch >= L'0' && ch <= L'9') {
        digit = ch - L'0';
      } else if (ch >= L'a' && ch <= L'f') {
        digit = ch - L'a' + 10;
      } else if (ch >= L'A' && ch <= L'F') {
        digit = ch - L'A' + 10;
      } else {
        return std::nullopt;
      }
      value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
  }
  bool negative = false;
  if (!text.empty() && (text[0] == L'-' || text[0] == L'+')) {
    negative = text[0] == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (wchar_t ch : text) {
    if (ch < L'0' || ch > L'9') return std::nullopt;
    value = value * 10 + (ch - L'0');
    if (value > std::int64_t{1} << 31) return std::nullopt;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

IniFile IniFile::Parse(std::wstring_view text) {
  IniFile ini;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find_first_of(L"\r\n", pos);
    const std::wstring_view raw =
        text.substr(pos, end == std::wstring_view::npos ? std::wstring_view::npos : end - pos);
    pos = end == std::wstring_view::npos ? text.size() : end + 1;
    if (end != std::wstring_view::npos && text[end] == L'\r' && pos < text.size() &&
        text[pos] == L'\n') {
      ++pos;
    }

    if (const auto name = SectionName(raw)) {
      ini.AddSection(Section{std::wstring(raw), {}}, *name);
      continue;
    }
    Line line{std::wstring(raw), {}, {}};
    const std::wstring_view trimmed = TrimBlanks(raw);
    const size_t equals = raw.find(L'=');
    if (!trimmed.empty() && trimmed.front() != L';' && equals != std::wstring_view::npos) {
      line.key = TrimBlanks(raw.substr(0, equals));
      line.value = TrimBlanks(raw.substr(equals + 1));
    }
    ini.sections_.back().lines.push_back(std::move(line));
  }
  return ini;
}

std::wstring IniFile::Text() const {
  std::wstring text;
  for (const Section& section : sections_) {
    if (!section.header.empty()) text += section.header + L"\r\n";
    for (const Line& line : section.lines) text += line.text + L"\r\n";
  }
  return text;
}

void IniFile::AddSection(Section section, std::wstring_view name) {
  sections_.push_back(std::move(section));
  index_.emplace(Fold(name), sections_.size() - 1);
}

const IniFile::Section* IniFile::FindSection(std::wstring_view name) const {
  const auto it = index_.find(Fold(name));
  return it == index_.end() ? nullptr : &sections_[it->second];
}

const IniFile::Line* IniFile::FindKey(std::wstring_view section, std::wstring_view key) const {
  const Section* found = FindSection(section);
  if (found == nullptr) return nullptr;
  for (const Line& line : found->lines) {
    if (!line.key.empty() && EqualNoCase(line.key, key)) return &line;
  }
  return nullptr;
}

bool IniFile::HasSection(std::wstring_view section) const {
  return FindSection(section) != nullptr;
}

std::optional<std::wstring> IniFile::Get(std::wstring_view section, std::wstring_view key) const {
  const Line* line = FindKey(section, key);
  if (line == nullptr) return std::nullopt;
  return line->value;
}

std::optional<std::int32_t> IniFile::GetInt(std::wstring_view section,
                                            std::wstring_view key) const {
  const Line* line = FindKey(section, key);
  if (line == nullptr) return std::nullopt;
  return ParseProfileInt(line->value);
}

std::optional<bool> IniFile::GetBool(std::wstring_view section, std::wstring_view key) const {
  const auto value = GetInt(section, key);
  if (!value) return std::nullopt;
  return *value != 0;
}

void IniFile::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  std::wstring clean(value);
  for (wchar_t& ch : clean) {
    if (ch == L'\r' || ch == L'\n') ch = L' ';
  }
  Line line{std::wstring(key) + L"=" + clean, std::wstring(key), std::wstring(TrimBlanks(clean))};

  const auto it = index_.find(Fold(section));
  if (it == index_.end()) {
    AddSection(Section{L"[" + std::wstring(section) + L"]", {std::move(line)}}, section);
    return;
  }
  std::vector<Line>& lines = sections_[it->second].lines;
  for (Line& existing : lines) {
    if (!existing.key.empty() && EqualNoCase(existing.key, key)) {
      existing = std::move(line);
      return;
    }
  }
  // After the last line of the section that is not blank, so that blank lines
  // between sections stay where they are.
  size_t insert_at = lines.size();
  while (insert_at > 0 && TrimBlanks(lines[insert_at - 1].text).empty()) --insert_at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
}

void IniFile::SetInt(std::wstring_view section, std::wstring_view key, std::int32_t value) {
  Set(section, key, std::to_wstring(value));
}

void IniFile::SetBool(std::wstring_view section, std::wstring_view key, bool value) {
  Set(section, key, value ? L"1" : L"0");
}

IoStatus ReadIniFile(const FileSystem& fs, const std::wstring& path, IniFile* ini) {
  *ini = IniFile();
  if (!fs.FileExists(path)) return {};
  std::string bytes;
  if (IoStatus status = fs.ReadFile(path, &bytes); !status) return status;
  std::string_view content = bytes;
  if (content.starts_with(kUtf8Bom)) content.remove_prefix(kUtf8Bom.size());
  *ini = IniFile::Parse(FromUtf8(content));
  return {};
}

IoStatus WriteIniFile(FileSystem& fs, const std::wstring& path, const IniFile& ini) {
  return fs.WriteFile(path, ToUtf8(ini.Text()));
}

}  // namespace tarnvelock
