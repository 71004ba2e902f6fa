#include "pattern/used_colors.h"

#include <algorithm>
#include <array>

namespace tintara {

std::vector<int> UsedPositions(const ImageBuffer* indexImage) {
  std::vector<int> positions;
  if (indexImage == nullptr || BitsPerPixel(indexImage->Kind()) != 8) return positions;
  std::array<bool, 256> present{};
  for (int32_t y = 0; y < indexImage->Height(); ++y) {
    const uint8_t* row = indexImage->Row(y);
    for (int32_t x = 0; x < indexImage->Width(); ++x) present[row[x]] = true;
  }
  for (int v = 0; v < 256; ++v) {
    if (present[size_t(v)]) positions.push_back(v);
  }
  return positions;
}

std::vector<std::string> BrandsOf(std::span<const int> positions,
                                  std::span<const CFlossColor> workingPalette) {
  std::vector<std::string> brands;
  for (int position : positions) {
    if (position < 0 || size_t(position) >= workingPalette.size()) continue;
    const std::string& brand = workingPalette[size_t(position)].brandName;
    if (std::find(brands.begin(), brands.end(), brand) == brands.end()) brands.push_back(brand);
  }
  return brands;
}

UsedColors CountUsedColors(const ImageBuffer* indexImage,
                           std::span<const CFlossColor> workingPalette) {
  std::vector<int> positions = UsedPositions(indexImage);
  return {int(positions.size()), BrandsOf(positions, workingPalette)};
}

}  // namespace tintara
