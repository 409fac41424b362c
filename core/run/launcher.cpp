// The launcher: starting, waking, watching and ending the interpreter.
#include "core/run/launcher.h"

#include <utility>
#include <vector>

#include "core/base/exchange_file_names.h"
#include "core/run/command_line.h"
#include "platform/file_system.h"

namespace tarnvelock {

namespace {

constexpr wchar_t kComSpec[] = L"ComSpec";
constexpr wchar_t kBundledInterpreter[] = L"tarnvelock-cmd";

}  // namespace

Launcher::Launcher(ProcessStarter& starter, Environment& environment, LauncherView& view,
                   StartPreparation prepare_start, const std::wstring& program_dir)
    : starter_(starter), view_(view), prepare_start_(std::move(prepare_start)) {
  const std::optional<std::wstring> com_spec = environment.Get(kComSpec);
  if (com_spec && !com_spec->empty()) {
    com_spec_path_ = *com_spec;
    return;
  }
  com_spec_path_ = program_dir;
  if (!com_spec_path_.empty() && com_spec_path_.back() != PathSeparator()) {
    com_spec_path_ += PathSeparator();
  }
  com_spec_path_ += kBundledInterpreter;
  // The batch's own "cmd /c" and %ComSpec% must find the same interpreter.
  environment.Set(kComSpec, com_spec_path_);
}

Launcher::~Launcher() = default;

int Launcher::StartProcess(const std::wstring& title, const std::wstring& application,
                           const std::wstring& command_line, bool keep, bool wait,
                           ConsoleShow show) {
  // A Windows-style interpreter rebuilds its command line from these words,
  // quoting those that hold a blank, as a POSIX caller hands them over.
  ProcessRequest request;
  request.arguments = SplitCommandLine(command_line);
  if (application.empty() && !request.arguments.empty()) {
    request.program = request.arguments.front();
    request.arguments.erase(request.arguments.begin());
  } else {
    request.program = application;
  }
  request.title = title;
  request.show = show;
  // Truncating the stderr file under a running batch would wipe the error
  // output it has not reported yet; the help and the editor then do without.
  if (!IsRunning()) request.stderr_path = kErrorFile;

  int error = 0;
  int result = 0;
  if (wait) {
    const WaitedRun run = starter_.RunAndWait(request);
    error = run.error;
    result = run.exit_code;
  } else if (keep) {
    ConsoleStart start = starter_.StartConsole(request);
    error = start.error;
    console_ = std::move(start.process);
  } else {
    error = starter_.StartDetached(request);
  }
  if (error != 0) {
    view_.ShowMessage(L"System-Error " + std::to_wstring(error));
    return -1;
  }
  return result;
}

bool Launcher::StartOrResume(const std::wstring& instrumented_path) {
  if (console_) {
    // The batch waits at a stop; the caller has prepared the exchange files.
    console_->WriteInput(" ");
    return true;
  }
  // Only this launcher's own consoles can be found here, and there is none,
  // so no console of an earlier run is left to close.
  console_title_ = instrumented_path;
  if (const IoStatus prepared = prepare_start_(); !prepared) {
    view_.ShowMessage(prepared.message());
    return false;
  }
  const int started =
      StartProcess(console_title_, com_spec_path_, L"/c \"" + instrumented_path + L"\" _dbg", true,
                   false, ConsoleShow::NoActivate);
  if (started != 0) return true;
  view_.ShowStatus(L"Wait for cmd-Handle ...");
  return FindConsole();
}

bool Launcher::IsRunning() {
  return console_ && console_->IsRunning();
}

std::optional<ConsoleRect> Launcher::CloseConsole() {
  if (!console_) return std::nullopt;
  DrainConsole();
  const std::optional<ConsoleRect> rect = console_->WindowRect();
  console_->Terminate();
  console_.reset();
  return rect;
}

void Launcher::EndConsoleProcess() {
  if (!console_) return;
  DrainConsole();
  console_->Terminate();
}

bool Launcher::FindConsole() const {
  return console_ && console_->Title() == console_title_;
}

void Launcher::RunHelp(const std::wstring& command) {
  StartProcess(L"Help", com_spec_path_,
               L"/c chcp 1252&help " + command + L">" + std::wstring(kHelpFile), false, true,
               ConsoleShow::Hidden);
}

int Launcher::StartEditor(const std::wstring& command_line) {
  return StartProcess(L"Edit", L"", command_line, false, false, ConsoleShow::Normal);
}

bool Launcher::TypeIntoConsole(std::string_view bytes) {
  return console_ && console_->WriteInput(bytes);
}

void Launcher::DrainConsole() {
  if (!console_) return;
  const std::string output = console_->ReadOutput();
  if (!output.empty() && sink_) sink_(output);
}

}  // namespace tarnvelock
