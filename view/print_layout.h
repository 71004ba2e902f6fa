// Where the parts of a printed picture page go: the tile of the picture each
// sheet of an n × n grid shows, the page chosen by row and column, the header
// text, the page map's squares, and the picture fitted and centred on the
// printable area. Lengths are device pixels unless they say otherwise.
#pragma once

#include <cstdint>
#include <string>

namespace tintara {

// A rectangle of picture pixels: columns left..right-1, rows y0..y1-1
// (bottom-up, row 0 the bottom row of the picture).
struct TileRect {
  int32_t left = 0;
  int32_t y0 = 0;
  int32_t right = 0;
  int32_t y1 = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return y1 - y0; }
  friend bool operator==(const TileRect&, const TileRect&) = default;
};

// Page p (1-based) lies in grid column (p - 1) mod n and grid row (p - 1) div
// n, grid row 0 being the bottom of the picture: page 1 is the bottom-left
// sheet. The last column and the top grid row take the pixels the division
// leaves over.
int GridColumnOfPage(int pagesPerSide, int page);
int GridRowOfPage(int pagesPerSide, int page);
TileRect PrintTileRect(int32_t width, int32_t height, int pagesPerSide, int page);

// The page printed when one sheet is chosen by its row and column (both
// 1-based, row 1 the top row of sheets): n × (n - row) + column.
int OnePagePrintPage(int pagesPerSide, int row, int column);

// "Page No 3 from 9".
std::string PageHeaderText(int page, int pageCount);

struct DeviceRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// The bitmap of tw × th stretched to the largest rectangle of its shape on
// the printable W × H, centred; coordinates relative to the printable area.
// Empty sizes give an empty rectangle.
DeviceRect FitCentred(int64_t bitmapWidth, int64_t bitmapHeight, int printableWidth,
                      int printableHeight);

// Square k (0-based page index) of the page map: n × n squares of side
// textHeight div n, starting twice the text height to the right of the
// header text, page 1 at the bottom left, rows upwards; the top row is level
// with the top of the header text at (textLeft, textTop).
DeviceRect PageMapSquare(int pagesPerSide, int k, int textLeft, int textTop, int textWidth,
                         int textHeight);

}  // namespace tintara
