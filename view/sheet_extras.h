// What helps join the sheets of a multi-sheet print: the colour numbers each
// sheet holds, an overlap that repeats the neighbours' edges, and the
// corners of the sheet's own part where registration marks go.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/image_buffer.h"
#include "view/print_layout.h"

namespace tintara {

constexpr int kMaxOverlapMm = 15;

// The numbers (palette position + 1) of the colours the index image holds in
// the tile, ascending; none when the index image is missing, of another
// kind, or not the picture's size.
std::vector<int> ColorNumbersIn(const ImageBuffer* indexImage, int32_t pictureWidth,
                                int32_t pictureHeight, const TileRect& tile);

// Pattern pixels that make `overlapMm` on paper, with the tile printed at
// its fitted size: `printedWidth` device pixels for `tileWidth` pixels at
// `dpi`. At least one pixel when any overlap is asked for.
int32_t OverlapPixels(int overlapMm, int32_t tileWidth, int printedWidth, int dpi);

// The tile grown by `overlap` pixels on each side that has a neighbouring
// sheet, never past the picture.
TileRect WithOverlap(const TileRect& tile, int32_t pictureWidth, int32_t pictureHeight,
                     int32_t overlap);

struct DevicePoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

// Where the corners of the sheet's own tile fall on the device when the
// printed bitmap covers `shown` (picture pixels, bottom-up rows) and lies at
// `printed`: top-left, top-right, bottom-left, bottom-right.
std::vector<DevicePoint> OwnCornersOnDevice(const TileRect& own, const TileRect& shown,
                                            const DeviceRect& printed);

}  // namespace tintara
