// MainWindow: the desktop debugger's one main window. It holds the debug
// session and is its run view (input boxes included): the toolbar and menus built
// from the command table, the variable column, the source view, the log
// pane and the status bar. Every decision is the core's; the window shows
// the models and hands the person's commands to them.
#pragma once

#include <QComboBox>
#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QSplitter>
#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/document/app_settings.h"
#include "core/document/line_marks.h"
#include "core/run/debug_session.h"
#include "core/run/log_options.h"
#include "core/run/null_run_view.h"
#include "ui/main/command_table.h"

class QAction;
class QMenu;

namespace tarnvelock {

class BreakpointDialog;
class ConsoleWindow;
class EditorPane;
class HelpCommands;
class InternalEditor;
class LogPane;
class SettingsDialog;
class SourceView;
class StatusPanels;
class TrackWindows;
class VariablePaneView;
class WaitDialog;

class MainWindow final : public QMainWindow, public NullRunView {
  Q_OBJECT

 public:
  // settings as read at start; program_dir holds the bundled interpreter.
  MainWindow(const AppSettings& settings, const std::wstring& program_dir,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  // Enters the temporary directory and the state NoFile; false (after
  // saying why) when the debugger cannot work.
  bool Start();
  // The first paint's work: the batch of the command line, else LastFile.
  void OpenAtStart(const std::wstring& command_line_file);
  // A second instance handed over its command line.
  void OpenFromOtherInstance(const std::wstring& path);
  // What the window would write into the settings file now.
  AppSettings CurrentSettings() const;
  // Called once the settings have been written at close.
  void SetSettingsWriter(std::function<void(const AppSettings&)> writer) {
    settings_writer_ = std::move(writer);
  }

  DebugSession& Session() { return *session_; }
  SourceView& Source() { return *source_; }
  QAction* Action(CommandId id) const { return actions_.at(id); }
  StatusPanels& Status() { return *status_; }
  VariablePaneView& GlobalPane() { return *global_; }
  VariablePaneView& LocalPane() { return *local_; }
  LogPane& Log() { return *log_; }
  ConsoleWindow& Console() { return *console_; }
  QComboBox& ParameterBox() { return *params_; }
  TrackWindows& Tracks() { return *tracks_; }
  HelpCommands& Help() { return *help_; }
  EditorPane& Editor() { return *editor_pane_; }
  bool InternalEditorOpen() const;
  // Calls PollStop at once, as the timer does.
  void Poll();

  // UserView, LauncherView, DocumentView.
  void ShowMessage(const std::wstring& text) override;
  bool Confirm(const std::wstring& question) override;
  void ShowStatus(const std::wstring& text) override;
  void PanelSourceResize() override;
  void SelectLine(std::int32_t line) override;
  std::int32_t AktCurZeile() const override;
  void RepaintSource() override;
  void FocusKeyTarget() override;
  void SetCaption(const std::wstring& caption) override;
  void SetFileDialogs(const std::wstring& folder, const std::wstring& save_name) override;
  void DocumentLoaded() override;
  void DocumentUnloaded() override;
  void CloseTrackWindows() override;

  // RunView.
  void PaintLine(std::int32_t line) override;
  void SetExecLine(std::int32_t line) override;
  void ClearHighlight() override;
  void BringToFront() override;
  void ShowStatusPanel(int panel, const std::wstring& text) override;
  void ShowEcho(bool on) override;
  bool WarnOkCancel(const std::wstring& text) override;
  std::optional<std::wstring> AskText(const std::wstring& caption, const std::wstring& prompt,
                                      const std::wstring& initial) override;
  void EditBreakpointDialog(std::int32_t line) override;
  void ShowWaitDialog(bool visible) override;
  void SetPollTimer(bool enabled, int interval_ms) override;
  void PanesChanged() override;
  void UpdateTrackWindows() override;
  void ShowErrorOutput(const std::vector<std::wstring>& lines) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // main_window.cpp: building and drawing.
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateLayout();
  void ApplySettings(const AppSettings& settings);
  void RefreshCommands();
  void RefreshPanes();
  void RefreshLog();
  // The parameter box's list follows the document's parameter history.
  void ShowParameterHistory();
  void OnLineSelected(int line);
  // The keys the window takes before the focused control (F2, Ctrl+L).
  bool FormKeyDown(QKeyEvent* event);

  // main_window_commands.cpp: what the commands do.
  void ConnectCommands();
  void Execute(CommandId id, bool checked);
  void ActionFileOpenExecute();
  void ActionSettingsExecute();
  void SetMaxErrorLevel();
  void ToggleCursorLineMark(LineMark mark);
  void ShowSourceMenu(const QPoint& global_pos);
  void ShowGlobalMenu(const QPoint& global_pos);
  void ShowLogMenu(int index, const QPoint& global_pos);
  void GlobalClicked(int index);
  void LocalClicked(int index);
  void LogClicked(int index);
  void LogDoubleClicked(int index);
  void EditLogLine();
  void DeleteLogLine();
  void AddLogLine();
  void AddToNavigation();
  // Track File: a track window for the value of the selected entry of pane.
  void TrackSelectedValue(PaneId pane);
  void OpenTrackFile(const std::wstring& value);

  // main_window_editor.cpp: the internal and external editors.
  void CreateEditorPane();
  void ActionEditorExecute();
  // Asks "File changed. Save now?" for a changed text; false when the
  // editor stays open.
  bool LeaveInternalEditor();
  // Both false when nothing was written.
  bool ActionFileSaveExecute();
  bool ActionFileSaveAsExecute();
  void ActionCallEditorExecute();

  std::unique_ptr<DebugSession> session_;
  std::unique_ptr<LogOptionSwitches> log_switches_;
  std::unique_ptr<InternalEditor> internal_editor_;
  std::function<void(const AppSettings&)> settings_writer_;
  AppSettings settings_;
  std::map<CommandId, QAction*> actions_;
  SourceView* source_ = nullptr;
  VariablePaneView* global_ = nullptr;
  VariablePaneView* local_ = nullptr;
  LogPane* log_ = nullptr;
  StatusPanels* status_ = nullptr;
  QComboBox* params_ = nullptr;
  QSplitter* columns_ = nullptr;
  QSplitter* variables_ = nullptr;
  EditorPane* editor_pane_ = nullptr;
  QList<int> editor_sizes_;  // the columns before the editor took two of them
  BreakpointDialog* breakpoint_dialog_ = nullptr;
  WaitDialog* wait_dialog_ = nullptr;
  SettingsDialog* settings_dialog_ = nullptr;
  ConsoleWindow* console_ = nullptr;
  TrackWindows* tracks_ = nullptr;
  HelpCommands* help_ = nullptr;
  QTimer poll_timer_;
  QFileSystemWatcher temp_watcher_;
  QString open_folder_;
  QString save_name_;
  bool checking_outside_change_ = false;
  bool polling_ = false;
  bool closed_ = false;
};

}  // namespace tarnvelock
