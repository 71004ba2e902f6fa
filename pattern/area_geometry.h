// Areas of an index image as a whole (4-connected runs of one value, each with
// a label) and exact Euclidean distances, the two measures that tell how large
// an area is once printed and where a number fits inside it.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"
#include "imaging/region.h"

namespace tintara {

// The areas of one rectangle of an index image. Pixels outside the rectangle
// belong to no area; an area that crosses its edge is cut there.
struct AreaLabels {
  LtrbRect rect;
  int32_t width = 0;  // of the rectangle
  int32_t height = 0;
  std::vector<int32_t> label;   // per pixel of the rectangle, row by row, 0..count-1
  std::vector<uint8_t> value;   // per label: the index value of its pixels
  std::vector<int32_t> pixels;  // per label: how many pixels it has
  int32_t count = 0;
  int32_t At(int32_t x, int32_t y) const {
    return label[size_t(y - rect.top) * size_t(width) + size_t(x - rect.left)];
  }
};

// Labels the 4-connected areas of equal value inside `rect` (clamped to the
// image), numbered in the order their first pixel comes row by row. Throws
// std::bad_alloc when memory runs out.
AreaLabels LabelAreas(const ImageBuffer& index, const LtrbRect& rect);

// Squared Euclidean distance from every cell of a width × height grid to the
// nearest cell whose `seed` is not 0 (0 on the seeds themselves). A grid
// without any seed gives every cell a distance beyond width² + height².
std::vector<int32_t> SquaredDistances(const std::vector<uint8_t>& seed, int32_t width,
                                      int32_t height);

// Seeds for measuring areas: every pixel with a 4-neighbour of another label
// and every pixel on the image's own edge, so a pixel's distance is how far it
// lies inside its area (the rectangle's edge counts as the area's edge).
std::vector<uint8_t> AreaEdgeSeeds(const AreaLabels& areas);

// Diameter in pixels of the largest disc centred on a pixel at squared
// distance `squared` from its area's edge: a lone pixel is 1 across, a line
// three pixels wide is 3.
double InscribedDiameter(int32_t squared);

// Per label: the largest squared distance any of its pixels has.
std::vector<int32_t> LargestDistancePerArea(const AreaLabels& areas,
                                            const std::vector<int32_t>& squared);

}  // namespace tintara
