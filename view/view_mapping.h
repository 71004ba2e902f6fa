// Mapping between picture coordinates (y counts up from the bottom row) and
// window coordinates (y counts down from the top of the client area) at a zoom
// of numerator / denominator. Every product is formed first and divided once,
// truncating toward zero, so tools and the drawing agree to the pixel.
#pragma once

#include <cstdint>

#include "imaging/region.h"

namespace tintara {

struct ZoomFactor {
  int32_t numerator = 1000;
  int32_t denominator = 1000;
  friend bool operator==(const ZoomFactor&, const ZoomFactor&) = default;
};

struct ImageSize {
  int32_t width = 0;
  int32_t height = 0;
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// A rectangle in picture coordinates: bottom below top.
struct ImageRect {
  int32_t left = 0;
  int32_t bottom = 0;
  int32_t right = 0;
  int32_t top = 0;
  friend bool operator==(const ImageRect&, const ImageRect&) = default;
};

// A rectangle in window coordinates: top above bottom.
using WindowRect = LtrbRect;

// Size of a picture side on screen: side × numerator / denominator.
int32_t ScaledLength(int32_t length, const ZoomFactor& zoom);
ImageSize DisplayedSize(const ImageSize& picture, const ZoomFactor& zoom);

class ViewMapping {
 public:
  ViewMapping(const ZoomFactor& zoom, int32_t imageHeight, Point scroll)
      : zoom_(zoom), imageHeight_(imageHeight), scroll_(scroll) {}

  Point ImageToWindow(Point image) const;
  Point WindowToImage(Point window) const;
  WindowRect ImageToWindow(const ImageRect& image) const;
  // Both corners mapped: the window's top-left gives (left, top).
  ImageRect WindowToImage(const WindowRect& window) const;

  const ZoomFactor& Zoom() const { return zoom_; }
  int32_t ImageHeight() const { return imageHeight_; }
  Point Scroll() const { return scroll_; }

 private:
  int32_t WindowX(int32_t x) const;
  int32_t WindowY(int32_t y) const;
  int32_t ImageX(int32_t x) const;
  int32_t ImageY(int32_t y) const;

  ZoomFactor zoom_;
  int32_t imageHeight_;
  Point scroll_;
};

}  // namespace tintara
