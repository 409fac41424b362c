// The debugger mode: the session set up for the batch, then the command loop.
#include "cli/debug_command.h"

#include <fstream>
#include <iostream>

#include "cli/console_view.h"
#include "cli/debug_loop.h"
#include "cli/debug_options.h"
#include "cli/exit_status.h"
#include "core/instrument/own_path_references.h"
#include "core/run/bundled_interpreter.h"
#include "core/run/debug_session.h"
#include "platform/child_process.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/terminal_signals.h"

namespace tarnvelock {

namespace {

// An OK/Cancel question put to the person at the terminal; an empty answer
// or end of input is OK.
bool AskAtTerminal(const std::wstring&) {
  std::fputs("Continue? [Y/n] ", stdout);
  std::fflush(stdout);
  std::string answer;
  if (!std::getline(std::cin, answer)) return true;
  return answer.empty() || (answer[0] != 'n' && answer[0] != 'N');
}

// Settings the command line changes for this session only; the batch's
// settings file gets its own values back.
class SessionOverrides {
 public:
  SessionOverrides(const DebugOptions& options, DebugSession& session) : session_(session) {
    DebugDocument& doc = session.Doc();
    if (options.quiet) {
      session.Instrumented().SetBanner(false);
      // The start-up command nobody chose only prints that there is none.
      startup_ = doc.StartUp;
      if (doc.StartUp == AppSettings{}.DefaultStartUp) doc.StartUp.clear();
    }
    if (options.in_place && !doc.Options.Prozent0) {
      doc.Options.Prozent0 = true;
      session.Document().MenuItemSettingsEnableProzent0Click();
      in_place_ = doc.Options.Prozent0;
    }
  }
  ~SessionOverrides() {
    DebugDocument& doc = session_.Doc();
    if (!doc.Loaded()) return;
    if (startup_) doc.StartUp = *startup_;
    if (in_place_) {
      // The batch goes back to its place before the session closes it.
      session_.Run().EndBatchProcess();
      doc.Options.Prozent0 = false;
      session_.Document().MenuItemSettingsEnableProzent0Click();
    }
  }
  SessionOverrides(const SessionOverrides&) = delete;
  SessionOverrides& operator=(const SessionOverrides&) = delete;

 private:
  DebugSession& session_;
  std::optional<std::wstring> startup_;
  bool in_place_ = false;
};

}  // namespace

int DebugCommand(const std::vector<std::wstring>& args) {
  const std::optional<DebugOptions> options = ParseDebugOptions(args);
  if (!options) {
    std::fputs(kDebugUsage, stderr);
    return kExitUsage;
  }
  FileSystem& files = SystemFileSystem();
  // The session works from its temporary directory; relative paths are
  // taken before it moves there.
  const std::wstring batch = files.FullPath(options->batch);
  std::ifstream script;
  if (options->script) {
    script.open(ToUtf8(files.FullPath(*options->script)), std::ios::binary);
    if (!script) {
      std::fprintf(stderr, "cannot read the script %s\n", ToUtf8(*options->script).c_str());
      return kExitMissing;
    }
  }

  // The launcher and every interpreter the batch starts take it from here.
  if (options->comspec) ProcessEnvironment().Set(L"ComSpec", files.FullPath(*options->comspec));

  ConsoleView view(options->json ? OutputFormat::Json : OutputFormat::Plain, stdout);
  SessionPlatform platform{files, SystemCodePages(), ProcessEnvironment(), SystemProcessStarter()};
  DebugSession session(platform, view, view, AppSettings{}, BundledInterpreterDirectory());
  if (const IoStatus started = session.Start(); !started) {
    view.ReportError(started.message());
    return kExitRejected;
  }
  session.Console().SetConsoleSink([&view](std::string_view bytes) { view.ConsoleOutput(bytes); });
  session.Document().OpenDocument(batch);
  if (!session.Doc().Loaded()) {
    return files.FileExists(batch) || files.DirectoryExists(batch) ? kExitRejected : kExitMissing;
  }
  if (options->params) session.Doc().Options.Parameters = *options->params;
  // Scripts read values as the batch holds them; the bullet is for people.
  if (options->json) session.Variables().SetShowBlanks(false, true);
  if (!options->json && !options->script && IsTerminal(0)) view.SetAsker(AskAtTerminal);
  SessionOverrides overrides(*options, session);
  if (!session.Doc().Options.Prozent0 && RefersToOwnPath(session.Doc())) {
    view.ReportHint(std::wstring(kOwnPathHintText) + L" (here: --in-place)");
  }
  view.ReportState(session);

  // The session writes the batch's settings back when it closes, so Ctrl+C
  // and the end of the terminal are taken as requests rather than deaths.
  CatchTerminalSignals();
  DebugLoop loop(*options, view, session);
  if (options->script) return loop.Run(script, false);
  return loop.Run(std::cin, !options->json);
}

}  // namespace tarnvelock
