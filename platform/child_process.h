// The command interpreter's own child processes and standard handles:
// starting programs, forking the interpreter for pipes and captured output,
// moving standard handles around for redirection, and reading keys from a
// console. (The debugger's console child is platform/console_process.h.)
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock {

// A file descriptor number of this process (0, 1 and 2 are the standard ones).
using Descriptor = int;

enum class OpenMode { Read, Write, Append };

// Opens path for a redirection; returns nothing when it cannot be opened.
std::optional<Descriptor> OpenForRedirection(const std::string& path, OpenMode mode);
// A copy of fd that stays valid after fd is replaced.
Descriptor DuplicateDescriptor(Descriptor fd);
// Makes target refer to what source refers to.
void ReplaceDescriptor(Descriptor source, Descriptor target);
void CloseDescriptor(Descriptor fd);
// Writes all bytes, retrying after partial writes; errors are ignored since
// the reader may be gone (a closed pipe) and the interpreter must go on.
void WriteAll(Descriptor fd, std::string_view bytes);
// Reads up to size bytes; 0 at end of input.
std::size_t ReadSome(Descriptor fd, char* buffer, std::size_t size);
bool IsTerminal(Descriptor fd);
// Waits for one key on a terminal in raw mode (one byte otherwise); false at
// end of input.
bool ReadKey(Descriptor fd);

// A pipe: read end and write end.
struct PipeEnds {
  Descriptor read = -1;
  Descriptor write = -1;
};
PipeEnds MakePipe();

// A started process; 0 stands for none to wait for.
using ProcessId = std::intptr_t;

// A child interpreter, given twice over. Where the system can copy a process
// (POSIX), a copy of this one runs body, which sets up its own standard
// handles and directory, and ends with body's result without running any
// destructor of this process. Where it cannot (Windows), this program is
// started afresh with command_line and the fields after it.
struct InterpreterChild {
  std::function<int()> body;
  // The arguments after the program's name, as this interpreter reads them.
  std::string command_line;
  // "NAME=value" strings.
  std::vector<std::string> environment;
  Descriptor input = 0;
  Descriptor output = 1;
  // Where the child starts; empty for the current directory.
  std::string directory;
  // A detached child runs on by itself in a console of its own; its id is 0.
  bool detached = false;
};
ProcessId StartInterpreter(const InterpreterChild& child);
// Starts program with the given argument vector and environment
// ("NAME=value" strings); returns nothing when it cannot be started.
std::optional<ProcessId> StartProgram(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::vector<std::string>& environment);
// Waits for the process and returns its exit code (128 + signal when killed).
int WaitForProcess(ProcessId process);

// True when path names a regular file this user may execute.
bool IsExecutableFile(const std::string& path);
// The full path of the running program.
std::string OwnExecutablePath();
// The arguments this program was started with, after its own name, as one
// command line: on Windows the line exactly as given; elsewhere the words
// joined again, quoting those that hold a blank and no quote.
std::string OwnCommandLine(int argc, char** argv);
// Makes the standard handles usable before anything reads or writes them:
// bytes pass unchanged, and on Windows a standard handle that names nothing
// (a console child given the classic console values) is opened on the console.
void PrepareStandardHandles();
// The environment this process was started with, as "NAME=value" strings.
std::vector<std::string> InheritedEnvironment();

}  // namespace tarnvelock
