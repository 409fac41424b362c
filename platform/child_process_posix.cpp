// Processes and standard handles on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "platform/child_process.h"

extern char** environ;

namespace tarnvelock {

std::optional<Descriptor> OpenForRedirection(const std::string& path, OpenMode mode) {
  int flags = O_RDONLY;
  if (mode == OpenMode::Write) flags = O_WRONLY | O_CREAT | O_TRUNC;
  if (mode == OpenMode::Append) flags = O_WRONLY | O_CREAT | O_APPEND;
  int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) return std::nullopt;
  if (mode == OpenMode::Read) {
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
      close(fd);
      return std::nullopt;
    }
  }
  return fd;
}

Descriptor DuplicateDescriptor(Descriptor fd) {
  return fcntl(fd, F_DUPFD_CLOEXEC, 10);
}

void ReplaceDescriptor(Descriptor source, Descriptor target) {
  if (source != target) dup2(source, target);
}

void CloseDescriptor(Descriptor fd) {
  if (fd >= 0) close(fd);
}

void WriteAll(Descriptor fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::size_t ReadSome(Descriptor fd, char* buffer, std::size_t size) {
  for (;;) {
    ssize_t got = read(fd, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    return got < 0 ? 0 : static_cast<std::size_t>(got);
  }
}

bool IsTerminal(Descriptor fd) {
  return isatty(fd) == 1;
}

bool ReadKey(Descriptor fd) {
  char key = 0;
  termios saved{};
  bool raw = isatty(fd) == 1 && tcgetattr(fd, &saved) == 0;
  if (raw) {
    termios changed = saved;
    changed.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    changed.c_cc[VMIN] = 1;
    changed.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &changed);
  }
  bool got = ReadSome(fd, &key, 1) == 1;
  if (raw && got && key == '\x1b') {
    // One key may send a sequence (arrows, function keys): take it whole.
    termios draining = saved;
    draining.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    draining.c_cc[VMIN] = 0;
    draining.c_cc[VTIME] = 1;
    tcsetattr(fd, TCSANOW, &draining);
    char rest[16];
    while (ReadSome(fd, rest, sizeof rest) > 0) {
    }
  }
  if (raw) tcsetattr(fd, TCSANOW, &saved);
  return got;
}

PipeEnds MakePipe() {
  int ends[2] = {-1, -1};
  if (pipe2(ends, O_CLOEXEC) != 0) return {};
  return {ends[0], ends[1]};
}

ProcessId StartInterpreter(const InterpreterChild& child) {
  pid_t copy = fork();
  if (copy == 0) _exit(child.body() & 0xff);
  return copy;
}

std::optional<ProcessId> StartProgram(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::vector<std::string>& environment) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
  envp.push_back(nullptr);
  // A pipe closed on exec tells the parent whether the program started.
  PipeEnds report = MakePipe();
  pid_t child = fork();
  if (child == 0) {
    execve(program.c_str(), argv.data(), envp.data());
    char failed = 1;
    if (write(report.write, &failed, 1) < 0) _exit(127);
    _exit(127);
  }
  CloseDescriptor(report.write);
  char failed = 0;
  bool exec_failed = child < 0 || ReadSome(report.read, &failed, 1) == 1;
  CloseDescriptor(report.read);
  if (exec_failed) {
    if (child > 0) WaitForProcess(child);
    return std::nullopt;
  }
  return child;
}

int WaitForProcess(ProcessId process) {
  int status = 0;
  while (waitpid(static_cast<pid_t>(process), &status, 0) < 0) {
    if (errno != EINTR) return 1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return 1;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string OwnExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length <= 0) return {};
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string OwnCommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) {
    std::string word = argv[i];
    if (i > 1) line += ' ';
    bool needs_quotes = word.empty() || (word.find_first_of(" \t") != std::string::npos &&
                                         word.find('"') == std::string::npos);
    line += needs_quotes ? "\"" + word + "\"" : word;
  }
  return line;
}

void PrepareStandardHandles() {}

std::vector<std::string> InheritedEnvironment() {
  std::vector<std::string> result;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    result.emplace_back(*entry);
  }
  return result;
}

}  // namespace tarnvelock
