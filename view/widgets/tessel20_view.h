// The pattern view: shows the document's current image at a zoom over a
// textured (or, in the standard interface, plain) background, with the
// selection outline, and passes mouse input to the document's tools.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>
#include <functional>
#include <optional>
#include <vector>

#include "imaging/region.h"
#include "platform/image_drawing.h"
#include "view/mouse_dispatch.h"
#include "view/view_source.h"
#include "view/view_state.h"

namespace tintara {

class CTessel20View : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CTessel20View(QWidget* parent = nullptr);

  void SetSource(ViewSource* source);
  ViewSource* Source() const { return source_; }
  // Plain button-face background instead of the texture.
  void SetStandardInterface(bool standard);
  void SetBackgroundTile(const QImage& tile);
  // Drawn in the middle of the empty view while there is no picture.
  void SetEmptyHint(const QString& hint);
  QString EmptyHint() const { return emptyHint_; }
  // Called when a zoom in is refused; the default is the application beep.
  void SetBeep(std::function<void()> beep) { beep_ = std::move(beep); }

  const PatternViewState& State() const { return state_; }
  ZoomFactor Zoom() const { return state_.Zoom(); }
  ViewMapping Mapping() const;

  // Zoom commands; they keep the middle of the view. With a point of the
  // viewport, the picture point under it stays there instead (Ctrl+wheel).
  void ZoomIn();
  void ZoomOut();
  void ZoomInAt(const QPoint& pointer);
  void ZoomOutAt(const QPoint& pointer);
  void ActualSize();
  void FitToWindow();
  // Any document change: scroll sizes from the current picture, full repaint.
  void UpdateView();
  // Moves the visible part (clamped), as the scroll bars do.
  void ScrollTo(Point position);

  // While frozen the view shows what it showed when frozen and reads nothing
  // from the document (long work is changing it on another thread).
  void SetFrozen(bool frozen);
  // Shows the picture through per-channel tables until they are withdrawn (null).
  void SetPreviewTables(const PreviewTables* tables);
  bool Frozen() const { return !frozen_.isNull(); }

  // The selection changed: its outline is rebuilt and repainted.
  void SelectionChanged();
  // Step of the outline's dash animation, 0 .. kAntsPeriod - 1.
  int AntsPhase() const { return antsPhase_; }
  static constexpr int kAntsPeriod = 8;
  static constexpr int kAntsInterval = 120;  // milliseconds per step

  // Paints what the viewport would show into `target` (of the viewport's size).
  void Render(QPainter& painter, const QRect& area);

 signals:
  // The right button went down: the owner pops up its context menu here.
  void contextMenuRequested(const QPoint& globalPosition);
  void visiblePartMoved();
  // Ctrl+wheel is about to change the zoom.
  void wheelZooming();
  // A left click that no tool took, at a picture point (y counting up, the
  // upper edge of the pixel row under the pointer, as the tools get it).
  void pictureClicked(const Point& image);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  ViewportMetrics Metrics() const;
  ImageSize PictureSize() const;
  void ApplyLayout();
  void AfterZoom(ZoomOutcome outcome);
  void NotifyMoved();
  MouseInput InputFrom(const QMouseEvent* event) const;
  void UpdateCursor(const MouseInput& input);
  void DrawEmptyHint(QPainter& painter);
  const std::vector<OutlineSegment>& Outline(const ImageBuffer& image);
  void MarchAnts();

  ViewSource* source_ = nullptr;
  PatternViewState state_;
  QImage tile_;
  QImage frozen_;
  std::optional<PreviewTables> preview_;
  bool standardInterface_ = false;
  bool inLayout_ = false;
  ViewMouseDispatch dispatch_;
  QTimer antsTimer_;
  int antsPhase_ = 0;
  std::function<void()> beep_;
  QString emptyHint_;
  // Wheel turns smaller than one notch (touch pads) add up to one.
  int wheelAngle_ = 0;

  // The outline is rebuilt only after a document change.
  std::vector<OutlineSegment> outline_;
  const Region* outlineRegion_ = nullptr;
  ImageSize outlineSize_;
  bool outlineValid_ = false;
};

}  // namespace tintara
