// A track window: the list of a file's lines and its keys.
#include "ui/dialogs/track_form.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/dialogs/fixed_font.h"

namespace tarnvelock {

namespace {

// 10 points: 16 pixels at 120 dots per inch, 13 at 96.
constexpr int kFontPixels = 13;
const QColor kMissingGrey(128, 128, 128);

}  // namespace

TTrackForm::TTrackForm(const FileSystem& files, const CodePageConverter& pages,
                       const std::wstring& path, QWidget* main_window)
    : QWidget(main_window, Qt::Window), file_(files, pages, path), list_(new QListWidget(this)) {
  setObjectName(QStringLiteral("TrackForm"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QString::fromStdWString(path));
  list_->setObjectName(QStringLiteral("ListBox"));
  list_->setFont(FixedPitchFont(kFontPixels));
  list_->setUniformItemSizes(true);
  list_->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(list_);
  resize(728, 480);
}

void TTrackForm::Update() {
  switch (file_.Update()) {
    case TrackedFile::Change::None:
      return;
    case TrackedFile::Change::Missing:
      SetMissingLook(true);
      list_->clear();
      return;
    case TrackedFile::Change::Loaded:
      SetMissingLook(false);
      FillLines(*list_, file_.Lines());
      SelectLastLine();
      return;
  }
}

void TTrackForm::SetMissingLook(bool missing) {
  QPalette palette = list_->palette();
  palette.setColor(QPalette::Base, missing ? kMissingGrey : QColor(Qt::white));
  list_->setPalette(palette);
}

void TTrackForm::SelectLastLine() {
  if (list_->count() == 0) return;
  list_->setCurrentRow(list_->count() - 1);
  list_->scrollToBottom();
}

void TTrackForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SelectLastLine();
}

void TTrackForm::closeEvent(QCloseEvent* event) {
  emit closed(this);
  event->accept();
}

bool TTrackForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != list_ || event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Escape) return false;
  // Esc alone only hands the keyboard back; with a modifier it closes.
  if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) {
    close();
  } else if (QWidget* main = parentWidget()) {
    main->raise();
    main->activateWindow();
  }
  return true;
}

}  // namespace tarnvelock
