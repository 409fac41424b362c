// The interpreter's processes and standard handles on Windows. Descriptors
// are the C runtime's, in binary mode and not inherited; a child gets exactly
// its three standard handles. Windows cannot copy a process, so a child
// interpreter is this program started afresh with a command line. Names,
// command lines and the environment pass the system boundary as UTF-8.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>
// The C runtime's descriptor functions.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <string>

#include "platform/child_process.h"
#include "platform/code_page.h"

namespace tarnvelock {

namespace {

HANDLE HandleOf(Descriptor fd) {
  return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

bool IsUsableHandle(HANDLE handle) {
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return false;
  ::SetLastError(ERROR_SUCCESS);
  return ::GetFileType(handle) != FILE_TYPE_UNKNOWN || ::GetLastError() == ERROR_SUCCESS;
}

void KeepFromChildren(Descriptor fd) {
  if (fd >= 0) ::SetHandleInformation(HandleOf(fd), HANDLE_FLAG_INHERIT, 0);
}

// An inheritable copy of a standard handle for one child; invalid stays so.
HANDLE InheritableCopy(Descriptor fd) {
  HANDLE source = HandleOf(fd);
  HANDLE copy = INVALID_HANDLE_VALUE;
  if (!IsUsableHandle(source) ||
      !::DuplicateHandle(::GetCurrentProcess(), source, ::GetCurrentProcess(), &copy, 0, TRUE,
                         DUPLICATE_SAME_ACCESS)) {
    return INVALID_HANDLE_VALUE;
  }
  return copy;
}

std::wstring QuotedWord(const std::string& word) {
  const std::wstring wide = FromUtf8(word);
  if (!wide.empty() && wide.find_first_of(L" \t\"") == std::wstring::npos) return wide;
  if (wide.size() >= 2 && wide.front() == L'"' && wide.back() == L'"') return wide;
  return L"\"" + wide + L"\"";
}

// An environment block: "NAME=value" entries, each ended by a NUL, and one
// more NUL at the end.
std::wstring EnvironmentBlockOf(const std::vector<std::string>& environment) {
  std::wstring block;
  for (const std::string& entry : environment) {
    block += FromUtf8(entry);
    block += L'\0';
  }
  if (block.empty()) block += L'\0';
  block += L'\0';
  return block;
}

// Starts program with command_line; the child's standard handles are input,
// output and this process's standard error.
std::optional<ProcessId> Launch(const std::wstring& program, std::wstring command_line,
                                const std::vector<std::string>& environment, Descriptor input,
                                Descriptor output, const std::string& directory, bool detached) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  if (!detached) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = InheritableCopy(input);
    startup.hStdOutput = InheritableCopy(output);
    startup.hStdError = InheritableCopy(2);
  }
  std::wstring block = EnvironmentBlockOf(environment);
  const std::wstring wide_directory = FromUtf8(directory);
  DWORD flags = CREATE_UNICODE_ENVIRONMENT;
  if (detached) flags |= CREATE_NEW_CONSOLE;
  PROCESS_INFORMATION info = {};
  const BOOL started = ::CreateProcessW(
      program.c_str(), command_line.data(), nullptr, nullptr, detached ? FALSE : TRUE, flags,
      block.data(), wide_directory.empty() ? nullptr : wide_directory.c_str(), &startup, &info);
  for (HANDLE handle : {startup.hStdInput, startup.hStdOutput, startup.hStdError}) {
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
  if (!started) return std::nullopt;
  ::CloseHandle(info.hThread);
  if (detached) {
    ::CloseHandle(info.hProcess);
    return 0;
  }
  return reinterpret_cast<ProcessId>(info.hProcess);
}

// Opens the console device name ("CONIN$", "CONOUT$") as descriptor fd.
void OpenConsoleAs(const wchar_t* name, Descriptor fd, DWORD standard) {
  HANDLE console =
      ::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return;
  const int opened = ::_open_osfhandle(reinterpret_cast<intptr_t>(console), _O_BINARY);
  if (opened < 0) {
    ::CloseHandle(console);
    return;
  }
  if (opened != fd) {
    ::_dup2(opened, fd);
    ::_close(opened);
  }
  KeepFromChildren(fd);
  ::SetStdHandle(standard, HandleOf(fd));
}

// Opens a file to add to. The C runtime's _O_APPEND only moves its own
// descriptor to the end before each write; a child given the handle would
// write over the file from its start. A handle with the right to append and
// not to write anywhere else makes the system add every write at the end.
std::optional<Descriptor> OpenForAppending(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(file), _O_APPEND | _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(file);
    return std::nullopt;
  }
  return fd;
}

}  // namespace

std::optional<Descriptor> OpenForRedirection(const std::string& path, OpenMode mode) {
  const std::wstring wide = FromUtf8(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::nullopt;
  }
  if (mode == OpenMode::Append) return OpenForAppending(wide);
  const int flags = mode == OpenMode::Write ? _O_WRONLY | _O_CREAT | _O_TRUNC : _O_RDONLY;
  const int fd = ::_wopen(wide.c_str(), flags | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd < 0) return std::nullopt;
  return fd;
}

Descriptor DuplicateDescriptor(Descriptor fd) {
  const int copy = ::_dup(fd);
  KeepFromChildren(copy);
  return copy;
}

void ReplaceDescriptor(Descriptor source, Descriptor target) {
  if (source == target) return;
  ::_dup2(source, target);
  KeepFromChildren(target);
  if (target <= 2) {
    static constexpr DWORD kStandard[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
    ::SetStdHandle(kStandard[target], HandleOf(target));
  }
}

void CloseDescriptor(Descriptor fd) {
  if (fd >= 0) ::_close(fd);
}

void WriteAll(Descriptor fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1u << 20));
    const int written = ::_write(fd, bytes.data(), chunk);
    if (written <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

std::size_t ReadSome(Descriptor fd, char* buffer, std::size_t size) {
  const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(size, 1u << 20));
  const int got = ::_read(fd, buffer, chunk);
  return got < 0 ? 0 : static_cast<std::size_t>(got);
}

bool IsTerminal(Descriptor fd) {
  DWORD mode = 0;
  return ::GetConsoleMode(HandleOf(fd), &mode) != 0;
}

bool ReadKey(Descriptor fd) {
  HANDLE input = HandleOf(fd);
  DWORD saved = 0;
  if (!::GetConsoleMode(input, &saved)) {
    char byte = 0;
    return ReadSome(fd, &byte, 1) == 1;
  }
  // One key press, neither echoed nor waiting for Enter; a key posted to the
  // console window counts as one.
  ::SetConsoleMode(input, saved & ~static_cast<DWORD>(ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT));
  bool got = false;
  for (;;) {
    INPUT_RECORD record;
    DWORD read = 0;
    if (!::ReadConsoleInputW(input, &record, 1, &read) || read == 0) break;
    if (record.EventType != KEY_EVENT || !record.Event.KeyEvent.bKeyDown) continue;
    const WORD key = record.Event.KeyEvent.wVirtualKeyCode;
    if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) continue;
    got = true;
    break;
  }
  ::SetConsoleMode(input, saved);
  return got;
}

PipeEnds MakePipe() {
  int ends[2] = {-1, -1};
  if (::_pipe(ends, 65536, _O_BINARY | _O_NOINHERIT) != 0) return {};
  return {ends[0], ends[1]};
}

ProcessId StartInterpreter(const InterpreterChild& child) {
  const std::wstring self = FromUtf8(OwnExecutablePath());
  std::wstring line = L"\"" + self + L"\"";
  if (!child.command_line.empty()) line += L" " + FromUtf8(child.command_line);
  return Launch(self, line, child.environment, child.input, child.output, child.directory,
                child.detached)
      .value_or(0);
}

std::optional<ProcessId> StartProgram(const std::string& program,
                                      const std::vector<std::string>& arguments,
                                      const std::vector<std::string>& environment) {
  std::wstring line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) line += L' ';
    line += QuotedWord(argument);
  }
  return Launch(FromUtf8(program), line, environment, 0, 1, std::string(), false);
}

int WaitForProcess(ProcessId process) {
  if (process == 0) return 0;
  HANDLE handle = reinterpret_cast<HANDLE>(process);
  ::WaitForSingleObject(handle, INFINITE);
  DWORD code = 1;
  ::GetExitCodeProcess(handle, &code);
  ::CloseHandle(handle);
  return static_cast<int>(code);
}

bool IsExecutableFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(FromUtf8(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  const std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string extension = path.substr(dot);
  for (char& c : extension) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return extension == ".EXE" || extension == ".COM";
}

std::string OwnExecutablePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return ToUtf8(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string OwnCommandLine(int /*argc*/, char** /*argv*/) {
  // The line without the program's own name, which ends at the first blank
  // outside quotes.
  const wchar_t* line = ::GetCommandLineW();
  bool quoted = false;
  while (*line != L'\0' && (quoted || (*line != L' ' && *line != L'\t'))) {
    if (*line == L'"') quoted = !quoted;
    ++line;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return ToUtf8(line);
}

void PrepareStandardHandles() {
  if (!IsUsableHandle(HandleOf(0))) OpenConsoleAs(L"CONIN$", 0, STD_INPUT_HANDLE);
  if (!IsUsableHandle(HandleOf(1))) OpenConsoleAs(L"CONOUT$", 1, STD_OUTPUT_HANDLE);
  if (!IsUsableHandle(HandleOf(2))) OpenConsoleAs(L"CONOUT$", 2, STD_ERROR_HANDLE);
  for (Descriptor fd : {0, 1, 2}) {
    ::_setmode(fd, _O_BINARY);
    KeepFromChildren(fd);
  }
}

std::vector<std::string> InheritedEnvironment() {
  std::vector<std::string> result;
  wchar_t* strings = ::GetEnvironmentStringsW();
  if (strings == nullptr) return result;
  for (const wchar_t* entry = strings; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    // The "=C:=C:\dir" entries are the per-drive current directories.
    if (*entry != L'=') result.push_back(ToUtf8(entry));
  }
  ::FreeEnvironmentStringsW(strings);
  return result;
}

}  // namespace tarnvelock
