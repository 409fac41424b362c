// DocumentController: load, reload, code page, %0 mode, close and unload.
#include "core/document/document_controller.h"

#include "core/base/ascii_case.h"
#include "core/base/exchange_file_names.h"
#include "core/document/batch_settings.h"
#include "core/document/document_text.h"
#include "core/document/ini_file.h"
#include "core/document/product.h"
#include "core/document/relocate_records.h"

namespace tarnvelock {

namespace {

// The main window's caption while no batch is loaded.
std::wstring Caption() {
  return std::wstring(kProductName) + L"  Version " + kProductVersion;
}
constexpr std::wstring_view kOrg = L".org";
// The first line of every instrumented batch: a batch file that starts with it
// was written by the debugger, not by the user.
constexpr std::wstring_view kInstrumentedFirstLine = L"@if .%1==.%_dbg% call :%_dbg% -2 %0";
// Exchange files of a run that the batch or the debugger may have left.
constexpr std::wstring_view kRunFiles[] = {kActionFile, kBreakCondFile, kErrorFile};

std::wstring Separators() {
  return std::wstring{L'/', PathSeparator()};
}

std::wstring NotFoundMessage(const std::wstring& path) {
  return L"ERROR:\n\nFile " + path + L" not found!";
}

// path with an extension other than .BAT or .CMD replaced by ".CMD": the
// command interpreter runs only those.
std::wstring WithBatchExtension(const std::wstring& path) {
  const size_t name = path.find_last_of(Separators());
  const size_t dot = path.rfind(L'.');
  const bool has_extension =
      dot != std::wstring::npos && (name == std::wstring::npos || dot > name);
  if (has_extension) {
    const std::wstring_view extension = std::wstring_view(path).substr(dot);
    if (EqualsNoCase(extension, L".BAT") || EqualsNoCase(extension, L".CMD")) return path;
    return path.substr(0, dot) + L".CMD";
  }
  return path + L".CMD";
}

}  // namespace

DocumentController::DocumentController(FileSystem& fs, const CodePageConverter& code_pages,
                                       Environment& environment, LineAnalysis analyse,
                                       DocumentView& view, RunHooks& run, std::wstring temp_dir)
    : fs_(fs),
      code_pages_(code_pages),
      environment_(environment),
      analyse_(std::move(analyse)),
      view_(view),
      run_(run),
      temp_dir_(std::move(temp_dir)) {}

void DocumentController::Report(const IoStatus& status) {
  view_.ShowMessage(status.message());
}

bool DocumentController::MovedAside() const {
  return !doc_.SourcePath.empty() && doc_.SourcePath != doc_.BatchPath;
}

void DocumentController::OpenDocument(const std::wstring& path) {
  const std::wstring full = fs_.FullPath(path);
  const bool reload = !doc_.SourcePath.empty() && full == doc_.SourcePath;
  if (!MayOpen(path, full, reload)) return;

  std::vector<DocumentLine> old_items;
  std::vector<LineRecord> old_records;
  IniFile settings;
  if (reload) {
    TakeOldLines(&old_items, &old_records);
  } else if (!BeginNewDocument(full, &settings)) {
    return;
  }

  std::vector<DocumentLine> items;
  if (!ReadItems(&items)) {
    if (!reload) UnloadDocument();
    return;
  }
  TakeNewLines(std::move(items), reload);
  if (reload) {
    RelocateRecords(old_items, old_records, doc_.Items, doc_.Records);
  } else {
    // Reset sends the breakpoints to the batch anyway; whether any were read
    // does not matter here.
    std::vector<DroppedCondition> dropped;
    ApplyBatchSettings(settings, fs_, default_startup_, doc_, &dropped);
    if (!dropped.empty()) view_.ShowMessage(DroppedConditionsMessage(dropped));
    if (!policy_.ChangeFiles) doc_.Options.Prozent0 = false;
    MenuItemSettingsEnableProzent0Click();
  }
  view_.FocusKeyTarget();

  if (!analyse_(doc_, view_)) return UnloadDocument();
  FinishLoad();
}

bool DocumentController::MayOpen(const std::wstring& path, const std::wstring& full, bool reload) {
  if (fs_.DirectoryExists(path)) {
    view_.ShowMessage(L"ERROR:\n\n" + path + L" is a directory, not a batch file.");
    return false;
  }
  // A batch that is missing because the %0 mode moved it aside can be put back.
  if (!fs_.FileExists(path) && (reload || !fs_.FileExists(full + std::wstring(kOrg)))) {
    view_.ShowMessage(NotFoundMessage(path));
    return false;
  }
  const RunState state = run_.GetRunState();
  if (state == RunState::Running || state == RunState::Stopped || state == RunState::Ended) {
    return view_.Confirm(L"Exit and load new file?");
  }
  return true;
}

void DocumentController::TakeOldLines(std::vector<DocumentLine>* items,
                                      std::vector<LineRecord>* records) {
  // The text is read from SourcePath; under the %0 mode BatchPath keeps the
  // instrumented batch, which a batch process may still be running.
  if (doc_.Loaded()) {
    *items = doc_.Items;
    *records = doc_.Records;
  } else {  // back from the internal editor
    *items = std::move(edited_items_);
    *records = std::move(edited_records_);
  }
}

bool DocumentController::BeginNewDocument(const std::wstring& full, IniFile* settings) {
  if (run_.GetRunState() != RunState::NoFile) {
    if (!CloseDocument()) return false;
  } else if (MovedAside() && !RestoreMovedBatch()) {
    return false;
  }
  if (!RecoverMovedBatch(full)) return false;
  StartNewDocument(full);
  if (policy_.ReadSettings) {
    if (IoStatus status = ReadIniFile(fs_, doc_.IniPath, settings); !status) Report(status);
  }
  doc_.Options.FormatAnsi = StoredFormatAnsi(*settings);
  doc_.Encoding = doc_.Options.FormatAnsi ? CodePage::Ansi : CodePage::Oem;
  return true;
}

void DocumentController::TakeNewLines(std::vector<DocumentLine> items, bool reload) {
  doc_.FileTime = fs_.LastWriteTime(doc_.SourcePath).value_or(0);
  doc_.Items = std::move(items);
  doc_.MaxCurZeile = static_cast<std::int32_t>(doc_.Items.size()) - 1;
  view_.PanelSourceResize();
  doc_.Records.assign(doc_.Items.size(), LineRecord());
  doc_.Records.back().IgnoreZeile = true;

  if (!reload) {
    view_.SelectLine(0);
  } else if (view_.AktCurZeile() > doc_.MaxCurZeile) {
    view_.SelectLine(doc_.MaxCurZeile);
  }
}

void DocumentController::FinishLoad() {
  doc_.InstrumentStale = true;
  const std::wstring& adds = doc_.GlobalAdds;
  for (size_t pos = 0; pos < adds.size();) {
    size_t end = adds.find(L' ', pos);
    if (end == std::wstring::npos) end = adds.size();
    if (end > pos) AddGlobalName(doc_.GlobalNames, std::wstring_view(adds).substr(pos, end - pos));
    pos = end + 1;
  }
  run_.ActionStartResetExecute();
  RestoreNavigationMarks();
  view_.DocumentLoaded();
  view_.RepaintSource();
}

void DocumentController::StartNewDocument(const std::wstring& full) {
  edited_items_.clear();
  edited_records_.clear();
  doc_.BatchPath = full;
  doc_.SourcePath = full;
  const size_t separator = full.find_last_of(Separators());
  doc_.BatchDir = separator == std::wstring::npos ? std::wstring() : full.substr(0, separator + 1);
  doc_.StartDir = doc_.BatchDir;
  doc_.IniPath = full + L".ini";
  view_.SetCaption(Caption() + L"  ---  " + full);
  doc_.LogPath = full + L".log";
  doc_.LogArg =
      doc_.LogPath.find(L' ') == std::wstring::npos ? doc_.LogPath : L"\"" + doc_.LogPath + L"\"";
  view_.SetFileDialogs(doc_.BatchDir, doc_.BatchPath);
  environment_.Set(L"_dbgLog", doc_.LogArg);
}

bool DocumentController::ReadItems(std::vector<DocumentLine>* items) {
  std::string bytes;
  if (IoStatus status = fs_.ReadFile(doc_.SourcePath, &bytes); !status) {
    Report(status);
    return false;
  }
  if (LooksLikeWideText(bytes)) {
    view_.ShowMessage(L"ERROR:\n\n" + doc_.SourcePath +
                      L" is saved as UTF-16 (or holds mostly NUL bytes). Batch files must be saved "
                      L"as 8-bit text (ANSI, OEM or UTF-8); the command interpreter does not run "
                      L"UTF-16 batches either.");
    return false;
  }
  *items = SplitDocumentLines(code_pages_.Decode(bytes, doc_.Encoding));
  return true;
}

void DocumentController::RestoreNavigationMarks() {
  std::vector<NavigationEntry>& list = doc_.NavigationList;
  for (std::int32_t i = 0; i <= doc_.MaxCurZeile; ++i) {
    LineRecord& record = doc_.Record(i);
    if (!record.Navigation) continue;
    // The entry at or before line i; the scan may already have listed it.
    size_t insert_at = 0;
    bool listed = false;
    for (size_t j = 0; j < list.size(); ++j) {
      if (list[j].line > i) continue;
      insert_at = j + 1;
      listed = list[j].line == i;
    }
    if (listed) {
      record.Navigation = false;
    } else {
      list.insert(list.begin() + static_cast<std::ptrdiff_t>(insert_at),
                  NavigationEntry{doc_.Items[i].text, i});
    }
  }
}

void DocumentController::UnloadDocument() {
  if (MovedAside()) RestoreMovedBatch();
  edited_items_.clear();
  edited_records_.clear();
  doc_.FileTime = 0;
  doc_.BatchPath.clear();
  doc_.SourcePath.clear();
  doc_.MaxCurZeile = -1;
  doc_.Items.clear();
  doc_.Records.clear();
  view_.PanelSourceResize();
  view_.RepaintSource();
  view_.DocumentUnloaded();
  run_.SetRunState(RunState::NoFile);
  view_.SetCaption(Caption());
}

void DocumentController::ActionFileCloseExecute() {
  CloseDocument();
}

bool DocumentController::CloseDocument() {
  view_.CloseTrackWindows();
  run_.EndBatchProcess();
  std::vector<std::wstring> leftovers;
  for (std::wstring_view name : kRunFiles) leftovers.push_back(temp_dir_ + std::wstring(name));
  // Never the user's own text, whatever the paths say.
  if (!doc_.InstrumentedPath.empty() && doc_.InstrumentedPath != doc_.SourcePath) {
    leftovers.push_back(doc_.InstrumentedPath);
  }
  for (const std::wstring& file : leftovers) {
    if (!fs_.FileExists(file)) continue;
    if (IoStatus status = fs_.RemoveFile(file); !status) {
      Report(status);
      return false;
    }
  }
  // The settings go first: if they cannot be written the document stays as
  // it is, %0 arrangement included, and the close can be tried again.
  if (doc_.Loaded()) {
    if (IoStatus status = WriteBatchSettings(fs_, doc_); !status) {
      Report(status);
      return false;
    }
  }
  if (MovedAside() && !RestoreMovedBatch()) return false;
  doc_.InstrumentedPath.clear();
  UnloadDocument();
  if (doc_.Options.FormatAnsi) {
    doc_.Options.FormatAnsi = false;
    MenuItemSettingsFormatAnsiClick();
  }
  return true;
}

bool DocumentController::RestoreMovedBatch() {
  if (!fs_.FileExists(doc_.SourcePath)) {
    // Someone removed the moved-aside text; there is nothing to put back.
    view_.ShowMessage(NotFoundMessage(doc_.SourcePath));
  } else if (IoStatus status = fs_.MoveFile(doc_.SourcePath, doc_.BatchPath); !status) {
    Report(status);
    return false;
  }
  doc_.SourcePath = doc_.BatchPath;
  doc_.InstrumentedPath.clear();
  return true;
}

bool DocumentController::LeftMovedAside(const std::wstring& full) const {
  if (!fs_.FileExists(full + std::wstring(kOrg))) return false;
  if (!fs_.FileExists(full)) return true;
  std::string bytes;
  if (!fs_.ReadFile(full, &bytes)) return false;  // the load reports it
  const std::wstring text = code_pages_.Decode(bytes.substr(0, 200), CodePage::Oem);
  return text.starts_with(kInstrumentedFirstLine);
}

bool DocumentController::RecoverMovedBatch(const std::wstring& full) {
  if (!LeftMovedAside(full)) return true;
  const std::wstring org = full + std::wstring(kOrg);
  if (policy_.ChangeFiles) {
    if (IoStatus status = fs_.MoveFile(org, full); !status) {
      Report(status);
      return false;
    }
    view_.ShowMessage(L"The batch " + full + L" was still moved aside to " + org +
                      L" by an earlier session; its own text is back in place.");
    return true;
  }
  // Looking only: the instrumented text would be taken for the user's.
  view_.ShowMessage(L"The batch " + full +
                    L" was left with %0 enabled by a session that did not end: it holds the "
                    L"instrumented batch, and its own text is in " +
                    org + L"; opening the batch in the debugger puts it back.");
  return false;
}

void DocumentController::MenuItemSettingsEnableProzent0Click() {
  if (doc_.BatchPath.empty()) return;
  BatchOptions& options = doc_.Options;
  if (options.Prozent0) {
    if (!MovedAside() && !MoveBatchAside()) {
      options.Prozent0 = false;
      return;
    }
    doc_.SourcePath = doc_.BatchPath + std::wstring(kOrg);
    doc_.InstrumentedPath = doc_.BatchPath;
  } else {
    if (MovedAside() && !RestoreMovedBatch()) {
      options.Prozent0 = true;
      return;
    }
    doc_.SourcePath = doc_.BatchPath;
    // A full path in the temporary directory: a bare name would depend on the
    // current directory, and in the batch's own directory it would be the batch.
    doc_.InstrumentedPath =
        temp_dir_ + doc_.BatchPath.substr(doc_.BatchPath.find_last_of(Separators()) + 1);
  }
  doc_.InstrumentedPath = WithBatchExtension(doc_.InstrumentedPath);
  if (options.Prozent0 && fs_.FileExists(doc_.InstrumentedPath)) {
    view_.ShowMessage(L"WARNUNG:\nDatei \"" + doc_.InstrumentedPath +
                      L"\" wird bei Batch-Start gelöscht!");
  }
}

bool DocumentController::MoveBatchAside() {
  const std::wstring org = doc_.BatchPath + std::wstring(kOrg);
  if (fs_.FileExists(org)) {
    view_.ShowMessage(L"WARNUNG:\nDatei \"" + org + L"\" wird gleich gelöscht!");
    if (IoStatus status = fs_.RemoveFile(org); !status) {
      Report(status);
      return false;
    }
  }
  if (IoStatus status = fs_.MoveFile(doc_.BatchPath, org); !status) {
    Report(status);
    return false;
  }
  return true;
}

void DocumentController::MenuItemSettingsFormatAnsiClick() {
  doc_.Encoding = doc_.Options.FormatAnsi ? CodePage::Ansi : CodePage::Oem;
  if (doc_.Loaded()) {
    std::vector<DocumentLine> items;
    if (!ReadItems(&items)) return;
    if (items.size() != doc_.Items.size()) {
      // The file changed since it was loaded: take it as the outside change
      // it is, so that the records follow the new lines.
      return OpenDocument(doc_.SourcePath);
    }
    doc_.Items = std::move(items);
  }
  view_.RepaintSource();
}

void DocumentController::ApplicationEventsActivate() {
  view_.FocusKeyTarget();
  if (doc_.FileTime == 0 || editing_) return;
  if (!fs_.FileExists(doc_.SourcePath)) return view_.ShowMessage(NotFoundMessage(doc_.SourcePath));
  const auto time = fs_.LastWriteTime(doc_.SourcePath);
  if (time && *time != doc_.FileTime) OpenDocument(doc_.SourcePath);
}

std::vector<std::wstring> DocumentController::BeginInternalEdit() {
  // The text is about to change under the batch; the process would go on
  // stopping at lines the debugger no longer shows.
  const RunState state = run_.GetRunState();
  if (state != RunState::NoFile && state != RunState::Ready) run_.ActionStartResetExecute();
  std::vector<std::wstring> lines;
  if (doc_.Loaded()) {
    for (std::int32_t i = 0; i < doc_.MaxCurZeile; ++i) lines.push_back(doc_.Items[i].text);
    edited_items_ = std::move(doc_.Items);
    edited_records_ = std::move(doc_.Records);
  }
  editing_ = true;
  doc_.Items.clear();
  doc_.Records.clear();
  doc_.MaxCurZeile = -1;
  run_.SetRunState(RunState::NoFile);
  return lines;
}

const std::wstring& DocumentController::EditorFilePath() const {
  return doc_.SourcePath.empty() ? doc_.BatchPath : doc_.SourcePath;
}

IoStatus DocumentController::SaveEditorText(const std::wstring& path,
                                            const std::vector<std::wstring>& lines) {
  const std::wstring target =
      MovedAside() && fs_.FullPath(path) == doc_.BatchPath ? doc_.SourcePath : path;
  std::wstring text;
  for (const std::wstring& line : lines) text += line + L"\r\n";
  return fs_.WriteFile(target, code_pages_.Encode(text, doc_.Encoding));
}

void DocumentController::EndInternalEdit(const std::wstring& new_batch) {
  editing_ = false;
  const std::wstring path = EditorFilePath().empty() ? new_batch : EditorFilePath();
  if (!path.empty()) OpenDocument(path);
  // A batch that could not be read again (it was removed meanwhile) must not
  // stay half loaded: its paths would be watched and saved over.
  if (!doc_.Loaded() && !doc_.BatchPath.empty()) UnloadDocument();
  edited_items_.clear();
  edited_records_.clear();
}

void DocumentController::CloseAtExit() {
  if (run_.GetRunState() != RunState::NoFile) {
    CloseDocument();
  } else if (MovedAside()) {
    RestoreMovedBatch();
  }
}

}  // namespace tarnvelock
