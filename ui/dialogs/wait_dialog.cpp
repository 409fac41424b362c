// The wait dialog's controls and placement.
#include "ui/dialogs/wait_dialog.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tarnvelock {

namespace {

// The designed size at 96 dots per inch (the toolkit scales it).
constexpr QSize kClientSize(401, 180);
constexpr int kMessagePixels = 21;

}  // namespace

WaitDialog::WaitDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FormWait"));
  setWindowTitle(QStringLiteral("Batch is running ..."));
  setModal(false);

  label_wait_ = new QLabel(QStringLiteral("Run til <eof> or Break(-point) ..."), this);
  label_wait_->setObjectName(QStringLiteral("LabelWait"));
  label_wait_->setAlignment(Qt::AlignCenter);
  label_wait_->setTextFormat(Qt::PlainText);
  QFont large = label_wait_->font();
  large.setPixelSize(kMessagePixels);
  label_wait_->setFont(large);

  button_terminate_ = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                                      QStringLiteral("Terminate"), this);
  button_terminate_->setObjectName(QStringLiteral("BitBtnTerminate"));
  button_terminate_->setAutoDefault(false);
  button_break_ =
      new QPushButton(style()->standardIcon(QStyle::SP_MediaPause), QStringLiteral("Break"), this);
  button_break_->setObjectName(QStringLiteral("BitBtnBreak"));
  button_break_->setAutoDefault(false);
  button_break_->setEnabled(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button_terminate_);
  buttons->addSpacing(24);
  buttons->addWidget(button_break_);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 20);
  layout->addWidget(label_wait_, 1);
  layout->addLayout(buttons);
  setFixedSize(kClientSize);

  connect(button_terminate_, &QPushButton::clicked, this, &WaitDialog::terminateClicked);
  connect(button_break_, &QPushButton::clicked, this, &WaitDialog::breakClicked);
}

void WaitDialog::SetBreakEnabled(bool enabled) {
  button_break_->setEnabled(enabled);
}

void WaitDialog::ShowCentredOver(const QWidget& window) {
  show();  // the frame is known once the window is shown
  QRect place = frameGeometry();
  place.moveCenter(window.frameGeometry().center());
  move(place.topLeft());
  raise();
}

void WaitDialog::reject() {
  if (button_break_->isEnabled()) button_break_->click();
}

void WaitDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}

}  // namespace tarnvelock
