// Processes on POSIX systems. The console of a kept process is a
// pseudo-terminal: the child becomes the leader of a new session with the
// terminal as its controlling terminal, so that ending its process group and
// closing the terminal reach everything the batch started. On Linux the
// session leader also gets SIGKILL when the debugger dies, and its death
// hangs up the terminal's foreground group; no interpreter outlives a crash.
//
// Everything the child needs is prepared before fork(): between fork() and
// exec() the child only makes system calls, since the front end may run
// other threads.
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "platform/code_page.h"
#include "platform/console_process.h"

extern char** environ;

namespace tarnvelock {

namespace {

// Owns one file descriptor.
class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&&) = delete;
  ~UniqueFd() { Reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_ = -1;
};

UniqueFd OpenNullDevice() {
  return UniqueFd(::open("/dev/null", O_RDWR | O_CLOEXEC));
}

// The file for standard error, created or truncated; the null device when
// none is asked for or it cannot be opened (the process starts all the same).
UniqueFd OpenStderr(const std::wstring& path) {
  if (!path.empty()) {
    UniqueFd file(
        ::open(ToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (file.valid()) return file;
  }
  return OpenNullDevice();
}

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// The file to execute for program: a name with a separator as it stands, a
// bare name through PATH. Backslashes count as separators, as everywhere in
// this program's paths. Returns 0 or the error code.
int ResolveProgram(const std::wstring& program, std::string* path) {
  std::string name = ToUtf8(program);
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  if (name.empty()) return ENOENT;
  if (name.find('/') != std::string::npos) {
    *path = name;
    return 0;
  }
  const char* search = ::getenv("PATH");
  std::string dirs = search != nullptr ? search : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= dirs.size()) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    // An empty piece of PATH stands for the current directory.
    const std::string dir = end > start ? dirs.substr(start, end - start) : std::string(".");
    const std::string candidate = dir + "/" + name;
    if (IsExecutableFile(candidate)) {
      *path = candidate;
      return 0;
    }
    start = end + 1;
  }
  return ENOENT;
}

// What the child is to become, fully prepared before fork().
struct ChildPlan {
  std::string path;
  std::vector<std::string> args;
  std::vector<char*> argv;
  int stdin_fd = -1;
  int stdout_fd = -1;
  int stderr_fd = -1;
  bool new_session = true;
  bool controlling_terminal = false;  // stdin is a terminal to make the session's own
  bool die_with_parent = true;
  pid_t parent = 0;
};

// Fills everything of plan but the descriptors; returns 0 or the error code.
int PrepareChild(const ProcessRequest& request, ChildPlan* plan) {
  if (const int error = ResolveProgram(request.program, &plan->path)) return error;
  plan->args.push_back(ToUtf8(request.program));
  for (const std::wstring& argument : request.arguments) plan->args.push_back(ToUtf8(argument));
  for (std::string& arg : plan->args) plan->argv.push_back(arg.data());
  plan->argv.push_back(nullptr);
  plan->parent = ::getpid();
  return 0;
}

[[noreturn]] void ReportAndExit(int report_fd, int error) {
  while (::write(report_fd, &error, sizeof error) < 0 && errno == EINTR) {
  }
  ::_exit(127);
}

void CloseDescriptorsFrom(int first) {
#if defined(__linux__) && defined(__GLIBC__)
  if (::close_range(static_cast<unsigned>(first), ~0U, 0) == 0) return;
#endif
  long last = ::sysconf(_SC_OPEN_MAX);
  if (last < 0 || last > 65536) last = 65536;
  for (int fd = first; fd < last; ++fd) ::close(fd);
}

// Runs in the child after fork(): async-signal-safe calls only. Reports a
// failure as an errno value through report_fd, which closes on exec.
[[noreturn]] void BecomeChild(const ChildPlan& plan, int report_fd) {
  if (plan.new_session) ::setsid();
  if (plan.controlling_terminal) ::ioctl(plan.stdin_fd, TIOCSCTTY, 0);
#ifdef __linux__
  if (plan.die_with_parent) {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != plan.parent) ::_exit(127);  // the debugger died before the line above
  }
#endif
  // Ignored signals and the signal mask survive exec; the child starts clean.
  struct sigaction default_action = {};
  default_action.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) ::sigaction(sig, &default_action, nullptr);
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);

  // Lift every descriptor above 0-3 first, so that no dup2 below overwrites
  // a source still to be used.
  const int in = ::fcntl(plan.stdin_fd, F_DUPFD_CLOEXEC, 10);
  const int out = ::fcntl(plan.stdout_fd, F_DUPFD_CLOEXEC, 10);
  const int err = ::fcntl(plan.stderr_fd, F_DUPFD_CLOEXEC, 10);
  const int report = ::fcntl(report_fd, F_DUPFD_CLOEXEC, 10);
  if (in < 0 || out < 0 || err < 0 || report < 0) ReportAndExit(report_fd, errno);
  if (::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 || ::dup2(report, 3) < 0) {
    ReportAndExit(report, errno);
  }
  ::fcntl(3, F_SETFD, FD_CLOEXEC);
  CloseDescriptorsFrom(4);
  ::execve(plan.path.c_str(), plan.argv.data(), environ);
  ReportAndExit(3, errno);
}

// Waits for the report of a child that is on its way to exec(): 0 once the
// report pipe closed without a word, else the child's error code.
int ReadReport(UniqueFd& report) {
  int error = 0;
  ssize_t got;
  while ((got = ::read(report.get(), &error, sizeof error)) < 0 && errno == EINTR) {
  }
  return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Waits for child without a time limit; its exit code, or none when it
// cannot be waited for.
std::optional<int> WaitFor(pid_t child) {
  int status = 0;
  pid_t got;
  while ((got = ::waitpid(child, &status, 0)) < 0 && errno == EINTR) {
  }
  if (got != child) return std::nullopt;
  return ExitCodeOf(status);
}

// Forks a child that becomes plan's program. Returns its pid, or -1 with
// *error set; a failed exec has been waited for already.
pid_t Spawn(const ChildPlan& plan, int* error) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) {
    *error = errno;
    return -1;
  }
  UniqueFd read_end(pipe_fds[0]);
  UniqueFd write_end(pipe_fds[1]);
  const pid_t child = ::fork();
  if (child < 0) {
    *error = errno;
    return -1;
  }
  if (child == 0) BecomeChild(plan, write_end.get());
  write_end.Reset();
  *error = ReadReport(read_end);
  if (*error != 0) {
    WaitFor(child);
    return -1;
  }
  return child;
}

// A child on a pseudo-terminal: the master side stays here, non-blocking.
class PtyConsoleProcess final : public ConsoleProcess {
 public:
  PtyConsoleProcess(std::wstring title, pid_t pid, UniqueFd master)
      : title_(std::move(title)), pid_(pid), master_(std::move(master)) {}
  ~PtyConsoleProcess() override { Terminate(); }

  const std::wstring& Title() const override { return title_; }

  bool WriteInput(std::string_view bytes) override {
    while (!bytes.empty()) {
      if (!master_.valid()) return false;
      const ssize_t written = ::write(master_.get(), bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
  }

  std::string ReadOutput() override {
    std::string output;
    char buffer[4096];
    while (master_.valid()) {
      const ssize_t got = ::read(master_.get(), buffer, sizeof buffer);
      if (got > 0) {
        output.append(buffer, static_cast<size_t>(got));
        continue;
      }
      if (got < 0 && errno == EINTR) continue;
      break;  // nothing more for now (EAGAIN), or the terminal hung up (EIO)
    }
    return output;
  }

  bool IsRunning() override {
    if (ended_) return false;
    int status = 0;
    const pid_t got = ::waitpid(pid_, &status, WNOHANG);
    if (got == 0) return true;
    if (got < 0 && errno == EINTR) return true;
    ended_ = true;
    if (got == pid_) exit_code_ = ExitCodeOf(status);
    return false;
  }

  std::optional<int> ExitCode() override {
    IsRunning();
    return exit_code_;
  }

  std::optional<ConsoleRect> WindowRect() const override { return std::nullopt; }

  void Terminate() override {
    if (!master_.valid()) return;
    // The group outlives its leader while anything the batch started runs on.
    ::kill(-pid_, SIGKILL);
    if (!ended_) {
      ::kill(pid_, SIGKILL);
      exit_code_ = WaitFor(pid_);
      ended_ = true;
    }
    master_.Reset();  // hangs up whatever left the group but not the session
  }

 private:
  std::wstring title_;
  pid_t pid_;
  UniqueFd master_;
  bool ended_ = false;
  std::optional<int> exit_code_;
};

// Opens a pseudo-terminal whose slave side reads single bytes without echo:
// one blank must wake a reader, and must not show in the console.
int OpenTerminal(UniqueFd* master, UniqueFd* slave) {
  master->Reset(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!master->valid()) return errno;
  char name[PATH_MAX];
  if (::grantpt(master->get()) != 0 || ::unlockpt(master->get()) != 0 ||
      ::ptsname_r(master->get(), name, sizeof name) != 0) {
    return errno;
  }
  slave->Reset(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!slave->valid()) return errno;

  struct termios modes;
  if (::tcgetattr(slave->get(), &modes) != 0) return errno;
  modes.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHOE | ECHOK | ECHONL);
  modes.c_cc[VMIN] = 1;
  modes.c_cc[VTIME] = 0;
  if (::tcsetattr(slave->get(), TCSANOW, &modes) != 0) return errno;
  struct winsize size = {};
  size.ws_col = 80;
  size.ws_row = 25;
  ::ioctl(slave->get(), TIOCSWINSZ, &size);

  const int flags = ::fcntl(master->get(), F_GETFL);
  if (flags < 0 || ::fcntl(master->get(), F_SETFL, flags | O_NONBLOCK) != 0) return errno;
  return 0;
}

class PosixProcessStarter final : public ProcessStarter {
 public:
  ConsoleStart StartConsole(const ProcessRequest& request) override {
    ConsoleStart start;
    ChildPlan plan;
    if ((start.error = PrepareChild(request, &plan)) != 0) return start;
    UniqueFd master;
    UniqueFd slave;
    if ((start.error = OpenTerminal(&master, &slave)) != 0) return start;
    const UniqueFd stderr_file = OpenStderr(request.stderr_path);
    plan.stdin_fd = plan.stdout_fd = slave.get();
    plan.stderr_fd = stderr_file.get();
    plan.controlling_terminal = true;
    const pid_t pid = Spawn(plan, &start.error);
    if (pid < 0) return start;
    start.process = std::make_unique<PtyConsoleProcess>(request.title, pid, std::move(master));
    return start;
  }

  WaitedRun RunAndWait(const ProcessRequest& request) override {
    WaitedRun run;
    ChildPlan plan;
    if ((run.error = PrepareChild(request, &plan)) != 0) return run;
    const UniqueFd null_device = OpenNullDevice();
    const UniqueFd stderr_file = OpenStderr(request.stderr_path);
    plan.stdin_fd = plan.stdout_fd = null_device.get();
    plan.stderr_fd = stderr_file.get();
    const pid_t pid = Spawn(plan, &run.error);
    if (pid < 0) return run;
    const std::optional<int> code = WaitFor(pid);
    if (!code) run.error = ECHILD;
    run.exit_code = code.value_or(-1);
    return run;
  }

  int StartDetached(const ProcessRequest& request) override {
    ChildPlan plan;
    if (const int error = PrepareChild(request, &plan)) return error;
    const UniqueFd null_device = OpenNullDevice();
    const UniqueFd stderr_file = OpenStderr(request.stderr_path);
    plan.stdin_fd = plan.stdout_fd = null_device.get();
    plan.stderr_fd = stderr_file.get();
    plan.new_session = false;
    plan.die_with_parent = false;

    // The program runs as a grandchild in a session of its own, so it is
    // nobody's zombie here and no terminal signal of ours reaches it.
    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return errno;
    UniqueFd read_end(pipe_fds[0]);
    UniqueFd write_end(pipe_fds[1]);
    const pid_t middle = ::fork();
    if (middle < 0) return errno;
    if (middle == 0) {
      ::setsid();
      const pid_t program = ::fork();
      if (program < 0) ReportAndExit(write_end.get(), errno);
      if (program == 0) BecomeChild(plan, write_end.get());
      ::_exit(0);
    }
    write_end.Reset();
    const int error = ReadReport(read_end);
    WaitFor(middle);
    return error;
  }
};

}  // namespace

ProcessStarter& SystemProcessStarter() {
  static PosixProcessStarter starter;
  return starter;
}

}  // namespace tarnvelock
