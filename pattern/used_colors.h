// Which paint colours and brands a finished pattern uses.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "colors/floss_color.h"
#include "imaging/image_buffer.h"

namespace tintara {

struct UsedColors {
  int count = 0;                    // distinct colour positions in the index image
  std::vector<std::string> brands;  // distinct brand names, in position order
};

// The palette positions the 8-bit index image uses, ascending; none without
// one (null or another kind).
std::vector<int> UsedPositions(const ImageBuffer* indexImage);

// The brand of each position, once, in the order given; positions beyond the
// working palette name no brand.
std::vector<std::string> BrandsOf(std::span<const int> positions,
                                  std::span<const CFlossColor> workingPalette);

// Counts the distinct positions of the index image (none without one) and
// lists the brand of each, once, in ascending position order. A position
// beyond the working palette is counted but names no brand.
UsedColors CountUsedColors(const ImageBuffer* indexImage,
                           std::span<const CFlossColor> workingPalette);

}  // namespace tintara
