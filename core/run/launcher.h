// Launcher: owns the one command-interpreter process of a debug run. It
// starts the instrumented batch on a console of its own with standard error
// going to "_dbgError.txt", wakes the batch waiting at a stop with one blank,
// tells whether the interpreter still runs, hands the console's output to the
// front end and ends the interpreter with everything it started. The same
// start routine runs the interpreter's help and the external editor.
//
// The working directory is the temporary directory: the stderr file and the
// help file are named by their bare names.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/document/user_view.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/io_status.h"

namespace tarnvelock {

// What the launcher tells the person at the screen.
// UserView is a virtual base, shared with the document's view in the run view.
class LauncherView : public virtual UserView {
 public:
  // Shows text in the first panel of the status bar.
  virtual void ShowStatus(const std::wstring& text) = 0;
};

// Receives what the batch's console shows, as the interpreter wrote it.
using ConsoleSink = std::function<void(std::string_view bytes)>;

// The exchange-file work before every start of the interpreter:
// ExchangeFiles::PrepareProcessStart with the run's parameters. A failure
// means the start must not happen; its message is shown to the user.
using StartPreparation = std::function<IoStatus()>;

class Launcher {
 public:
  // program_dir is the directory of the running program, where the bundled
  // interpreter lives when the environment names none.
  Launcher(ProcessStarter& starter, Environment& environment, LauncherView& view,
           StartPreparation prepare_start, const std::wstring& program_dir);
  // Ends a console process that still runs.
  ~Launcher();
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  // The interpreter: %ComSpec% when set, else the bundled one, which then
  // becomes ComSpec for every child.
  const std::wstring& ComSpecPath() const { return com_spec_path_; }
  // The title of the current run's console: the instrumented batch's path.
  const std::wstring& ConsoleTitle() const { return console_title_; }

  // Where drained console output goes; without a sink it is dropped.
  void SetConsoleSink(ConsoleSink sink) { sink_ = std::move(sink); }

  // Starts application (when empty, the first word of command_line names the
  // program) with command_line split into its arguments. With keep, the
  // process and its console become the run's console process; with wait, the
  // call returns when the process has ended. Returns 0 when started (with
  // wait: the exit code), -1 after showing "System-Error " + the error code.
  int StartProcess(const std::wstring& title, const std::wstring& application,
                   const std::wstring& command_line, bool keep, bool wait, ConsoleShow show);
  // Wakes the batch when a console process exists; otherwise prepares the
  // start and starts the interpreter on instrumented_path. False when the
  // start was refused; true as well when the process could not be created
  // (the first poll then finds no process).
  bool StartOrResume(const std::wstring& instrumented_path);
  // True while the console process exists and has not ended.
  bool IsRunning();
  // Ends the console process and everything it started, after handing its
  // last output to the sink. Returns the console window's last place, none
  // when there was no window.
  std::optional<ConsoleRect> CloseConsole();
  // The person closed the console window: the process and everything it
  // started end, but the console stays this run's, so the next run command
  // wakes nothing and its first poll finds the process gone.
  void EndConsoleProcess();
  // True when the console titled ConsoleTitle exists.
  bool FindConsole() const;
  // Writes the interpreter's help for command into "_dbgHelp.txt" in code
  // page 1252 and returns when it is done.
  void RunHelp(const std::wstring& command);
  // Starts the external editor with its command line; 0 when it started.
  int StartEditor(const std::wstring& command_line);

  // Types bytes into the console (input for PAUSE or SET /P); false when
  // there is no console or it takes no input.
  bool TypeIntoConsole(std::string_view bytes);
  // Hands new console output to the sink. Called from the front end's timer:
  // a console nobody drains stops the batch once its buffer is full.
  void DrainConsole();

 private:
  ProcessStarter& starter_;
  LauncherView& view_;
  StartPreparation prepare_start_;
  ConsoleSink sink_;
  std::wstring com_spec_path_;
  std::wstring console_title_;
  std::unique_ptr<ConsoleProcess> console_;
};

}  // namespace tarnvelock
