// The status bar: command prompts and messages in the first pane, the shown
// picture's size and the zoom in two panes at the right. In the graphical
// interface it is painted like the panels.
#pragma once

#include <QStatusBar>

class QLabel;
class QToolButton;

namespace tintara {

// The first pane's text while nothing else is shown.
inline constexpr const char kIdleStatusText[] = "Ready";

class CFrameStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  explicit CFrameStatusBar(QWidget* parent = nullptr);

  void SetGraphical(bool graphical);
  bool Graphical() const { return graphical_; }
  // 0 × 0 clears the pane.
  void SetPictureSize(int width, int height);
  // Zoom as numerator / denominator.
  void SetZoom(int numerator, int denominator);
  // The first pane's text, whether a temporary message or the idle text.
  QString FirstPaneText() const;
  QString SizeText() const;
  QString ZoomText() const;
  // The current painting colour: a swatch and its name; an invalid colour
  // hides the pane. Clicking it asks for another colour.
  void SetCurrentColor(const QColor& color, const QString& text);
  QString CurrentColorText() const;
  QToolButton* CurrentColorButton() const { return current_; }

 signals:
  void currentColorClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* idle_;
  QLabel* size_;
  QLabel* zoom_;
  QToolButton* current_;
  bool graphical_ = false;
};

}  // namespace tintara
