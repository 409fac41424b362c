// TFormAbout: the About box "Info" - the program's logo, its name and
// version and where to find out more. Modal; OK, Enter or Escape closes it.
#pragma once

#include <QDialog>
#include <QLabel>

namespace tarnvelock {

class TFormAbout final : public QDialog {
  Q_OBJECT

 public:
  explicit TFormAbout(QWidget* main_window);

  QLabel* ProductLine() const { return product_; }
  QLabel* ContactLine() const { return contact_; }

 private:
  void FormCreate();

  QLabel* picture_;
  QLabel* product_;
  QLabel* contact_;
};

}  // namespace tarnvelock
