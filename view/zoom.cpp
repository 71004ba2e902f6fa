#include "view/zoom.h"

#include <algorithm>

namespace tintara {

ZoomOutcome ZoomIn(ZoomFactor& zoom, const ImageSize& picture) {
  if (zoom.denominator <= 0) return ZoomOutcome::kUnchanged;
  int64_t twice = 2 * int64_t(zoom.numerator);
  int64_t width = twice * picture.width / zoom.denominator;
  int64_t height = twice * picture.height / zoom.denominator;
  if (width > kMaxDisplayedSide || height > kMaxDisplayedSide) return ZoomOutcome::kRefused;
  zoom.numerator = int32_t(twice);
  return ZoomOutcome::kChanged;
}

ZoomOutcome ZoomOut(ZoomFactor& zoom) {
  if (zoom.numerator <= 0 || zoom.denominator / zoom.numerator > kMaxZoomOutRatio) {
    return ZoomOutcome::kUnchanged;
  }
  zoom.numerator = std::max(zoom.numerator / 2, 1);
  return ZoomOutcome::kChanged;
}

ZoomOutcome ActualSize(ZoomFactor& zoom) {
  zoom = {kZoomUnit, kZoomUnit};
  return ZoomOutcome::kChanged;
}

ZoomOutcome FitToWindow(ZoomFactor& zoom, const ImageSize& picture, const ImageSize& client) {
  if (picture.IsEmpty()) return ZoomOutcome::kUnchanged;
  int64_t d = zoom.denominator;
  int64_t numerator = int64_t(picture.width) * client.height < int64_t(client.width) * picture.height
                          ? int64_t(client.height) * d / picture.height
                          : int64_t(client.width) * d / picture.width;
  zoom.numerator = int32_t(std::clamp<int64_t>(numerator, 1, INT32_MAX / 2));
  return ZoomOutcome::kChanged;
}

}  // namespace tintara
