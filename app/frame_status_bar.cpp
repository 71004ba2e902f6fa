#include "app/frame_status_bar.h"

#include <QLabel>
#include <QPainter>

#include "app/panel_style.h"

namespace tintara {

CFrameStatusBar::CFrameStatusBar(QWidget* parent) : QStatusBar(parent) {
  setObjectName(QStringLiteral("statusBar"));
  setSizeGripEnabled(false);
  idle_ = new QLabel(QString::fromUtf8(kIdleStatusText), this);
  size_ = new QLabel(this);
  zoom_ = new QLabel(this);
  size_->setMinimumWidth(150);
  zoom_->setMinimumWidth(90);
  size_->setAlignment(Qt::AlignCenter);
  zoom_->setAlignment(Qt::AlignCenter);
  addWidget(idle_, 1);
  addPermanentWidget(size_);
  addPermanentWidget(zoom_);
  // A temporary message covers the idle text and uncovers it when cleared.
  connect(this, &QStatusBar::messageChanged, this,
          [this](const QString& text) { idle_->setVisible(text.isEmpty()); });
}

void CFrameStatusBar::SetGraphical(bool graphical) {
  graphical_ = graphical;
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, graphical ? Panel().text
                                                  : QPalette().color(QPalette::WindowText));
  setPalette(colors);
  update();
}

void CFrameStatusBar::SetPictureSize(int width, int height) {
  size_->setText(width > 0 && height > 0
                     ? QStringLiteral("%1 × %2 pixels").arg(width).arg(height)
                     : QString());
}

void CFrameStatusBar::SetZoom(int numerator, int denominator) {
  if (denominator <= 0) return zoom_->clear();
  double percent = 100.0 * numerator / denominator;
  zoom_->setText(QStringLiteral("Zoom %1%").arg(percent, 0, 'f', percent < 10 ? 1 : 0));
}

QString CFrameStatusBar::FirstPaneText() const {
  QString message = currentMessage();
  return message.isEmpty() ? idle_->text() : message;
}

QString CFrameStatusBar::SizeText() const { return size_->text(); }
QString CFrameStatusBar::ZoomText() const { return zoom_->text(); }

void CFrameStatusBar::paintEvent(QPaintEvent* event) {
  if (graphical_) {
    QPainter painter(this);
    PaintStatusBarBackground(painter, rect());
  }
  QStatusBar::paintEvent(event);
}

}  // namespace tintara
