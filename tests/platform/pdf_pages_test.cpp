#include "platform/pdf_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tintara {
namespace {

// Page 1 is the bottom-left sheet, page n² the top-right; the last column and
// the top row take what the division leaves over.
TEST(PdfPages, TilesOfAThreeByThreeGrid) {
  PageTile first = TileOfPage(1001, 1001, 3, 1);
  EXPECT_EQ(first.left, 0);
  EXPECT_EQ(first.bottom, 0);
  EXPECT_EQ(first.right, 333);
  EXPECT_EQ(first.top, 333);
  PageTile third = TileOfPage(1001, 1001, 3, 3);
  EXPECT_EQ(third.left, 666);
  EXPECT_EQ(third.right, 1001);  // 335 wide
  EXPECT_EQ(third.top, 333);
  PageTile seventh = TileOfPage(1001, 1001, 3, 7);  // top-left
  EXPECT_EQ(seventh.left, 0);
  EXPECT_EQ(seventh.bottom, 666);
  EXPECT_EQ(seventh.top, 1001);
  PageTile last = TileOfPage(1001, 1001, 3, 9);
  EXPECT_EQ(last.right - last.left, 335);
  EXPECT_EQ(last.top - last.bottom, 335);

  // The tiles cover the picture exactly once.
  std::vector<int> covered(size_t(1001) * 1001, 0);
  for (int page = 1; page <= 9; ++page) {
    PageTile t = TileOfPage(1001, 1001, 3, page);
    for (int y = t.bottom; y < t.top; ++y) {
      for (int x = t.left; x < t.right; ++x) ++covered[size_t(y) * 1001 + size_t(x)];
    }
  }
  EXPECT_EQ(std::count(covered.begin(), covered.end(), 1), 1001 * 1001);

  PageTile whole = TileOfPage(640, 480, 1, 1);
  EXPECT_EQ(whole.right, 640);
  EXPECT_EQ(whole.top, 480);
}

}  // namespace
}  // namespace tintara
