// Choosing paints by how the picture looks: of a brand's paints, the K that
// leave the least perceived difference (CIEDE2000, weighted by pixel count)
// between the picture's colours and their nearest chosen paint.
#pragma once

#include <span>
#include <vector>

#include "colors/color_difference.h"
#include "imaging/image_buffer.h"

namespace tintara {

// One occupied cell of a colour histogram: its mean colour and pixel count.
struct WeightedLab {
  Lab lab;
  double weight = 0;
};

// The picture after the lightness correction as the occupied cells of a
// 4096-cell histogram, each at the mean colour of its pixels.
std::vector<WeightedLab> PictureLabCells(const ImageBuffer& picture, int percent);

// Sum over the cells of weight × the difference to the nearest of `chosen`.
double ChoiceCost(std::span<const WeightedLab> cells, std::span<const Lab> paints,
                  std::span<const int> chosen);

// Positions in `paints` of at most `count` paints, ascending: a greedy start
// (each step adds the paint that lowers the cost most, and stops early when
// none lowers it) improved by swapping one chosen paint for one other while
// any swap lowers the cost. Every paint when `count` reaches their number.
std::vector<int> ChoosePaintsBySwaps(std::span<const WeightedLab> cells,
                                     std::span<const Lab> paints, int count);

// The same choice, except that when the sets of `count` paints are few (a
// few thousand) every one is tried and the least costly taken, since swaps
// alone can settle on a set a little worse than the best.
std::vector<int> ChooseClosestPaints(std::span<const WeightedLab> cells,
                                     std::span<const Lab> paints, int count);

}  // namespace tintara
