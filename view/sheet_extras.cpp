#include "view/sheet_extras.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tintara {

std::vector<int> ColorNumbersIn(const ImageBuffer* indexImage, int32_t pictureWidth,
                                int32_t pictureHeight, const TileRect& tile) {
  std::vector<int> numbers;
  if (indexImage == nullptr || BitsPerPixel(indexImage->Kind()) != 8 ||
      indexImage->Width() != pictureWidth || indexImage->Height() != pictureHeight) {
    return numbers;
  }
  std::array<bool, 256> seen{};
  const int32_t left = std::max(tile.left, 0);
  const int32_t right = std::min(tile.right, pictureWidth);
  for (int32_t y = std::max(tile.y0, 0); y < std::min(tile.y1, pictureHeight); ++y) {
    const uint8_t* row = indexImage->Row(y);
    for (int32_t x = left; x < right; ++x) seen[row[x]] = true;
  }
  for (int i = 0; i < 256; ++i) {
    if (seen[size_t(i)]) numbers.push_back(i + 1);
  }
  return numbers;
}

int32_t OverlapPixels(int overlapMm, int32_t tileWidth, int printedWidth, int dpi) {
  if (overlapMm <= 0 || tileWidth <= 0 || printedWidth <= 0 || dpi <= 0) return 0;
  const double mm = std::min(overlapMm, kMaxOverlapMm);
  const double devicePixels = mm / 25.4 * dpi;
  const double pixels = devicePixels * tileWidth / printedWidth;
  return std::max<int32_t>(1, int32_t(std::lround(pixels)));
}

TileRect WithOverlap(const TileRect& tile, int32_t pictureWidth, int32_t pictureHeight,
                     int32_t overlap) {
  TileRect grown = tile;
  if (overlap <= 0) return grown;
  if (tile.left > 0) grown.left = std::max(0, tile.left - overlap);
  if (tile.y0 > 0) grown.y0 = std::max(0, tile.y0 - overlap);
  if (tile.right < pictureWidth) grown.right = std::min(pictureWidth, tile.right + overlap);
  if (tile.y1 < pictureHeight) grown.y1 = std::min(pictureHeight, tile.y1 + overlap);
  return grown;
}

std::vector<DevicePoint> OwnCornersOnDevice(const TileRect& own, const TileRect& shown,
                                            const DeviceRect& printed) {
  if (shown.Width() <= 0 || shown.Height() <= 0) return {};
  auto deviceX = [&](int32_t x) {
    return printed.x + int(int64_t(x - shown.left) * printed.width / shown.Width());
  };
  // Rows count upwards in the picture and downwards on the device.
  auto deviceY = [&](int32_t y) {
    return printed.y + int(int64_t(shown.y1 - y) * printed.height / shown.Height());
  };
  return {{deviceX(own.left), deviceY(own.y1)},
          {deviceX(own.right), deviceY(own.y1)},
          {deviceX(own.left), deviceY(own.y0)},
          {deviceX(own.right), deviceY(own.y0)}};
}

}  // namespace tintara
