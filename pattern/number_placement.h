// Writing the colour number of each area once, at its most interior place.
#pragma once

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "pattern/render_pattern.h"

namespace tintara {

// Analyses the areas met on the 8-pixel grid of `area` (anchored at its
// top-left corner) and stamps each area's number into `pattern`. kOutOfMemory
// when the grid or its tables cannot be allocated.
RenderStatus PlaceNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                          const LtrbRect& area);

// Stamps the glyph of `number` with its corner at (gx, gy): ink pixels become
// 32, background pixels and pixels outside the pattern are left alone.
void StampGlyph(const PixelRows& pattern, int number, int32_t gx, int32_t gy);

}  // namespace tintara
