#include "editing/widgets/panel_preview.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/image_drawing.h"

namespace tintara {

PanelPreview::PanelPreview(QWidget* parent) : QWidget(parent) {
  setMinimumSize(200, 150);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PanelPreview::SetPicture(const ImageRef& picture) {
  picture_ = picture;
  Rescale();
}

void PanelPreview::SetTables(const ToneTable* red, const ToneTable* green,
                             const ToneTable* blue) {
  if (red != nullptr && green != nullptr && blue != nullptr) {
    tables_ = std::array<ToneTable, 3>{*red, *green, *blue};
  } else {
    tables_.reset();
  }
  ApplyTable();
}

void PanelPreview::SetCropping(bool on) {
  cropping_ = on;
  dragFrom_.reset();
  setCursor(on ? Qt::CrossCursor : Qt::ArrowCursor);
  update();
}

QRect PanelPreview::ImageRect() const {
  if (scaled_.isNull()) return {};
  QRect box(QPoint(0, 0), scaled_.size());
  box.moveCenter(rect().center());
  return box;
}

void PanelPreview::Rescale() {
  scaled_ = QImage();
  if (picture_ && picture_->Width() > 0 && width() > 0 && height() > 0) {
    QImage rows = WrapImageRows(*picture_);
    QSize fitted = QSize(picture_->Width(), picture_->Height()).scaled(size(), Qt::KeepAspectRatio);
    fitted = fitted.expandedTo(QSize(1, 1));
    // Large photos are thinned first: smooth scaling of every pixel would stall the panel.
    Qt::TransformationMode mode = int64_t(picture_->Width()) * picture_->Height() > 4'000'000
                                      ? Qt::FastTransformation
                                      : Qt::SmoothTransformation;
    scaled_ = rows.scaled(fitted, Qt::IgnoreAspectRatio, mode)
                  .mirrored(false, true)
                  .convertToFormat(QImage::Format_RGB888);
  }
  ApplyTable();
}

void PanelPreview::ApplyTable() {
  shown_ = scaled_;
  if (tables_ && !shown_.isNull()) {
    const auto& [red, green, blue] = *tables_;
    for (int y = 0; y < shown_.height(); ++y) {
      uchar* pixel = shown_.scanLine(y);  // red, green, blue
      for (int x = 0; x < shown_.width(); ++x, pixel += 3) {
        pixel[0] = red[pixel[0]];
        pixel[1] = green[pixel[1]];
        pixel[2] = blue[pixel[2]];
      }
    }
  }
  update();
}

void PanelPreview::resizeEvent(QResizeEvent*) { Rescale(); }

void PanelPreview::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (shown_.isNull()) return;
  const QRect at = ImageRect();
  painter.drawImage(at.topLeft(), shown_);
  if (dragFrom_) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(*dragFrom_, dragTo_).normalized());
  }
}

void PanelPreview::mousePressEvent(QMouseEvent* event) {
  if (!cropping_ || event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QRect at = ImageRect();
  QPoint p = event->position().toPoint();
  p.setX(std::clamp(p.x(), at.left(), at.right() + 1));
  p.setY(std::clamp(p.y(), at.top(), at.bottom() + 1));
  dragFrom_ = p;
  dragTo_ = p;
  update();
}

void PanelPreview::mouseMoveEvent(QMouseEvent* event) {
  if (!dragFrom_) return QWidget::mouseMoveEvent(event);
  const QRect at = ImageRect();
  QPoint p = event->position().toPoint();
  dragTo_ = QPoint(std::clamp(p.x(), at.left(), at.right() + 1),
                   std::clamp(p.y(), at.top(), at.bottom() + 1));
  update();
}

void PanelPreview::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragFrom_ || event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  mouseMoveEvent(event);
  const QRect at = ImageRect();
  const QPoint from = *dragFrom_ - at.topLeft();
  const QPoint to = dragTo_ - at.topLeft();
  dragFrom_.reset();
  SetCropping(false);
  LtrbRect dragged{std::min(from.x(), to.x()), std::min(from.y(), to.y()),
                   std::max(from.x(), to.x()), std::max(from.y(), to.y())};
  if (dragged.right > dragged.left && dragged.bottom > dragged.top) {
    emit cropDragged(dragged, at.width(), at.height());
  }
}

}  // namespace tintara
