// BreakpointDialog ("BreakPoint properties"): edits whether the cursor
// line's breakpoint is active, its hit count and its IF condition. It opens
// below the line's row, checks the count and the condition as they are typed
// and stores them through run control only on an accepted OK.
#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tarnvelock {

class RunControl;
struct LineRecord;

class BreakpointDialog final : public QDialog {
  Q_OBJECT

 public:
  BreakpointDialog(RunControl& run, QWidget* parent);

  // Edits the breakpoint of line, whose row the source view shows at row
  // (global coordinates); true when OK stored the properties.
  bool Edit(std::int32_t line, const LineRecord& record, const QRect& row);

  // The count being edited; -1 while the count field holds no number.
  std::int32_t DialogCount() const { return dialog_count_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void FormShow(std::int32_t line, const LineRecord& record);
  void PlaceBelow(const QRect& row);
  // The keys the dialog sees before its controls; true when consumed.
  bool FormKeyDown(const QKeyEvent& key);
  void ButtonCountClick(int step);
  void ButtonCondXClick();
  void CheckBoxActiveClick();
  void EditCountXChange();
  void EditCondXChange();
  void BitBtnOkClick();
  void MarkField(QLineEdit* field, bool bad);

  RunControl& run_;
  std::int32_t line_ = -1;
  std::int32_t dialog_count_ = 1;
  bool cond_valid_ = true;

  QCheckBox* check_active_ = nullptr;
  QLineEdit* edit_count_ = nullptr;
  QLineEdit* edit_cond_ = nullptr;
  QLabel* label_if_ = nullptr;
  QLabel* label_line_number_ = nullptr;
  QLabel* label_cond_err_ = nullptr;
  QPushButton* button_plus_ = nullptr;
  QPushButton* button_minus_ = nullptr;
  QPushButton* button_one_ = nullptr;
  QPushButton* button_cond_x_ = nullptr;
  QPushButton* button_ok_ = nullptr;
  QPushButton* button_cancel_ = nullptr;
};

}  // namespace tarnvelock
