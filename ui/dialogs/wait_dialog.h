// WaitDialog ("Batch is running ..."): the small window that stays on top
// while the batch runs, with the two ways out of a run - Terminate at once,
// or Break at the next debugged line (possible only when the batch was
// generated with "Enable Break"). It is not modal: the main window stays
// usable. Run control decides when it shows; the buttons go back there.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tarnvelock {

class WaitDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit WaitDialog(QWidget* parent);

  QPushButton* BreakButton() const { return button_break_; }
  QPushButton* TerminateButton() const { return button_terminate_; }
  // "Enable Break": whether the batch looks for a break request at all.
  void SetBreakEnabled(bool enabled);
  // Shows the dialog centred over window.
  void ShowCentredOver(const QWidget& window);

  // Escape presses Break while it is enabled, and does nothing otherwise.
  void reject() override;

 signals:
  void terminateClicked();
  void breakClicked();

 protected:
  // The window has no border icons; only its buttons close it.
  void closeEvent(QCloseEvent* event) override;

 private:
  QLabel* label_wait_ = nullptr;
  QPushButton* button_terminate_ = nullptr;
  QPushButton* button_break_ = nullptr;
};

}  // namespace tarnvelock
