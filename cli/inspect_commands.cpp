// --analyse and --instrument: load the batch as the debugger does, without
// changing any file, and print what the debugger sees or would run.
#include "cli/inspect_commands.h"

#include <cstdio>
#include <optional>

#include "cli/analysis_report.h"
#include "cli/exit_status.h"
#include "cli/inspection_view.h"
#include "core/document/app_settings.h"
#include "core/document/document_controller.h"
#include "core/instrument/batch_refs.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/line_analysis.h"
#include "core/instrument/line_instrumenter.h"
#include "core/instrument/line_scanner.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/temp_dir.h"

namespace tarnvelock {

namespace {

int Usage(const char* text) {
  std::fprintf(stderr, "%s\n", text);
  return kExitUsage;
}

// A batch loaded the way the debugger loads it, except that no file changes.
class InspectedBatch {
 public:
  InspectedBatch(bool read_settings, const std::wstring& temp_dir)
      : scanner_(view_),
        controller_(SystemFileSystem(), SystemCodePages(), ProcessEnvironment(),
                    LoadAnalysisOf(scanner_), view_, view_, temp_dir) {
    controller_.set_load_policy({.ReadSettings = read_settings, .ChangeFiles = false});
    controller_.set_default_startup(AppSettings{}.DefaultStartUp);
  }

  // 0 when loaded, else the exit status that says why not.
  int Load(const std::wstring& path) {
    controller_.OpenDocument(path);
    if (controller_.document().Loaded()) return 0;
    return SystemFileSystem().FileExists(path) ? kExitRejected : kExitMissing;
  }

  DebugDocument& doc() { return controller_.document(); }
  LineScanner& scanner() { return scanner_; }
  InspectionView& view() { return view_; }

 private:
  InspectionView view_;
  LineScanner scanner_;
  DocumentController controller_;
};

void WriteStdout(const std::string& bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

}  // namespace

int AnalyseCommand(const std::vector<std::wstring>& args) {
  constexpr char kUsage[] = "usage: tarnvelock-cli --analyse [--json] BATCH";
  bool json = false;
  std::optional<std::wstring> batch;
  for (const std::wstring& arg : args) {
    if (arg == L"--json") {
      json = true;
    } else if (!batch && !arg.starts_with(L"--")) {
      batch = arg;
    } else {
      return Usage(kUsage);
    }
  }
  if (!batch) return Usage(kUsage);

  InspectedBatch inspected(true, SystemTempBase() + L"_dbgTmp" + PathSeparator());
  if (const int status = inspected.Load(*batch); status != 0) return status;
  WriteStdout(json ? AnalysisJson(inspected.doc()) + "\n" : ToUtf8(AnalysisText(inspected.doc())));
  return 0;
}

int InstrumentCommand(const std::vector<std::wstring>& args) {
  constexpr char kUsage[] =
      "usage: tarnvelock-cli --instrument BATCH [-o FILE] [--tmp DIR] [--params TEXT]\n"
      "         [--start-dir DIR] [--startup CMD] [--enable-break] [--log-calls]\n"
      "         [--log-returns] [--log-lines] [--replace-rem] [--echo-on] [--no-settings]";
  std::optional<std::wstring> batch, output, tmp, params, start_dir, startup;
  bool read_settings = true;
  bool enable_break = false, log_lines = false, replace_rem = false;
  bool log_calls = false, log_returns = false, echo_on = false;
  const std::vector<std::pair<std::wstring, bool*>> switches = {
      {L"--enable-break", &enable_break}, {L"--log-lines", &log_lines},
      {L"--replace-rem", &replace_rem},   {L"--log-calls", &log_calls},
      {L"--log-returns", &log_returns},   {L"--echo-on", &echo_on}};
  const std::vector<std::pair<std::wstring, std::optional<std::wstring>*>> valued = {
      {L"-o", &output},
      {L"--tmp", &tmp},
      {L"--params", &params},
      {L"--start-dir", &start_dir},
      {L"--startup", &startup}};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::wstring& arg = args[i];
    bool known = false;
    for (const auto& [name, target] : switches) {
      if (arg == name) *target = known = true;
    }
    for (const auto& [name, target] : valued) {
      if (arg != name) continue;
      if (i + 1 >= args.size()) return Usage(kUsage);
      *target = args[++i];
      known = true;
    }
    if (arg == L"--no-settings") {
      read_settings = false;
    } else if (!known) {
      if (batch || arg.starts_with(L"-")) return Usage(kUsage);
      batch = arg;
    }
  }
  if (!batch) return Usage(kUsage);

  std::wstring base = tmp ? SystemFileSystem().FullPath(*tmp) : SystemTempBase();
  if (base.back() != PathSeparator()) base += PathSeparator();
  const std::wstring temp_dir = base + L"_dbgTmp" + PathSeparator();
  InspectedBatch inspected(read_settings, temp_dir);
  if (const int status = inspected.Load(*batch); status != 0) return status;

  DebugDocument& doc = inspected.doc();
  if (params) doc.Options.Parameters = *params;
  if (start_dir) doc.StartDir = *start_dir;
  if (startup) {
    // The names it sets are watched, as when the batch is loaded with it.
    doc.StartUp = *startup;
    CollectSetNames(doc, inspected.scanner(), doc.StartUp);
  }
  // A switch turns an option on; without it the settings file decides.
  doc.Options.EnableBreak = enable_break || doc.Options.EnableBreak;
  doc.Options.LogLines = log_lines || doc.Options.LogLines;
  doc.Options.LogCalls = log_calls || doc.Options.LogCalls;
  doc.Options.LogReturns = log_returns || doc.Options.LogReturns;
  doc.Options.EchoOn = echo_on || doc.Options.EchoOn;
  const PerLineSettings settings = PerLineSettingsOf(doc, replace_rem, MakeBatchRefs(temp_dir));

  LineInstrumenter instrumenter(inspected.scanner(), inspected.view());
  InstrumentedBatch instrumented(SystemFileSystem(), SystemCodePages(), inspected.view());
  instrumented.Generate(doc, instrumenter.GeneratePerLineSection(doc, settings), settings.Refs);
  if (output) return instrumented.Save(*output) ? 0 : kExitRejected;
  WriteStdout(SystemCodePages().Encode(instrumented.Text(), CodePage::Oem));
  return 0;
}

}  // namespace tarnvelock
