// What the main window's commands, context menus and pane clicks do: each
// hands the person's wish to the core and draws the result.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>

#include "core/document/line_marks.h"
#include "core/run/source_row.h"
#include "core/run/track_files.h"
#include "platform/file_system.h"
#include "ui/dialogs/about_form.h"
#include "ui/dialogs/help_commands.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/track_windows.h"
#include "ui/main/log_pane.h"
#include "ui/main/main_window.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"
#include "ui/main/variable_pane_view.h"

namespace tarnvelock {

namespace {

QString Q(const std::wstring& text) {
  return QString::fromStdWString(text);
}

// The line edit the clipboard commands act on, if the focus is in one.
QLineEdit* FocusedLineEdit() {
  return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

}  // namespace

void MainWindow::ConnectCommands() {
  for (const auto& [id, action] : actions_) {
    connect(action, &QAction::triggered, this,
            [this, id = id](bool checked) { Execute(id, checked); });
  }
  connect(source_, &SourceView::lineSelected, this, &MainWindow::OnLineSelected);
  connect(source_, &SourceView::cursorScrolled, this, [this](int line) {
    session_->Navigation().SyncNavigation(line, session_->Run().GetRunState());
    RefreshLog();
  });
  connect(source_, &SourceView::toggleBreakpointRequested, this,
          [this] { Execute(CommandId::StartBreakPoint, false); });
  connect(source_, &SourceView::editBreakpointRequested, this,
          [this] { Execute(CommandId::StartEditBreakPoint, false); });
  connect(source_, &SourceView::resetErrorLevelRequested, this, [this] {
    session_->Variables().ResetErrorLevel();
    RefreshPanes();
  });
  connect(source_, &SourceView::lineNumbersToggled, actions_.at(CommandId::LineNumbers),
          &QAction::setChecked);
  connect(source_, &SourceView::contextMenuRequested, this, &MainWindow::ShowSourceMenu);
  connect(global_, &VariablePaneView::entryClicked, this, &MainWindow::GlobalClicked);
  connect(local_, &VariablePaneView::entryClicked, this, &MainWindow::LocalClicked);
  connect(global_, &VariablePaneView::entryDoubleClicked, this, [this](int index, bool shift) {
    GlobalClicked(index);
    if (shift) {
      TrackSelectedValue(PaneId::Global);
      return;
    }
    session_->Variables().EditGlobal(session_->Run().GetRunState());
    RefreshPanes();
  });
  connect(global_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { ShowGlobalMenu(global_->viewport()->mapToGlobal(pos)); });
  // The menu's Ctrl+E works in the pane without opening the menu.
  auto* reset_error_level = new QAction(global_);
  reset_error_level->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  reset_error_level->setShortcutContext(Qt::WidgetShortcut);
  global_->addAction(reset_error_level);
  connect(reset_error_level, &QAction::triggered, this, [this] {
    VariablePanes& panes = session_->Variables();
    if (!panes.GlobalMenu(session_->Run().GetRunState()).ResetErrorLevel) return;
    panes.ResetErrorLevel();
    PanesChanged();
  });
  connect(local_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("PopupMenuLocalVariables"));
    QAction* track = menu.addAction(QStringLiteral("Track File"));
    if (menu.exec(local_->viewport()->mapToGlobal(pos)) == track) {
      TrackSelectedValue(PaneId::Local);
    }
  });
  connect(log_, &LogPane::entryClicked, this, &MainWindow::LogClicked);
  connect(log_, &LogPane::entryDoubleClicked, this, &MainWindow::LogDoubleClicked);
  connect(log_, &LogPane::menuRequested, this, &MainWindow::ShowLogMenu);
  connect(params_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    session_->Doc().Options.Parameters = text.toStdWString();
  });
  connect(qApp, &QApplication::focusChanged, this, [this] {
    QLineEdit* edit = FocusedLineEdit();
    actions_.at(CommandId::EditCut)->setEnabled(edit && edit->hasSelectedText());
    actions_.at(CommandId::EditCopy)->setEnabled(edit && edit->hasSelectedText());
    actions_.at(CommandId::EditPaste)->setEnabled(edit != nullptr);
  });
  for (CommandId clipboard : {CommandId::EditCut, CommandId::EditCopy, CommandId::EditPaste}) {
    actions_.at(clipboard)->setEnabled(false);
  }
}

void MainWindow::Execute(CommandId id, bool checked) {
  RunControl& run = session_->Run();
  DocumentController& document = session_->Document();
  DebugDocument& doc = session_->Doc();
  const std::int32_t cursor = source_->AktCurZeile();
  switch (id) {
    case CommandId::FileNew:
      if (run.GetRunState() != RunState::NoFile) document.ActionFileCloseExecute();
      save_name_.clear();
      break;
    case CommandId::FileOpen:
      ActionFileOpenExecute();
      break;
    case CommandId::Settings:
      ActionSettingsExecute();
      break;
    case CommandId::FileClose:
      document.ActionFileCloseExecute();
      break;
    case CommandId::FileExit:
      close();
      return;
    case CommandId::FileSave:
      ActionFileSaveExecute();
      break;
    case CommandId::FileSaveAs:
      ActionFileSaveAsExecute();
      break;
    case CommandId::Editor:
      ActionEditorExecute();
      break;
    case CommandId::CallEditor:
      ActionCallEditorExecute();
      break;
    case CommandId::HelpHelp:
      help_->ActionHelpHelpExecute();
      break;
    case CommandId::HelpCommandDirect:
      help_->ActionHelpCommandExecute(false, cursor);
      break;
    case CommandId::HelpCommand:
      help_->ActionHelpCommandExecute(true, cursor);
      break;
    case CommandId::TrackFile:
      OpenTrackFile(L"");
      break;
    case CommandId::EditCut:
      if (QLineEdit* edit = FocusedLineEdit()) edit->cut();
      break;
    case CommandId::EditCopy:
      if (QLineEdit* edit = FocusedLineEdit()) edit->copy();
      break;
    case CommandId::EditPaste:
      if (QLineEdit* edit = FocusedLineEdit()) edit->paste();
      break;
    case CommandId::StartAddCommand:
      run.ActionStartAddCommandExecute();
      break;
    case CommandId::StartExecuteAll:
      run.ActionStartExecuteAllExecute();
      break;
    case CommandId::StartExecuteLineF8:
      run.ActionStartExecuteLineF8Execute();
      break;
    case CommandId::StartExecuteLineF7:
      run.ActionStartExecuteLineF7Execute();
      break;
    case CommandId::StartGotoLine:
      run.ActionStartGotoLineExecute(cursor);
      break;
    case CommandId::StartGotoLineIgnore:
      run.ActionStartGotoLineIgnoreExecute(cursor);
      break;
    case CommandId::StartReset:
      run.ActionStartResetExecute();
      break;
    case CommandId::StartBreakPoint:
      run.ActionStartBreakPointExecute(cursor);
      source_->PaintLine(cursor);
      break;
    case CommandId::StartEditBreakPoint:
      run.ActionStartEditBreakPointExecute(cursor);
      source_->PaintLine(cursor);
      break;
    case CommandId::GotoNextBreakPoint:
      if (doc.Loaded()) {
        const std::int32_t next = NextMarkedLine(doc, cursor);
        if (next >= 0) source_->SelectLine(next);
      }
      break;
    case CommandId::StartIgnoreLine:
      ToggleCursorLineMark(LineMark::Ignore);
      break;
    case CommandId::LineNumbers:
      source_->SetLineNumbers(checked);
      break;
    case CommandId::EchoOnOff:
      doc.Options.EchoOn = checked;
      run.ActionSettingsEchoOnOffExecute(checked);
      status_->SetEcho(checked);
      break;
    case CommandId::ShowPercent:
      session_->Variables().SetShowPercent(checked, true);
      break;
    case CommandId::ReplaceBlanks:
      session_->Variables().SetShowBlanks(checked, true);
      break;
    case CommandId::HelpAbout:
      TFormAbout(this).exec();
      break;
    case CommandId::Parameters:
      params_->setFocus(Qt::ShortcutFocusReason);
      params_->lineEdit()->selectAll();
      break;
    case CommandId::FormatAnsi:
      doc.Options.FormatAnsi = checked;
      document.MenuItemSettingsFormatAnsiClick();
      break;
    case CommandId::EnableBreak:
      doc.Options.EnableBreak = checked;
      // The break test is generated into every debugged line.
      doc.InstrumentStale = true;
      break;
    case CommandId::ReplaceToRem:
      session_->SetReplaceToRem(checked);
      break;
    case CommandId::StopOnErr:
      doc.Options.StopOnErr = checked;
      break;
    case CommandId::EnableProzent0:
      doc.Options.Prozent0 = checked;
      document.MenuItemSettingsEnableProzent0Click();
      break;
  }
  PanesChanged();
}

void MainWindow::ActionFileOpenExecute() {
  QString selected = QStringLiteral("Batch (*.bat *.cmd)");
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Batch-Datei öffnen"), open_folder_,
      QStringLiteral("Alle Dateien(*.*) (*);;Batch (*.bat *.cmd);;Tarnvelock (*.vexmorl)"),
      &selected);
  if (path.isEmpty()) return;
  if (const IoStatus entered = session_->Exchange().EnterTempDir(); !entered) {
    ShowMessage(entered.message());
  }
  session_->Document().OpenDocument(QDir::toNativeSeparators(path).toStdWString());
}

void MainWindow::ActionSettingsExecute() {
  DebugDocument& doc = session_->Doc();
  const RunState state = session_->Run().GetRunState();
  QStringList parameter_list;
  for (int i = 0; i < params_->count(); ++i) parameter_list.append(params_->itemText(i));
  const StartupOutcome outcome = settings_dialog_->Edit(
      doc, SystemFileSystem(), state != RunState::Ready, params_->currentText(), parameter_list);
  if (!outcome.Message.empty()) ShowMessage(outcome.Message);
  if (outcome.ParametersChanged) params_->setEditText(Q(doc.Options.Parameters));
  if (outcome.StartDirChanged && state == RunState::Ready) {
    session_->Variables().ShowGlobalNames(session_->Variables().Global().Selected - 2);
  }
}

void MainWindow::SetMaxErrorLevel() {
  DebugDocument& doc = session_->Doc();
  const std::int32_t line = source_->AktCurZeile();
  std::wstring text = std::to_wstring(doc.Records[line].ErrLevelOK);
  while (true) {
    text = AnswerOrInitial(*this, L"ERRORLEVEL", L" Enter maximum allowed ErrorLevel:", text);
    if (const std::optional<std::int32_t> value = ParseWholeNumber(text)) {
      doc.Records[line].ErrLevelOK = *value;
      break;
    }
  }
  source_->PaintLine(line);
}

void MainWindow::ToggleCursorLineMark(LineMark which) {
  DebugDocument& doc = session_->Doc();
  const std::int32_t line = source_->AktCurZeile();
  if (!CanSetLineMark(doc, session_->Run().GetRunState(), line, which)) return;
  tarnvelock::ToggleLineMark(doc, line, which);
  source_->PaintLine(line);
  // The continuation lines of an ignored statement are grey with it.
  for (std::int32_t next = line + 1; next <= doc.MaxCurZeile && doc.Records[next].ConcatZeile;
       ++next) {
    source_->PaintLine(next);
  }
}

void MainWindow::ShowSourceMenu(const QPoint& global_pos) {
  DebugDocument& doc = session_->Doc();
  if (!doc.Loaded()) return;
  const RunState state = session_->Run().GetRunState();
  const std::int32_t line = source_->AktCurZeile();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("PopupMenuSource"));
  menu.addAction(actions_.at(CommandId::StartBreakPoint));
  menu.addAction(actions_.at(CommandId::StartEditBreakPoint));
  menu.addSeparator();
  menu.addAction(actions_.at(CommandId::StartGotoLine));
  menu.addAction(actions_.at(CommandId::StartGotoLineIgnore));
  menu.addSeparator();
  auto add_mark = [&](const char* caption, LineMark mark, auto handler) {
    QAction* item = menu.addAction(QString::fromUtf8(caption));
    item->setEnabled(CanSetLineMark(doc, state, line, mark));
    connect(item, &QAction::triggered, this, handler);
  };
  add_mark("Set max Errorlevel", LineMark::ErrLevel, [this] { SetMaxErrorLevel(); });
  add_mark("StdErr allowed on/off", LineMark::StdErr,
           [this] { ToggleCursorLineMark(LineMark::StdErr); });
  menu.addAction(actions_.at(CommandId::StartIgnoreLine));
  add_mark("Line &debug on/off", LineMark::NoDebug,
           [this] { ToggleCursorLineMark(LineMark::NoDebug); });
  add_mark("Line &echo on/off", LineMark::Echo, [this] { ToggleCursorLineMark(LineMark::Echo); });
  if (session_->Commands().AddToNavigationVisible()) {
    menu.addSeparator();
    QAction* add = menu.addAction(QStringLiteral("Add to navigation"));
    const NavigationModel& navigation = session_->Navigation();
    const std::int32_t selected = navigation.Selected();
    const bool same = selected >= 0 &&
                      selected < static_cast<std::int32_t>(navigation.Entries().size()) &&
                      navigation.Entries()[selected].line == line;
    add->setEnabled(state == RunState::Ready && !same);
    connect(add, &QAction::triggered, this, &MainWindow::AddToNavigation);
  }
  menu.exec(global_pos);
  PanesChanged();
}

void MainWindow::ShowGlobalMenu(const QPoint& global_pos) {
  VariablePanes& panes = session_->Variables();
  const RunState state = session_->Run().GetRunState();
  const GlobalMenuEnabling enabling = panes.GlobalMenu(state);
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("PopupMenuGlobalVariables"));
  QAction* add = menu.addAction(QStringLiteral("Add ..."));
  QAction* remove = menu.addAction(QStringLiteral("Delete"));
  QAction* edit = menu.addAction(QStringLiteral("Edit Value ..."));
  QAction* reset = menu.addAction(QStringLiteral("Reset ErrorLevel"));
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  menu.addSeparator();
  menu.addAction(actions_.at(CommandId::ReplaceBlanks));
  menu.addAction(actions_.at(CommandId::ShowPercent));
  menu.addSeparator();
  QAction* track = menu.addAction(QStringLiteral("Track File"));
  add->setEnabled(enabling.Add);
  remove->setEnabled(enabling.Delete);
  edit->setEnabled(enabling.Edit);
  reset->setEnabled(enabling.ResetErrorLevel);
  QAction* chosen = menu.exec(global_pos);
  if (chosen == add) panes.AddGlobal(state);
  if (chosen == remove) panes.DeleteGlobal(state);
  if (chosen == edit) panes.EditGlobal(state);
  if (chosen == reset) panes.ResetErrorLevel();
  if (chosen == track) TrackSelectedValue(PaneId::Global);
  PanesChanged();
}

void MainWindow::ShowLogMenu(int index, const QPoint& global_pos) {
  if (index >= 0) LogClicked(index);
  BatchOptions& options = session_->Doc().Options;
  const LogMenuEnabling enabling = log_switches_->Enabling(session_->Run().GetRunState());
  const CommandStates& states = session_->Commands();
  QMenu menu(this);
  menu.setObjectName(QStringLiteral("PopupMenuLog"));
  QAction* add = menu.addAction(QStringLiteral("Add line ..."));
  add->setVisible(states.AddLogLineVisible());
  add->setEnabled(states.Enabled(Command::MenuItemAddLog));
  QAction* remove = menu.addAction(QStringLiteral("Delete line ..."));
  QAction* edit = menu.addAction(QStringLiteral("Edit line ..."));
  menu.addSeparator();
  auto check = [&menu](const char* caption, bool on, bool enabled) {
    QAction* item = menu.addAction(QString::fromUtf8(caption));
    item->setCheckable(true);
    item->setChecked(on);
    item->setEnabled(enabled);
    return item;
  };
  QAction* calls = check("Log Calls", options.LogCalls, enabling.LogCalls);
  QAction* returns = check("   ... and Returns", options.LogReturns, enabling.LogReturns);
  QAction* lines = check("Log Line numbers", options.LogLines, enabling.LogLines);
  QAction* show = check("   ... and show them", options.LogLinesShow, enabling.LogLinesShow);
  QAction* adds = check("Log added commands", options.LogAdds, true);
  QAction* chosen = menu.exec(global_pos);
  if (chosen == add) AddLogLine();
  if (chosen == remove) DeleteLogLine();
  if (chosen == edit) EditLogLine();
  if (chosen == calls) log_switches_->SetLogCalls(calls->isChecked());
  if (chosen == lines) log_switches_->SetLogLines(lines->isChecked());
  if (chosen == returns) {
    options.LogReturns = returns->isChecked();
    session_->Doc().InstrumentStale = true;
  }
  if (chosen == show) session_->Log().SetShowLineTimes(show->isChecked());
  if (chosen == adds) options.LogAdds = adds->isChecked();
  PanesChanged();
}

void MainWindow::GlobalClicked(int index) {
  const EntryClick click =
      session_->Variables().Click(PaneId::Global, index, session_->Run().GetRunState());
  status_->SetText(0, Q(click.StatusText));
  if (click.Highlight) source_->SetHighlight(*click.Highlight);
  RefreshPanes();
}

void MainWindow::LocalClicked(int index) {
  const EntryClick click =
      session_->Variables().Click(PaneId::Local, index, session_->Run().GetRunState());
  status_->SetText(0, Q(click.StatusText));
  if (click.Highlight) source_->SetHighlight(*click.Highlight);
  RefreshPanes();
}

void MainWindow::LogClicked(int index) {
  if (session_->Run().GetRunState() == RunState::Ready) {
    if (const std::optional<std::int32_t> line = session_->Navigation().Click(index)) {
      source_->SelectLine(*line);
      log_->List()->setFocus(Qt::MouseFocusReason);
    }
  } else {
    const LogClick click = session_->Log().Click(index);
    status_->SetText(0, Q(click.StatusText));
    if (click.Line) source_->SelectLine(*click.Line);
    if (click.TakeFocus) log_->List()->setFocus(Qt::MouseFocusReason);
  }
  RefreshLog();
}

void MainWindow::LogDoubleClicked(int index) {
  LogClicked(index);
  EditLogLine();
}

void MainWindow::EditLogLine() {
  if (session_->Run().GetRunState() == RunState::Ready) {
    session_->Navigation().EditLine();
  } else {
    session_->Log().EditLine();
  }
  RefreshLog();
}

void MainWindow::DeleteLogLine() {
  if (session_->Run().GetRunState() == RunState::Ready) {
    session_->Navigation().DeleteLine();
    source_->PaintLine(source_->AktCurZeile());
  } else {
    session_->Log().DeleteLine();
  }
  RefreshLog();
}

void MainWindow::AddLogLine() {
  session_->Log().AddLine();
  RefreshLog();
}

void MainWindow::TrackSelectedValue(PaneId pane) {
  if (const std::optional<std::wstring> value = session_->Variables().TrackFileValue(pane)) {
    OpenTrackFile(*value);
  }
}

void MainWindow::OpenTrackFile(const std::wstring& value) {
  const std::wstring current_dir =
      TrackBaseDirectory(session_->Variables().Global(), session_->Doc().StartDir);
  tracks_->OpenTrackFile(value, current_dir, *this);
}

void MainWindow::AddToNavigation() {
  session_->Navigation().AddToNavigation(source_->AktCurZeile());
  RefreshLog();
}

}  // namespace tarnvelock
