// Row access with the picture's edges repeated outward, for window filters.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "imaging/image_buffer.h"

namespace tintara {

inline int32_t ClampIndex(int32_t value, int32_t size) {
  return std::clamp<int32_t>(value, 0, size - 1);
}

// Row y of the picture, the nearest edge row for y outside it.
inline const uint8_t* ClampedRow(const ImageBuffer& picture, int32_t y) {
  return picture.Row(ClampIndex(y, picture.Height()));
}

// Copies columns [from, to) of a row of `width` pixels, `bytes` bytes each, to
// `out`; columns outside the row repeat its first or last pixel.
inline void CopyPaddedRow(const uint8_t* row, int32_t width, int bytes, int32_t from, int32_t to,
                          uint8_t* out) {
  int32_t x = from;
  for (; x < std::min(to, int32_t(0)); ++x, out += bytes) std::memcpy(out, row, size_t(bytes));
  int32_t inside = std::min(to, width);
  if (inside > x) {
    size_t length = size_t(inside - x) * size_t(bytes);
    std::memcpy(out, row + size_t(x) * size_t(bytes), length);
    out += length;
    x = inside;
  }
  const uint8_t* last = row + size_t(width - 1) * size_t(bytes);
  for (; x < to; ++x, out += bytes) std::memcpy(out, last, size_t(bytes));
}

}  // namespace tintara
