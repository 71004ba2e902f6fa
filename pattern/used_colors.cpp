#include "pattern/used_colors.h"

#include <algorithm>
#include <array>

namespace tintara {

UsedColors CountUsedColors(const ImageBuffer* indexImage,
                           std::span<const CFlossColor> workingPalette) {
  UsedColors used;
  if (indexImage == nullptr || BitsPerPixel(indexImage->Kind()) != 8) return used;
  std::array<bool, 256> present{};
  for (int32_t y = 0; y < indexImage->Height(); ++y) {
    const uint8_t* row = indexImage->Row(y);
    for (int32_t x = 0; x < indexImage->Width(); ++x) present[row[x]] = true;
  }
  for (size_t v = 0; v < present.size(); ++v) {
    if (!present[v]) continue;
    ++used.count;
    if (v >= workingPalette.size()) continue;
    const std::string& brand = workingPalette[v].brandName;
    if (std::find(used.brands.begin(), used.brands.end(), brand) == used.brands.end()) {
      used.brands.push_back(brand);
    }
  }
  return used;
}

}  // namespace tintara
