// Measures of a finished pattern that say whether a painter can use it: how
// narrow its narrowest area is, how many areas carry their number, and whether
// any two numbers collide.
#pragma once

#include <cstdint>

#include "imaging/image_buffer.h"

namespace tintara {

struct PatternQuality {
  int32_t areas = 0;            // 4-connected areas of the index image
  int32_t numberedAreas = 0;    // areas that carry their number
  double numberedShare = 0;     // numberedAreas / areas (1 for an empty picture)
  int32_t overlappingBoxes = 0;  // pairs of number ink boxes that overlap
  double smallestDiameterPixels = 0;  // largest inscribed disc of the narrowest area
  double smallestDiameterMm = 0;      // the same once printed
};

// The smallest largest-inscribed-disc diameter over all areas, in pattern
// pixels (a lone pixel is 1). 0 for an empty image.
double SmallestAreaDiameter(const ImageBuffer& indexImage);

// Measures the whole pattern of `indexImage` as the renderer numbers it:
// `fittingNumbers` as with the option that places numbers only where they fit,
// otherwise by the classic grid rule. `millimetresPerPixel` is the printed
// size of one pattern pixel. Throws std::bad_alloc when memory runs out.
PatternQuality MeasurePatternQuality(const ImageBuffer& indexImage, bool fittingNumbers,
                                     double millimetresPerPixel);

}  // namespace tintara
