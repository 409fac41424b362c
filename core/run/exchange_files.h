// ExchangeFiles: the debugger's side of the files it shares with the running
// batch in the private temporary directory, and of the environment variables
// the batch inherits. It chooses and prepares the directory, writes the
// command files (breakpoints, actions, ERRORLEVEL), reads the state files the
// batch leaves at a stop, and cleans up. When to call what is run control's
// business; this class only knows the files.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/document/debug_document.h"
#include "core/instrument/batch_refs.h"
#include "core/run/stop_signal.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/io_status.h"

namespace tarnvelock {

// Where the system keeps temporary files and how the private directory is
// made there; the platform's facilities unless a test substitutes its own.
struct TempDirFacility {
  std::function<std::wstring()> SystemBase;
  std::function<IoStatus(const std::wstring&)> EnsurePrivate;

  static TempDirFacility Platform();
};

// The texts shown when a start is refused.
inline constexpr std::wstring_view kTmpFileBlockedMessage =
    L"Tmp-File blocked. Please Restart Computer!";
inline constexpr std::wstring_view kReservedParameterMessage =
    L"The first parameter must not be \"_dbg\": the debugger passes that word to the batch to "
    L"recognise its own start. Please change the parameters.";

// How many times in a row a file the batch may be writing is read before the
// reader gives up.
inline constexpr int kReadAttempts = 100;

struct LineArrival {
  std::int32_t line = 0;
  FileTimeStamp written = 0;
  bool operator==(const LineArrival&) const = default;
};

class ExchangeFiles {
 public:
  ExchangeFiles(FileSystem& files, Environment& environment, const CodePageConverter& codePages,
                TempDirFacility tempDirs = TempDirFacility::Platform());

  // Start-up: chooses the base directory (tmpPath when it is an existing
  // absolute directory, else the system's), makes the private directory
  // "_dbgTmp" there, sets the variables "Tarnvelock", "_dbgTmp", "_dbgErr"
  // and "_dbg" and computes the batch references. Nothing is set when the
  // directory cannot be made private.
  IoStatus PrepareTempDir(const std::wstring& tmpPath);
  // The base directory in use: the value to keep as the TmpPath setting.
  const std::wstring& TmpBase() const { return tmp_base_; }
  // The temporary directory, ending in the path separator.
  const std::wstring& TempDir() const { return temp_dir_; }
  const BatchRefs& Refs() const { return refs_; }
  // The full path of an exchange file.
  std::wstring PathOf(std::wstring_view name) const;
  // Makes the temporary directory the current one, as the batch's
  // interpreter inherits it.
  IoStatus EnterTempDir();

  // Before every process start: refuses parameters that begin with the
  // word "_dbg", proves the stderr file is not held by another process,
  // writes "0" as the current and the last line, and sets "_dbgPA" to the
  // parameters or removes it when they are empty. A failure means the
  // process must not be started; its message is for the user.
  IoStatus PrepareProcessStart(const std::wstring& parameters);
  // At the start of a run: removes the leftovers of an earlier run that the
  // batch would otherwise take for its own.
  void CleanRunStart();
  // At program exit: removes every exchange file and the instrumented batch.
  void DeleteAtExit(const DebugDocument& doc);

  // Breakpoint files for running to the breakpoints of doc; with a target
  // (Goto Line) that line comes first. Without any entry for the condition
  // file, a condition file of an earlier run is removed.
  IoStatus WriteBreakFiles(const DebugDocument& doc,
                           std::optional<std::int32_t> target = std::nullopt);
  // Single-step mode: an empty breakpoint list, no condition file.
  IoStatus WriteSingleStepBreaks();
  // Running to target alone, past every breakpoint.
  IoStatus WriteLoneBreak(std::int32_t target);

  // The action file: batch lines run once at the next resume. AppendAction
  // adds text as it is (a command already bound to the FOR variables) in the
  // OEM code page, as do the variable and directory edits; the echo lines
  // and the settings-only mark are plain ASCII. A new action file begins with
  // the line that makes %1 the batch's first parameter.
  IoStatus AppendAction(std::wstring_view text);
  IoStatus AppendSetVariable(std::wstring_view name, std::wstring_view value);
  IoStatus AppendChangeDirectory(std::wstring_view directory);
  IoStatus AppendEcho(bool on);
  // Marks an existing action file as holding settings only, so that the
  // batch goes on without stopping again; nothing to do without the file.
  IoStatus MarkActionsSettingsOnly();

  // The ERRORLEVEL the batch adopts at the next resume.
  IoStatus WriteErrLevel(std::int32_t value);

  // Asks a batch generated with "Enable Break" to stop at its next debugged
  // line: an empty break request file.
  IoStatus WriteBreakRequest();

  bool Exists(std::wstring_view name) const;
  // Removes the exchange file when it exists.
  IoStatus Remove(std::wstring_view name);
  // The same where a failure does not matter: clean-ups of files that the
  // next run overwrites or ignores.
  void RemoveIfPresent(std::wstring_view name);

  // The line the batch reports in the current-line file; nothing when the
  // file gave no number in kReadAttempts reads.
  std::optional<std::int32_t> ReadCurrentLine() const;
  // The exit code of an inner interpreter that ended (-2), which the batch
  // puts on the current-line file's second line; nothing without one.
  std::optional<std::int32_t> ReadExitCode() const;
  // The line the batch last reported reaching, with the time it wrote the
  // current-line file: a batch that comes back to a line rewrites the same
  // text, and only the time tells the two visits apart. Nothing while the
  // file is being rewritten (its time changed during the read) or when it
  // gives no number.
  std::optional<LineArrival> ReadLineArrival() const;
  // The stop signal file; nothing when it gave no line in kReadAttempts
  // reads. A file that stays short yields what it holds, not Complete.
  std::optional<StopSignal> ReadStopSignal() const;
  // The line that last began to run; nothing when the file gives no number.
  std::optional<std::int32_t> ReadLastLine() const;
  // The error lines added since the last call (those beyond LastErrIndex),
  // in file order; LastErrIndex becomes the copy's last index and the copy
  // is removed. Nothing changes when there is no copy.
  std::vector<std::wstring> ReadNewErrorLines();
  std::int32_t LastErrIndex() const { return last_err_index_; }
  // A new run starts with no error lines seen.
  void ResetLastErrIndex() { last_err_index_ = -1; }

  // The lines of a state file the batch writes in the console's code page;
  // nothing when it does not exist or cannot be read.
  std::optional<std::vector<std::wstring>> ReadStateLines(std::wstring_view name) const;
  // The local pane's FOR-variable entries of call depth depth; nothing when
  // the batch saved none.
  std::optional<std::vector<std::wstring>> ReadForVariables(std::int32_t depth) const;

 private:
  void RemovePathIfPresent(const std::wstring& path);
  IoStatus WriteUtf8(std::wstring_view name, std::wstring_view text);
  IoStatus AppendBytes(std::wstring_view name, std::string_view bytes);
  IoStatus AppendActionBytes(std::string_view bytes);
  // Reads name, decoded by its byte-order mark, as lines up to
  // kReadAttempts times until accept takes them. Gives the accepted lines,
  // else those of the last attempt that got any, else none.
  struct ReadResult {
    std::vector<std::wstring> lines;
    bool accepted = false;
  };
  ReadResult ReadWhileWritten(
      std::wstring_view name,
      const std::function<bool(const std::vector<std::wstring>&)>& accept) const;

  FileSystem& files_;
  Environment& environment_;
  const CodePageConverter& code_pages_;
  TempDirFacility temp_dirs_;

  std::wstring tmp_base_;
  std::wstring temp_dir_;
  BatchRefs refs_;
  std::int32_t last_err_index_ = -1;
};

}  // namespace tarnvelock
