// StatusPanels: the main window's status bar with its five panels - the
// message panel, the call, SETLOCAL and bracket depths, and the echo glyph
// that a grey cross covers while echo is off. Its font is as high as the bar
// less 8 pixels.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <array>

namespace tarnvelock {

class EchoPanel final : public QWidget {
 public:
  explicit EchoPanel(QWidget* parent = nullptr);
  void SetEcho(bool on);
  bool Echo() const { return on_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool on_ = false;
};

class StatusPanels final : public QStatusBar {
 public:
  explicit StatusPanels(QWidget* parent = nullptr);

  // panel 0 is the message panel, 1 to 3 the depths.
  void SetText(int panel, const QString& text);
  QString Text(int panel) const;
  void SetEcho(bool on) { echo_->SetEcho(on); }
  bool Echo() const { return echo_->Echo(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void FitFontToHeight();

  std::array<QLabel*, 4> panels_{};
  EchoPanel* echo_;
};

}  // namespace tarnvelock
