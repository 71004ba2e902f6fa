// The light clean-up of a pattern whose small areas are merged afterwards:
// each cell takes the paint most of its 3 × 3 neighbourhood holds. Unlike a
// median of palette positions it never invents a paint that neither side of
// an edge has, and it keeps thin bands that the merge can still widen.
#pragma once

#include "imaging/image_buffer.h"

namespace tintara {

// Rewrites the 8-bit `index` in place, `passes` times. A cell keeps its paint
// unless another paint holds more of the neighbourhood (cells past the
// picture's edge do not count). False when the image cannot be written.
bool MajorityFilter(ImageBuffer& index, int passes);

}  // namespace tintara
