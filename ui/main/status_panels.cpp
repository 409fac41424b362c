// The status bar's panels and the drawing of the echo panel.
#include "ui/main/status_panels.h"

#include <QFontMetrics>
#include <QPainter>
#include <QResizeEvent>

#include "ui/main/pictures.h"

namespace tarnvelock {

namespace {
constexpr int kDepthPanelWidths[3] = {75, 75, 55};
constexpr int kEchoPanelWidth = 35;
constexpr int kBarHeight = 24;          // room for the echo glyph, at 96 dpi
constexpr int kFontClearance = 8;       // the bar's height less its font's
constexpr int kSmallestFontPixels = 6;  // what a tiny bar still shows
}  // namespace

EchoPanel::EchoPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("EchoPanel"));
  setFixedSize(kEchoPanelWidth, 22);
}

void EchoPanel::SetEcho(bool on) {
  on_ = on;
  update();
}

void EchoPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int left = 0;
  const int top = (height() - 26) / 2;
  GlyphPicture(Glyph::Echo).paint(&painter, QRect(left + 8, top + 5, 16, 16));
  if (on_) return;
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(128, 128, 128), 2));
  painter.drawLine(left + 7, top + 5, left + 23, top + 21);
  painter.drawLine(left + 23, top + 5, left + 7, top + 21);
}

StatusPanels::StatusPanels(QWidget* parent) : QStatusBar(parent), echo_(new EchoPanel(this)) {
  setObjectName(QStringLiteral("StatusBar"));
  setSizeGripEnabled(true);
  for (size_t i = 0; i < panels_.size(); ++i) {
    panels_[i] = new QLabel(this);
    panels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
    if (i == 0) {
      panels_[i]->setMinimumWidth(40);
      addWidget(panels_[i], 1);
    } else {
      panels_[i]->setAlignment(Qt::AlignCenter);
      panels_[i]->setFixedWidth(kDepthPanelWidths[i - 1]);
      panels_[i]->setFrameShape(QFrame::StyledPanel);
      addPermanentWidget(panels_[i]);
    }
  }
  addPermanentWidget(echo_);
  setFixedHeight(kBarHeight);
  FitFontToHeight();
}

void StatusPanels::resizeEvent(QResizeEvent* event) {
  QStatusBar::resizeEvent(event);
  if (event->size().height() != event->oldSize().height()) FitFontToHeight();
}

void StatusPanels::FitFontToHeight() {
  const int wanted = height() - kFontClearance;
  QFont fitted = font();
  for (int pixels = wanted; pixels > kSmallestFontPixels; --pixels) {
    fitted.setPixelSize(pixels);
    if (QFontMetrics(fitted).height() <= wanted) break;
  }
  setFont(fitted);
}

void StatusPanels::SetText(int panel, const QString& text) {
  if (panel >= 0 && panel < static_cast<int>(panels_.size())) panels_[panel]->setText(text);
}

QString StatusPanels::Text(int panel) const {
  return panel >= 0 && panel < static_cast<int>(panels_.size()) ? panels_[panel]->text()
                                                                : QString();
}

}  // namespace tarnvelock
