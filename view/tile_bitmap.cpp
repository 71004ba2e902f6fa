#include "view/tile_bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace tintara {

namespace {

void PutU16(uint8_t* at, uint32_t value) {
  at[0] = uint8_t(value);
  at[1] = uint8_t(value >> 8);
}

void PutU32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = uint8_t(value >> (8 * i));
}

uint32_t PixelsPerMetre(int dotsPerInch) {
  return uint32_t(std::lround(dotsPerInch * 39.37007874015748));
}

void WriteHeader(uint8_t* at, const TileBitmapShape& shape, const ImageBuffer& image) {
  PutU32(at, uint32_t(kBitmapHeaderSize));
  PutU32(at + 4, uint32_t(shape.width));
  PutU32(at + 8, uint32_t(shape.height));
  PutU16(at + 12, 1);
  PutU16(at + 14, uint32_t(shape.bits));
  PutU32(at + 16, 0);  // no compression
  PutU32(at + 20, uint32_t(shape.ImageSize()));
  PutU32(at + 24, PixelsPerMetre(image.HorizontalDpi()));
  PutU32(at + 28, PixelsPerMetre(image.VerticalDpi()));
  PutU32(at + 32, uint32_t(shape.colors));
  PutU32(at + 36, uint32_t(shape.colors));
}

void WriteColorTable(uint8_t* at, const TileBitmapShape& shape, const ImageBuffer& image) {
  for (int i = 0; i < shape.colors; ++i) {
    uint8_t* entry = at + 4 * i;
    if (image.Kind() == kKindGray8) {
      entry[0] = entry[1] = entry[2] = uint8_t(i);
    } else {
      PaletteEntry color = image.PaletteAt(i);
      entry[0] = color.blue;
      entry[1] = color.green;
      entry[2] = color.red;
    }
    entry[3] = 0;
  }
}

}  // namespace

std::optional<TileBitmapShape> TileBitmapShapeOf(int32_t kind, const TileRect& tile) {
  TileBitmapShape shape;
  switch (kind) {
    case kKind1Bit: shape.bits = 1; shape.colors = 2; break;
    case kKind4Bit: shape.bits = 4; shape.colors = 16; break;
    case kKind8Bit:
    case kKindGray8: shape.bits = 8; shape.colors = 256; break;
    case kKindRgb24: shape.bits = 24; shape.colors = 0; break;
    default: return std::nullopt;
  }
  if (tile.left < 0 || tile.y0 < 0 || tile.right <= tile.left || tile.y1 <= tile.y0) {
    return std::nullopt;
  }
  shape.byteOffset = int32_t(int64_t(tile.left) * shape.bits / 8);
  shape.width = int32_t(tile.right - int64_t(shape.byteOffset) * 8 / shape.bits);
  shape.height = tile.y1 - tile.y0;
  shape.rowLength = int32_t((int64_t(shape.bits) * shape.width + 31) / 32 * 4);
  return shape;
}

std::optional<TileBitmap> MakeTileBitmap(const ImageBuffer& image, const TileRect& tile) {
  std::optional<TileBitmapShape> shape = TileBitmapShapeOf(image.Kind(), tile);
  if (!shape || tile.right > image.Width() || tile.y1 > image.Height()) return std::nullopt;
  TileBitmap bitmap;
  bitmap.shape = *shape;
  try {
    bitmap.bytes.assign(bitmap.PixelOffset() + shape->ImageSize(), 0);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
  WriteHeader(bitmap.bytes.data(), *shape, image);
  WriteColorTable(bitmap.bytes.data() + kBitmapHeaderSize, *shape, image);
  // The picture's row stride bounds what one row may take from it.
  const size_t available = size_t(image.Stride()) - size_t(shape->byteOffset);
  const size_t copied = std::min(size_t(shape->rowLength), available);
  uint8_t* out = bitmap.bytes.data() + bitmap.PixelOffset();
  for (int32_t y = tile.y0; y < tile.y1; ++y) {
    std::memcpy(out, image.Row(y) + shape->byteOffset, copied);
    out += shape->rowLength;
  }
  return bitmap;
}

}  // namespace tintara
