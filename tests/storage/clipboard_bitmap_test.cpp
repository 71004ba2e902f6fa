#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "storage/clipboard_bitmap.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

struct InfoHeader {
  int32_t width = 0;
  int32_t height = 0;
  int bits = 24;
  uint32_t compression = 0;
  int32_t xPerMetre = 0;
  int32_t yPerMetre = 0;
  uint32_t colours = 0;
};

std::vector<uint8_t> InfoBitmap(const InfoHeader& h, const std::vector<uint8_t>& table,
                                const std::vector<uint8_t>& rows) {
  std::vector<uint8_t> out;
  Put(out, 40, 4);
  Put(out, uint32_t(h.width), 4);
  Put(out, uint32_t(h.height), 4);
  Put(out, 1, 2);
  Put(out, uint32_t(h.bits), 2);
  Put(out, h.compression, 4);
  Put(out, uint32_t(rows.size()), 4);
  Put(out, uint32_t(h.xPerMetre), 4);
  Put(out, uint32_t(h.yPerMetre), 4);
  Put(out, h.colours, 4);
  Put(out, 0, 4);
  out.insert(out.end(), table.begin(), table.end());
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

// Sixteen colours, entry i = (red 16·i, green 255 - i, blue i), stored blue first.
std::vector<uint8_t> SixteenColours() {
  std::vector<uint8_t> table;
  for (int i = 0; i < 16; ++i) {
    table.insert(table.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(16 * i), 0});
  }
  return table;
}

void ExpectPixel(const ImageBuffer& image, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
  const uint8_t* p = image.Row(y) + 3 * x;
  EXPECT_EQ((std::vector<int>{p[2], p[1], p[0]}), (std::vector<int>{r, g, b}))
      << "pixel " << x << "," << y;
}

TEST(ClipboardBitmap, FourBitBecomesTrueColourWithThePaletteColours) {
  // 5 × 2, rows of 4 bytes; bottom row indices 0 1 2 3 4, top row 15 14 13 12 11.
  std::vector<uint8_t> rows = {0x01, 0x23, 0x40, 0, 0xFE, 0xDC, 0xB0, 0};
  ImageRef image = BitmapToImage(InfoBitmap({5, 2, 4, 0, 3780, 3780, 0}, SixteenColours(), rows));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Kind(), kKindRgb24);
  EXPECT_EQ(image->Width(), 5);
  EXPECT_EQ(image->Height(), 2);
  for (int x = 0; x < 5; ++x) {
    ExpectPixel(*image, x, 0, uint8_t(16 * x), uint8_t(255 - x), uint8_t(x));
    int top = 15 - x;
    ExpectPixel(*image, x, 1, uint8_t(16 * top), uint8_t(255 - top), uint8_t(top));
  }
  // 3780 pixels per metre is 96 dots per inch.
  EXPECT_EQ(image->HorizontalDpi(), 96);
  EXPECT_EQ(image->VerticalDpi(), 96);
}

TEST(ClipboardBitmap, ResolutionRules) {
  std::vector<uint8_t> row24 = {1, 2, 3, 0};
  ImageRef zero = BitmapToImage(InfoBitmap({1, 1, 24, 0, 0, 0, 0}, {}, row24));
  ASSERT_TRUE(zero);
  EXPECT_EQ(zero->Resolution(), 72u | 72u << 16);
  // One axis below 1 dpi sets both to 72.
  ImageRef oneAxis = BitmapToImage(InfoBitmap({1, 1, 24, 0, 11811, 19, 0}, {}, row24));
  ASSERT_TRUE(oneAxis);
  EXPECT_EQ(oneAxis->Resolution(), 72u | 72u << 16);
  ImageRef mixed = BitmapToImage(InfoBitmap({1, 1, 24, 0, 11811, 5906, 0}, {}, row24));
  ASSERT_TRUE(mixed);
  EXPECT_EQ(mixed->HorizontalDpi(), 300);
  EXPECT_EQ(mixed->VerticalDpi(), 150);
  ExpectPixel(*mixed, 0, 0, 3, 2, 1);
}

TEST(ClipboardBitmap, CoreHeaderUsesThreeByteEntriesAnd300Dpi) {
  std::vector<uint8_t> bytes;
  Put(bytes, 12, 4);
  Put(bytes, 3, 2);  // width
  Put(bytes, 2, 2);  // height
  Put(bytes, 1, 2);
  Put(bytes, 8, 2);
  for (int i = 0; i < 256; ++i) bytes.insert(bytes.end(), {uint8_t(i), uint8_t(i / 2), 200});
  bytes.insert(bytes.end(), {0, 10, 255, 0, 7, 8, 9, 0});
  ImageRef image = BitmapToImage(bytes);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Resolution(), 300u | 300u << 16);
  ExpectPixel(*image, 1, 0, 200, 5, 10);
  ExpectPixel(*image, 2, 0, 200, 127, 255);
  ExpectPixel(*image, 2, 1, 200, 4, 9);
}

TEST(ClipboardBitmap, OneBitReadsTheHighBitFirst) {
  std::vector<uint8_t> table = {0, 0, 0, 0, 255, 255, 255, 0};
  ImageRef image = BitmapToImage(InfoBitmap({9, 1, 1, 0, 0, 0, 2}, table, {0xA0, 0x80, 0, 0}));
  ASSERT_TRUE(image);
  std::vector<int> whites;
  for (int x = 0; x < 9; ++x) whites.push_back(image->Row(0)[3 * x]);
  EXPECT_EQ(whites, (std::vector<int>{255, 0, 255, 0, 0, 0, 0, 0, 255}));
}

TEST(ClipboardBitmap, RefusesWhatItCannotReadSafely) {
  std::vector<uint8_t> rows(8, 0);
  std::vector<uint8_t> good = InfoBitmap({5, 2, 4, 0, 0, 0, 0}, SixteenColours(), rows);
  ASSERT_TRUE(BitmapToImage(good));
  std::vector<uint8_t> truncated(good.begin(), good.end() - 1);
  EXPECT_FALSE(BitmapToImage(truncated)) << "one byte short";
  EXPECT_FALSE(BitmapToImage(InfoBitmap({5, 2, 4, 2, 0, 0, 0}, SixteenColours(), rows)))
      << "run-length compressed";
  EXPECT_FALSE(BitmapToImage(InfoBitmap({1, 1, 16, 0, 0, 0, 0}, {}, {0, 0, 0, 0})))
      << "16 bits";
  EXPECT_FALSE(BitmapToImage(InfoBitmap({1, 1, 32, 0, 0, 0, 0}, {}, {0, 0, 0, 0})))
      << "32 bits";
  EXPECT_FALSE(BitmapToImage(InfoBitmap({2, 2, 4, 0, 0, 0, 17}, SixteenColours(), rows)))
      << "more colours than 4 bits can index";
  EXPECT_FALSE(BitmapToImage(InfoBitmap({0, 2, 24, 0, 0, 0, 0}, {}, rows))) << "no width";
  // A header claiming a huge picture over a few bytes fails before allocating.
  EXPECT_FALSE(BitmapToImage(InfoBitmap({200000, 200000, 24, 0, 0, 0, 0}, {}, rows)));
  std::vector<uint8_t> v4 = good;
  v4[0] = 108;
  EXPECT_FALSE(BitmapToImage(v4)) << "other header sizes";
  EXPECT_FALSE(BitmapToImage(std::vector<uint8_t>{40, 0, 0}));
  EXPECT_FALSE(BitmapToImage(std::vector<uint8_t>{}));
}

TEST(ClipboardBitmap, ShortTableLeavesUnlistedIndicesBlack) {
  std::vector<uint8_t> table = {10, 20, 30, 0, 40, 50, 60, 0};
  ImageRef image = BitmapToImage(InfoBitmap({2, 1, 4, 0, 0, 0, 2}, table, {0x19, 0, 0, 0}));
  ASSERT_TRUE(image);
  ExpectPixel(*image, 0, 0, 60, 50, 40);
  ExpectPixel(*image, 1, 0, 0, 0, 0);
}

TEST(ClipboardBitmap, TopDownRowsAreTurnedBottomUp) {
  std::vector<uint8_t> rows = {1, 1, 1, 0, 2, 2, 2, 0};
  ImageRef image = BitmapToImage(InfoBitmap({1, -2, 24, 0, 0, 0, 0}, {}, rows));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Row(0)[0], 2);
  EXPECT_EQ(image->Row(1)[0], 1);
}

TEST(ClipboardBitmap, KeepingTheDepthChoosesTheKind) {
  std::vector<uint8_t> grey, colour;
  for (int i = 0; i < 256; ++i) {
    grey.insert(grey.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
    colour.insert(colour.end(), {uint8_t(i), uint8_t(i), uint8_t(255 - i), 0});
  }
  std::vector<uint8_t> row = {7, 200, 0, 0};
  ImageRef greyImage = BitmapToImage(InfoBitmap({2, 1, 8, 0, 0, 0, 0}, grey, row), true);
  ASSERT_TRUE(greyImage);
  EXPECT_EQ(greyImage->Kind(), kKindGray8);
  EXPECT_EQ(greyImage->Row(0)[1], 200);
  ImageRef paletted = BitmapToImage(InfoBitmap({2, 1, 8, 0, 0, 0, 0}, colour, row), true);
  ASSERT_TRUE(paletted);
  EXPECT_EQ(paletted->Kind(), kKind8Bit);
  EXPECT_EQ(paletted->PaletteAt(7), (PaletteEntry{248, 7, 7, 0}));

  ImageRef four = BitmapToImage(InfoBitmap({3, 1, 4, 0, 0, 0, 0}, SixteenColours(),
                                           {0x5A, 0x30, 0, 0}), true);
  ASSERT_TRUE(four);
  EXPECT_EQ(four->Kind(), kKind4Bit);
  EXPECT_EQ(four->Row(0)[0], 0x5A);
  EXPECT_EQ(four->PaletteAt(10), (PaletteEntry{160, 245, 10, 0}));

  std::vector<uint8_t> mono = {0, 0, 0, 0, 255, 255, 255, 0};
  ImageRef one = BitmapToImage(InfoBitmap({3, 1, 1, 0, 0, 0, 0}, mono, {0xA0, 0, 0, 0}), true);
  ASSERT_TRUE(one);
  EXPECT_EQ(one->Kind(), kKind1Bit);
  EXPECT_EQ(one->Row(0)[0], 0xA0);
}

TEST(ClipboardBitmap, EveryKindSurvivesTheWayOutAndBack) {
  ImageRef photo = test::MakePhoto(37, 11, 4);
  photo->SetResolution(300u | 150u << 16);
  std::vector<uint8_t> bytes = ImageToBitmap(*photo);
  ImageRef back = BitmapToImage(bytes);
  ASSERT_TRUE(back);
  EXPECT_TRUE(test::SamePixels(*photo, *back));
  EXPECT_EQ(back->Resolution(), photo->Resolution());

  ImageRef index = test::MakeIndex(13, 5, [](int x, int y) { return x * 19 + y; });
  ImageRef indexBack = BitmapToImage(ImageToBitmap(*index), true);
  ASSERT_TRUE(indexBack);
  EXPECT_EQ(indexBack->Kind(), kKindGray8);
  EXPECT_TRUE(test::SamePixels(*index, *indexBack));

  std::vector<PaletteEntry> palette(16);
  for (int i = 0; i < 16; ++i) palette[i] = {uint8_t(i * 9), 1, uint8_t(200 - i), 0};
  ImageRef four = ImageBuffer::CreateWithPalette(kKind4Bit, 7, 3, palette.data(), 16);
  for (int y = 0; y < 3; ++y) std::memset(four->WritableRows().value().Row(y), 0x3C + y, 4);
  ImageRef fourBack = BitmapToImage(ImageToBitmap(*four), true);
  ASSERT_TRUE(fourBack);
  EXPECT_EQ(fourBack->Kind(), kKind4Bit);
  EXPECT_EQ(fourBack->PaletteAt(12), palette[12]);
  EXPECT_EQ(fourBack->Row(2)[1], 0x3E);
  // Without keeping the depth the same bytes give the palette colours.
  ImageRef fourTrue = BitmapToImage(ImageToBitmap(*four));
  ASSERT_TRUE(fourTrue);
  ExpectPixel(*fourTrue, 0, 0, palette[3].red, palette[3].green, palette[3].blue);
}

}  // namespace
}  // namespace tintara
