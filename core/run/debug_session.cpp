// Wiring of the debugger's parts for one front end.
#include "core/run/debug_session.h"

#include "core/instrument/line_analysis.h"

namespace tarnvelock {

// What the document needs from the front end and from run control: the front
// end's view, with the session's own bookkeeping added where a load or an
// unload concerns the instrumenter, the panes or a pending command.
class DebugSession::DocumentHooks final : public DocumentView, public RunHooks {
 public:
  DocumentHooks(DebugSession& session, RunView& view) : session_(session), view_(view) {}

  void ShowMessage(const std::wstring& text) override { view_.ShowMessage(text); }
  bool Confirm(const std::wstring& question) override { return view_.Confirm(question); }
  void CloseTrackWindows() override { view_.CloseTrackWindows(); }
  void PanelSourceResize() override { view_.PanelSourceResize(); }
  void SelectLine(std::int32_t line) override { view_.SelectLine(line); }
  std::int32_t AktCurZeile() const override { return view_.AktCurZeile(); }
  void RepaintSource() override { view_.RepaintSource(); }
  void FocusKeyTarget() override { view_.FocusKeyTarget(); }
  void SetCaption(const std::wstring& caption) override { view_.SetCaption(caption); }
  void SetFileDialogs(const std::wstring& folder, const std::wstring& save_name) override {
    view_.SetFileDialogs(folder, save_name);
  }
  void DocumentLoaded() override {
    session_.instrumenter_.ClearDisableWarned();
    view_.DocumentLoaded();
  }
  void DocumentUnloaded() override {
    session_.variables_->ClearLocals();
    view_.DocumentUnloaded();
  }

  RunState GetRunState() const override { return session_.run_->GetRunState(); }
  void SetRunState(RunState state) override { session_.run_->SetRunState(state); }
  void ActionStartResetExecute() override { session_.run_->ActionStartResetExecute(false); }
  void EndBatchProcess() override { session_.run_->EndBatchProcess(); }

 private:
  DebugSession& session_;
  RunView& view_;
};

DebugSession::DebugSession(SessionPlatform platform, RunView& view, PromptView& prompts,
                           const AppSettings& settings, const std::wstring& program_dir)
    : platform_(platform),
      view_(view),
      settings_(settings),
      start_environment_(platform.Env.Snapshot()),
      scanner_(view),
      instrumenter_(scanner_, view),
      exchange_(platform.Files, platform.Env, platform.CodePages, platform.TempDirs) {
  temp_status_ = exchange_.PrepareTempDir(settings.TmpPath);
  hooks_ = std::make_unique<DocumentHooks>(*this, view);
  document_ = std::make_unique<DocumentController>(platform.Files, platform.CodePages, platform.Env,
                                                   LoadAnalysisOf(scanner_), *hooks_, *hooks_,
                                                   exchange_.TempDir());
  document_->set_default_startup(settings.DefaultStartUp);
  instrumented_ = std::make_unique<InstrumentedBatch>(platform.Files, platform.CodePages, view);
  launcher_ = std::make_unique<Launcher>(
      platform.Processes, platform.Env, view,
      [this] { return exchange_.PrepareProcessStart(Doc().Options.Parameters); }, program_dir);
  variables_ = std::make_unique<VariablePanes>(Doc(), exchange_, prompts);
  log_ = std::make_unique<EventLog>(Doc(), platform.Files, platform.CodePages, prompts);
  navigation_ = std::make_unique<NavigationModel>(Doc(), prompts);
  run_ = std::make_unique<RunControl>(Doc(), exchange_, *instrumented_, *launcher_,
                                      RunPanes{*variables_, *log_, commands_, start_environment_},
                                      view, [this] { return RewriteLines(); });
}

DebugSession::~DebugSession() {
  launcher_->CloseConsole();
  document_->CloseAtExit();
  exchange_.DeleteAtExit(Doc());
}

IoStatus DebugSession::Start() {
  if (!temp_status_) return temp_status_;
  run_->SetRunState(RunState::NoFile);
  return exchange_.EnterTempDir();
}

PerLineResult DebugSession::RewriteLines() {
  return instrumenter_.GeneratePerLineSection(
      Doc(), PerLineSettingsOf(Doc(), settings_.Rems, exchange_.Refs()));
}

void DebugSession::SetReplaceToRem(bool on) {
  if (settings_.Rems == on) return;
  settings_.Rems = on;
  Doc().InstrumentStale = true;
}

}  // namespace tarnvelock
