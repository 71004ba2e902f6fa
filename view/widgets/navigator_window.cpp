#include "view/widgets/navigator_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace tintara {

namespace {

constexpr int kThumbnailSide = 160;

// The outline of a 1-pixel pen stays on the rectangle's own pixels.
QRect OutlineOf(const LtrbRect& r) {
  return QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

bool IsEmpty(const LtrbRect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

NavigatorThumbnailControl::NavigatorThumbnailControl(ImageSource image, FrameSource frame,
                                                     QWidget* parent, InkSource ink)
    : QWidget(parent),
      image_(std::move(image)),
      frameSource_(std::move(frame)),
      ink_(std::move(ink)) {
  setObjectName(QStringLiteral("navigatorThumbnail"));
  setMinimumSize(kThumbnailSide / 2, kThumbnailSide / 2);
  setMouseTracking(true);
}

void NavigatorThumbnailControl::Refresh() {
  std::optional<const ImageBuffer*> image = image_ ? image_() : nullptr;
  if (!image) return;
  thumbnail_ = RenderThumbnail(*image, width(), height(), ink_ ? ink_() : -1);
  picture_ = QImage(thumbnail_.rgb.data(), thumbnail_.width, thumbnail_.height,
                    thumbnail_.width * 3, QImage::Format_RGB888);
  RedrawFrame();
}

void NavigatorThumbnailControl::RedrawFrame() {
  if (dragging_) return;  // the user holds the frame
  frame_ = IsEmpty(thumbnail_.picture) || !frameSource_ ? LtrbRect{}
                                                         : frameSource_(thumbnail_.picture);
  update();
}

void NavigatorThumbnailControl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (picture_.isNull()) {
    painter.fillRect(rect(), QColor(kNavigatorGrey, kNavigatorGrey, kNavigatorGrey));
    return;
  }
  // The frame is inverted into a copy, so it shows on any picture.
  QImage shown = picture_.convertToFormat(QImage::Format_RGB32);
  if (!IsEmpty(frame_)) {
    QPainter marker(&shown);
    marker.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    marker.setPen(QPen(Qt::white, 1));
    marker.setBrush(Qt::NoBrush);
    marker.drawRect(OutlineOf(frame_));
  }
  painter.drawImage(0, 0, shown);
}

void NavigatorThumbnailControl::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Refresh();
}

bool NavigatorThumbnailControl::InsideFrame(const QPoint& point) const {
  return !IsEmpty(frame_) && point.x() >= frame_.left && point.x() < frame_.right &&
         point.y() >= frame_.top && point.y() < frame_.bottom;
}

void NavigatorThumbnailControl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !InsideFrame(event->position().toPoint())) return;
  dragging_ = true;
  pressPosition_ = event->position().toPoint();
  pressFrame_ = frame_;
}

void NavigatorThumbnailControl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!dragging_) {
    setCursor(InsideFrame(at) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    return;
  }
  const QPoint offset = at - pressPosition_;
  frame_ = MoveFrame(pressFrame_, Point{offset.x(), offset.y()}, thumbnail_.picture);
  update();
}

void NavigatorThumbnailControl::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  dragging_ = false;
  update();
  emit frameDropped(frame_, thumbnail_.picture);
}

NavigatorWindow::NavigatorWindow(NavigatorThumbnailControl::ImageSource image,
                                 NavigatorThumbnailControl::FrameSource frame, QWidget* parent,
                                 NavigatorThumbnailControl::InkSource ink)
    : QWidget(parent, Qt::Tool) {
  setWindowTitle(QStringLiteral("Navigator"));
  // Opening with a picture must not take the keys away from the main window.
  setAttribute(Qt::WA_ShowWithoutActivating);
  control_ =
      new NavigatorThumbnailControl(std::move(image), std::move(frame), this, std::move(ink));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(control_);
  resize(kThumbnailSide + 8, kThumbnailSide + 8);
}

void NavigatorWindow::closeEvent(QCloseEvent* event) {
  emit closing(pos());
  QWidget::closeEvent(event);
}

}  // namespace tintara
