// The track windows' logic that needs no screen: which file a variable's
// value names, where each new window goes, and when a window's content must
// be read again. A track window shows one text file that the batch writes
// and keeps it current while the batch runs.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/run/prompt_view.h"
#include "core/run/variable_panes.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The batch's current directory as the global pane shows it (entry 0, "CD=",
// whatever the display options); fallback while the pane shows no CD entry.
std::wstring TrackBaseDirectory(const VariablePane& global, const std::wstring& fallback);

// The file a pane value names: one pair of enclosing double quotes removed
// (a doubled quote inside standing for one), bullets back to blanks, and a
// relative name made full against current_dir. A name that starts at the
// root takes the drive of current_dir where paths have drives. Empty stays
// empty. separator is the file system's; on "/" systems "\" separates too.
std::wstring TrackFileName(std::wstring_view value, std::wstring_view current_dir,
                           wchar_t separator);

// OpenTrackFile's choice of file: the name of value, confirmed in the input
// box "Tracking" when it is empty or names no existing file. Nothing when
// the person cancels or leaves the name empty.
std::optional<std::wstring> ResolveTrackFile(std::wstring_view value,
                                             const std::wstring& current_dir,
                                             const FileSystem& files, PromptView& view);

// Where a new track window's frame goes: the first 40 pixels above the main
// window, each further one 40 pixels below the one before it in the list;
// 150 pixels left of the main window, but at 0 when that is not positive.
struct TrackPlacement {
  int Left = 0;
  int Top = 0;
};
TrackPlacement PlaceTrackWindow(int main_left, int main_top, std::optional<int> previous_top);

// The tracked file of one window: present or missing, and its lines as last
// read (in the console's code page).
class TrackedFile {
 public:
  TrackedFile(const FileSystem& files, const CodePageConverter& pages, std::wstring path);

  enum class Change {
    None,     // nothing to draw again
    Loaded,   // the file is new or changed: draw Lines
    Missing,  // the file has gone: grey and empty
  };
  // Looks at the file once; reads it only when its last-write time changed.
  // A file that cannot be read keeps the old lines until its next change.
  Change Update();

  const std::wstring& Path() const { return path_; }
  bool Missing() const { return missing_; }
  const std::vector<std::wstring>& Lines() const { return lines_; }

 private:
  const FileSystem& files_;
  const CodePageConverter& pages_;
  std::wstring path_;
  FileTimeStamp last_write_ = 0;  // 0: never loaded
  bool missing_ = false;
  std::vector<std::wstring> lines_;
};

}  // namespace tarnvelock
