// Zoom and scroll state of the pattern view, free of any window system: the
// widget feeds it the client size and applies the layout it returns.
#pragma once

#include <optional>

#include "view/scroll_layout.h"
#include "view/zoom.h"

namespace tintara {

class PatternViewState {
 public:
  const ZoomFactor& Zoom() const { return zoom_; }
  Point ScrollPosition() const { return layout_.position; }
  const ScrollLayout& Layout() const { return layout_; }
  bool Centred() const { return centre_; }
  void SetCentred(bool centre) { centre_ = centre; }
  ViewMapping Mapping(int32_t imageHeight) const {
    return ViewMapping(zoom_, imageHeight, layout_.position);
  }

  // Scroll sizes from the shown picture at the current zoom; adopts the stored
  // position (clamped, or centred for small content). Returns how far the
  // position moved, for shifting the window contents.
  Point SetScrollSizes(const ImageSize& picture, const ViewportMetrics& metrics);

  // A zoom keeps one picture point where it was in the window: the one under
  // `pointer` (client coordinates) when given, else the one at the centre of
  // the visible part, which stays at the centre. Scrolling then clamps it, so
  // near the picture's edges the point may move.
  ZoomOutcome ZoomIn(const ImageSize& picture, const ViewportMetrics& metrics,
                     std::optional<Point> pointer = {});
  ZoomOutcome ZoomOut(const ImageSize& picture, const ViewportMetrics& metrics,
                      std::optional<Point> pointer = {});
  ZoomOutcome ActualSize(const ImageSize& picture, const ViewportMetrics& metrics);
  ZoomOutcome FitToWindow(const ImageSize& picture, const ViewportMetrics& metrics);

  // Moves to a requested position (clamped); false when nothing moved.
  bool ScrollTo(Point requested);

 private:
  template <typename Change>
  ZoomOutcome ChangeZoom(Change change, const ImageSize& picture, const ViewportMetrics& metrics,
                         std::optional<Point> pointer);

  // The point the last zoom kept, exactly as it was first taken: a zoom out
  // and back in must not drift by the pixels the coarser zoom rounded away.
  struct KeptPoint {
    Point content;  // content coordinates at `zoom`
    ZoomFactor zoom;
    Point focus;    // where it was kept, and what the last zoom left behind
    Point position;
    ZoomFactor after;
    ImageSize picture;
  };

  ZoomFactor zoom_;
  ScrollLayout layout_;
  bool centre_ = true;
  std::optional<KeptPoint> kept_;
};

}  // namespace tintara
