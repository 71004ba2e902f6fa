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
  // Over the memory limit: what the merge would have taken (nothing was merged).
  uint64_t refusedBytes = 0;
};

// Memory the merge takes beside the index: per cell, its area's label and
// the distances while the areas are measured; per area, what is known of it
// (its neighbours included).
constexpr uint64_t kMergeBytesPerCell = 10;
constexpr uint64_t kMergeBytesPerArea = 96;
uint64_t MergeWorkingBytes(uint64_t cells, uint64_t areas);

// Rewrites `index` in place. `paints` holds the L*a*b* colour of every index
// value in use (values past its end count as unlike everything). Areas are
// 4-connected; the picture's edge bounds an area like a neighbour does. An
// area with no neighbour at all (a one-colour picture) is left as it is.
// Throws std::bad_alloc when memory runs out; `index` is then unchanged.
// Work beyond `memoryLimit` bytes is refused, before it is allocated: the
// cells are weighed first, the areas once they are counted.
// With `keepPaints`, paints that lie only in narrow bands are widened first
// (see WidenVanishingPaints), so that the merge keeps them.
MergeOutcome MergeSmallAreas(ImageBuffer& index, const std::vector<Lab>& paints,
                             double minDiameterPixels, uint64_t memoryLimit = UINT64_MAX,
                             bool keepPaints = false);

}  // namespace tintara
