// Processes on a console of their own: the command interpreter that runs a
// debugged batch, the interpreter's help and the external editor. On Windows
// the console is a window of its own; on POSIX it is a pseudo-terminal whose
// output the front end shows. Behind an interface so that run control can be
// tested without starting anything.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

// How a new console window is shown; POSIX has no window and ignores it.
enum class ConsoleShow {
  Hidden,
  NoActivate,  // shown without taking the focus
  Normal,
};

// A console window's place on the screen, in screen coordinates.
struct ConsoleRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

struct ProcessRequest {
  // A path, or a bare name that is looked up on the search path.
  std::wstring program;
  // The arguments after the program's own name.
  std::vector<std::wstring> arguments;
  // The console window's title.
  std::wstring title;
  // The file that receives standard error, created or truncated and readable
  // by others while the process runs; when empty, or when it cannot be
  // opened, standard error goes nowhere.
  std::wstring stderr_path;
  ConsoleShow show = ConsoleShow::Normal;
  // Where a console window opens on the screen; a negative value counts as 0.
  int left = 0;
  int top = 0;
};

// One started process and its console. The working directory and the
// environment are the starter's own. Destroying the object terminates a
// process that still runs, so no interpreter outlives its owner.
class ConsoleProcess {
 public:
  virtual ~ConsoleProcess() = default;

  virtual const std::wstring& Title() const = 0;
  // Types bytes into the console as if a person had typed them; false when
  // the console no longer takes input. Each byte reaches the process at once
  // and is not echoed, so a single blank wakes a process waiting for a key.
  virtual bool WriteInput(std::string_view bytes) = 0;
  // Everything the console has shown since the last call, as the process
  // wrote it; never blocks. Empty when there is nothing new.
  virtual std::string ReadOutput() = 0;
  virtual bool IsRunning() = 0;
  // The exit code once the process has ended (128 + the signal number on
  // POSIX when a signal ended it).
  virtual std::optional<int> ExitCode() = 0;
  // The console window's last place; none where the console has no window.
  virtual std::optional<ConsoleRect> WindowRect() const = 0;
  // Ends the process together with everything it started, waits for it and
  // closes the console.
  virtual void Terminate() = 0;
};

// The outcome of a start: error is 0 on success, else the system's error
// code (errno on POSIX, GetLastError on Windows).
struct ConsoleStart {
  std::unique_ptr<ConsoleProcess> process;
  int error = 0;
};

// The outcome of a waited run: the exit code, or the error code when the
// process could not be started.
struct WaitedRun {
  int exit_code = 0;
  int error = 0;
};

// Starts processes. Every child inherits the working directory and the
// environment. Console and waited-for children die with the starting
// process; a detached one lives on. Start them from the thread that lives as
// long as the program (the user-interface thread): on Linux a child is bound
// to the thread that started it.
class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts a process on a new console that the caller keeps.
  virtual ConsoleStart StartConsole(const ProcessRequest& request) = 0;
  // Runs a process without a visible console and returns when it has ended.
  virtual WaitedRun RunAndWait(const ProcessRequest& request) = 0;
  // Starts a process that lives on by itself (an editor); returns the error
  // code, 0 when it started.
  virtual int StartDetached(const ProcessRequest& request) = 0;
};

// The starter of this system.
ProcessStarter& SystemProcessStarter();

}  // namespace tarnvelock
