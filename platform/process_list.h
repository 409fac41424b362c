// The processes running on this machine, as a test sees them when it checks
// that no program it started is left behind: who they are, whose children
// they are, what they run and where; and the means to stop one. (Starting
// processes is platform/child_process.h.)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/child_process.h"
#include "platform/terminal_signals.h"

namespace tarnvelock {

// The number the system gives a process; unlike a ProcessId it stays the
// same for everyone who looks, and it is kept after the process is waited for.
using SystemProcessId = std::int64_t;

struct ProcessEntry {
  SystemProcessId id = 0;
  // The process that started it (on POSIX the one that adopted it once its
  // parent ended).
  SystemProcessId parent = 0;
  // The program's file name without its directory, e.g. "tarnvelock-cmd" or
  // "tarnvelock-cmd.exe".
  std::string name;
  // The arguments joined with blanks, and the working directory; empty where
  // the system does not tell (Windows, or another account's process).
  std::string command_line;
  std::string directory;
};

// Every process that is running now; one that has ended but is not yet
// waited for is left out.
std::vector<ProcessEntry> RunningProcesses();

SystemProcessId OwnProcessId();
// The system's number for a process this one started, taken before it is
// waited for.
SystemProcessId SystemIdOf(ProcessId process);

// Ends the process at once; false when there is no such process or it may
// not be ended.
bool EndProcess(SystemProcessId id);
// Sends the process what Ctrl+C in its terminal or a request to end sends;
// false where that cannot be done (Windows delivers Ctrl+C to a whole
// console, not to one process of it).
bool SignalProcess(SystemProcessId id, TerminalSignal signal);

}  // namespace tarnvelock
