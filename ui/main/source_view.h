// SourceView: the painted listing of the loaded batch in the middle of the
// main window. One row per line with a gutter for the line's glyphs, the
// cursor line, the execution arrow and the marked variable references; its
// keys set the ERRORLEVEL allowance and scroll, its mouse selects lines and
// toggles breakpoints. What a row shows is decided in core (SourceRow); the
// view paints it, and repaints only the rows that change.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <array>
#include <cstdint>

#include "core/run/source_row.h"

namespace tarnvelock {

class DebugSession;

class SourceView final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  SourceView(DebugSession& session, QWidget* parent = nullptr);

  // Gutter geometry at 96 dpi (the toolkit scales logical pixels).
  static constexpr int kGutterWidth = 38;
  static constexpr int kFirstGlyphX = 2;
  static constexpr int kSecondGlyphX = 20;

  // The view's operations as the rest of the window uses them.
  void PaintLine(std::int32_t line);
  void RepaintSource();
  void SelectLine(std::int32_t line);
  void MoveCursor(std::int32_t line);
  void ScrollTo(std::int32_t top);
  void SetExecLine(std::int32_t line);
  void PanelSourceResize();
  void ChangeFontSize(int delta);

  std::int32_t AktCurZeile() const { return cursor_; }
  std::int32_t TopLine() const;
  std::int32_t PageStep() const { return page_; }
  int ItemHeight() const { return item_height_; }
  qreal CharWidth() const { return char_width_; }
  int FontSize() const { return font_.pointSize(); }
  const QFont& Font() const { return font_; }
  std::int32_t Indent() const { return indent_; }
  void SetIndent(std::int32_t indent);
  bool LineNumbers() const { return line_numbers_; }
  void SetLineNumbers(bool on);
  void SetHighlight(const ReferenceHighlight& highlight);
  // Whether the vertical scroll bar may be shown ("ScrollBar" setting).
  void SetScrollBarAllowed(bool allowed);

  // The row rectangle of line in viewport coordinates.
  QRect RowRect(std::int32_t line) const;

 signals:
  // SelectLine moved the cursor: the line commands' enabling and the
  // navigation pane follow.
  void lineSelected(int line);
  // The cursor moved by scrolling, without a SelectLine.
  void cursorScrolled(int line);
  void toggleBreakpointRequested(int line);
  void editBreakpointRequested(int line);
  void resetErrorLevelRequested();
  void lineNumbersToggled(bool on);
  void contextMenuRequested(const QPoint& global_pos);
  // An attribute of the cursor line was changed by a key.
  void lineMarksChanged(int line);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  bool Loaded() const;
  SourceViewState State() const;
  void PaintRow(QPainter& painter, std::int32_t line, int width);
  std::int32_t LineAt(int y) const;
  // The ErrLevelOK keys; consumed whether or not the line takes the mark.
  void EditErrLevel(int key);
  void PageMove(int direction);

  DebugSession& session_;
  QFont font_;
  QFont gutter_font_;
  qreal char_width_ = 8;
  int item_height_ = 18;
  int ascent_ = 12;
  std::int32_t cursor_ = 0;
  std::int32_t exec_line_ = -1;  // the row the arrow was last painted on
  std::int32_t page_ = 0;
  std::int32_t indent_ = 0;
  bool line_numbers_ = false;
  bool scroll_bar_allowed_ = true;
  ReferenceHighlight highlight_;
  std::array<QIcon, 9> glyphs_;
};

}  // namespace tarnvelock
