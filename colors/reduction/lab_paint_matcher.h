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

// One per thread; the paints may be shared between them. Colours are
// matched in cells of 4 × 4 × 4 values, each by the colour at its middle:
// a pattern pixel's neighbours are that close anyway after the picture was
// smoothed and scaled, and the few million pixels then need only some tens
// of thousands of comparisons.
class LabPaintMatcher {
 public:
  LabPaintMatcher(const NearestPaintByLook& nearest, int percent)
      : nearest_(nearest), correct_(percent), cells_(size_t{1} << 18, kUnknown) {}

  int Match(Rgb color) {
    const uint32_t cell =
        (uint32_t(color.red >> 2) << 12) | (uint32_t(color.green >> 2) << 6) | (color.blue >> 2);
    uint16_t& slot = cells_[cell];
    if (slot == kUnknown) {
      const Rgb middle{uint8_t((color.red & ~3) | 2), uint8_t((color.green & ~3) | 2),
                       uint8_t((color.blue & ~3) | 2)};
      const int position = nearest_.Nearest(SrgbToLab(correct_.Uncached(middle)));
      if (position < 0) return position;
      slot = uint16_t(position);
    }
    return slot;
  }

 private:
  static constexpr uint16_t kUnknown = 0xFFFF;

  const NearestPaintByLook& nearest_;
  const LightnessCorrector correct_;
  std::vector<uint16_t> cells_;
};

}  // namespace tintara
