// EventLog: the event log view of the log pane and the batch's log file
// (BatchPath + ".log") behind it. The running batch appends to the file;
// the debugger starts it anew with each run, appends its own lines, reloads
// the pane when the file changes, shows the transient position entry of a
// stop, and writes the pane back when the person edits it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/run/prompt_view.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

// What a click on a log entry asks of the rest of the window.
struct LogClick {
  std::wstring StatusText;           // for the first status bar panel
  std::optional<std::int32_t> Line;  // the source line to select
  bool TakeFocus = false;            // the log pane takes the keyboard
};

// Ends every log line that names a source line, before the line's index.
inline constexpr std::wstring_view kLineTag = L"  /Ln=";
// Marks the lines of "Log Line numbers", hidden unless "... and show them".
inline constexpr std::wstring_view kLineTimeTag = L"LineTime=";

// The first line of each run's log: the batch and its parameters.
std::wstring StartLineText(const std::wstring& batchPath, const std::wstring& parameters);
// The pane's entry for a stop at line.
std::wstring StopEntryText(std::int32_t line);

class EventLog {
 public:
  EventLog(DebugDocument& doc, FileSystem& files, const CodePageConverter& codePages,
           PromptView& view);

  // The entries the pane shows, and the selected one of them (-1 for none).
  std::vector<std::wstring> Entries() const;
  std::int32_t Selected() const;
  // The last entry is the position entry of the latest stop.
  bool TransientLogTail() const;
  FileTimeStamp LogFileTime() const { return log_file_time_; }

  // The pane switches to another view and forgets its entries.
  void Clear();
  // A run starts: the file and the pane hold only line (StartLineText).
  void StartLog(const std::wstring& line);
  // Adds a line of the debugger's own to the file and the pane.
  void AppendLogLine(const std::wstring& text);
  // Adds a line to the file only; the pane shows it with the next reload.
  void AppendLogFile(const std::wstring& text);
  // While the batch runs: reloads the pane when the file's time is not the
  // one remembered. True when it reloaded.
  bool ReloadLogIfChanged();
  // The pane from the file, last line selected; a file that cannot be read
  // leaves the pane as it was.
  void ReloadLog();
  // The transient position entry of a stop (StopEntryText).
  void ShowStopEntry(const std::wstring& text);

  LogClick Click(std::int32_t index);
  // "   ... and show them" switched by the person.
  void SetShowLineTimes(bool on);

  // The edits of the pane, each stored to the file at once.
  void EditLine();
  void AddLine();
  void DeleteLine();

 private:
  struct Entry {
    std::wstring text;
    bool hidden = false;     // held back by the "LineTime=" filter
    bool transient = false;  // a stop's position, never in the file
  };

  bool Filtering() const;
  Entry FileEntry(std::wstring text) const;
  // Index into entries_ of the visible entry index; -1 when there is none.
  std::int32_t EntryIndex(std::int32_t visible) const;
  void SelectLastVisible();
  FileTimeStamp CurrentFileTime() const;
  std::optional<std::vector<std::wstring>> ReadLines() const;
  std::string Encoded(const std::wstring& line) const;
  void Store();
  void Report(const IoStatus& status);

  DebugDocument& doc_;
  FileSystem& files_;
  const CodePageConverter& code_pages_;
  PromptView& view_;

  std::vector<Entry> entries_;
  std::int32_t selected_ = -1;  // index into entries_
  // The entries mirror the file (not some other view's leftovers), which
  // then has file_lines_ lines as of log_file_time_.
  bool mirrors_file_ = false;
  size_t file_lines_ = 0;
  FileTimeStamp log_file_time_ = 0;
};

}  // namespace tarnvelock
