// DebugDocument: the one batch file the debugger has open - its lines, one
// LineRecord per line, the paths of its companion files and the per-batch
// values. The scanner, the instrumenter, run control and the panes read and
// change it directly; loading, reloading and closing are DocumentController's.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/batch_options.h"
#include "core/document/line_record.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The text of the line that follows the last line of every document.
inline constexpr std::wstring_view kEndOfFileLine = L"<end of file>";

// One line of the document with the hash that reloads compare.
struct DocumentLine {
  std::wstring text;
  std::uint32_t hash = 0;
};

// An entry of the navigation list: a text to show and the line it leads to.
struct NavigationEntry {
  std::wstring text;
  std::int32_t line = 0;
};

// The hash of a text over its UTF-16 code units: rotate left by 5, xor unit.
std::uint32_t LineHash(std::wstring_view text);

struct DebugDocument {
  // The batch's lines followed by the sentinel kEndOfFileLine at MaxCurZeile.
  std::vector<DocumentLine> Items;
  // One record per entry of Items, the sentinel's included.
  std::vector<LineRecord> Records;
  // The record of line, 0 to MaxCurZeile; a line outside throws
  // std::out_of_range rather than reading past the records.
  LineRecord& Record(std::int32_t line) { return Records.at(static_cast<size_t>(line)); }
  const LineRecord& Record(std::int32_t line) const {
    return Records.at(static_cast<size_t>(line));
  }
  // Number of lines of the batch (= index of the sentinel); -1 when none is loaded.
  std::int32_t MaxCurZeile = -1;

  std::wstring BatchPath;         // full path of the batch; empty when none
  std::wstring SourcePath;        // the file holding the user's text (".org" in %0 mode)
  std::wstring BatchDir;          // directory of BatchPath, ending in a separator
  std::wstring StartDir;          // directory in which the batch is started
  std::wstring IniPath;           // BatchPath + ".ini"
  std::wstring LogPath;           // BatchPath + ".log"
  std::wstring LogArg;            // LogPath, quoted when it contains a blank
  std::wstring InstrumentedPath;  // where the instrumented batch is written
  FileTimeStamp FileTime = 0;     // last-write time at load; 0 when none is loaded
  CodePage Encoding = CodePage::Oem;
  bool InstrumentStale = false;  // regenerate the instrumented batch at the next start

  // Per-batch values kept in the settings file.
  std::wstring StartUp;
  std::wstring GlobalAdds;
  std::wstring NaviString;
  std::wstring Master;
  BatchOptions Options;

  // Results of the analysis scan.
  std::vector<std::wstring> GlobalNames;  // sorted, case-insensitive, no duplicates
  std::vector<NavigationEntry> NavigationList;
  bool ShiftGoto = false;  // the batch has both SHIFT and GOTO commands

  bool Loaded() const { return MaxCurZeile >= 0; }
  // "%3d  " from 100 lines on, else "%2d  ".
  const char* LineNrFormat() const { return MaxCurZeile >= 100 ? "%3d  " : "%2d  "; }
};

// Adds name to a GlobalNames list, keeping it sorted without regard to letter
// case and ignoring a name that is already there in any case.
void AddGlobalName(std::vector<std::wstring>& names, std::wstring_view name);

}  // namespace tarnvelock
