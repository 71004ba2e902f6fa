// Pictures and measurements the filter checks share.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "imaging/selection_mask.h"

namespace tintara::test {

// Repeatable noise in -amplitude..amplitude.
inline int Noise(int x, int y, int amplitude) {
  uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ 0x9e3779b9u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  return int(h % uint32_t(2 * amplitude + 1)) - amplitude;
}

// True colour: blocks of `block` pixels in colours far apart, with noise of
// +-noise levels, so that flat areas, edges and corners all occur.
inline ImageRef NoisyBlocks(int32_t width, int32_t height, int noise, int block) {
  ImageRef picture = ImageBuffer::Create(kKindRgb24, width, height);
  for (int32_t y = 0; y < height; ++y) {
    uint8_t* row = picture->WritableRows().value().Row(y);
    for (int32_t x = 0; x < width; ++x) {
      int cell = (x / block) * 7 + (y / block) * 13;
      for (int c = 0; c < 3; ++c) {
        int base = (cell * (c + 3) * 37) % 200 + 28;
        row[3 * x + c] = uint8_t(std::clamp(base + Noise(x, y * 3 + c, noise), 0, 255));
      }
    }
  }
  return picture;
}

// Mean standard deviation of the channels over a rectangle.
inline double ChannelSpread(const ImageBuffer& image, const BoxRect& area) {
  const int channels = BitsPerPixel(image.Kind()) / 8;
  double total = 0;
  for (int c = 0; c < channels; ++c) {
    double sum = 0, squares = 0;
    for (int32_t y = area.y; y < area.y + area.height; ++y) {
      for (int32_t x = area.x; x < area.x + area.width; ++x) {
        double v = image.Row(y)[x * channels + c];
        sum += v;
        squares += v * v;
      }
    }
    double n = double(area.width) * area.height;
    total += std::sqrt(std::max(0.0, squares / n - (sum / n) * (sum / n)));
  }
  return total / channels;
}

// Every pixel the region affects equals `inside`, every other one `outside`.
inline ::testing::AssertionResult SplitByRegion(const ImageBuffer& result,
                                                const ImageBuffer& inside,
                                                const ImageBuffer& outside, const Region& region) {
  std::optional<SelectionMask> mask =
      SelectionMask::Build(&region, result.Width(), result.Height());
  if (!mask) return ::testing::AssertionFailure() << "no mask";
  const size_t bytes = size_t(BitsPerPixel(result.Kind()) / 8);
  for (int32_t y = 0; y < result.Height(); ++y) {
    for (int32_t x = 0; x < result.Width(); ++x) {
      const ImageBuffer& want = mask->Affects(x, y) ? inside : outside;
      if (std::memcmp(result.Row(y) + x * bytes, want.Row(y) + x * bytes, bytes) != 0) {
        return ::testing::AssertionFailure()
               << "pixel " << x << "," << y << (mask->Affects(x, y) ? " inside" : " outside");
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace tintara::test
