#include "pattern/area_shares.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace tintara {

std::vector<double> AreaShares(const ImageBuffer* indexImage, int paletteSize) {
  if (indexImage == nullptr || BitsPerPixel(indexImage->Kind()) != 8) return {};
  std::array<uint64_t, 256> counts{};
  const int32_t width = indexImage->Width();
  for (int32_t y = 0; y < indexImage->Height(); ++y) {
    const uint8_t* row = indexImage->Row(y);
    for (int32_t x = 0; x < width; ++x) ++counts[row[x]];
  }
  const double total = double(width) * double(indexImage->Height());
  std::vector<double> shares(size_t(std::clamp(paletteSize, 0, 256)), 0.0);
  if (total <= 0) return shares;
  for (size_t v = 0; v < shares.size(); ++v) shares[v] = 100.0 * double(counts[v]) / total;
  return shares;
}

}  // namespace tintara
