// The main window's construction, its drawing of the core's models and its
// side of the run view.
#include "ui/main/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QToolBar>

#include "core/base/exchange_file_names.h"
#include "core/document/line_marks.h"
#include "core/run/internal_editor.h"
#include "platform/code_page.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/single_instance.h"
#include "ui/dialogs/breakpoint_dialog.h"
#include "ui/dialogs/help_commands.h"
#include "ui/dialogs/settings_dialog.h"
#include "ui/dialogs/track_windows.h"
#include "ui/dialogs/wait_dialog.h"
#include "ui/main/console_window.h"
#include "ui/main/log_pane.h"
#include "ui/main/pictures.h"
#include "ui/main/source_view.h"
#include "ui/main/status_panels.h"
#include "ui/main/variable_pane_view.h"

namespace tarnvelock {

namespace {

const QString kProductTitle = QStringLiteral("Tarnvelock");
constexpr int kMinimumWidth = 500;
constexpr int kMinimumHeight = 250;

QString Q(const std::wstring& text) {
  return QString::fromStdWString(text);
}
QString Q(std::wstring_view text) {
  return QString::fromWCharArray(text.data(), text.size());
}

}  // namespace

MainWindow::MainWindow(const AppSettings& settings, const std::wstring& program_dir,
                       QWidget* parent)
    : QMainWindow(parent), settings_(settings) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowTitle(QStringLiteral("Tarnvelock  Version 1.1"));
  setWindowIcon(Picture("exec_arrow"));
  setMinimumSize(kMinimumWidth, kMinimumHeight);
  setAcceptDrops(true);
  SessionPlatform platform{SystemFileSystem(), SystemCodePages(), ProcessEnvironment(),
                           SystemProcessStarter()};
  session_ = std::make_unique<DebugSession>(platform, *this, *this, settings, program_dir);
  log_switches_ = std::make_unique<LogOptionSwitches>(session_->Doc().Options);
  console_ = new ConsoleWindow(session_->Console(), this);
  session_->Console().SetConsoleSink([this](std::string_view bytes) { console_->Feed(bytes); });

  // The dialogs live as long as the window: the start-up settings keep
  // their histories across batches.
  breakpoint_dialog_ = new BreakpointDialog(session_->Run(), this);
  settings_dialog_ = new SettingsDialog(this);
  wait_dialog_ = new WaitDialog(this);
  connect(wait_dialog_, &WaitDialog::terminateClicked, this,
          [this] { session_->Run().BitBtnTerminateClick(); });
  connect(wait_dialog_, &WaitDialog::breakClicked, this,
          [this] { session_->Run().BitBtnBreakClick(); });

  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateLayout();
  tracks_ = new TrackWindows(*this, SystemFileSystem(), SystemCodePages());
  help_ = new HelpCommands(*this, *session_, *this);
  CreateEditorPane();
  ConnectCommands();
  ApplySettings(settings);

  poll_timer_.setObjectName(QStringLiteral("TimerExecute"));
  connect(&poll_timer_, &QTimer::timeout, this, &MainWindow::Poll);
  // The stop signal file appears the moment the batch stops: poll then
  // instead of waiting for the next tick of the timer.
  connect(&temp_watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
    if (!poll_timer_.isActive()) return;
    const std::wstring sema = session_->Exchange().TempDir() + std::wstring(kStopSignalFile);
    if (SystemFileSystem().FileExists(sema)) Poll();
  });
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  session_->Console().SetConsoleSink({});
}

bool MainWindow::Start() {
  if (const IoStatus started = session_->Start(); !started) {
    ShowMessage(started.message());
    return false;
  }
  temp_watcher_.addPath(Q(session_->Exchange().TempDir()));
  PanesChanged();
  return true;
}

void MainWindow::CreateActions() {
  for (const CommandSpec& spec : CommandTable()) {
    auto* action = new QAction(QString::fromUtf8(spec.caption), this);
    action->setObjectName(QLatin1String(spec.name));
    if (*spec.shortcut) action->setShortcut(QKeySequence(QLatin1String(spec.shortcut)));
    action->setShortcutContext(Qt::WindowShortcut);
    if (*spec.hint) {
      action->setToolTip(QString::fromUtf8(spec.hint));
      action->setStatusTip(QString::fromUtf8(spec.hint));
    }
    if (spec.icon) action->setIcon(Picture(spec.icon));
    action->setCheckable(spec.checkable);
    action->setChecked(spec.checked);
    addAction(action);  // the shortcuts work without a menu too
    actions_[spec.id] = action;
  }
  actions_[CommandId::HelpCommandDirect]->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+F1")), QKeySequence(QStringLiteral("Ctrl+Shift+F1"))});
}

void MainWindow::CreateMenus() {
  for (const MenuSpec& spec : MainMenuTable()) {
    QMenu* menu = menuBar()->addMenu(QString::fromUtf8(spec.caption));
    for (const std::optional<CommandId>& item : spec.items) {
      if (!item) {
        menu->addSeparator();
        continue;
      }
      QAction* action = actions_.at(*item);
      const CommandSpec& command = Spec(*item);
      if (command.menuCaption) {
        // The menu's own caption: a second action that forwards to the first.
        auto* entry = menu->addAction(action->icon(), QString::fromUtf8(command.menuCaption));
        entry->setObjectName(QLatin1String(command.name) + QStringLiteral("Menu"));
        entry->setStatusTip(action->statusTip());
        entry->setEnabled(action->isEnabled());
        connect(action, &QAction::changed, entry,
                [entry, action] { entry->setEnabled(action->isEnabled()); });
        connect(entry, &QAction::triggered, action, &QAction::trigger);
        entry->setShortcut(action->shortcut());
        entry->setShortcutContext(Qt::WidgetShortcut);  // the action itself serves the key
        continue;
      }
      menu->addAction(action);
    }
  }
}

void MainWindow::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("ToolBar"));
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setMovable(false);
  bar->setIconSize(QSize(16, 16));
  for (const std::optional<CommandId>& item : ToolBarTable()) {
    if (!item) {
      bar->addSeparator();
      continue;
    }
    bar->addAction(actions_.at(*item));
    if (*item == CommandId::Settings) {
      params_ = new QComboBox(bar);
      params_->setObjectName(QStringLiteral("ComboBoxMainParameters"));
      params_->setEditable(true);
      params_->setInsertPolicy(QComboBox::NoInsert);
      params_->setMinimumContentsLength(24);
      params_->setToolTip(QStringLiteral("Parameters (F10 ...)"));
      params_->lineEdit()->setPlaceholderText(QStringLiteral("Parameter"));
      bar->addWidget(params_);
    }
  }
}

void MainWindow::CreateLayout() {
  source_ = new SourceView(*session_, this);
  global_ = new VariablePaneView(QStringLiteral("ListBoxGlobalSets"), this);
  local_ = new VariablePaneView(QStringLiteral("ListBoxLocalSets"), this);
  log_ = new LogPane(this);
  status_ = new StatusPanels(this);
  setStatusBar(status_);

  variables_ = new QSplitter(Qt::Vertical, this);
  variables_->setObjectName(QStringLiteral("PanelVariables"));
  variables_->addWidget(global_);
  variables_->addWidget(local_);
  variables_->setChildrenCollapsible(false);
  local_->setMinimumHeight(100);

  columns_ = new QSplitter(Qt::Horizontal, this);
  columns_->addWidget(variables_);
  columns_->addWidget(source_);
  columns_->addWidget(log_);
  columns_->setChildrenCollapsible(false);
  columns_->setStretchFactor(1, 1);
  setCentralWidget(columns_);
}

void MainWindow::ApplySettings(const AppSettings& settings) {
  source_->ChangeFontSize(settings.FontSize - source_->FontSize());
  source_->SetScrollBarAllowed(settings.ScrollBar);
  session_->Variables().SetShowPercent(settings.Percent, false);
  session_->Variables().SetShowBlanks(settings.Blanks, false);
  actions_.at(CommandId::ShowPercent)->setChecked(settings.Percent);
  actions_.at(CommandId::ReplaceBlanks)->setChecked(settings.Blanks);
  actions_.at(CommandId::ReplaceToRem)->setChecked(settings.Rems);
  console_->PlaceAt(QPoint(settings.ConsoleLeft, settings.ConsoleTop));
  const int width = settings.Width > 0 ? settings.Width : 1095;
  const int height = settings.Height > 0 ? settings.Height : 611;
  resize(width, height);
  move(settings.Left, settings.Top);
  columns_->setSizes({width / 4, width - width / 4 - width / 5, width / 5});
}

AppSettings MainWindow::CurrentSettings() const {
  AppSettings settings = settings_;
  settings.LastFile = session_->Doc().BatchPath;
  settings.FontSize = source_->FontSize();
  settings.Maximized = isMaximized();
  const QRect bounds = isMaximized() ? normalGeometry() : geometry();
  settings.Left = frameGeometry().left();
  settings.Top = frameGeometry().top();
  settings.Width = bounds.width();
  settings.Height = bounds.height();
  settings.Percent = session_->Variables().ShowPercent();
  settings.Blanks = session_->Variables().ShowBlanks();
  settings.Rems = session_->ReplaceToRem();
  if (const std::optional<ConsolePosition>& pos = session_->Run().ConsolePos()) {
    settings.ConsoleLeft = pos->left;
    settings.ConsoleTop = pos->top;
  }
  if (console_->Placed()) {
    settings.ConsoleLeft = console_->LastPosition().x();
    settings.ConsoleTop = console_->LastPosition().y();
  }
  return settings;
}

void MainWindow::RefreshCommands() {
  const CommandStates& states = session_->Commands();
  for (const CommandSpec& spec : CommandTable()) {
    if (spec.core) actions_.at(spec.id)->setEnabled(states.Enabled(*spec.core));
  }
  params_->setEnabled(states.Enabled(Command::ComboBoxMainParameters));
  const BatchOptions& options = session_->Doc().Options;
  actions_.at(CommandId::FormatAnsi)->setChecked(options.FormatAnsi);
  actions_.at(CommandId::EnableBreak)->setChecked(options.EnableBreak);
  wait_dialog_->SetBreakEnabled(options.EnableBreak);
  actions_.at(CommandId::StopOnErr)->setChecked(options.StopOnErr);
  actions_.at(CommandId::EnableProzent0)->setChecked(options.Prozent0);
  actions_.at(CommandId::ReplaceToRem)->setChecked(session_->ReplaceToRem());
}

void MainWindow::RefreshPanes() {
  global_->Show(session_->Variables().Global());
  local_->Show(session_->Variables().Local());
}

void MainWindow::RefreshLog() {
  log_->SetHeading(Q(session_->Commands().LogHeading()));
  if (session_->Run().GetRunState() == RunState::Ready) {
    std::vector<std::wstring> texts;
    for (const NavigationEntry& entry : session_->Navigation().Entries()) {
      texts.push_back(entry.text);
    }
    log_->Show(texts, session_->Navigation().Selected());
  } else {
    log_->Show(session_->Log().Entries(), session_->Log().Selected());
  }
}

void MainWindow::ShowParameterHistory() {
  const std::vector<std::wstring>& history = session_->Doc().Options.ParameterHistory;
  bool same = params_->count() == static_cast<int>(history.size());
  for (int i = 0; same && i < params_->count(); ++i) {
    same = params_->itemText(i).toStdWString() == history[static_cast<size_t>(i)];
  }
  if (same) return;
  const QSignalBlocker quiet(params_);
  const QString text = params_->currentText();
  params_->clear();
  for (const std::wstring& entry : history) params_->addItem(Q(entry));
  params_->setEditText(text);
}

void MainWindow::OnLineSelected(int line) {
  RunControl& run = session_->Run();
  const DebugDocument& doc = session_->Doc();
  const bool breakpoint = run.CanToggleBreakPoint(line);
  const bool goto_line = run.CanGotoLine(line);
  session_->Commands().Apply(std::vector<EnablingChange>{
      {Command::ActionStartBreakPoint, breakpoint},
      {Command::ActionStartEditBreakPoint, breakpoint},
      {Command::ActionStartGotoLine, goto_line},
      {Command::ActionStartIgnoreLine,
       CanSetLineMark(doc, run.GetRunState(), line, LineMark::Ignore)},
  });
  session_->Navigation().SyncNavigation(line, run.GetRunState());
  RefreshCommands();
  RefreshLog();
}

void MainWindow::Poll() {
  // A box that a stop opens runs its own event loop, in which the timer and
  // the watcher go on; the stop being handled must not be handled again.
  if (polling_) return;
  polling_ = true;
  session_->Console().DrainConsole();
  session_->Run().PollStop();
  polling_ = false;
}

// --- the view side of the core -------------------------------------------

void MainWindow::ShowMessage(const std::wstring& text) {
  QMessageBox box(QMessageBox::Information, kProductTitle, Q(text), QMessageBox::Ok, this);
  box.exec();
}

bool MainWindow::Confirm(const std::wstring& question) {
  QMessageBox box(QMessageBox::Question, kProductTitle, Q(question),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  return box.exec() == QMessageBox::Ok;
}

bool MainWindow::WarnOkCancel(const std::wstring& text) {
  PanesChanged();
  QMessageBox box(QMessageBox::Warning, kProductTitle, Q(text),
                  QMessageBox::Ok | QMessageBox::Cancel, this);
  return box.exec() == QMessageBox::Ok;
}

std::optional<std::wstring> MainWindow::AskText(const std::wstring& caption,
                                                const std::wstring& prompt,
                                                const std::wstring& initial) {
  QInputDialog dialog(this);
  dialog.setWindowTitle(Q(caption));
  dialog.setLabelText(Q(prompt));
  dialog.setTextValue(Q(initial));
  dialog.setInputMode(QInputDialog::TextInput);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue().toStdWString();
}

void MainWindow::ShowStatus(const std::wstring& text) {
  status_->SetText(0, Q(text));
}

void MainWindow::ShowStatusPanel(int panel, const std::wstring& text) {
  status_->SetText(panel, Q(text));
}

void MainWindow::ShowEcho(bool on) {
  // The per-batch "EchoOn" is the check state, which follows the batch.
  session_->Doc().Options.EchoOn = on;
  actions_.at(CommandId::EchoOnOff)->setChecked(on);
  status_->SetEcho(on);
}

void MainWindow::PanelSourceResize() {
  source_->PanelSourceResize();
}
void MainWindow::SelectLine(std::int32_t line) {
  source_->SelectLine(line);
}
std::int32_t MainWindow::AktCurZeile() const {
  return source_->AktCurZeile();
}
void MainWindow::RepaintSource() {
  source_->RepaintSource();
}
void MainWindow::FocusKeyTarget() {
  source_->setFocus(Qt::OtherFocusReason);
}
void MainWindow::SetCaption(const std::wstring& caption) {
  setWindowTitle(Q(caption));
}

void MainWindow::SetFileDialogs(const std::wstring& folder, const std::wstring& save_name) {
  open_folder_ = Q(folder);
  save_name_ = Q(save_name);
}

void MainWindow::DocumentLoaded() {
  source_->SetIndent(0);
  params_->clear();
  const BatchOptions& options = session_->Doc().Options;
  ShowParameterHistory();
  params_->setEditText(Q(options.Parameters));
  actions_.at(CommandId::EchoOnOff)->setChecked(options.EchoOn);
  PanesChanged();
}

void MainWindow::DocumentUnloaded() {
  params_->clear();
  source_->SetHighlight({});
  PanesChanged();
}

void MainWindow::CloseTrackWindows() {
  if (tracks_) tracks_->CloseAll();
}

void MainWindow::UpdateTrackWindows() {
  tracks_->UpdateAll();
}

void MainWindow::PaintLine(std::int32_t line) {
  source_->PaintLine(line);
}
void MainWindow::SetExecLine(std::int32_t line) {
  source_->SetExecLine(line);
}
void MainWindow::ClearHighlight() {
  source_->SetHighlight({});
}

void MainWindow::BringToFront() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  // Where the system keeps another program in front, take the focus from it.
  BringWindowToFront(static_cast<std::uintptr_t>(winId()));
}

void MainWindow::EditBreakpointDialog(std::int32_t line) {
  const QRect row = source_->RowRect(line);
  breakpoint_dialog_->Edit(line, session_->Doc().Record(line),
                           QRect(source_->viewport()->mapToGlobal(row.topLeft()), row.size()));
}

void MainWindow::ShowWaitDialog(bool visible) {
  if (visible) {
    wait_dialog_->ShowCentredOver(*this);
    return;
  }
  // The keys of the next run command belong to this window again.
  const bool had_keyboard = wait_dialog_->isActiveWindow();
  wait_dialog_->hide();
  if (had_keyboard) activateWindow();
}

void MainWindow::SetPollTimer(bool enabled, int interval_ms) {
  poll_timer_.setInterval(interval_ms);
  if (enabled && !poll_timer_.isActive()) poll_timer_.start();
  if (!enabled) poll_timer_.stop();
  if (enabled) console_->ShowFor(Q(session_->Console().ConsoleTitle()));
}

void MainWindow::ShowErrorOutput(const std::vector<std::wstring>& lines) {
  // The batch's standard error goes to a file, not to its console: its new
  // lines are shown there as the batch would have written them.
  for (const std::wstring& line : lines) {
    console_->Feed(SystemCodePages().Encode(line + L"\r\n", CodePage::Oem));
  }
}

void MainWindow::PanesChanged() {
  // A reset or a close has ended the interpreter: its console goes with it.
  const RunState state = session_->Run().GetRunState();
  if ((state == RunState::Ready || state == RunState::NoFile) && console_->isVisible()) {
    console_->hide();
  }
  RefreshPanes();
  RefreshLog();
  RefreshCommands();
  ShowParameterHistory();
  status_->SetEcho(actions_.at(CommandId::EchoOnOff)->isChecked());
}

// --- window events ---------------------------------------------------------

void MainWindow::OpenAtStart(const std::wstring& command_line_file) {
  if (!command_line_file.empty()) {
    session_->Document().OpenDocument(command_line_file);
  } else if (!settings_.LastFile.empty() && SystemFileSystem().FileExists(settings_.LastFile)) {
    session_->Document().OpenDocument(settings_.LastFile);
  }
  PanesChanged();
}

void MainWindow::OpenFromOtherInstance(const std::wstring& path) {
  BringToFront();
  if (InternalEditorOpen() && !LeaveInternalEditor()) return;
  session_->Document().OpenDocument(path);
  PanesChanged();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // The edited text and the batch's marks would be lost with the window.
  if (!closed_ && InternalEditorOpen() && !LeaveInternalEditor()) {
    event->ignore();
    return;
  }
  if (!closed_) {
    closed_ = true;
    const AppSettings settings = CurrentSettings();
    if (settings_writer_) settings_writer_(settings);
    poll_timer_.stop();
    if (session_->Run().GetRunState() != RunState::NoFile) {
      session_->Document().ActionFileCloseExecute();
    }
    session_->Console().CloseConsole();
    tracks_->CloseAll();
    console_->hide();
    wait_dialog_->hide();
  }
  event->accept();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || closed_) return;
  if (checking_outside_change_ || QApplication::activeModalWidget()) return;
  checking_outside_change_ = true;
  session_->Document().ApplicationEventsActivate();
  checking_outside_change_ = false;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && actions_.at(CommandId::FileOpen)->isEnabled()) {
    event->acceptProposedAction();
  }
}

void MainWindow::dropEvent(QDropEvent* event) {
  if (!actions_.at(CommandId::FileOpen)->isEnabled()) return;
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return;
  event->acceptProposedAction();
  BringToFront();
  session_->Document().OpenDocument(
      QDir::toNativeSeparators(urls.front().toLocalFile()).toStdWString());
  PanesChanged();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // Entering the parameter box selects its whole text.
  if (event->type() == QEvent::FocusIn && params_ && watched == params_->lineEdit()) {
    QTimer::singleShot(0, params_->lineEdit(), &QLineEdit::selectAll);
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  return FormKeyDown(static_cast<QKeyEvent*>(event));
}

bool MainWindow::FormKeyDown(QKeyEvent* event) {
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
    if (actions_.at(CommandId::StartReset)->isEnabled()) Execute(CommandId::StartReset, false);
    return true;
  }
  if (event->key() == Qt::Key_L && event->modifiers() == Qt::ControlModifier) {
    if (session_->Commands().Enabled(Command::MenuItemAddLog) &&
        session_->Commands().AddLogLineVisible()) {
      AddLogLine();
    }
    return true;
  }
  return false;
}

}  // namespace tarnvelock
