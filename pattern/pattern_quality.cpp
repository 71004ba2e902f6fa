#include "pattern/pattern_quality.h"

#include <algorithm>
#include <vector>

#include "pattern/area_geometry.h"
#include "pattern/number_glyphs.h"
#include "pattern/number_placement.h"

namespace tintara {

namespace {

bool Overlap(const LtrbRect& a, const LtrbRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

int32_t CountOverlaps(std::vector<LtrbRect> boxes) {
  std::sort(boxes.begin(), boxes.end(),
            [](const LtrbRect& a, const LtrbRect& b) { return a.left < b.left; });
  int32_t pairs = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    for (size_t j = i + 1; j < boxes.size() && boxes[j].left < boxes[i].right; ++j) {
      if (Overlap(boxes[i], boxes[j])) ++pairs;
    }
  }
  return pairs;
}

}  // namespace

double SmallestAreaDiameter(const ImageBuffer& indexImage) {
  const AreaLabels areas =
      LabelAreas(indexImage, {0, 0, indexImage.Width(), indexImage.Height()});
  if (areas.count == 0) return 0;
  const std::vector<int32_t> largest = LargestDistancePerArea(
      areas, SquaredDistances(AreaEdgeSeeds(areas), areas.width, areas.height));
  return InscribedDiameter(*std::min_element(largest.begin(), largest.end()));
}

PatternQuality MeasurePatternQuality(const ImageBuffer& indexImage, bool fittingNumbers,
                                     double millimetresPerPixel) {
  PatternQuality quality;
  const LtrbRect whole{0, 0, indexImage.Width(), indexImage.Height()};
  const AreaLabels areas = LabelAreas(indexImage, whole);
  quality.areas = areas.count;
  std::vector<NumberPlacement> placed = fittingNumbers
                                            ? PlanFittingNumbers(indexImage, whole).placed
                                            : PlanGridNumbers(indexImage, whole);
  // An area counts once however many numbers the grid rule gives it.
  std::vector<uint8_t> numbered(size_t(areas.count), 0);
  std::vector<LtrbRect> boxes;
  for (const NumberPlacement& p : placed) {
    if (GlyphForNumber(p.number) == nullptr) continue;  // drawn as nothing
    numbered[size_t(areas.At(p.px, p.py))] = 1;
    boxes.push_back(GlyphInkBox(p));
  }
  quality.numberedAreas = int32_t(std::count(numbered.begin(), numbered.end(), 1));
  quality.numberedShare =
      areas.count == 0 ? 1.0 : double(quality.numberedAreas) / double(areas.count);
  quality.overlappingBoxes = CountOverlaps(std::move(boxes));
  quality.smallestDiameterPixels = SmallestAreaDiameter(indexImage);
  quality.smallestDiameterMm = quality.smallestDiameterPixels * millimetresPerPixel;
  return quality;
}

}  // namespace tintara
