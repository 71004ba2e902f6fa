#include "platform/print_pages.h"
#include "view/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tintara {
namespace {

// Page 1 is the bottom-left sheet, page n² the top-right; the last column and
// the top row take what the division leaves over.
TEST(PrintedSheets, TilesOfAThreeByThreeGrid) {
  TileRect first = PrintTileRect(1001, 1001, 3, 1);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.y0, 0);
  EXPECT_EQ(first.right, 333);
  EXPECT_EQ(first.y1, 333);
  TileRect third = PrintTileRect(1001, 1001, 3, 3);
  EXPECT_EQ(third.left, 666);
  EXPECT_EQ(third.right, 1001);  // 335 wide
  EXPECT_EQ(third.y1, 333);
  TileRect seventh = PrintTileRect(1001, 1001, 3, 7);  // top-left
  EXPECT_EQ(seventh.left, 0);
  EXPECT_EQ(seventh.y0, 666);
  EXPECT_EQ(seventh.y1, 1001);
  TileRect last = PrintTileRect(1001, 1001, 3, 9);
  EXPECT_EQ(last.right - last.left, 335);
  EXPECT_EQ(last.y1 - last.y0, 335);

  // The tiles cover the picture exactly once.
  std::vector<int> covered(size_t(1001) * 1001, 0);
  for (int page = 1; page <= 9; ++page) {
    TileRect t = PrintTileRect(1001, 1001, 3, page);
    for (int y = t.y0; y < t.y1; ++y) {
      for (int x = t.left; x < t.right; ++x) ++covered[size_t(y) * 1001 + size_t(x)];
    }
  }
  EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), 1001 * 1001);

  TileRect whole = PrintTileRect(640, 480, 1, 1);
  EXPECT_EQ(whole.right, 640);
  EXPECT_EQ(whole.y1, 480);
}

// A band is a top-down picture of bitmap rows counted from the top, while the
// bitmap itself runs bottom-up.
TEST(BitmapBands, RowsComeOutTopDownInTheirOwnColours) {
  PaletteEntry palette[256] = {};
  for (int i = 0; i < 256; ++i) palette[i] = {uint8_t(i), uint8_t(255 - i), 7, 0};
  ImageRef image = ImageBuffer::CreateWithPalette(kKind8Bit, 6, 5, palette, 256);
  auto rows = image->WritableRows();
  for (int32_t y = 0; y < 5; ++y) {
    for (int32_t x = 0; x < 6; ++x) (*rows)[y][x] = uint8_t(10 * y + x);
  }
  auto bitmap = MakeTileBitmap(*image, {1, 0, 6, 5});
  ASSERT_TRUE(bitmap);
  QImage band = BitmapBand(*bitmap, 1, 2);  // picture rows 3 and 2
  ASSERT_EQ(band.size(), QSize(5, 2));
  EXPECT_EQ(band.pixelIndex(0, 0), 31);
  EXPECT_EQ(band.pixelIndex(4, 1), 25);
  EXPECT_EQ(band.pixel(0, 0), qRgb(31, 224, 7));
  EXPECT_TRUE(BitmapBand(*bitmap, 4, 2).isNull());
}

TEST(BitmapBands, FourBitRowsAreWidenedAndOneBitRowsKept) {
  PaletteEntry palette[16] = {};
  for (int i = 0; i < 16; ++i) palette[i] = {uint8_t(16 * i), 0, 0, 0};
  ImageRef four = ImageBuffer::CreateWithPalette(kKind4Bit, 7, 2, palette, 16);
  auto rows = four->WritableRows();
  (*rows)[1][1] = 0x9A;  // columns 2 and 3 of the top row
  auto bitmap = MakeTileBitmap(*four, {3, 0, 7, 2});
  ASSERT_TRUE(bitmap);
  QImage band = BitmapBand(*bitmap, 0, 1);
  ASSERT_EQ(band.width(), 5);  // from column 2
  EXPECT_EQ(band.pixelIndex(0, 0), 9);
  EXPECT_EQ(band.pixelIndex(1, 0), 10);
  EXPECT_EQ(band.pixel(1, 0), qRgb(160, 0, 0));

  PaletteEntry blackWhite[2] = {{0, 0, 0, 0}, {255, 255, 255, 0}};
  ImageRef one = ImageBuffer::CreateWithPalette(kKind1Bit, 20, 1, blackWhite, 2);
  auto oneRows = one->WritableRows();
  (*oneRows)[0][1] = 0x80;  // column 8 white
  auto oneBitmap = MakeTileBitmap(*one, {9, 0, 20, 1});
  ASSERT_TRUE(oneBitmap);
  QImage mono = BitmapBand(*oneBitmap, 0, 1);
  ASSERT_EQ(mono.width(), 12);
  EXPECT_EQ(mono.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(mono.pixel(1, 0), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tintara
