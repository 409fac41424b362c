// DebugSession: the one object a front end holds. It owns the document, the
// scanner and instrumenter, the exchange files, the launcher, run control and
// the pane models, wires them to each other and to the front end's view, and
// tidies up (console closed, document closed, exchange files deleted) when it
// goes away.
#pragma once

#include <memory>
#include <string>

#include "core/document/app_settings.h"
#include "core/document/document_controller.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/line_instrumenter.h"
#include "core/instrument/line_scanner.h"
#include "core/run/command_enabling.h"
#include "core/run/event_log.h"
#include "core/run/exchange_files.h"
#include "core/run/launcher.h"
#include "core/run/navigation_model.h"
#include "core/run/prompt_view.h"
#include "core/run/run_control.h"
#include "core/run/run_view.h"
#include "core/run/variable_panes.h"
#include "platform/code_page.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The operating system as the session uses it; tests pass fakes.
struct SessionPlatform {
  FileSystem& Files;
  const CodePageConverter& CodePages;
  Environment& Env;
  ProcessStarter& Processes;
  TempDirFacility TempDirs = TempDirFacility::Platform();
};

class DebugSession {
 public:
  // view and prompts are usually the same front-end object. program_dir is
  // where the bundled command interpreter lies.
  DebugSession(SessionPlatform platform, RunView& view, PromptView& prompts,
               const AppSettings& settings, const std::wstring& program_dir);
  ~DebugSession();
  DebugSession(const DebugSession&) = delete;
  DebugSession& operator=(const DebugSession&) = delete;

  // Enters the private temporary directory (made, with the batch's
  // environment, when the session was built) and the run state NoFile. A
  // failure says why the debugger cannot work; nothing else may be used then.
  IoStatus Start();

  DocumentController& Document() { return *document_; }
  DebugDocument& Doc() { return document_->document(); }
  RunControl& Run() { return *run_; }
  VariablePanes& Variables() { return *variables_; }
  EventLog& Log() { return *log_; }
  NavigationModel& Navigation() { return *navigation_; }
  CommandStates& Commands() { return commands_; }
  ExchangeFiles& Exchange() { return exchange_; }
  Launcher& Console() { return *launcher_; }

  // The per-line section for the document as it stands now.
  PerLineResult RewriteLines();
  // The instrumented batch; a front end may leave out its banner.
  InstrumentedBatch& Instrumented() { return *instrumented_; }

  // Replace "::" to "REM" is kept with the application settings but changes
  // the rewritten lines, so the next start generates them again.
  bool ReplaceToRem() const { return settings_.Rems; }
  void SetReplaceToRem(bool on);

 private:
  class DocumentHooks;

  SessionPlatform platform_;
  RunView& view_;
  AppSettings settings_;
  EnvironmentBlock start_environment_;
  LineScanner scanner_;
  LineInstrumenter instrumenter_;
  ExchangeFiles exchange_;
  IoStatus temp_status_;
  CommandStates commands_;
  std::unique_ptr<DocumentHooks> hooks_;
  std::unique_ptr<DocumentController> document_;
  std::unique_ptr<InstrumentedBatch> instrumented_;
  std::unique_ptr<Launcher> launcher_;
  std::unique_ptr<VariablePanes> variables_;
  std::unique_ptr<EventLog> log_;
  std::unique_ptr<NavigationModel> navigation_;
  std::unique_ptr<RunControl> run_;
};

}  // namespace tarnvelock
