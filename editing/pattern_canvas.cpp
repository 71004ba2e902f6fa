#include "editing/pattern_canvas.h"

#include <algorithm>
#include <cstring>

#include "document/tessel_doc.h"
#include "editing/pen_geometry.h"

namespace tintara {

std::optional<PatternCanvas> PatternCanvas::Open(CTessel20Doc& doc) {
  ImageBuffer* converted = doc.convertedPicture.get();
  ImageBuffer* index = doc.indexImage.get();
  const auto& palette = doc.params.workingPalette;
  const int32_t current = doc.params.currentColor;
  if (converted == nullptr || index == nullptr || converted->Kind() != kKindRgb24 ||
      index->Kind() != kKindGray8 || converted->Width() != index->Width() ||
      converted->Height() != index->Height() || current < 0 ||
      size_t(current) >= palette.size()) {
    return std::nullopt;
  }
  std::optional<PixelRows> rgb = converted->WritableRows();
  std::optional<PixelRows> positions = index->WritableRows();
  if (!rgb || !positions) return std::nullopt;
  const CFlossColor& paint = palette[size_t(current)];
  return PatternCanvas(*rgb, *positions, current, uint8_t(paint.red), uint8_t(paint.green),
                       uint8_t(paint.blue));
}

PatternCanvas::PatternCanvas(PixelRows converted, PixelRows index, int32_t colorIndex,
                             uint8_t red, uint8_t green, uint8_t blue)
    : converted_(converted),
      index_(index),
      width_(converted.Width()),
      height_(converted.Height()),
      colorIndex_(uint8_t(colorIndex)),
      bgr_{blue, green, red} {}

void PatternCanvas::Run(int32_t y, int32_t x0, int32_t x1) {
  if (y < 0 || y >= height_) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, width_ - 1);
  if (x0 > x1) return;
  uint8_t* rgb = converted_[y] + size_t(x0) * 3;
  for (int32_t x = x0; x <= x1; ++x, rgb += 3) std::memcpy(rgb, bgr_, 3);
  std::memset(index_[y] + x0, colorIndex_, size_t(x1 - x0 + 1));
  touched_.left = std::min(touched_.left, x0);
  touched_.right = std::max(touched_.right, x1 + 1);
  touched_.top = std::min(touched_.top, y);
  touched_.bottom = std::max(touched_.bottom, y + 1);
}

void PatternCanvas::UsePaint(int32_t position, uint8_t red, uint8_t green, uint8_t blue) {
  colorIndex_ = uint8_t(position);
  bgr_[0] = blue;
  bgr_[1] = green;
  bgr_[2] = red;
}

void PatternCanvas::Pixel(int32_t x, int32_t y) { Run(y, x, x); }

void PatternCanvas::Dab(Point c, int32_t widthStep, int32_t shape) {
  ForEachDabRow(c, widthStep, shape, [this](int32_t y, int32_t x0, int32_t x1) { Run(y, x0, x1); });
}

BoxRect PatternCanvas::Touched() const {
  if (touched_.right <= touched_.left) return {};
  return ToBoxRect(touched_);
}

}  // namespace tintara
