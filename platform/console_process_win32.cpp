// Processes on Windows. A kept process gets a console window of its own,
// titled as asked and shown without taking the focus; standard error goes to
// an inheritable file. The window is found by its title (the class of a
// console window differs between Windows and Wine); a blank reaches the
// process as a posted key press. Every kept process runs in a job that is
// killed when the process is terminated or the debugger ends, so nothing the
// batch started outlives the session.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <utility>

#include "platform/console_process.h"

namespace tarnvelock {

namespace {

using Clock = std::chrono::steady_clock;

// How long a start waits for the console window before it goes on without
// one (there is none without a display, and no Escape key to end the wait).
constexpr auto kWindowSearchLimit = std::chrono::seconds(10);
// How long closing waits for a console window that does not answer.
constexpr UINT kCloseTimeoutMs = 5000;

// Owns one handle.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  ~UniqueHandle() { Reset(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void Reset() {
    if (valid()) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// One word of a command line, quoted when it holds a blank or is empty, the
// way the command interpreter and every C runtime read it back.
std::wstring QuotedWord(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t") == std::wstring::npos) return word;
  if (word.size() >= 2 && word.front() == L'"' && word.back() == L'"') return word;
  return L"\"" + word + L"\"";
}

std::wstring CommandLineOf(const ProcessRequest& request) {
  std::wstring line = QuotedWord(request.program);
  for (const std::wstring& argument : request.arguments) line += L" " + QuotedWord(argument);
  return line;
}

WORD ShowMode(ConsoleShow show) {
  switch (show) {
    case ConsoleShow::Hidden:
      return SW_HIDE;
    case ConsoleShow::NoActivate:
      return SW_SHOWNA;
    case ConsoleShow::Normal:
      break;
  }
  return SW_SHOWNORMAL;
}

// The standard error file, created or truncated, readable by others and
// inherited by the child; invalid when none is asked for or it cannot be
// opened (the process starts all the same).
UniqueHandle OpenStderr(const std::wstring& path) {
  if (path.empty()) return UniqueHandle();
  SECURITY_ATTRIBUTES inherit = {sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

struct Started {
  UniqueHandle process;
  UniqueHandle thread;
  DWORD error = 0;
};

// Starts request's program on a new console. The thread is left suspended
// when asked, so that the process can join a job before it starts anything.
Started Launch(const ProcessRequest& request, bool suspended) {
  const UniqueHandle stderr_file = OpenStderr(request.stderr_path);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags =
      STARTF_USESHOWWINDOW | STARTF_USEPOSITION | STARTF_USECOUNTCHARS | STARTF_USESTDHANDLES;
  startup.wShowWindow = ShowMode(request.show);
  std::wstring title = request.title;
  startup.lpTitle = title.empty() ? nullptr : title.data();
  // The classic values of console input and output: the child reads and
  // writes its new console; only standard error is a file.
  startup.hStdInput = reinterpret_cast<HANDLE>(3);
  startup.hStdOutput = reinterpret_cast<HANDLE>(7);
  startup.hStdError = stderr_file.valid() ? stderr_file.get() : INVALID_HANDLE_VALUE;
  startup.dwX = static_cast<DWORD>(std::max(request.left, 0));
  startup.dwY = static_cast<DWORD>(std::max(request.top, 0));
  startup.dwXCountChars = 80;
  startup.dwYCountChars = 250;

  std::wstring command_line = CommandLineOf(request);
  // A path is started as named (".exe" may be left out, as on a command
  // line); a bare name is looked up on the search path.
  const bool is_path = request.program.find_first_of(L"\\/") != std::wstring::npos;
  std::wstring program = request.program;
  if (is_path && ::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES &&
      ::GetFileAttributesW((program + L".exe").c_str()) != INVALID_FILE_ATTRIBUTES) {
    program += L".exe";
  }
  DWORD flags = CREATE_NEW_CONSOLE | BELOW_NORMAL_PRIORITY_CLASS | CREATE_UNICODE_ENVIRONMENT;
  if (suspended) flags |= CREATE_SUSPENDED;
  PROCESS_INFORMATION info = {};
  Started started;
  if (!::CreateProcessW(is_path ? program.c_str() : nullptr, command_line.data(), nullptr, nullptr,
                        TRUE, flags, nullptr, nullptr, &startup, &info)) {
    started.error = ::GetLastError();
    return started;
  }
  started.process = UniqueHandle(info.hProcess);
  started.thread = UniqueHandle(info.hThread);
  return started;
}

// A job that kills its processes when its last handle closes.
UniqueHandle MakeKillingJob() {
  UniqueHandle job(::CreateJobObjectW(nullptr, nullptr));
  if (!job.valid()) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

std::optional<DWORD> ExitCodeOf(HANDLE process) {
  DWORD code = 0;
  if (!::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE) return std::nullopt;
  return code;
}

// The top-level window titled exactly title, searched until it exists, the
// Escape key is down, the process has ended or the search has taken too long.
HWND FindConsoleWindow(const std::wstring& title, HANDLE process) {
  const auto deadline = Clock::now() + kWindowSearchLimit;
  for (;;) {
    if (HWND window = ::FindWindowW(nullptr, title.c_str())) return window;
    if ((::GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0) return nullptr;
    if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return nullptr;
    if (Clock::now() > deadline) return nullptr;
    // A short sleep leaves the processor to the console being created.
    ::Sleep(5);
  }
}

// The key a typed byte stands for.
WPARAM VirtualKeyOf(char byte) {
  if (byte == '\r' || byte == '\n') return VK_RETURN;
  if (byte == ' ') return VK_SPACE;
  const SHORT scanned = ::VkKeyScanW(static_cast<unsigned char>(byte));
  return scanned == -1 ? VK_SPACE : static_cast<WPARAM>(scanned & 0xFF);
}

class Win32ConsoleProcess final : public ConsoleProcess {
 public:
  Win32ConsoleProcess(std::wstring title, UniqueHandle process, UniqueHandle job, HWND window)
      : title_(std::move(title)),
        process_(std::move(process)),
        job_(std::move(job)),
        window_(window) {}
  ~Win32ConsoleProcess() override { Terminate(); }

  const std::wstring& Title() const override { return title_; }

  bool WriteInput(std::string_view bytes) override {
    if (window_ == nullptr) return false;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n' && i > 0 && bytes[i - 1] == '\r') continue;  // one Enter
      if (!::PostMessageW(window_, WM_KEYDOWN, VirtualKeyOf(bytes[i]), 0)) return false;
    }
    return true;
  }

  // The console window shows the output itself.
  std::string ReadOutput() override { return {}; }

  bool IsRunning() override { return process_.valid() && !ExitCodeOf(process_.get()); }

  std::optional<int> ExitCode() override {
    if (!process_.valid()) return exit_code_;
    if (const std::optional<DWORD> code = ExitCodeOf(process_.get())) {
      exit_code_ = static_cast<int>(*code);
    }
    return exit_code_;
  }

  std::optional<ConsoleRect> WindowRect() const override {
    RECT rect;
    if (window_ == nullptr || !::GetWindowRect(window_, &rect)) return std::nullopt;
    return ConsoleRect{rect.left, rect.top, rect.right, rect.bottom};
  }

  void Terminate() override {
    if (window_ != nullptr) {
      DWORD_PTR ignored = 0;
      ::SendMessageTimeoutW(window_, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseTimeoutMs, &ignored);
      window_ = nullptr;
    }
    if (!process_.valid()) return;
    if (!ExitCodeOf(process_.get())) ::TerminateProcess(process_.get(), 1);
    if (job_.valid()) ::TerminateJobObject(job_.get(), 1);
    ::WaitForSingleObject(process_.get(), kCloseTimeoutMs);
    ExitCode();
    process_.Reset();
    job_.Reset();
  }

 private:
  std::wstring title_;
  UniqueHandle process_;
  UniqueHandle job_;
  HWND window_;
  std::optional<int> exit_code_;
};

class Win32ProcessStarter final : public ProcessStarter {
 public:
  ConsoleStart StartConsole(const ProcessRequest& request) override {
    ConsoleStart start;
    Started started = Launch(request, true);
    if (started.error != 0) {
      start.error = static_cast<int>(started.error);
      return start;
    }
    UniqueHandle job = MakeKillingJob();
    if (job.valid()) ::AssignProcessToJobObject(job.get(), started.process.get());
    ::ResumeThread(started.thread.get());
    HWND window = FindConsoleWindow(request.title, started.process.get());
    start.process = std::make_unique<Win32ConsoleProcess>(request.title, std::move(started.process),
                                                          std::move(job), window);
    return start;
  }

  WaitedRun RunAndWait(const ProcessRequest& request) override {
    WaitedRun run;
    Started started = Launch(request, false);
    if (started.error != 0) {
      run.error = static_cast<int>(started.error);
      return run;
    }
    ::WaitForSingleObject(started.process.get(), INFINITE);
    run.exit_code = static_cast<int>(ExitCodeOf(started.process.get()).value_or(1));
    return run;
  }

  int StartDetached(const ProcessRequest& request) override {
    return static_cast<int>(Launch(request, false).error);
  }
};

}  // namespace

ProcessStarter& SystemProcessStarter() {
  static Win32ProcessStarter starter;
  return starter;
}

}  // namespace tarnvelock
