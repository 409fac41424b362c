// The process list on POSIX systems, read from /proc: "stat" gives the name,
// the state and the parent, "cmdline" the arguments and "cwd" the working
// directory.
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/process_list.h"

namespace tarnvelock {

namespace {

// The text of a /proc file; what was read when the process goes meanwhile
// (reading then fails with ESRCH, which a C++ stream reports by throwing).
std::string ReadWhole(const std::filesystem::path& path) {
  std::string text;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) != 0;) {
    if (got < 0) {
      if (errno == EINTR) continue;
      break;
    }
    text.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return text;
}

// Reads one /proc entry; false for a process that is gone or already ended
// (a zombie, which only waits to be reaped).
bool ReadEntry(const std::filesystem::path& folder, ProcessEntry* entry) {
  // "pid (name) state ppid ...": the name may hold blanks and parentheses,
  // so it ends at the last closing one.
  const std::string stat = ReadWhole(folder / "stat");
  const std::size_t open = stat.find('(');
  const std::size_t close = stat.rfind(')');
  if (open == std::string::npos || close == std::string::npos || close + 4 > stat.size()) {
    return false;
  }
  const char state = stat[close + 2];
  if (state == 'Z' || state == 'X') return false;
  entry->parent = std::strtoll(stat.c_str() + close + 4, nullptr, 10);
  entry->name = stat.substr(open + 1, close - open - 1);

  std::string arguments = ReadWhole(folder / "cmdline");
  while (!arguments.empty() && arguments.back() == '\0') arguments.pop_back();
  for (char& c : arguments) {
    if (c == '\0') c = ' ';
  }
  entry->command_line = arguments;
  std::error_code error;
  entry->directory = std::filesystem::read_symlink(folder / "cwd", error).string();
  return true;
}

}  // namespace

std::vector<ProcessEntry> RunningProcesses() {
  std::vector<ProcessEntry> processes;
  // Processes come and go while the list is read: no step may throw.
  std::error_code error;
  for (std::filesystem::directory_iterator folder("/proc", error), end; !error && folder != end;
       folder.increment(error)) {
    const std::string name = folder->path().filename().string();
    if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
    ProcessEntry entry;
    entry.id = std::strtoll(name.c_str(), nullptr, 10);
    if (ReadEntry(folder->path(), &entry)) processes.push_back(std::move(entry));
  }
  return processes;
}

SystemProcessId OwnProcessId() {
  return ::getpid();
}

SystemProcessId SystemIdOf(ProcessId process) {
  return process;
}

bool EndProcess(SystemProcessId id) {
  return id > 0 && ::kill(static_cast<pid_t>(id), SIGKILL) == 0;
}

bool SignalProcess(SystemProcessId id, TerminalSignal signal) {
  if (id <= 0 || signal == TerminalSignal::None) return false;
  return ::kill(static_cast<pid_t>(id), signal == TerminalSignal::Interrupt ? SIGINT : SIGTERM) ==
         0;
}

}  // namespace tarnvelock
