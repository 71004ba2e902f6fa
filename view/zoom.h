// Zoom levels of the pattern view. Only the numerator moves; the denominator
// stays at 1000 unless "actual size" sets both.
#pragma once

#include "view/view_mapping.h"

namespace tintara {

constexpr int32_t kZoomUnit = 1000;
// Largest displayed side a zoom in may produce.
constexpr int32_t kMaxDisplayedSide = 31999;
// Zoom out stops once denominator / numerator exceeds this.
constexpr int32_t kMaxZoomOutRatio = 16;

enum class ZoomOutcome {
  kChanged,
  kRefused,    // zoom in past the largest size: the caller beeps
  kUnchanged,  // zoom out at the last level, or nothing to fit: silent
};

// Doubles the numerator unless the doubled picture would exceed 31999 pixels
// on either side.
ZoomOutcome ZoomIn(ZoomFactor& zoom, const ImageSize& picture);
// Halves the numerator while denominator / numerator is at most 16:
// 1000, 500, 250, 125, 62, 31.
ZoomOutcome ZoomOut(ZoomFactor& zoom);
ZoomOutcome ActualSize(ZoomFactor& zoom);
// The numerator that fits the whole picture into the client area, never
// below 1 (a client area of zero width or height would give 0).
ZoomOutcome FitToWindow(ZoomFactor& zoom, const ImageSize& picture, const ImageSize& client);

}  // namespace tintara
