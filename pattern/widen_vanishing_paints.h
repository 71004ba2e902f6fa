// Keeping paints through the merge of small areas: in a gradient each paint
// may lie only in bands narrower than the minimum, and the merge would give
// every one of them away. Before it, the largest area of such a paint is
// widened to the minimum at the expense of the cells around it (cells near an
// edge between two paints look almost alike in either), so the band stays.
#pragma once

#include <cstdint>
#include <functional>

#include "imaging/image_buffer.h"

namespace tintara {

// Working memory beside the index: a label, a distance and a mark per cell.
constexpr uint64_t kWideningBytesPerCell = 9;

// Rewrites the 8-bit `index` in place and returns the areas widened. A paint
// is widened only when none of its areas holds the minimum's disc and its
// largest area has at least as many cells as a square the minimum across; a
// widened area never takes cells of another widened one. Throws
// std::bad_alloc when memory runs out; `index` may then hold some of the
// widenings.
// Nothing changes when `fits(cells, areas)` says the work that follows would
// not fit in memory.
int32_t WidenVanishingPaints(ImageBuffer& index, double minDiameterPixels,
                             const std::function<bool(uint64_t, uint64_t)>& fits);

}  // namespace tintara
