// The debugger mode: the session set up for the batch, then the command loop.
#include "cli/debug_command.h"

#include <fstream>
#include <iostream>

#include "cli/console_view.h"
#include "cli/debug_loop.h"
#include "cli/debug_options.h"
#include "cli/exit_status.h"
#include "core/run/bundled_interpreter.h"
#include "core/run/debug_session.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/terminal_signals.h"

namespace tarnvelock {

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
  if (!session.Doc().Loaded()) return files.FileExists(batch) ? kExitRejected : kExitMissing;
  if (options->params) session.Doc().Options.Parameters = *options->params;
  view.ReportState(session);

  // The session writes the batch's settings back when it closes, so Ctrl+C
  // and the end of the terminal are taken as requests rather than deaths.
  CatchTerminalSignals();
  DebugLoop loop(*options, view, session);
  if (options->script) return loop.Run(script, false);
  return loop.Run(std::cin, !options->json);
}

}  // namespace tarnvelock
