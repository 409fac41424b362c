// The process list on Windows, from a toolhelp snapshot. It names each
// process's program and parent; the command line and working directory of
// another process are not told.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>
// tlhelp32.h needs the types of windows.h.
#include <tlhelp32.h>

#include "platform/code_page.h"
#include "platform/process_list.h"

namespace tarnvelock {

std::vector<ProcessEntry> RunningProcesses() {
  std::vector<ProcessEntry> processes;
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return processes;
  PROCESSENTRY32W process = {};
  process.dwSize = sizeof process;
  for (BOOL more = ::Process32FirstW(snapshot, &process); more;
       more = ::Process32NextW(snapshot, &process)) {
    ProcessEntry entry;
    entry.id = process.th32ProcessID;
    entry.parent = process.th32ParentProcessID;
    entry.name = ToUtf8(process.szExeFile);
    processes.push_back(std::move(entry));
  }
  ::CloseHandle(snapshot);
  return processes;
}

SystemProcessId OwnProcessId() {
  return ::GetCurrentProcessId();
}

SystemProcessId SystemIdOf(ProcessId process) {
  return process == 0 ? 0 : ::GetProcessId(reinterpret_cast<HANDLE>(process));
}

bool EndProcess(SystemProcessId id) {
  HANDLE process = ::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                                 static_cast<DWORD>(id));
  if (process == nullptr) return false;
  // A process that has ended stays until its last handle closes; it is not
  // ended a second time.
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
  const bool ended = running && ::TerminateProcess(process, 1) != 0;
  ::CloseHandle(process);
  return ended;
}

bool SignalProcess(SystemProcessId /*id*/, TerminalSignal /*signal*/) {
  return false;
}

}  // namespace tarnvelock
