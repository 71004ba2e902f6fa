#include "view/tile_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

namespace tintara {
namespace {

uint32_t U32At(const TileBitmap& bitmap, size_t offset) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | bitmap.bytes[offset + size_t(i)];
  return value;
}

// A 4-bit picture whose pixel at column x of row y holds (x + y) mod 16.
ImageRef FourBitPicture(int32_t width, int32_t height) {
  PaletteEntry palette[16];
  for (int i = 0; i < 16; ++i) palette[i] = {uint8_t(i * 16), uint8_t(i), uint8_t(255 - i), 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind4Bit, width, height, palette, 16);
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      uint8_t nibble = uint8_t((x + y) % 16);
      uint8_t& byte = (*rows)[y][x / 2];
      byte = x % 2 == 0 ? uint8_t((byte & 0x0F) | (nibble << 4)) : uint8_t((byte & 0xF0) | nibble);
    }
  }
  return image;
}

TEST(TileBitmap, FourBitTileAtAnOddColumnStartsAtTheEvenOneBefore) {
  ImageRef image = FourBitPicture(20, 6);
  auto bitmap = MakeTileBitmap(*image, {5, 1, 12, 4});
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->shape.bits, 4);
  EXPECT_EQ(bitmap->shape.byteOffset, 2);
  EXPECT_EQ(bitmap->shape.width, 8);  // columns 4..11
  EXPECT_EQ(bitmap->shape.height, 3);
  EXPECT_EQ(bitmap->shape.rowLength, 4);
  EXPECT_EQ(bitmap->shape.colors, 16);
  // The bitmap's bottom row is picture row 1; its first pixel column 4.
  EXPECT_EQ(bitmap->Row(0)[0] >> 4, (4 + 1) % 16);
  EXPECT_EQ(bitmap->Row(0)[0] & 0x0F, (5 + 1) % 16);
  EXPECT_EQ(bitmap->Row(2)[3] & 0x0F, (11 + 3) % 16);
  // An even start keeps its column.
  EXPECT_EQ(TileBitmapShapeOf(kKind4Bit, {6, 0, 12, 4})->width, 6);
  // The palette goes into the colour table blue, green, red.
  const uint8_t* table = bitmap->bytes.data() + kBitmapHeaderSize;
  EXPECT_EQ(table[4 * 3 + 0], 255 - 3);
  EXPECT_EQ(table[4 * 3 + 1], 3);
  EXPECT_EQ(table[4 * 3 + 2], 48);
}

TEST(TileBitmap, OneBitTilesAlignToEightColumns) {
  auto shape = TileBitmapShapeOf(kKind1Bit, {13, 0, 30, 2});
  ASSERT_TRUE(shape);
  EXPECT_EQ(shape->byteOffset, 1);
  EXPECT_EQ(shape->width, 22);
  EXPECT_EQ(shape->rowLength, 4);
}

TEST(TileBitmap, HeaderOfAnEightBitTileWithAGreyRamp) {
  ImageRef image = ImageBuffer::Create(kKindGray8, 30, 10);
  image->SetResolution(600u | (300u << 16));
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < 10; ++y) {
    for (int32_t x = 0; x < 30; ++x) (*rows)[y][x] = uint8_t(y * 30 + x);
  }
  auto bitmap = MakeTileBitmap(*image, {3, 2, 10, 9});
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(U32At(*bitmap, 0), 40u);
  EXPECT_EQ(U32At(*bitmap, 4), 7u);
  EXPECT_EQ(U32At(*bitmap, 8), 7u);
  EXPECT_EQ(bitmap->bytes[12], 1);
  EXPECT_EQ(bitmap->bytes[14], 8);
  EXPECT_EQ(U32At(*bitmap, 16), 0u);
  EXPECT_EQ(U32At(*bitmap, 20), 8u * 7u);  // rows of 7 bytes padded to 8
  EXPECT_EQ(U32At(*bitmap, 24), 23622u);   // 600 dpi in pixels per metre
  EXPECT_EQ(U32At(*bitmap, 28), 11811u);
  EXPECT_EQ(U32At(*bitmap, 32), 256u);
  EXPECT_EQ(U32At(*bitmap, 36), 256u);
  const uint8_t* ramp = bitmap->bytes.data() + kBitmapHeaderSize;
  EXPECT_EQ(ramp[4 * 200], 200);
  EXPECT_EQ(ramp[4 * 200 + 2], 200);
  EXPECT_EQ(bitmap->bytes.size(), 40u + 1024u + 56u);
  EXPECT_EQ(bitmap->Row(0)[0], 2 * 30 + 3);
  EXPECT_EQ(bitmap->Row(6)[6], 8 * 30 + 9);
}

TEST(TileBitmap, TrueColourRowsKeepBlueGreenRedAndPad) {
  ImageRef image = ImageBuffer::Create(kKindRgb24, 5, 3);
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      uint8_t* pixel = (*rows)[y] + 3 * x;
      pixel[0] = uint8_t(10 * x);
      pixel[1] = uint8_t(y);
      pixel[2] = 77;
    }
  }
  auto bitmap = MakeTileBitmap(*image, {1, 0, 4, 3});
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->shape.colors, 0);
  EXPECT_EQ(bitmap->shape.width, 3);
  EXPECT_EQ(bitmap->shape.rowLength, 12);
  EXPECT_EQ(bitmap->PixelOffset(), kBitmapHeaderSize);
  EXPECT_EQ(bitmap->Row(2)[3], 20);  // column 2's blue
  EXPECT_EQ(bitmap->Row(2)[4], 2);
  EXPECT_EQ(bitmap->Row(2)[5], 77);
}

TEST(TileBitmap, PalettedEightBitTilesCarryTheirPalette) {
  PaletteEntry palette[256] = {};
  palette[32] = {200, 10, 20, 0};  // the border colour of a pattern
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, 4, 4, palette, 256);
  auto bitmap = MakeTileBitmap(*image, {0, 0, 4, 4});
  ASSERT_TRUE(bitmap);
  const uint8_t* entry = bitmap->bytes.data() + kBitmapHeaderSize + 4 * 32;
  EXPECT_EQ(entry[0], 20);
  EXPECT_EQ(entry[1], 10);
  EXPECT_EQ(entry[2], 200);
}

TEST(TileBitmap, RefusesKindsWithoutABitmapFormAndTilesOutside) {
  EXPECT_FALSE(TileBitmapShapeOf(3, {0, 0, 4, 4}));
  EXPECT_FALSE(TileBitmapShapeOf(kKind8Bit, {4, 0, 4, 4}));
  ImageRef image = ImageBuffer::Create(kKindGray8, 8, 8);
  EXPECT_FALSE(MakeTileBitmap(*image, {0, 0, 9, 8}));
  EXPECT_FALSE(MakeTileBitmap(*image, {0, 0, 8, 9}));
}

}  // namespace
}  // namespace tintara
