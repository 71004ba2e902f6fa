#include "view/sheet_extras.h"

#include <gtest/gtest.h>

namespace tintara {
namespace {

TEST(SheetColors, NumbersOfTheColoursInsideTheTile) {
  // Left half colour position 0, right half position 4; one pixel of 9 at
  // the top right.
  ImageRef index = ImageBuffer::Create(kKindGray8, 10, 6);
  auto rows = index->WritableRows();
  for (int32_t y = 0; y < 6; ++y) {
    for (int32_t x = 0; x < 10; ++x) (*rows)[y][x] = x < 5 ? 0 : 4;
  }
  (*rows)[5][9] = 9;
  EXPECT_EQ(ColorNumbersIn(index.get(), 10, 6, {0, 0, 5, 6}), (std::vector<int>{1}));
  EXPECT_EQ(ColorNumbersIn(index.get(), 10, 6, {4, 0, 6, 3}), (std::vector<int>{1, 5}));
  EXPECT_EQ(ColorNumbersIn(index.get(), 10, 6, {5, 3, 10, 6}), (std::vector<int>{5, 10}));
  // An index image of another size than the printed picture names nothing.
  EXPECT_TRUE(ColorNumbersIn(index.get(), 20, 12, {0, 0, 5, 6}).empty());
  EXPECT_TRUE(ColorNumbersIn(nullptr, 10, 6, {0, 0, 5, 6}).empty());
}

TEST(SheetOverlap, MillimetresBecomePatternPixels) {
  // 1240 pixels printed 4724 device pixels wide at 600 dpi: 10 mm is 236
  // device pixels, 62 pattern pixels.
  EXPECT_EQ(OverlapPixels(10, 1240, 4724, 600), 62);
  EXPECT_EQ(OverlapPixels(0, 1240, 4724, 600), 0);
  EXPECT_EQ(OverlapPixels(40, 1240, 4724, 600), OverlapPixels(15, 1240, 4724, 600));
  EXPECT_EQ(OverlapPixels(1, 10, 4724, 600), 1);  // never less than a pixel
}

TEST(SheetOverlap, GrowsOnlyTowardsNeighbours) {
  // 3 x 3 over 1001 x 1001: the middle sheet grows on all sides, a corner
  // sheet only inwards, and nothing passes the picture.
  TileRect middle = PrintTileRect(1001, 1001, 3, 5);
  EXPECT_EQ(WithOverlap(middle, 1001, 1001, 20), (TileRect{313, 313, 686, 686}));
  TileRect first = PrintTileRect(1001, 1001, 3, 1);
  EXPECT_EQ(WithOverlap(first, 1001, 1001, 20), (TileRect{0, 0, 353, 353}));
  TileRect last = PrintTileRect(1001, 1001, 3, 9);
  EXPECT_EQ(WithOverlap(last, 1001, 1001, 20), (TileRect{646, 646, 1001, 1001}));
  EXPECT_EQ(WithOverlap(middle, 1001, 1001, 5000), (TileRect{0, 0, 1001, 1001}));
  EXPECT_EQ(WithOverlap(middle, 1001, 1001, 0), middle);
}

TEST(SheetMarks, CornersOfTheOwnTileOnTheDevice) {
  // Own tile 100..200 x 100..200 shown with 20 pixels overlap all round,
  // printed 140 pixels to 1400 device pixels at (50, 60).
  TileRect own{100, 100, 200, 200};
  TileRect shown{80, 80, 220, 220};
  auto corners = OwnCornersOnDevice(own, shown, {50, 60, 1400, 1400});
  ASSERT_EQ(corners.size(), 4u);
  EXPECT_EQ(corners[0], (DevicePoint{250, 260}));    // top-left
  EXPECT_EQ(corners[1], (DevicePoint{1250, 260}));   // top-right
  EXPECT_EQ(corners[2], (DevicePoint{250, 1260}));   // bottom-left
  EXPECT_EQ(corners[3], (DevicePoint{1250, 1260}));  // bottom-right
  // Without overlap the marks sit on the printed rectangle's corners.
  auto plain = OwnCornersOnDevice(own, own, {0, 0, 500, 500});
  EXPECT_EQ(plain[0], (DevicePoint{0, 0}));
  EXPECT_EQ(plain[3], (DevicePoint{500, 500}));
}

}  // namespace
}  // namespace tintara
