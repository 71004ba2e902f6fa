// Pictures made by code for tests and benchmarks.
#pragma once

#include <cstdint>

#include "imaging/image_buffer.h"

namespace tintara::test {

// A photo-like true-colour picture: smooth light, soft-edged shapes, fine
// texture and noise; the same seed gives the same picture.
ImageRef MakePhoto(int32_t width, int32_t height, uint32_t seed = 1);
// Every pixel the same colour.
ImageRef MakeSolid(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue);
// An 8-bit index picture from a function of (x, y).
template <typename F>
ImageRef MakeIndex(int32_t width, int32_t height, F value) {
  ImageRef image = ImageBuffer::Create(kKindGray8, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) row[x] = uint8_t(value(x, y));
  }
  return image;
}
// True when both pictures have the same kind, size and pixels (padding ignored).
bool SamePixels(const ImageBuffer& a, const ImageBuffer& b);

}  // namespace tintara::test
