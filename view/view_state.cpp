#include "view/view_state.h"

namespace tintara {

Point PatternViewState::SetScrollSizes(const ImageSize& picture, const ViewportMetrics& metrics) {
  Point before = layout_.position;
  layout_ = LayoutScrollBars(DisplayedSize(picture, zoom_), metrics, before, centre_);
  return {layout_.position.x - before.x, layout_.position.y - before.y};
}

void PatternViewState::RememberAnchor() {
  anchor_ = {int32_t(int64_t(layout_.position.x) * zoom_.denominator / zoom_.numerator),
             int32_t(int64_t(layout_.position.y) * zoom_.denominator / zoom_.numerator)};
}

void PatternViewState::ApplyZoomChange(const ImageSize& picture, const ViewportMetrics& metrics) {
  SetScrollSizes(picture, metrics);
  if (layout_.horizontalBar) layout_.position.x = ScaledLength(anchor_.x, zoom_);
  if (layout_.verticalBar) layout_.position.y = ScaledLength(anchor_.y, zoom_);
  SetScrollSizes(picture, metrics);
}

ZoomOutcome PatternViewState::ZoomIn(const ImageSize& picture, const ViewportMetrics& metrics) {
  RememberAnchor();
  ZoomOutcome outcome = tintara::ZoomIn(zoom_, picture);
  if (outcome == ZoomOutcome::kChanged) ApplyZoomChange(picture, metrics);
  return outcome;
}

ZoomOutcome PatternViewState::ZoomOut(const ImageSize& picture, const ViewportMetrics& metrics) {
  RememberAnchor();
  ZoomOutcome outcome = tintara::ZoomOut(zoom_);
  if (outcome == ZoomOutcome::kChanged) ApplyZoomChange(picture, metrics);
  return outcome;
}

ZoomOutcome PatternViewState::ActualSize(const ImageSize& picture,
                                         const ViewportMetrics& metrics) {
  RememberAnchor();
  ZoomOutcome outcome = tintara::ActualSize(zoom_);
  ApplyZoomChange(picture, metrics);
  return outcome;
}

ZoomOutcome PatternViewState::FitToWindow(const ImageSize& picture,
                                          const ViewportMetrics& metrics) {
  ZoomOutcome outcome = tintara::FitToWindow(zoom_, picture, metrics.client);
  if (outcome == ZoomOutcome::kChanged) ApplyZoomChange(picture, metrics);
  return outcome;
}

bool PatternViewState::ScrollTo(Point requested) {
  Point next = ClampScroll(layout_, layout_.position, requested);
  if (next == layout_.position) return false;
  layout_.position = next;
  return true;
}

}  // namespace tintara
