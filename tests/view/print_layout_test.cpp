#include "view/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tintara {
namespace {

TEST(PrintTiles, ThreeByThreeOverAThousandAndOnePixels) {
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 1), (TileRect{0, 0, 333, 333}));
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 2), (TileRect{333, 0, 666, 333}));
  // The right column and the top row take the two pixels left over.
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 3), (TileRect{666, 0, 1001, 333}));
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 7), (TileRect{0, 666, 333, 1001}));
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 9), (TileRect{666, 666, 1001, 1001}));
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, 9).Width(), 335);

  std::vector<int> covered(size_t(1001) * 1001, 0);
  for (int page = 1; page <= 9; ++page) {
    TileRect t = PrintTileRect(1001, 1001, 3, page);
    for (int y = t.y0; y < t.y1; ++y) {
      for (int x = t.left; x < t.right; ++x) ++covered[size_t(y) * 1001 + size_t(x)];
    }
  }
  EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), 1001 * 1001);
}

TEST(PrintTiles, OnePageIsTheWholePicture) {
  EXPECT_EQ(PrintTileRect(640, 480, 1, 1), (TileRect{0, 0, 640, 480}));
}

TEST(PrintTiles, WideGridsExtendOnlyTheLastColumnAndRow) {
  // 10 x 10 over a pattern whose sides do not divide by ten.
  EXPECT_EQ(PrintTileRect(12401, 8267, 10, 10), (TileRect{11160, 0, 12401, 826}));
  EXPECT_EQ(PrintTileRect(12401, 8267, 10, 91), (TileRect{0, 7434, 1240, 8267}));
  EXPECT_EQ(PrintTileRect(12401, 8267, 10, 55), (TileRect{4960, 4130, 6200, 4956}));
}

TEST(PrintPages, OnePageByRowAndColumn) {
  // Row 1, column 1 of a 3 x 3 grid is the top-left sheet, page 7.
  EXPECT_EQ(OnePagePrintPage(3, 1, 1), 7);
  EXPECT_EQ(PrintTileRect(1001, 1001, 3, OnePagePrintPage(3, 1, 1)),
            (TileRect{0, 666, 333, 1001}));
  EXPECT_EQ(OnePagePrintPage(3, 3, 1), 1);
  EXPECT_EQ(OnePagePrintPage(3, 3, 3), 3);
  EXPECT_EQ(OnePagePrintPage(3, 1, 3), 9);
  EXPECT_EQ(OnePagePrintPage(10, 2, 4), 84);
}

TEST(PrintPages, HeaderText) {
  EXPECT_EQ(PageHeaderText(1, 1), "Page No 1 from 1");
  EXPECT_EQ(PageHeaderText(7, 9), "Page No 7 from 9");
}

TEST(PrintPages, PageMapSquaresStartBottomLeftAndRiseRowByRow) {
  // Text 300 wide and 30 high at (50, 20): squares of 10 start at 50 + 300 + 60.
  EXPECT_EQ(PageMapSquare(3, 0, 50, 20, 300, 30), (DeviceRect{410, 40, 10, 10}));
  EXPECT_EQ(PageMapSquare(3, 2, 50, 20, 300, 30), (DeviceRect{430, 40, 10, 10}));
  EXPECT_EQ(PageMapSquare(3, 6, 50, 20, 300, 30), (DeviceRect{410, 20, 10, 10}));
  EXPECT_EQ(PageMapSquare(3, 8, 50, 20, 300, 30), (DeviceRect{430, 20, 10, 10}));
  // The side is text height div n.
  EXPECT_EQ(PageMapSquare(4, 0, 0, 0, 100, 30).width, 7);
}

TEST(PrintFitting, HeightBoundAndWidthBoundAreCentred) {
  // Tall bitmap on a wide page: full height, centred across.
  EXPECT_EQ(FitCentred(100, 200, 1000, 1000), (DeviceRect{250, 0, 500, 1000}));
  // Wide bitmap: full width, centred down.
  EXPECT_EQ(FitCentred(400, 100, 1000, 1000), (DeviceRect{0, 375, 1000, 250}));
  // Same shape: fills the page exactly.
  EXPECT_EQ(FitCentred(1240, 1753, 4960, 7012), (DeviceRect{0, 0, 4960, 7012}));
  EXPECT_EQ(FitCentred(0, 10, 100, 100), DeviceRect{});
}

}  // namespace
}  // namespace tintara
