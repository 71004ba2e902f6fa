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

// The same answer without comparing every paint: the paints are kept in
// order of lightness and visited outward from the colour's own; since the
// CIEDE2000 difference is at least the lightness difference / 1.75, the walk
// stops once the lightness alone is farther than the best found.
class NearestPaintByLook {
 public:
  explicit NearestPaintByLook(std::span<const Lab> paints);
  int Nearest(const Lab& color) const;

 private:
  std::vector<Lab> paints_;
  std::vector<int> byLightness_;  // positions, lightness ascending
  std::vector<double> lightness_;  // of byLightness_, for the search
};

// One per thread; the paints may be shared between them.
class LabPaintMatcher {
 public:
  LabPaintMatcher(const NearestPaintByLook& nearest, int percent)
      : nearest_(nearest), correct_(percent), cache_(size_t{1} << kCacheBits, 0) {}

  int Match(Rgb color) {
    const uint32_t key = (uint32_t(color.red) << 16) | (uint32_t(color.green) << 8) | color.blue;
    uint64_t& slot = cache_[(key * 0x9E3779B1u) >> (32 - kCacheBits)];
    // A slot holds (key + 1) << 8 | position, so an empty slot matches no key.
    if ((slot >> 8) == uint64_t(key) + 1) return int(slot & 0xFF);
    const int position = nearest_.Nearest(SrgbToLab(correct_.Uncached(color)));
    if (position >= 0) slot = ((uint64_t(key) + 1) << 8) | uint64_t(position);
    return position;
  }

 private:
  static constexpr int kCacheBits = 16;

  const NearestPaintByLook& nearest_;
  const LightnessCorrector correct_;
  std::vector<uint64_t> cache_;
};

}  // namespace tintara
