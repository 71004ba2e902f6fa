#include "tests/support/synthetic_images.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tintara::test {

namespace {

uint32_t Hash(uint32_t x) {
  x ^= x >> 16;
  x *= 0x7feb352dU;
  x ^= x >> 15;
  x *= 0x846ca68bU;
  x ^= x >> 16;
  return x;
}

}  // namespace

ImageRef MakePhoto(int32_t width, int32_t height, uint32_t seed) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  if (!image) return nullptr;
  const double cx1 = width * 0.3, cy1 = height * 0.6, r1 = std::min(width, height) * 0.25;
  const double cx2 = width * 0.7, cy2 = height * 0.35, r2 = std::min(width, height) * 0.18;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) {
      double u = double(x) / width, v = double(y) / height;
      double red = 60 + 120 * u, green = 90 + 100 * v, blue = 150 - 60 * u * v;
      double d1 = std::hypot(x - cx1, y - cy1) - r1;
      double w1 = std::clamp(0.5 - d1 / 6.0, 0.0, 1.0);  // soft edge
      red = red * (1 - w1) + 220 * w1;
      green = green * (1 - w1) + 60 * w1;
      blue = blue * (1 - w1) + 40 * w1;
      double d2 = std::max(std::fabs(x - cx2), std::fabs(y - cy2)) - r2;
      double w2 = std::clamp(0.5 - d2 / 4.0, 0.0, 1.0);
      red = red * (1 - w2) + 30 * w2;
      green = green * (1 - w2) + 160 * w2;
      blue = blue * (1 - w2) + 70 * w2;
      double texture = 10 * std::sin(x * 0.35) * std::sin(y * 0.27);
      int noise = int(Hash(uint32_t(y) * 73856093U ^ uint32_t(x) * 19349663U ^ seed) % 17) - 8;
      row[3 * x] = uint8_t(std::clamp(blue + texture + noise, 0.0, 255.0));
      row[3 * x + 1] = uint8_t(std::clamp(green + texture + noise, 0.0, 255.0));
      row[3 * x + 2] = uint8_t(std::clamp(red + texture + noise, 0.0, 255.0));
    }
  }
  return image;
}

ImageRef MakeSolid(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, width, height);
  if (!image) return nullptr;
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = image->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) {
      row[3 * x] = blue;
      row[3 * x + 1] = green;
      row[3 * x + 2] = red;
    }
  }
  return image;
}

bool SamePixels(const ImageBuffer& a, const ImageBuffer& b) {
  if (a.Kind() != b.Kind() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  size_t used = size_t((int64_t(a.Width()) * BitsPerPixel(a.Kind()) + 7) / 8);
  for (int32_t y = 0; y < a.Height(); ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), used) != 0) return false;
  }
  return true;
}

}  // namespace tintara::test
