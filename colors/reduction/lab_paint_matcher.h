// Turning picture colours into working-palette positions by how they look:
// the lightness correction, then the paint with the least CIEDE2000
// difference, remembered per colour as the plain matcher does.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "colors/color_difference.h"
#include "colors/reduction/lightness.h"

namespace tintara {

// Position of the paint least different from `color`, the lowest position
// winning ties; -1 when there are none.
int NearestByLook(std::span<const Lab> paints, const Lab& color);

// One per thread; the paints may be shared between them.
class LabPaintMatcher {
 public:
  LabPaintMatcher(std::span<const Lab> paints, int percent)
      : paints_(paints), correct_(percent), cache_(size_t{1} << kCacheBits, 0) {}

  int Match(Rgb color) {
    const uint32_t key = (uint32_t(color.red) << 16) | (uint32_t(color.green) << 8) | color.blue;
    uint64_t& slot = cache_[(key * 0x9E3779B1u) >> (32 - kCacheBits)];
    // A slot holds (key + 1) << 8 | position, so an empty slot matches no key.
    if ((slot >> 8) == uint64_t(key) + 1) return int(slot & 0xFF);
    const int position = NearestByLook(paints_, SrgbToLab(correct_.Uncached(color)));
    if (position >= 0) slot = ((uint64_t(key) + 1) << 8) | uint64_t(position);
    return position;
  }

 private:
  static constexpr int kCacheBits = 16;

  std::span<const Lab> paints_;
  const LightnessCorrector correct_;
  std::vector<uint64_t> cache_;
};

}  // namespace tintara
