// Turning picture colours into working-palette positions: the lightness
// correction, then the nearest working colour, remembered per colour so that
// the many repeats of a smoothed picture cost one look-up each. This cache is
// the only one: the correction itself runs uncached.
#pragma once

#include <cstdint>
#include <vector>

#include "colors/reduction/lightness.h"
#include "colors/reduction/nearest_color.h"

namespace tintara {

// One per thread; the nearest-colour table may be shared between them.
class PaintColorMatcher {
 public:
  PaintColorMatcher(const NearestColorTable& table, int percent)
      : table_(table), correct_(percent), cache_(size_t{1} << kCacheBits, 0) {}

  // Position of the working colour nearest to the corrected colour; -1 for an
  // empty palette.
  int Match(Rgb color) {
    const uint32_t key = (uint32_t(color.red) << 16) | (uint32_t(color.green) << 8) | color.blue;
    uint64_t& slot = cache_[(key * 0x9E3779B1u) >> (32 - kCacheBits)];
    // A slot holds (key + 1) << 8 | position, so an empty slot matches no key.
    if ((slot >> 8) == uint64_t(key) + 1) return int(slot & 0xFF);
    const int position = table_.Nearest(correct_.Uncached(color));
    if (position >= 0) slot = ((uint64_t(key) + 1) << 8) | uint64_t(position);
    return position;
  }

 private:
  static constexpr int kCacheBits = 15;

  const NearestColorTable& table_;
  const LightnessCorrector correct_;  // uncached: the cache above covers it
  std::vector<uint64_t> cache_;
};

}  // namespace tintara
