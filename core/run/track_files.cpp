// Naming, placing and refreshing the track windows' files.
#include "core/run/track_files.h"

#include <algorithm>
#include <cwctype>
#include <utility>

#include "core/base/ascii_case.h"
#include "core/run/exchange_text.h"
#include "core/run/variable_entry.h"

namespace tarnvelock {

namespace {

constexpr int kCascadeStep = 40;
constexpr int kLeftOffset = 150;

bool IsSeparatorChar(wchar_t ch, wchar_t separator) {
  return ch == separator || ch == L'/';
}

bool HasDrive(std::wstring_view name) {
  return name.size() >= 2 && name[1] == L':' && std::iswalpha(static_cast<wint_t>(name[0]));
}

std::wstring Unquote(std::wstring_view value) {
  if (value.size() < 2 || value.front() != L'"' || value.back() != L'"') {
    return std::wstring(value);
  }
  std::wstring inner(value.substr(1, value.size() - 2));
  for (size_t at = inner.find(L"\"\""); at != std::wstring::npos;
       at = inner.find(L"\"\"", at + 1)) {
    inner.erase(at, 1);
  }
  return inner;
}

// Whether name needs current_dir in front, and which part of it.
enum class Anchor { None, Drive, Directory };

Anchor AnchorOf(std::wstring_view name, wchar_t separator) {
  if (name.empty()) return Anchor::None;
  const bool rooted = IsSeparatorChar(name.front(), separator);
  if (separator == L'/') return rooted ? Anchor::None : Anchor::Directory;
  if (HasDrive(name)) return Anchor::None;
  // A UNC name stands on its own; only a single leading separator means the
  // root of the current drive.
  if (rooted) {
    return name.size() >= 2 && IsSeparatorChar(name[1], separator) ? Anchor::None : Anchor::Drive;
  }
  return Anchor::Directory;
}

}  // namespace

std::wstring TrackBaseDirectory(const VariablePane& global, const std::wstring& fallback) {
  if (global.Entries.empty()) return fallback;
  std::wstring entry = HideBlanks(global.Entries.front().Text);
  if (!entry.empty() && (entry.front() == L'%' || entry.front() == L'!')) {
    entry = UnwrapName(entry);
  }
  if (!EqualsNoCase(EntryName(entry), L"CD")) return fallback;
  return std::wstring(EntryValue(entry));
}

std::wstring TrackFileName(std::wstring_view value, std::wstring_view current_dir,
                           wchar_t separator) {
  std::wstring name = Unquote(value);
  std::replace(name.begin(), name.end(), BlankMarker, L' ');
  if (separator == L'/') std::replace(name.begin(), name.end(), L'\\', L'/');
  switch (AnchorOf(name, separator)) {
    case Anchor::None:
      return name;
    case Anchor::Drive:
      return std::wstring(current_dir.substr(0, 2)) + name;
    case Anchor::Directory:
      break;
  }
  std::wstring full(current_dir);
  if (!full.empty() && !IsSeparatorChar(full.back(), separator)) full += separator;
  return full + name;
}

std::optional<std::wstring> ResolveTrackFile(std::wstring_view value,
                                             const std::wstring& current_dir,
                                             const FileSystem& files, PromptView& view) {
  const wchar_t separator = files.Separator();
  std::wstring name = TrackFileName(value, current_dir, separator);
  if (name.empty() || !files.FileExists(name)) {
    const std::optional<std::wstring> answer = view.AskText(L"Tracking", L"Filename", name);
    if (!answer) return std::nullopt;
    // A typed relative name means the batch's directory, as a value does,
    // not the debugger's own working directory.
    name = TrackFileName(*answer, current_dir, separator);
  }
  if (name.empty()) return std::nullopt;
  return name;
}

TrackPlacement PlaceTrackWindow(int main_left, int main_top, std::optional<int> previous_top) {
  TrackPlacement place;
  place.Top = previous_top ? *previous_top + kCascadeStep : main_top - kCascadeStep;
  place.Left = std::max(main_left - kLeftOffset, 0);
  return place;
}

TrackedFile::TrackedFile(const FileSystem& files, const CodePageConverter& pages, std::wstring path)
    : files_(files), pages_(pages), path_(std::move(path)) {}

TrackedFile::Change TrackedFile::Update() {
  if (!files_.FileExists(path_)) {
    if (missing_) return Change::None;
    missing_ = true;
    lines_.clear();
    return Change::Missing;
  }
  Change change = Change::None;
  if (missing_) {
    missing_ = false;
    last_write_ = 0;
    change = Change::Loaded;  // white again, even before the content is read
  }
  const FileTimeStamp written = files_.LastWriteTime(path_).value_or(0);
  if (written != 0 && written == last_write_) return change;
  last_write_ = written;
  std::string bytes;
  if (!files_.ReadFile(path_, &bytes)) return change;
  lines_ = SplitLines(pages_.Decode(bytes, CodePage::Oem));
  return Change::Loaded;
}

}  // namespace tarnvelock
