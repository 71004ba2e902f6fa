#include "view/print_layout.h"

#include <algorithm>

namespace tintara {

int GridColumnOfPage(int pagesPerSide, int page) { return (page - 1) % pagesPerSide; }

int GridRowOfPage(int pagesPerSide, int page) { return (page - 1) / pagesPerSide; }

TileRect PrintTileRect(int32_t width, int32_t height, int pagesPerSide, int page) {
  const int n = pagesPerSide;
  if (n <= 1) return {0, 0, width, height};
  const int32_t tileWidth = width / n;
  const int32_t tileHeight = height / n;
  TileRect tile;
  tile.left = GridColumnOfPage(n, page) * tileWidth;
  tile.y0 = GridRowOfPage(n, page) * tileHeight;
  tile.right = tile.left + tileWidth;
  tile.y1 = tile.y0 + tileHeight;
  if (page % n == 0) tile.right = width;
  if (page > n * (n - 1)) tile.y1 = height;
  return tile;
}

int OnePagePrintPage(int pagesPerSide, int row, int column) {
  return pagesPerSide * (pagesPerSide - row) + column;
}

std::string PageHeaderText(int page, int pageCount) {
  return "Page No " + std::to_string(page) + " from " + std::to_string(pageCount);
}

DeviceRect FitCentred(int64_t bitmapWidth, int64_t bitmapHeight, int printableWidth,
                      int printableHeight) {
  if (bitmapWidth <= 0 || bitmapHeight <= 0 || printableWidth <= 0 || printableHeight <= 0) {
    return {};
  }
  int64_t width;
  int64_t height;
  if (bitmapWidth * printableHeight < int64_t(printableWidth) * bitmapHeight) {
    height = printableHeight;
    width = bitmapWidth * printableHeight / bitmapHeight;
  } else {
    width = printableWidth;
    height = int64_t(printableWidth) * bitmapHeight / bitmapWidth;
  }
  return {int((printableWidth - width) / 2), int((printableHeight - height) / 2), int(width),
          int(height)};
}

DeviceRect PageMapSquare(int pagesPerSide, int k, int textLeft, int textTop, int textWidth,
                         int textHeight) {
  const int n = std::max(pagesPerSide, 1);
  const int side = textHeight / n;
  const int left = textLeft + textWidth + 2 * textHeight;
  return {left + (k % n) * side, textTop + (n - 1 - k / n) * side, side, side};
}

}  // namespace tintara
