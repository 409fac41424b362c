// DocumentController: owns the debug document and performs what happens to it
// as a whole - loading a batch, reloading it after an outside change,
// switching the code page and the %0 mode, closing and unloading it. Messages
// and questions go to the DocumentView; files go through the FileSystem.
//
// The user's text is never lost: while the %0 mode has moved the batch aside
// (to BatchPath + ".org", so that the instrumented batch can run under the
// batch's own name), every way out of that arrangement - close, unload after
// a rejected scan, opening another batch from the internal editor, program
// end - moves it back, and a batch found still moved aside by an earlier
// session is put back before it is loaded.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/document_view.h"
#include "core/document/ini_file.h"
#include "core/document/run_hooks.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The analysis every load runs over the freshly read lines: it fills the
// scanner's fields of the records, GlobalNames and NavigationList, and
// answers false when the batch must be rejected (the view has been told why).
// The instrumenter owns the scanner that does it.
using LineAnalysis = std::function<bool(DebugDocument& doc, UserView& view)>;

class DocumentController {
 public:
  // temp_dir is the debugger's temporary directory, ending in a separator.
  DocumentController(FileSystem& fs, const CodePageConverter& code_pages, Environment& environment,
                     LineAnalysis analyse, DocumentView& view, RunHooks& run,
                     std::wstring temp_dir);

  DebugDocument& document() { return doc_; }
  const DebugDocument& document() const { return doc_; }

  // How a load treats the files beside the batch. The debugger reads the
  // per-batch settings and applies the %0 mode; a tool that only looks at a
  // batch may skip the settings and must change no file.
  struct LoadPolicy {
    bool ReadSettings = true;
    bool ChangeFiles = true;
  };
  void set_load_policy(LoadPolicy policy) { policy_ = policy; }

  // The start-up command a batch gets when its settings file has none.
  void set_default_startup(std::wstring startup) { default_startup_ = std::move(startup); }

  // Loads path as a new document, or reloads the current one when path is its
  // SourcePath (letter case included). Asks first when a run is in progress.
  void OpenDocument(const std::wstring& path);
  // Forgets the document without writing its settings (a batch still moved
  // aside by the %0 mode is moved back first).
  void UnloadDocument();
  // Ends the run, removes its files, writes the per-batch settings, undoes the
  // %0 mode, unloads and returns to the OEM code page.
  void ActionFileCloseExecute();
  // Switches the %0 mode to doc.Options.Prozent0 (the check item's new
  // state): on moves the batch aside, off moves it back when it is aside.
  // When a file operation fails the item returns to its old state.
  void MenuItemSettingsEnableProzent0Click();
  // Switches the code page to doc.Options.FormatAnsi and reads the text again.
  void MenuItemSettingsFormatAnsiClick();
  // The application became active: reloads the batch when it changed outside.
  void ApplicationEventsActivate();

  // The internal editor. Opening it ends a run in progress, returns the
  // lines to edit and enters the run state NoFile, keeping the lines and
  // marks so that they can follow the text when the editor is left.
  // EditorFilePath is the file to reload from: the user's own text, also
  // while the %0 mode is on.
  std::vector<std::wstring> BeginInternalEdit();
  const std::wstring& EditorFilePath() const;
  // Writes lines to path in the document's code page, each ended by CR LF,
  // without a byte-order mark. While the %0 mode has moved the batch aside,
  // BatchPath means the moved-aside text: the file under the batch's name
  // is the instrumented batch.
  IoStatus SaveEditorText(const std::wstring& path, const std::vector<std::wstring>& lines);
  // Reloads the batch with its marks carried over to the edited text. When
  // no batch was loaded, new_batch (the file the editor's text was saved to
  // last, if any) is opened instead. A reload that fails leaves no document.
  void EndInternalEdit(const std::wstring& new_batch = {});

  // Program end: closes the document, or, when the internal editor is open,
  // at least moves a batch that the %0 mode moved aside back.
  void CloseAtExit();

 private:
  bool MovedAside() const;
  bool CloseDocument();
  bool RestoreMovedBatch();
  // Whether full holds the instrumented batch (or nothing) and its user's
  // text still lies in full + ".org", as a session that did not end left it.
  bool LeftMovedAside(const std::wstring& full) const;
  // Puts such a batch back; a load that must change no file only says where
  // the text is and returns false.
  bool RecoverMovedBatch(const std::wstring& full);
  // The steps of OpenDocument: whether to go on (the file exists, a run in
  // progress may end); the lines and marks a reload relocates; closing the
  // old document and reading the new one's settings; the new lines in
  // place; what follows the analysis.
  bool MayOpen(const std::wstring& path, const std::wstring& full, bool reload);
  void TakeOldLines(std::vector<DocumentLine>* items, std::vector<LineRecord>* records);
  bool BeginNewDocument(const std::wstring& full, IniFile* settings);
  void TakeNewLines(std::vector<DocumentLine> items, bool reload);
  void FinishLoad();
  void StartNewDocument(const std::wstring& full);
  // Moves the batch to its ".org" for the %0 mode; false after showing why not.
  bool MoveBatchAside();
  bool ReadItems(std::vector<DocumentLine>* items);
  void RestoreNavigationMarks();
  void Report(const IoStatus& status);

  LoadPolicy policy_;
  FileSystem& fs_;
  const CodePageConverter& code_pages_;
  Environment& environment_;
  LineAnalysis analyse_;
  DocumentView& view_;
  RunHooks& run_;
  const std::wstring temp_dir_;
  std::wstring default_startup_;
  DebugDocument doc_;

  // The text and marks the internal editor started from.
  bool editing_ = false;
  std::vector<DocumentLine> edited_items_;
  std::vector<LineRecord> edited_records_;
};

}  // namespace tarnvelock
