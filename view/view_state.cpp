#include "view/view_state.h"

namespace tintara {

Point PatternViewState::SetScrollSizes(const ImageSize& picture, const ViewportMetrics& metrics) {
  Point before = layout_.position;
  layout_ = LayoutScrollBars(DisplayedSize(picture, zoom_), metrics, before, centre_);
  return {layout_.position.x - before.x, layout_.position.y - before.y};
}

namespace {

// The window point a zoom keeps still.
Point Focus(const ScrollLayout& layout, const std::optional<Point>& pointer) {
  return pointer ? *pointer : Point{layout.client.width / 2, layout.client.height / 2};
}

// A content coordinate at zoom `from` as a content coordinate at zoom `to`.
int32_t Rescale(int32_t content, const ZoomFactor& from, const ZoomFactor& to) {
  int64_t divisor = int64_t(from.numerator) * to.denominator;
  if (divisor == 0) return content;
  return int32_t(int64_t(content) * from.denominator * to.numerator / divisor);
}

}  // namespace

template <typename Change>
ZoomOutcome PatternViewState::ChangeZoom(Change change, const ImageSize& picture,
                                         const ViewportMetrics& metrics,
                                         std::optional<Point> pointer) {
  Point focus = Focus(layout_, pointer);
  // Content coordinates of the kept point; negative positions centre small content.
  KeptPoint kept{{layout_.position.x + focus.x, layout_.position.y + focus.y}, zoom_, {}, {}, {},
                 {}};
  bool untouched = kept_ && kept_->focus == focus && kept_->position == layout_.position &&
                   kept_->after == zoom_ && kept_->picture == picture;
  if (untouched) kept = *kept_;
  ZoomOutcome outcome = change(zoom_);
  if (outcome != ZoomOutcome::kChanged) return outcome;
  // Bars may come or go with the new size, moving the centre: lay out first.
  SetScrollSizes(picture, metrics);
  focus = Focus(layout_, pointer);
  Point wanted{Rescale(kept.content.x, kept.zoom, zoom_) - focus.x,
               Rescale(kept.content.y, kept.zoom, zoom_) - focus.y};
  layout_.position = wanted;
  SetScrollSizes(picture, metrics);
  kept_.reset();
  // Clamped or centred, the point left the focus: the next zoom starts afresh.
  if (layout_.position == wanted) {
    kept.focus = focus;
    kept.position = wanted;
    kept.after = zoom_;
    kept.picture = picture;
    kept_ = kept;
  }
  return outcome;
}

ZoomOutcome PatternViewState::ZoomIn(const ImageSize& picture, const ViewportMetrics& metrics,
                                     std::optional<Point> pointer) {
  return ChangeZoom([&picture](ZoomFactor& zoom) { return tintara::ZoomIn(zoom, picture); },
                    picture, metrics, pointer);
}

ZoomOutcome PatternViewState::ZoomOut(const ImageSize& picture, const ViewportMetrics& metrics,
                                      std::optional<Point> pointer) {
  return ChangeZoom([](ZoomFactor& zoom) { return tintara::ZoomOut(zoom); }, picture, metrics,
                    pointer);
}

ZoomOutcome PatternViewState::ActualSize(const ImageSize& picture,
                                         const ViewportMetrics& metrics) {
  return ChangeZoom([](ZoomFactor& zoom) { return tintara::ActualSize(zoom); }, picture, metrics,
                    std::nullopt);
}

ZoomOutcome PatternViewState::FitToWindow(const ImageSize& picture,
                                          const ViewportMetrics& metrics) {
  return ChangeZoom(
      [&](ZoomFactor& zoom) { return tintara::FitToWindow(zoom, picture, metrics.client); },
      picture, metrics, std::nullopt);
}

bool PatternViewState::ScrollTo(Point requested) {
  Point next = ClampScroll(layout_, layout_.position, requested);
  if (next == layout_.position) return false;
  layout_.position = next;
  return true;
}

}  // namespace tintara
