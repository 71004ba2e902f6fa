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

}  // namespace
}  // namespace tintara
