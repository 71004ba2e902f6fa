// Zoom and scroll state of the pattern view, free of any window system: the
// widget feeds it the client size and applies the layout it returns.
#pragma once

#include "view/scroll_layout.h"
#include "view/zoom.h"

namespace tintara {

class PatternViewState {
 public:
  const ZoomFactor& Zoom() const { return zoom_; }
  Point ScrollPosition() const { return layout_.position; }
  Point ZoomAnchor() const { return anchor_; }
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

  // Each zoom command remembers the anchor (top-left of the visible part in
  // picture pixels) and, when the zoom changed, re-lays the scroll bars so that
  // the anchor stays at the top-left.
  ZoomOutcome ZoomIn(const ImageSize& picture, const ViewportMetrics& metrics);
  ZoomOutcome ZoomOut(const ImageSize& picture, const ViewportMetrics& metrics);
  ZoomOutcome ActualSize(const ImageSize& picture, const ViewportMetrics& metrics);
  ZoomOutcome FitToWindow(const ImageSize& picture, const ViewportMetrics& metrics);

  // Moves to a requested position (clamped); false when nothing moved.
  bool ScrollTo(Point requested);

 private:
  void RememberAnchor();
  void ApplyZoomChange(const ImageSize& picture, const ViewportMetrics& metrics);

  ZoomFactor zoom_;
  ScrollLayout layout_;
  Point anchor_;
  bool centre_ = true;
};

}  // namespace tintara
