// A tile of a picture as a device-independent bitmap: a 40-byte header, a
// colour table and bottom-up rows padded to 4 bytes, the form printers take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "imaging/image_buffer.h"
#include "view/print_layout.h"

namespace tintara {

// Bits per pixel, colour count and the byte-aligned geometry of a tile.
// Rows start at a whole byte, so the left edge moves down to the first pixel
// of its byte: a 4-bit tile starting at an odd column starts one column
// earlier and is one column wider.
struct TileBitmapShape {
  int bits = 0;
  int colors = 0;           // entries of the colour table; 0 for true colour
  int32_t byteOffset = 0;   // of each row's first byte within the picture row
  int32_t width = 0;
  int32_t height = 0;
  int32_t rowLength = 0;    // bytes, a multiple of 4
  size_t ImageSize() const { return size_t(rowLength) * size_t(height); }
};

// Empty for a kind without a bitmap form or an empty rectangle.
std::optional<TileBitmapShape> TileBitmapShapeOf(int32_t kind, const TileRect& tile);

constexpr size_t kBitmapHeaderSize = 40;

struct TileBitmap {
  TileBitmapShape shape;
  std::vector<uint8_t> bytes;  // header, colour table (blue, green, red, 0), rows
  size_t PixelOffset() const { return kBitmapHeaderSize + size_t(shape.colors) * 4; }
  // Row r counted from the bottom of the bitmap.
  const uint8_t* Row(int32_t r) const {
    return bytes.data() + PixelOffset() + size_t(r) * size_t(shape.rowLength);
  }
};

// Empty when the kind has no bitmap form, the tile lies outside the picture
// or the memory cannot be had. The header's resolution is the picture's dots
// per inch in pixels per metre; grey pictures (kind 8) get a grey ramp, the
// kinds with a palette (1, 2 and 4) their palette.
std::optional<TileBitmap> MakeTileBitmap(const ImageBuffer& image, const TileRect& tile);

}  // namespace tintara
