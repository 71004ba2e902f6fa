// Constants of "graham_filt" that its callers and checks share.
#pragma once

#include <cstdint>

namespace tintara {

// Detail threshold on the absolute second difference, in levels of 255: a step
// of 8 levels is where a painter starts to see a boundary, while noise of a few
// levels, averaged over a whole strip of the window, stays well below it.
constexpr int32_t kGrahamDetailThreshold = 8;
// Largest window side: keeps every window sum exact in the arithmetic used.
constexpr int32_t kGrahamLargestWindow = 63;

// Half sizes of the window: n gives n / 2.
struct GrahamWindow {
  int32_t rx;
  int32_t ry;
};

// Luminance used to decide where there is detail.
inline uint8_t GrahamLuminance(uint8_t blue, uint8_t green, uint8_t red) {
  return uint8_t((29 * blue + 150 * green + 77 * red + 128) >> 8);
}

}  // namespace tintara
