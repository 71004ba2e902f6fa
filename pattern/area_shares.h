// How much of the pattern each working colour covers.
#pragma once

#include <vector>

#include "imaging/image_buffer.h"

namespace tintara {

// Percent of the pattern's pixels that hold each colour number
// 0..paletteSize-1 of the colour-index image (8-bit, one byte per pixel: the
// colour number). Numbers at or past paletteSize count towards the whole but
// are not reported. Empty when there is no image or it is not an 8-bit index
// image.
std::vector<double> AreaShares(const ImageBuffer* indexImage, int paletteSize);

}  // namespace tintara
