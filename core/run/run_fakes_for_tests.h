// Test doubles for driving RunControl without a command interpreter: a
// scripted batch whose every wake-up writes the files of its next stop into
// an in-memory file system, the process starter that "runs" it, and a run
// view that records what it was told.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/base/exchange_file_names.h"
#include "core/run/debug_session.h"
#include "core/run/null_run_view.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/virtual_environment.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {

inline constexpr wchar_t kTestTempDir[] = L"/tmp/_dbgTmp/";

// The instrumented batch as the debugger sees it through the exchange files.
// The start runs the first step, every wake-up the next one; what the batch
// would read at a wake-up (action file, breakpoint list) is kept and removed.
class ScriptedBatch {
 public:
  using Step = std::function<void(ScriptedBatch&)>;

  explicit ScriptedBatch(VirtualFileSystem& files) : files_(files) {}

  void Then(Step step) { steps_.push_back(std::move(step)); }

  // The files of a stop at line: the state files, then the stop signal.
  void StopAt(int line, int error_level = 0, int depth = 0,
              const std::string& echo = "ECHO is off.") {
    Write(kCurrentLineFile, std::to_string(line) + "\r\n");
    Write(kGlobalsFile, "CD=/work\r\nERRORLEVEL=" + std::to_string(error_level) + "\r\n");
    Signal(depth, echo, std::to_string(error_level));
  }
  void Signal(int depth, const std::string& echo, const std::string& error_level) {
    Write(kStopSignalFile,
          std::to_string(depth) + "\r\n" + echo + "\r\n" + error_level + "\r\n0\r\n0\r\n1\r\n");
  }
  // The batch has begun line (it may run on without stopping).
  void Begin(int line) {
    Write(kLastLineFile, std::to_string(line) + "\r\n");
    Write(kCurrentLineFile, std::to_string(line) + "\r\n");
  }
  // Error output so far, as the batch copies the whole stderr file.
  void ErrorOutput(const std::string& lines) { Write(kErrorCopyFile, lines); }
  void EndOfFile() {
    Write(kCurrentLineFile, "-1\r\n");
    Signal(0, "ECHO is off.", "0");
  }
  // The inner interpreter ended; the outer one waits without a stop signal.
  void InnerEnded() { Write(kCurrentLineFile, "-2\r\n"); }
  // The inner interpreter ended with exit code, as the batch reports it.
  void InnerEndedWith(int code) {
    Write(kCurrentLineFile, "-2\r\n" + std::to_string(code) + "\r\n");
  }
  // A stop whose signal also gives the ERRORLEVEL of the batch's check before.
  void StopAfter(int line, int error_level, int before) {
    StopAt(line, error_level);
    Write(kStopSignalFile, "0\r\nECHO is off.\r\n" + std::to_string(error_level) +
                               "\r\n0\r\n0\r\n1\r\n" + std::to_string(before) + "\r\n");
  }
  void Die() { alive = false; }

  void Start() {
    alive = true;
    TakeInputs();
    RunStep();
  }
  void Wake() {
    ++wakes;
    if (files_.FileExists(Path(kStopSignalFile))) {
      ++ignored_keys;  // the batch waits again while the signal is there
      return;
    }
    TakeInputs();
    RunStep();
  }

  bool alive = true;
  int wakes = 0;
  int ignored_keys = 0;
  std::vector<std::string> actions;       // the action files run, in order
  std::vector<std::string> breaks;        // the breakpoint lists read, in order
  std::vector<std::string> error_levels;  // the ERRORLEVELs adopted, in order

  std::wstring Path(std::wstring_view name) const { return kTestTempDir + std::wstring(name); }
  void Write(std::wstring_view name, const std::string& text) {
    (void)files_.WriteFile(Path(name), text);  // in memory
  }

 private:
  void TakeInputs() {
    for (auto [name, seen] :
         {std::pair{kActionFile, &actions}, std::pair{kBreakListFile, &breaks}}) {
      if (!files_.FileExists(Path(name))) continue;
      seen->push_back(files_.Contents(Path(name)));
      (void)files_.RemoveFile(Path(name));  // in memory
    }
    if (files_.FileExists(Path(kErrLevelFile))) {
      error_levels.push_back(files_.Contents(Path(kErrLevelFile)));
      (void)files_.RemoveFile(Path(kErrLevelFile));  // in memory
    }
  }
  void RunStep() {
    if (next_ < steps_.size()) steps_[next_++](*this);
  }

  VirtualFileSystem& files_;
  std::vector<Step> steps_;
  size_t next_ = 0;
};

class ScriptedConsole final : public ConsoleProcess {
 public:
  ScriptedConsole(ScriptedBatch& batch, std::wstring title)
      : batch_(batch), title_(std::move(title)) {}
  const std::wstring& Title() const override { return title_; }
  bool WriteInput(std::string_view) override {
    if (!IsRunning()) return false;
    batch_.Wake();
    return true;
  }
  std::string ReadOutput() override { return {}; }
  bool IsRunning() override { return !terminated && batch_.alive; }
  std::optional<int> ExitCode() override { return std::nullopt; }
  std::optional<ConsoleRect> WindowRect() const override { return ConsoleRect{10, 20, 500, 400}; }
  void Terminate() override { terminated = true; }

  bool terminated = false;

 private:
  ScriptedBatch& batch_;
  std::wstring title_;
};

class ScriptedStarter final : public ProcessStarter {
 public:
  explicit ScriptedStarter(ScriptedBatch& batch) : batch_(batch) {}
  ConsoleStart StartConsole(const ProcessRequest& request) override {
    ++starts;
    ConsoleStart start;
    // A console under another title is one the launcher cannot find.
    start.process = std::make_unique<ScriptedConsole>(
        batch_, lose_console ? request.title + L" (lost)" : request.title);
    batch_.Start();
    return start;
  }
  WaitedRun RunAndWait(const ProcessRequest&) override { return {}; }
  int StartDetached(const ProcessRequest&) override { return 0; }

  int starts = 0;
  bool lose_console = false;

 private:
  ScriptedBatch& batch_;
};

// The session's platform over the fakes: files and environment in memory,
// the scripted batch as the only process, "/tmp" as the temporary base.
inline SessionPlatform ScriptedSessionPlatform(VirtualFileSystem& files, VirtualEnvironment& env,
                                               ScriptedStarter& starter) {
  return SessionPlatform{
      files, SystemCodePages(), env, starter,
      TempDirFacility{[] { return std::wstring(L"/tmp"); },
                      [&files](const std::wstring& dir) {
                        return files.DirectoryExists(dir) ? IoStatus() : files.CreateDirectory(dir);
                      }}};
}

// Records every call as a line of text, "name argument"; serves the pane
// models too, as a front end does.
class RecordingRunView final : public NullRunView {
 public:
  void ShowMessage(const std::wstring& text) override { Note(L"message", text); }
  bool Confirm(const std::wstring& text) override {
    Note(L"confirm", text);
    return true;
  }
  void ShowStatus(const std::wstring& text) override {
    status = text;
    Note(L"status", text);
  }
  void PaintLine(std::int32_t line) override { Note(L"paint", line); }
  void SetExecLine(std::int32_t line) override { Note(L"exec", line); }
  void SelectLine(std::int32_t line) override { Note(L"cursor", line); }
  void RepaintSource() override { Note(L"repaint"); }
  void ClearHighlight() override { Note(L"clearhighlight"); }
  void ShowStatusPanel(int panel, const std::wstring& text) override {
    Note(L"panel" + std::to_wstring(panel), text);
  }
  void ShowEcho(bool on) override { Note(L"echo", on); }
  bool WarnOkCancel(const std::wstring& text) override {
    Note(L"warn", text);
    const bool ok = warn_answers.empty() || warn_answers.front();
    if (!warn_answers.empty()) warn_answers.pop_front();
    return ok;
  }
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override {
    Note(L"ask", caption + L"|" + prompt + L"|" + initial);
    return text_answer;
  }
  void EditBreakpointDialog(std::int32_t line) override { Note(L"breakdialog", line); }
  void ShowWaitDialog(bool visible) override { Note(L"wait", visible); }
  void SetPollTimer(bool enabled, int interval_ms) override {
    Note(L"timer", std::to_wstring(enabled) + L" " + std::to_wstring(interval_ms));
  }
  void PanesChanged() override { Note(L"panes"); }
  // The cursor is only recorded; the document's requests reach run control
  // directly in these tests.
  std::int32_t AktCurZeile() const override { return 0; }

  // The arguments of the calls named name, in order.
  std::vector<std::wstring> Calls(const std::wstring& name) const {
    std::vector<std::wstring> found;
    for (const auto& [call, argument] : events) {
      if (call == name) found.push_back(argument);
    }
    return found;
  }
  void Clear() { events.clear(); }

  std::vector<std::pair<std::wstring, std::wstring>> events;
  std::wstring status;
  std::deque<bool> warn_answers;  // OK unless told otherwise
  std::optional<std::wstring> text_answer;

 private:
  void Note(const std::wstring& call, const std::wstring& argument = L"") {
    events.emplace_back(call, argument);
  }
  void Note(const std::wstring& call, std::int32_t value) { Note(call, std::to_wstring(value)); }
  void Note(const std::wstring& call, bool value) { Note(call, std::wstring(value ? L"1" : L"0")); }
};

}  // namespace tarnvelock
