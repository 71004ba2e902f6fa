// Lightness correction of a colour: the colour goes to hue, lightness and
// saturation (each stored as a truncated integer: hue in degrees × 255,
// lightness and saturation × 255), the lightness is scaled by a percentage
// (at most 255) and the colour comes back (each channel truncated, 0..255).
//
// Every step is computed exactly in integer arithmetic, so the truncations
// fall where exact arithmetic puts them: a grey, for instance, comes back
// unchanged at 100 %, which floating point would not guarantee.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "colors/floss_color.h"

namespace tintara {

// The reference routine, one colour at a time.
Rgb CorrectLightness(Rgb color, int percent);

// The same correction for millions of pixels: the divisions by variable
// amounts become table look-ups, and recent results are cached per colour.
// Results are bit-identical to CorrectLightness. Not thread-safe: use one per
// thread.
class LightnessCorrector {
 public:
  explicit LightnessCorrector(int percent);

  Rgb operator()(Rgb color);
  // `count` pixels stored blue, green, red; `out` may equal `in`.
  void CorrectRow(const uint8_t* in, uint8_t* out, int count);
  // Without the cache, for callers that cache what they make of the result;
  // a corrector used only this way never allocates its cache.
  Rgb Uncached(Rgb color) const;
  int Percent() const { return percent_; }

 private:
  int percent_;
  std::array<uint8_t, 256> scaledLightness_{};  // lightness byte -> corrected
  // Cache: 24-bit colour key and its result, direct-mapped; made on first use.
  static constexpr int kCacheBits = 15;
  std::vector<uint64_t> cache_;
};

}  // namespace tintara
