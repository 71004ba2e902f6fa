// How closely a converted picture looks like the photo it came from: the
// photo averaged over each converted pixel's area, then the mean CIEDE2000
// difference pixel by pixel.
#pragma once

#include <optional>
#include <span>

#include "colors/color_difference.h"
#include "imaging/image_buffer.h"

namespace tintara {

// The photo (true colour) shrunk to width × height by averaging every source
// pixel of each target pixel's area; null for an empty size or no memory.
ImageRef AreaAverage(const ImageBuffer& photo, int32_t width, int32_t height);

// Mean difference between two true-colour pictures of one size; nothing when
// they differ in kind or size or are empty.
std::optional<double> MeanDifference(const ImageBuffer& a, const ImageBuffer& b);

// Mean difference of each pixel to the paint nearest to it by look: the best
// any choice of those paints could reach.
std::optional<double> MeanDifferenceToNearest(const ImageBuffer& picture,
                                              std::span<const Lab> paints);

// The converted picture against the photo averaged to its size.
std::optional<double> ConversionDifference(const ImageBuffer& photo, const ImageBuffer& converted);

}  // namespace tintara
