// Writing the colour number of each area once, at its most interior place.
#pragma once

#include <functional>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"
#include "pattern/render_pattern.h"

namespace tintara {

// Where one area's number goes: the glyph of `number` with its corner at
// (gx, gy), in pattern pixels.
struct NumberPlace {
  int number = 0;  // the colour position + 1
  int32_t gx = 0;
  int32_t gy = 0;
  friend bool operator==(const NumberPlace&, const NumberPlace&) = default;
};

// The number places the areas met on the 8-pixel grid of `area` get, in the
// order the analysis finds them; every drawing of numbers takes its places
// from here. kOutOfMemory when the grid or its tables cannot be allocated.
RenderStatus FindNumberPlaces(const ImageBuffer& indexImage, const LtrbRect& area,
                              const std::function<void(const NumberPlace&)>& place);

// The places of a whole pattern drawn at once; empty when memory runs out.
std::vector<NumberPlace> WholePatternNumberPlaces(const ImageBuffer& indexImage);

// Analyses the areas met on the 8-pixel grid of `area` (anchored at its
// top-left corner) and stamps each area's number into `pattern`. kOutOfMemory
// when the grid or its tables cannot be allocated.
RenderStatus PlaceNumbers(const ImageBuffer& indexImage, const PixelRows& pattern,
                          const LtrbRect& area);

// Stamps the glyph of `number` with its corner at (gx, gy): ink pixels become
// 32, background pixels and pixels outside the pattern are left alone.
void StampGlyph(const PixelRows& pattern, int number, int32_t gx, int32_t gy);

}  // namespace tintara
