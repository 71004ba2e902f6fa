// The floating "Navigator": a thumbnail of the shown picture with a frame
// around the part the view shows; dragging the frame moves the view.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "view/navigator_thumbnail.h"

namespace tintara {

class NavigatorThumbnailControl : public QWidget {
  Q_OBJECT

 public:
  // The picture to show; nothing while it may not be read (long work is
  // changing it), when the control keeps what it shows.
  using ImageSource = std::function<std::optional<const ImageBuffer*>()>;
  // The frame for a thumbnail whose picture lies at the given rectangle.
  using FrameSource = std::function<LtrbRect(const LtrbRect& thumbnailPicture)>;
  // The value of the picture's lines that shrinking keeps (-1: none).
  using InkSource = std::function<int()>;

  NavigatorThumbnailControl(ImageSource image, FrameSource frame, QWidget* parent = nullptr,
                            InkSource ink = {});

  // The picture changed: the thumbnail is rendered again and the frame recomputed.
  void Refresh();
  // The view moved or zoomed: only the frame is recomputed.
  void RedrawFrame();

  const NavigatorThumbnail& Thumbnail() const { return thumbnail_; }
  LtrbRect Frame() const { return frame_; }
  bool Dragging() const { return dragging_; }

 signals:
  // The user let go of a dragged frame.
  void frameDropped(const LtrbRect& frame, const LtrbRect& thumbnailPicture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool InsideFrame(const QPoint& point) const;

  ImageSource image_;
  FrameSource frameSource_;
  InkSource ink_;
  NavigatorThumbnail thumbnail_;
  QImage picture_;
  LtrbRect frame_;
  bool dragging_ = false;
  QPoint pressPosition_;
  LtrbRect pressFrame_;
};

class NavigatorWindow : public QWidget {
  Q_OBJECT

 public:
  NavigatorWindow(NavigatorThumbnailControl::ImageSource image,
                  NavigatorThumbnailControl::FrameSource frame, QWidget* parent = nullptr,
                  NavigatorThumbnailControl::InkSource ink = {});

  NavigatorThumbnailControl* Control() const { return control_; }

 signals:
  // The window is closing at this top-left position.
  void closing(QPoint topLeft);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  NavigatorThumbnailControl* control_;
};

}  // namespace tintara
