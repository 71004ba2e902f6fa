// Paints of other brands that look (almost) the same as a given paint, so
// that a user can use a paint already at hand instead.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "colors/brand_palette.h"
#include "colors/floss_color.h"

namespace tintara {

// Differences below this are hard to tell apart once painted.
constexpr double kSimilarPaintLimit = 2.0;

struct SimilarPaint {
  int brand = -1;     // index into the brands searched
  int position = -1;  // brand position of the paint
  double deltaE = 0;  // CIEDE2000 difference
};

// For each colour of `colors`, the colours of the other brands (brand name
// differs from the colour's own brandName) with a CIEDE2000 difference below
// `limit`, nearest first. Colours without a brand name get none.
std::vector<std::vector<SimilarPaint>> FindSimilarPaints(std::span<const CFlossColor> colors,
                                                         std::span<const BrandPalette> brands,
                                                         double limit = kSimilarPaintLimit);

// "Brand 123 Name (ΔE 1.4)" for at most the first three, joined with ", ";
// the number is left out for a paint without one.
std::string SimilarPaintsText(std::span<const SimilarPaint> similar,
                              std::span<const BrandPalette> brands);

}  // namespace tintara
