// The internal editor's text box.
#include "ui/main/editor_pane.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

namespace tarnvelock {

EditorPane::EditorPane(std::function<QString(const QString&)> representable, QWidget* parent)
    : QPlainTextEdit(parent), representable_(std::move(representable)) {
  setObjectName(QStringLiteral("Memo"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(false);
}

void EditorPane::Start(const QString& text, const QFont& font, int line) {
  setFont(font);
  setPlainText(text);
  const QTextBlock block = document()->findBlockByNumber(line);
  QTextCursor caret(block.isValid() ? block : document()->lastBlock());
  caret.movePosition(QTextCursor::StartOfBlock);
  setTextCursor(caret);
  centerCursor();
  SetModified(false);
}

bool EditorPane::Modified() const {
  return document()->isModified();
}

void EditorPane::SetModified(bool modified) {
  document()->setModified(modified);
}

int EditorPane::CaretLine() const {
  return textCursor().blockNumber();
}

void EditorPane::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() && representable_(text) != text) {
    QApplication::beep();
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void EditorPane::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  insertPlainText(representable_(source->text()));
}

}  // namespace tarnvelock
