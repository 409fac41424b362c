// The console window over libvterm.
#include "ui/main/console_window.h"

#include <vterm.h>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QPainter>

#include "core/run/launcher.h"

namespace tarnvelock {

namespace {

// The pseudo-terminal's size.
constexpr int kRows = 25;
constexpr int kColumns = 80;

QColor CellColour(VTermScreen* screen, VTermColor colour) {
  vterm_screen_convert_color_to_rgb(screen, &colour);
  return QColor(colour.rgb.red, colour.rgb.green, colour.rgb.blue);
}

}  // namespace

ConsoleWindow::ConsoleWindow(Launcher& launcher, QWidget* owner)
    : QWidget(owner, Qt::Window),
      launcher_(launcher),
      term_(vterm_new(kRows, kColumns)),
      screen_(vterm_obtain_screen(term_)),
      font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
  setObjectName(QStringLiteral("ConsoleWindow"));
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The main window keeps the keyboard; the person clicks here to type.
  setAttribute(Qt::WA_ShowWithoutActivating);
  vterm_set_utf8(term_, 1);
  static const VTermScreenCallbacks callbacks = {
      [](VTermRect rect, void* user) {
        return Damage(rect.start_row, rect.end_row, rect.start_col, rect.end_col, user);
      },
      nullptr,
      [](VTermPos, VTermPos, int, void* user) {
        static_cast<ConsoleWindow*>(user)->update();
        return 1;
      },
      nullptr,
      nullptr,
      nullptr,
      nullptr,
      nullptr};
  vterm_screen_set_callbacks(screen_, &callbacks, this);
  vterm_screen_set_damage_merge(screen_, VTERM_DAMAGE_SCROLL);
  vterm_screen_enable_altscreen(screen_, 1);
  vterm_screen_reset(screen_, 1);
  vterm_output_set_callback(term_, &ConsoleWindow::Output, this);
  const QFontMetrics metrics(font_);
  cell_width_ = metrics.horizontalAdvance(QLatin1Char('M'));
  cell_height_ = metrics.height();
  setFixedSize(cell_width_ * kColumns, cell_height_ * kRows);
}

ConsoleWindow::~ConsoleWindow() {
  vterm_free(term_);
}

void ConsoleWindow::Feed(std::string_view bytes) {
  if (bytes.empty()) return;
  vterm_input_write(term_, bytes.data(), bytes.size());
  vterm_screen_flush_damage(screen_);
}

void ConsoleWindow::ShowFor(const QString& title) {
  setWindowTitle(title);
  if (isVisible()) return;
  vterm_screen_reset(screen_, 1);
  if (placed_) move(last_position_);
  show();
}

void ConsoleWindow::PlaceAt(const QPoint& position) {
  last_position_ = position;
  placed_ = true;
}

int ConsoleWindow::Damage(int start_row, int end_row, int start_col, int end_col, void* user) {
  auto* self = static_cast<ConsoleWindow*>(user);
  self->update(start_col * self->cell_width_, start_row * self->cell_height_,
               (end_col - start_col) * self->cell_width_,
               (end_row - start_row) * self->cell_height_);
  return 1;
}

void ConsoleWindow::Output(const char* bytes, size_t length, void* user) {
  static_cast<ConsoleWindow*>(user)->launcher_.TypeIntoConsole(std::string_view(bytes, length));
}

QString ConsoleWindow::ScreenText() const {
  QStringList lines;
  for (int row = 0; row < kRows; ++row) {
    QString line;
    for (int col = 0; col < kColumns; ++col) {
      VTermScreenCell cell;
      vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell);
      line += cell.chars[0] ? QString::fromUcs4(reinterpret_cast<const char32_t*>(cell.chars), 1)
                            : QStringLiteral(" ");
    }
    while (!line.isEmpty() && line.back() == QLatin1Char(' ')) line.chop(1);
    lines << line;
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines.join(QLatin1Char('\n'));
}

void ConsoleWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setFont(font_);
  const QFontMetrics metrics(font_);
  const QRect area = event->rect();
  const int first_row = std::max(0, area.top() / cell_height_);
  const int last_row = std::min(kRows - 1, area.bottom() / cell_height_);
  VTermPos cursor;
  vterm_state_get_cursorpos(vterm_obtain_state(term_), &cursor);
  for (int row = first_row; row <= last_row; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      VTermScreenCell cell;
      vterm_screen_get_cell(screen_, VTermPos{row, col}, &cell);
      QColor ink = CellColour(screen_, cell.fg);
      QColor paper = CellColour(screen_, cell.bg);
      if (cell.attrs.reverse) std::swap(ink, paper);
      const QRect box(col * cell_width_, row * cell_height_, cell_width_, cell_height_);
      painter.fillRect(box, paper);
      if (row == cursor.row && col == cursor.col && hasFocus()) painter.fillRect(box, Qt::gray);
      if (cell.chars[0] && cell.chars[0] != U' ') {
        painter.setPen(ink);
        painter.drawText(box.left(), box.top() + metrics.ascent(),
                         QString::fromUcs4(reinterpret_cast<const char32_t*>(cell.chars), 1));
      }
    }
  }
}

void ConsoleWindow::keyPressEvent(QKeyEvent* event) {
  const VTermModifier mod =
      static_cast<VTermModifier>((event->modifiers() & Qt::ShiftModifier ? VTERM_MOD_SHIFT : 0) |
                                 (event->modifiers() & Qt::ControlModifier ? VTERM_MOD_CTRL : 0) |
                                 (event->modifiers() & Qt::AltModifier ? VTERM_MOD_ALT : 0));
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      vterm_keyboard_key(term_, VTERM_KEY_ENTER, mod);
      return;
    case Qt::Key_Backspace:
      vterm_keyboard_key(term_, VTERM_KEY_BACKSPACE, mod);
      return;
    case Qt::Key_Escape:
      vterm_keyboard_key(term_, VTERM_KEY_ESCAPE, mod);
      return;
    case Qt::Key_Tab:
      vterm_keyboard_key(term_, VTERM_KEY_TAB, mod);
      return;
    default:
      break;
  }
  const QString text = event->text();
  if (text.isEmpty()) {
    QWidget::keyPressEvent(event);
    return;
  }
  for (const char32_t c : text.toUcs4()) {
    // Control characters arrive as text already (Ctrl+C is 3).
    vterm_keyboard_unichar(term_, c, c < 0x20 ? VTERM_MOD_NONE : mod);
  }
}

void ConsoleWindow::hideEvent(QHideEvent* event) {
  PlaceAt(pos());
  QWidget::hideEvent(event);
}

void ConsoleWindow::closeEvent(QCloseEvent* event) {
  // As closing a console window does: the interpreter ends with it, and
  // the next poll tells the person so.
  PlaceAt(pos());
  launcher_.EndConsoleProcess();
  event->accept();
}

}  // namespace tarnvelock
