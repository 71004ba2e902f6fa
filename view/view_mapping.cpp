#include "view/view_mapping.h"

namespace tintara {

namespace {

// a × b / c in 64 bits, truncating toward zero like the 32-bit original
// without its overflow on large pictures at high zoom.
int32_t MulDiv(int64_t a, int64_t b, int64_t c) {
  if (c == 0) return 0;
  return int32_t(a * b / c);
}

}  // namespace

int32_t ScaledLength(int32_t length, const ZoomFactor& zoom) {
  return MulDiv(length, zoom.numerator, zoom.denominator);
}

ImageSize DisplayedSize(const ImageSize& picture, const ZoomFactor& zoom) {
  return {ScaledLength(picture.width, zoom), ScaledLength(picture.height, zoom)};
}

int32_t ViewMapping::WindowX(int32_t x) const {
  return MulDiv(x, zoom_.numerator, zoom_.denominator) - scroll_.x;
}

int32_t ViewMapping::WindowY(int32_t y) const {
  return MulDiv(int64_t(imageHeight_) - y, zoom_.numerator, zoom_.denominator) - scroll_.y;
}

int32_t ViewMapping::ImageX(int32_t x) const {
  return MulDiv(int64_t(x) + scroll_.x, zoom_.denominator, zoom_.numerator);
}

int32_t ViewMapping::ImageY(int32_t y) const {
  return imageHeight_ - MulDiv(int64_t(y) + scroll_.y, zoom_.denominator, zoom_.numerator);
}

Point ViewMapping::ImageToWindow(Point image) const {
  return {WindowX(image.x), WindowY(image.y)};
}

Point ViewMapping::WindowToImage(Point window) const {
  return {ImageX(window.x), ImageY(window.y)};
}

WindowRect ViewMapping::ImageToWindow(const ImageRect& image) const {
  return {WindowX(image.left), WindowY(image.top), WindowX(image.right), WindowY(image.bottom)};
}

ImageRect ViewMapping::WindowToImage(const WindowRect& window) const {
  return {ImageX(window.left), ImageY(window.bottom), ImageX(window.right), ImageY(window.top)};
}

}  // namespace tintara
