// Merging areas too small to paint: every area whose largest inscribed disc
// is narrower than a minimum takes the paint of the neighbouring area whose
// paint looks closest to its own, until no such area is left.
#pragma once

#include <cstdint>
#include <vector>

#include "colors/color_difference.h"
#include "imaging/image_buffer.h"

namespace tintara {

struct MergeOutcome {
  int32_t mergedAreas = 0;  // areas that took a neighbour's paint
  int32_t rounds = 0;
};

// Rewrites `index` in place. `paints` holds the L*a*b* colour of every index
// value in use (values past its end count as unlike everything). Areas are
// 4-connected; the picture's edge bounds an area like a neighbour does. An
// area with no neighbour at all (a one-colour picture) is left as it is.
// Throws std::bad_alloc when memory runs out; `index` is then unchanged.
MergeOutcome MergeSmallAreas(ImageBuffer& index, const std::vector<Lab>& paints,
                             double minDiameterPixels);

}  // namespace tintara
