#include "app/frame_status_bar.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>

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
  current_ = new QToolButton(this);
  current_->setObjectName(QStringLiteral("currentColor"));
  current_->setAutoRaise(true);
  current_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  current_->setToolTip(QStringLiteral("Current color for painting"));
  current_->hide();
  connect(current_, &QToolButton::clicked, this, &CFrameStatusBar::currentColorClicked);
  addWidget(idle_, 1);
  addPermanentWidget(current_);
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

void CFrameStatusBar::SetCurrentColor(const QColor& color, const QString& text) {
  current_->setVisible(color.isValid());
  if (!color.isValid()) return;
  QPixmap swatch(14, 14);
  swatch.fill(color);
  QPainter outline(&swatch);
  outline.setPen(QColor(0x80, 0x80, 0x80));
  outline.drawRect(0, 0, 13, 13);
  outline.end();
  current_->setIcon(QIcon(swatch));
  current_->setText(text);
}

QString CFrameStatusBar::CurrentColorText() const {
  return current_->isHidden() ? QString() : current_->text();
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
