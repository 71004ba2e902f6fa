#include "pattern/majority_filter.h"

#include <gtest/gtest.h>

#include <set>

#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::At;
using test::MakeIndex;

TEST(MajorityFilter, SpecksGoEdgesAndTwoCellLinesStayAndNoPaintIsInvented) {
  // Paint 1 left, 9 right; a lone speck of 4, a one-cell line of 5 and a
  // two-cell line of 6 on the left; a corner of the picture's edge.
  ImageRef index = MakeIndex(40, 30, [](int32_t x, int32_t y) {
    if (x == 5 && y == 5) return 4;
    if (x == 10 && y >= 3 && y < 27) return 5;
    if ((x == 14 || x == 15) && y >= 3 && y < 27) return 6;
    return x < 20 ? 1 : 9;
  });
  ASSERT_TRUE(MajorityFilter(*index, 2));
  std::set<int> values;
  for (int32_t y = 0; y < 30; ++y) {
    for (int32_t x = 0; x < 40; ++x) values.insert(At(*index, x, y));
  }
  EXPECT_EQ(values, (std::set<int>{1, 6, 9}));
  EXPECT_EQ(At(*index, 5, 5), 1);
  EXPECT_EQ(At(*index, 10, 15), 1);
  EXPECT_EQ(At(*index, 14, 15), 6);
  EXPECT_EQ(At(*index, 15, 15), 6);
  // The straight edge between the two halves does not move.
  for (int32_t y = 0; y < 30; ++y) {
    EXPECT_EQ(At(*index, 19, y), 1) << y;
    EXPECT_EQ(At(*index, 20, y), 9) << y;
  }
  EXPECT_EQ(At(*index, 0, 0), 1);
  EXPECT_EQ(At(*index, 39, 29), 9);
}

TEST(MajorityFilter, RefusesAnImageThatIsNotEightBit) {
  ImageRef rgb = ImageBuffer::Create(kKindRgb24, 4, 4);
  ASSERT_TRUE(rgb);
  EXPECT_FALSE(MajorityFilter(*rgb, 1));
}

}  // namespace
}  // namespace tintara
