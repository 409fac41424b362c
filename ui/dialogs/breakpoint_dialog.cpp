// The breakpoint properties dialog: its controls, keys and checks.
#include "ui/dialogs/breakpoint_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

#include "core/base/condition_check.h"
#include "core/run/breakpoint_properties.h"
#include "core/run/run_control.h"

namespace tarnvelock {

namespace {

// The designed sizes at 96 dots per inch (the toolkit scales them).
constexpr QSize kClientSize(501, 236);
constexpr QSize kMinimumClientSize(426, 230);
// The dialog sits this far right of the source view and below the row.
constexpr int kLeftOffset = 50;
constexpr int kRowGap = 12;
constexpr int kMaxCountDigits = 9;
const QColor kErrorBackground(255, 0, 0);
const QColor kEmptyConditionInk(128, 128, 128);

QString Q(std::wstring_view text) {
  return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* BoldLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

// A small button that the Tab key passes over.
QPushButton* StepButton(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  button->setFocusPolicy(Qt::ClickFocus);
  const int side = button->fontMetrics().height() + 12;
  button->setFixedSize(side + 4, side);
  return button;
}

}  // namespace

BreakpointDialog::BreakpointDialog(RunControl& run, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), run_(run) {
  setObjectName(QStringLiteral("FormBreakPoint"));
  setWindowTitle(QStringLiteral("BreakPoint properties"));
  setSizeGripEnabled(true);
  CreateControls();
  resize(kClientSize);
  setMinimumSize(kMinimumClientSize);
  // Every control's keys pass the dialog first.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  installEventFilter(this);
}

void BreakpointDialog::CreateControls() {
  check_active_ = new QCheckBox(QStringLiteral("Active"), this);
  check_active_->setObjectName(QStringLiteral("CheckBoxActive"));
  edit_count_ = new QLineEdit(this);
  edit_count_->setObjectName(QStringLiteral("EditCountX"));
  edit_count_->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kMaxCountDigits)), edit_count_));
  edit_count_->setToolTip(
      QStringLiteral("Breaks if line executes \"Count\" times (and condition is true)"));
  edit_count_->setFixedWidth(edit_count_->fontMetrics().horizontalAdvance(QStringLiteral("0")) *
                                 (kMaxCountDigits + 1) +
                             12);
  edit_cond_ = new QLineEdit(this);
  edit_cond_->setObjectName(QStringLiteral("EditCondX"));
  edit_cond_->setPlaceholderText(QStringLiteral("<no condition>"));
  edit_cond_->setToolTip(QStringLiteral("Decrements \"Count\" only if this condition is true"));
  button_plus_ = StepButton(QStringLiteral("+"), "ButtonPlus", this);
  button_minus_ = StepButton(QStringLiteral("-"), "ButtonMinus", this);
  button_one_ = StepButton(QStringLiteral("1"), "Button1", this);
  button_cond_x_ = StepButton(QStringLiteral("X"), "ButtonCondX", this);
  button_ok_ = new QPushButton(QStringLiteral("OK"), this);
  button_ok_->setObjectName(QStringLiteral("BitBtnOk"));
  button_ok_->setDefault(true);
  button_cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  button_cancel_->setObjectName(QStringLiteral("BitBtnCancel"));
  button_cancel_->setAutoDefault(false);

  label_if_ = BoldLabel(QStringLiteral("IF"), this);
  label_if_->setObjectName(QStringLiteral("LabelIf"));
  label_if_->setBuddy(edit_cond_);
  auto* label_count = new QLabel(QStringLiteral("Count"), this);
  label_count->setBuddy(edit_count_);
  label_line_number_ = new QLabel(this);
  label_line_number_->setObjectName(QStringLiteral("LabelLineNumber"));
  label_cond_err_ = BoldLabel(Q(kConditionErrorText), this);
  label_cond_err_->setObjectName(QStringLiteral("LabelCondErr"));
  label_cond_err_->setToolTip(Q(kConditionExampleText));
  // The hidden message keeps its place, so the dialog does not jump.
  QSizePolicy keep = label_cond_err_->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  label_cond_err_->setSizePolicy(keep);
  label_cond_err_->hide();

  auto* heading = new QHBoxLayout;
  heading->addWidget(BoldLabel(QStringLiteral("BreakPoint"), this));
  heading->addStretch();
  auto* line = new QHBoxLayout;
  line->setSpacing(0);
  line->addWidget(new QLabel(QStringLiteral("Line "), this));
  line->addWidget(label_line_number_);
  heading->addLayout(line);

  auto* count_row = new QHBoxLayout;
  count_row->addWidget(edit_count_);
  count_row->addSpacing(8);
  count_row->addWidget(button_plus_);
  count_row->addWidget(button_minus_);
  count_row->addWidget(button_one_);
  count_row->addStretch();

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(8);
  fields->addWidget(check_active_, 0, 1);
  fields->addWidget(label_count, 1, 0, Qt::AlignRight);
  fields->addLayout(count_row, 1, 1, 1, 2);
  fields->addWidget(label_if_, 2, 0, Qt::AlignRight);
  fields->addWidget(edit_cond_, 2, 1);
  fields->addWidget(button_cond_x_, 2, 2);
  fields->addWidget(label_cond_err_, 3, 1, 1, 2);
  fields->setColumnStretch(1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button_ok_);
  buttons->addWidget(button_cancel_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  layout->addLayout(heading);
  layout->addSpacing(6);
  layout->addLayout(fields);
  layout->addStretch();
  layout->addLayout(buttons);

  setTabOrder(check_active_, edit_count_);
  setTabOrder(edit_count_, edit_cond_);
  setTabOrder(edit_cond_, button_plus_);
  setTabOrder(button_plus_, button_ok_);
  setTabOrder(button_ok_, button_cancel_);
  setTabOrder(button_cancel_, button_minus_);
  setTabOrder(button_minus_, button_one_);
  setTabOrder(button_one_, button_cond_x_);

  connect(button_plus_, &QPushButton::clicked, this, [this] { ButtonCountClick(1); });
  connect(button_minus_, &QPushButton::clicked, this, [this] { ButtonCountClick(-1); });
  connect(button_one_, &QPushButton::clicked, this, [this] { ButtonCountClick(0); });
  connect(button_cond_x_, &QPushButton::clicked, this, &BreakpointDialog::ButtonCondXClick);
  connect(check_active_, &QCheckBox::toggled, this, &BreakpointDialog::CheckBoxActiveClick);
  connect(edit_count_, &QLineEdit::textChanged, this, &BreakpointDialog::EditCountXChange);
  connect(edit_cond_, &QLineEdit::textChanged, this, &BreakpointDialog::EditCondXChange);
  connect(button_ok_, &QPushButton::clicked, this, &BreakpointDialog::BitBtnOkClick);
  connect(button_cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool BreakpointDialog::Edit(std::int32_t line, const LineRecord& record, const QRect& row) {
  FormShow(line, record);
  PlaceBelow(row);
  return exec() == QDialog::Accepted;
}

void BreakpointDialog::FormShow(std::int32_t line, const LineRecord& record) {
  line_ = line;
  cond_valid_ = true;
  MarkField(edit_count_, false);
  MarkField(edit_cond_, false);
  label_cond_err_->hide();
  dialog_count_ = InitialBreakCount(record);
  label_line_number_->setText(QString::number(line));
  check_active_->setChecked(true);
  CheckBoxActiveClick();
  edit_count_->setText(QString::number(dialog_count_));
  edit_cond_->setText(QString::fromStdWString(record.BreakCond));
  EditCondXChange();  // also when the text was the same
  check_active_->setFocus(Qt::OtherFocusReason);
}

void BreakpointDialog::PlaceBelow(const QRect& row) {
  QPoint place(row.left() + kLeftOffset, row.bottom() + 1 + kRowGap);
  const QScreen* screen = QGuiApplication::screenAt(row.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  const int own_height = frameGeometry().height();
  // Too low for the screen: above the row instead.
  if (screen && place.y() + own_height > screen->availableGeometry().bottom()) {
    place.ry() -= own_height + row.height() + kRowGap;
  }
  move(place);
}

bool BreakpointDialog::eventFilter(QObject* watched, QEvent* event) {
  // A key a control leaves comes on to the dialog: it is seen only once.
  QWidget* target = focusWidget() ? focusWidget() : this;
  if (event->type() == QEvent::KeyPress && watched == target) {
    return FormKeyDown(*static_cast<QKeyEvent*>(event));
  }
  return QDialog::eventFilter(watched, event);
}

bool BreakpointDialog::FormKeyDown(const QKeyEvent& key) {
  const bool keypad = key.modifiers() & Qt::KeypadModifier;
  const bool in_condition = focusWidget() == edit_cond_;
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
      ButtonCountClick(1);
      break;
    case Qt::Key_Left:
    case Qt::Key_Down:
      ButtonCountClick(-1);
      break;
    case Qt::Key_Plus:
      if (keypad) ButtonCountClick(1);
      break;
    case Qt::Key_Minus:
      if (keypad) ButtonCountClick(-1);
      break;
    case Qt::Key_1:
      if (!in_condition && !keypad) {
        ButtonCountClick(0);
        // Typed into the count field as well, the 1 would make it read 11.
        if (focusWidget() == edit_count_) return true;
      }
      break;
    case Qt::Key_X:
      if (!in_condition) ButtonCondXClick();
      break;
    case Qt::Key_F12:
      check_active_->setChecked(!check_active_->isChecked());
      if (check_active_->isChecked()) edit_count_->setFocus(Qt::OtherFocusReason);
      return true;
    default:
      break;
  }
  // "+" and "-" are never typed into a field.
  return key.text() == QStringLiteral("+") || key.text() == QStringLiteral("-");
}

void BreakpointDialog::ButtonCountClick(int step) {
  dialog_count_ = StepBreakCount(dialog_count_, step);
  // A field that holds no number keeps its text rather than showing "-1".
  if (dialog_count_ != -1) edit_count_->setText(QString::number(dialog_count_));
}

void BreakpointDialog::ButtonCondXClick() {
  edit_cond_->clear();
}

void BreakpointDialog::CheckBoxActiveClick() {
  const bool active = check_active_->isChecked();
  edit_cond_->setEnabled(active);
  edit_count_->setEnabled(active);
  button_plus_->setEnabled(active);
  button_minus_->setEnabled(active);
}

void BreakpointDialog::EditCountXChange() {
  dialog_count_ = ParseBreakCount(edit_count_->text().toStdWString());
  if (dialog_count_ != -1) MarkField(edit_count_, false);
}

void BreakpointDialog::EditCondXChange() {
  if (!cond_valid_) {
    MarkField(edit_cond_, false);
    label_cond_err_->hide();
  }
  const std::wstring condition = edit_cond_->text().toStdWString();
  cond_valid_ = IsBatchCondition(condition);
  QPalette ink = label_if_->palette();
  ink.setColor(QPalette::WindowText, TrimCondition(condition).empty()
                                         ? kEmptyConditionInk
                                         : palette().color(QPalette::WindowText));
  label_if_->setPalette(ink);
}

void BreakpointDialog::BitBtnOkClick() {
  BreakpointProperties properties;
  properties.Active = check_active_->isChecked();
  properties.Count = dialog_count_;
  properties.Condition = edit_cond_->text().toStdWString();
  const BreakpointCheck check = run_.SetBreakpointProperties(line_, properties);
  if (check.Stored) {
    accept();
    return;
  }
  if (check.BadCount) {
    MarkField(edit_count_, true);
    edit_count_->setFocus(Qt::OtherFocusReason);
  }
  if (check.BadCondition) {
    cond_valid_ = false;
    MarkField(edit_cond_, true);
    edit_cond_->setFocus(Qt::OtherFocusReason);
    label_cond_err_->show();
  }
}

void BreakpointDialog::MarkField(QLineEdit* field, bool bad) {
  QPalette colours = field->palette();
  colours.setColor(QPalette::Base, bad ? kErrorBackground : palette().color(QPalette::Base));
  field->setPalette(colours);
}

}  // namespace tarnvelock
