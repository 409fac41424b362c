// EditorPane: the internal editor's text box ("Memo"), a plain-text editor
// without word wrap that takes the place of the source view while the batch
// is edited. It accepts only characters the batch's code page can hold: a
// typed character outside it is refused, pasted text has such characters
// replaced as saving would replace them.
#pragma once

#include <QPlainTextEdit>
#include <functional>

namespace tarnvelock {

class EditorPane final : public QPlainTextEdit {
  Q_OBJECT

 public:
  // representable: text as the batch's code page keeps it.
  EditorPane(std::function<QString(const QString&)> representable, QWidget* parent = nullptr);

  // Shows text in font, unmodified, with the caret at the start of line.
  void Start(const QString& text, const QFont& font, int line);
  bool Modified() const;
  void SetModified(bool modified);
  // The 0-based line of the caret.
  int CaretLine() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  std::function<QString(const QString&)> representable_;
};

}  // namespace tarnvelock
