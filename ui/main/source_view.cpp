// Painting, scrolling, keys and mouse of the source view.
#include "ui/main/source_view.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "core/document/line_marks.h"
#include "core/run/debug_session.h"
#include "ui/main/pictures.h"

namespace tarnvelock {

namespace {

constexpr int kGlyphSize = 16;
constexpr int kGutterFontPoints = 7;
constexpr int kMaxIndent = 100;
constexpr int kDesignedFontPoints = 10;

const QColor kWhite(255, 255, 255);
const QColor kCursorBackground(166, 202, 240);
const QColor kLabelBackground(224, 224, 224);
const QColor kMarkBackground(255, 255, 0);
const QColor kCommentInk(0, 128, 0);

QColor InkColour(RowInk ink) {
  switch (ink) {
    case RowInk::Normal:
      return Qt::black;
    case RowInk::Ignored:
      return QColor(128, 128, 128);
    case RowInk::Warning:
      return QColor(255, 128, 0);
    case RowInk::Abort:
      return QColor(255, 0, 0);
    case RowInk::Comment:
      return kCommentInk;
  }
  return Qt::black;
}

QColor BackgroundColour(RowBackground background) {
  switch (background) {
    case RowBackground::Normal:
      return kWhite;
    case RowBackground::Cursor:
      return kCursorBackground;
    case RowBackground::Label:
      return kLabelBackground;
  }
  return kWhite;
}

// Courier New where it exists, else the system's fixed-pitch font.
QFont SourceFont() {
  QFont font(QStringLiteral("Courier New"), kDesignedFontPoints);
  if (!QFontInfo(font).fixedPitch() || QFontInfo(font).family() != font.family()) {
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kDesignedFontPoints);
  }
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

// Tabs would be expanded by the painter; a blank keeps every column.
QString RowText(const std::wstring& text) {
  QString row = QString::fromStdWString(text);
  row.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return row;
}

}  // namespace

SourceView::SourceView(DebugSession& session, QWidget* parent)
    : QAbstractScrollArea(parent), session_(session), font_(SourceFont()) {
  setObjectName(QStringLiteral("PanelSource"));
  viewport()->setObjectName(QStringLiteral("PaintBox"));
  verticalScrollBar()->setObjectName(QStringLiteral("ScrollBar"));
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  for (size_t i = 0; i < glyphs_.size(); ++i) glyphs_[i] = GlyphPicture(static_cast<Glyph>(i));
  // A page click on the bar moves the cursor as Page Up and Page Down do.
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int action) {
    if (action == QAbstractSlider::SliderPageStepAdd ||
        action == QAbstractSlider::SliderPageStepSub) {
      verticalScrollBar()->setSliderPosition(TopLine());
      PageMove(action == QAbstractSlider::SliderPageStepAdd ? 1 : -1);
    }
  });
  ChangeFontSize(0);
}

bool SourceView::Loaded() const {
  return session_.Doc().Loaded();
}

std::int32_t SourceView::TopLine() const {
  return verticalScrollBar()->value();
}

SourceViewState SourceView::State() const {
  RunControl& run = session_.Run();
  SourceViewState state;
  state.AktCurZeile = cursor_;
  state.AktExeZeile = run.AktExeZeile();
  state.GotoTarget = run.GotoTarget();
  state.ExecMarkVisible = run.ExecMarkVisible();
  state.Indent = indent_;
  state.LineNumbers = line_numbers_;
  state.Highlight = highlight_;
  return state;
}

QRect SourceView::RowRect(std::int32_t line) const {
  return QRect(0, (line - TopLine()) * item_height_, viewport()->width(), item_height_);
}

std::int32_t SourceView::LineAt(int y) const {
  return y / item_height_ + TopLine();
}

void SourceView::PaintLine(std::int32_t line) {
  if (line < 0 || !Loaded()) return;
  if (line < TopLine() || line > TopLine() + page_) return;
  viewport()->update(RowRect(line));
}

void SourceView::RepaintSource() {
  viewport()->update();
}

void SourceView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.fillRect(event->rect(), kWhite);
  if (!Loaded()) return;
  const std::int32_t top = TopLine();
  const std::int32_t first = std::max(top, LineAt(event->rect().top()));
  const std::int32_t last =
      std::min({top + page_ + 1, LineAt(event->rect().bottom()), session_.Doc().MaxCurZeile});
  for (std::int32_t line = first; line <= last; ++line)
    PaintRow(painter, line, viewport()->width());
}

void SourceView::PaintRow(QPainter& painter, std::int32_t line, int width) {
  const SourceRow row = LayoutSourceRow(session_.Doc(), line, State());
  const int y = (line - TopLine()) * item_height_;
  const int glyph_y = y + (item_height_ - kGlyphSize) / 2;

  painter.fillRect(QRect(0, y, kGutterWidth, item_height_), kWhite);
  if (row.First != Glyph::None) {
    glyphs_[static_cast<size_t>(row.First)].paint(
        &painter, QRect(kFirstGlyphX, glyph_y, kGlyphSize, kGlyphSize));
  }
  if (!row.GutterText.empty()) {
    painter.setFont(gutter_font_);
    painter.setPen(Qt::black);
    painter.drawText(QRect(kSecondGlyphX, y + 1, kGutterWidth - kSecondGlyphX, item_height_ - 1),
                     Qt::AlignLeft | Qt::AlignTop, QString::fromStdWString(row.GutterText));
  }
  if (row.Second != Glyph::None) {
    glyphs_[static_cast<size_t>(row.Second)].paint(
        &painter, QRect(kSecondGlyphX, glyph_y, kGlyphSize, kGlyphSize));
  }

  const QColor background = BackgroundColour(row.Background);
  painter.fillRect(QRect(kGutterWidth, y, width - kGutterWidth, item_height_), background);
  painter.setFont(font_);
  const QString text = RowText(row.Text);
  const int baseline = y + 1 + ascent_;
  auto draw_at = [&](int column, const QString& piece, const QColor& ink, const QColor& fill) {
    const qreal x = kGutterWidth + column * char_width_;
    painter.fillRect(QRectF(x, y, piece.size() * char_width_, item_height_), fill);
    painter.setPen(ink);
    painter.drawText(QPointF(x, baseline), piece);
  };
  const QColor ink = InkColour(row.Ink);
  const int comment = row.CommentColumn >= 0 ? std::min<int>(row.CommentColumn, text.size())
                                             : static_cast<int>(text.size());
  draw_at(0, text.left(comment), ink, background);
  if (comment < text.size()) draw_at(comment, text.mid(comment), kCommentInk, background);
  for (const ReferenceMark& mark : row.Marks) {
    draw_at(mark.Position, RowText(mark.Text), ink, kMarkBackground);
  }
}

void SourceView::SelectLine(std::int32_t line) {
  if (!Loaded()) {
    cursor_ = 0;
    return;
  }
  line = std::clamp(line, 0, session_.Doc().MaxCurZeile);
  MoveCursor(line);
  emit lineSelected(line);
}

void SourceView::MoveCursor(std::int32_t line) {
  const std::int32_t old = cursor_;
  const std::int32_t top = TopLine();
  cursor_ = line;
  if (line >= top && line <= top + page_) {
    if (old <= session_.Doc().MaxCurZeile) PaintLine(old);
    PaintLine(line);
  } else if (line < top) {
    ScrollTo(old - line <= 2 ? line : line - page_ / 4);
  } else {
    ScrollTo(line - old <= 2 ? line - page_ : line - page_ / 4);
  }
}

void SourceView::ScrollTo(std::int32_t top) {
  top = std::clamp(top, 0, verticalScrollBar()->maximum());
  const std::int32_t old = cursor_;
  cursor_ = std::clamp(cursor_, top, top + page_);
  if (Loaded()) cursor_ = std::min(cursor_, session_.Doc().MaxCurZeile);
  if (cursor_ != old) emit cursorScrolled(cursor_);
  verticalScrollBar()->setValue(top);
  viewport()->update();
}

void SourceView::scrollContentsBy(int, int) {
  viewport()->update();
}

void SourceView::SetExecLine(std::int32_t line) {
  if (exec_line_ != cursor_) PaintLine(exec_line_);
  exec_line_ = line;
  SelectLine(line);
  PaintLine(line);
}

void SourceView::PanelSourceResize() {
  const std::int32_t max_line = session_.Doc().MaxCurZeile;
  if (Loaded()) {
    page_ = std::max(0, viewport()->height() / item_height_ - 1);
    verticalScrollBar()->setRange(0, std::max(0, max_line - page_));
    verticalScrollBar()->setPageStep(std::max(1, page_));
  } else {
    verticalScrollBar()->setRange(0, 0);
  }
  const bool bar = Loaded() && scroll_bar_allowed_ && page_ < max_line;
  setVerticalScrollBarPolicy(bar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  if (Loaded() && cursor_ > TopLine() + page_) SelectLine(cursor_);
  viewport()->update();
}

void SourceView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  PanelSourceResize();
}

void SourceView::ChangeFontSize(int delta) {
  font_.setPointSize(std::max(1, font_.pointSize() + delta));
  gutter_font_ = font_;
  gutter_font_.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  gutter_font_.setPointSize(kGutterFontPoints);
  const QFontMetricsF metrics(font_);
  char_width_ = metrics.horizontalAdvance(QLatin1Char('M'));
  item_height_ = static_cast<int>(std::ceil(metrics.height())) + 2;
  ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
  PanelSourceResize();
}

void SourceView::SetIndent(std::int32_t indent) {
  indent_ = std::max(0, indent);
  RepaintSource();
}

void SourceView::SetLineNumbers(bool on) {
  line_numbers_ = on;
  RepaintSource();
}

void SourceView::SetHighlight(const ReferenceHighlight& highlight) {
  highlight_ = highlight;
  RepaintSource();
}

void SourceView::SetScrollBarAllowed(bool allowed) {
  scroll_bar_allowed_ = allowed;
  PanelSourceResize();
}

void SourceView::PageMove(int direction) {
  const std::int32_t max_line = session_.Doc().MaxCurZeile;
  cursor_ = std::clamp(cursor_ + direction * page_, 0, max_line);
  ScrollTo(TopLine() + direction * page_);
  RepaintSource();
}

void SourceView::EditErrLevel(int key) {
  DebugDocument& doc = session_.Doc();
  if (!CanSetLineMark(doc, session_.Run().GetRunState(), cursor_, LineMark::ErrLevel)) return;
  std::int32_t& level = doc.Records[cursor_].ErrLevelOK;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    const std::int64_t next = static_cast<std::int64_t>(level) * 10 + (key - Qt::Key_0);
    // A value that no longer fits an ERRORLEVEL keeps the last digits typed.
    if (next <= INT32_MAX && next >= INT32_MIN) level = static_cast<std::int32_t>(next);
  } else if (key == Qt::Key_Delete) {
    level = 0;
  } else if (key == Qt::Key_Backspace) {
    level /= 10;
  } else if (key == Qt::Key_Minus && level != INT32_MIN) {
    level = -level;
  }
  PaintLine(cursor_);
  emit lineMarksChanged(cursor_);
}

void SourceView::keyPressEvent(QKeyEvent* event) {
  if (!Loaded()) {
    event->ignore();
    return;
  }
  const int key = event->key();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool keypad = event->modifiers() & Qt::KeypadModifier;
  const std::int32_t max_line = session_.Doc().MaxCurZeile;
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int step = key == Qt::Key_Up ? -1 : 1;
      if (ctrl) {
        ScrollTo(TopLine() + step);
      } else {
        SelectLine(cursor_ + step);
      }
      return;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      PageMove(key == Qt::Key_PageUp ? -1 : 1);
      return;
    case Qt::Key_Home:
      indent_ = 0;
      SelectLine(0);
      RepaintSource();
      return;
    case Qt::Key_End:
      SelectLine(max_line);
      return;
    case Qt::Key_Left:
      SetIndent(ctrl ? 0 : indent_ - 1);
      return;
    case Qt::Key_Right:
      if (indent_ < kMaxIndent) SetIndent(indent_ + (ctrl ? 10 : 1));
      return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      EditErrLevel(key);
      return;
    case Qt::Key_T:
      if (CanSetLineMark(session_.Doc(), session_.Run().GetRunState(), cursor_, LineMark::StdErr)) {
        ToggleLineMark(session_.Doc(), cursor_, LineMark::StdErr);
        PaintLine(cursor_);
        emit lineMarksChanged(cursor_);
      }
      return;
    case Qt::Key_E:
      if (session_.Run().GetRunState() == RunState::Stopped) emit resetErrorLevelRequested();
      return;
    case Qt::Key_Slash:
    case Qt::Key_NumberSign:
      if (keypad) break;
      line_numbers_ = !line_numbers_;
      RepaintSource();
      emit lineNumbersToggled(line_numbers_);
      return;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
      if (keypad && ctrl) {
        ChangeFontSize(key == Qt::Key_Plus ? 1 : -1);
        return;
      }
      if (key == Qt::Key_Minus && !keypad) {
        EditErrLevel(key);
        return;
      }
      break;
    default:
      if (key >= Qt::Key_0 && key <= Qt::Key_9 && !keypad) {
        EditErrLevel(key);
        return;
      }
      break;
  }
  event->ignore();
}

void SourceView::mousePressEvent(QMouseEvent* event) {
  if (!Loaded()) return;
  setFocus(Qt::MouseFocusReason);
  const std::int32_t line = LineAt(static_cast<int>(event->position().y()));
  SelectLine(line);
  if (event->button() != Qt::LeftButton) return;
  if (!session_.Commands().Enabled(Command::ActionStartBreakPoint)) return;
  if (event->position().x() < kSecondGlyphX) emit toggleBreakpointRequested(cursor_);
}

void SourceView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (!Loaded() || event->button() != Qt::LeftButton) return;
  if (!session_.Commands().Enabled(Command::ActionStartBreakPoint)) return;
  if (event->position().x() < kSecondGlyphX) {
    emit editBreakpointRequested(cursor_);
  } else {
    emit toggleBreakpointRequested(cursor_);
  }
}

void SourceView::wheelEvent(QWheelEvent* event) {
  if (!Loaded()) return;
  ScrollTo(TopLine() + (event->angleDelta().y() > 0 ? -1 : 1));
  event->accept();
}

void SourceView::contextMenuEvent(QContextMenuEvent* event) {
  if (!Loaded()) return;
  emit contextMenuRequested(event->globalPos());
}

}  // namespace tarnvelock
