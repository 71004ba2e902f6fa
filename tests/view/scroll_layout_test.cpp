#include <gtest/gtest.h>

#include "view/scroll_layout.h"
#include "view/view_source.h"

namespace tintara {
namespace {

const ViewportMetrics kClient{{300, 200}, 15, 15};

TEST(ScrollLayout, SmallContentIsCentredWithNegativePositions) {
  ScrollLayout layout = LayoutScrollBars({100, 51}, kClient, {40, 40}, true);
  EXPECT_FALSE(layout.horizontalBar);
  EXPECT_FALSE(layout.verticalBar);
  EXPECT_EQ(layout.position, (Point{-100, -74}));  // -149 / 2 truncates toward zero
  EXPECT_EQ(layout.limit, (Point{0, 0}));

  ScrollLayout topLeft = LayoutScrollBars({100, 51}, kClient, {40, 40}, false);
  EXPECT_EQ(topLeft.position, (Point{0, 0}));
}

TEST(ScrollLayout, LargeContentGetsBothBarsAndClampedPositions) {
  ScrollLayout layout = LayoutScrollBars({1000, 800}, kClient, {5000, -20}, true);
  EXPECT_TRUE(layout.horizontalBar);
  EXPECT_TRUE(layout.verticalBar);
  EXPECT_EQ(layout.client, (ImageSize{285, 185}));
  EXPECT_EQ(layout.limit, (Point{715, 615}));
  EXPECT_EQ(layout.position, (Point{715, 0}));
}

TEST(ScrollLayout, OneBarCanForceTheOther) {
  // Fits horizontally only while there is no vertical bar.
  ScrollLayout both = LayoutScrollBars({290, 500}, kClient, {0, 0}, true);
  EXPECT_TRUE(both.verticalBar);
  EXPECT_TRUE(both.horizontalBar);
  EXPECT_EQ(both.limit.x, 290 - 285);

  // Narrow enough to fit beside the vertical bar: centred in what is left.
  ScrollLayout one = LayoutScrollBars({280, 500}, kClient, {0, 0}, true);
  EXPECT_TRUE(one.verticalBar);
  EXPECT_FALSE(one.horizontalBar);
  EXPECT_EQ(one.client, (ImageSize{285, 200}));
  EXPECT_EQ(one.position.x, -2);
}

TEST(ScrollLayout, ClampKeepsAxesWithoutABar) {
  ScrollLayout layout = LayoutScrollBars({1000, 100}, kClient, {0, 0}, true);
  ASSERT_TRUE(layout.horizontalBar);
  ASSERT_FALSE(layout.verticalBar);
  Point clamped = ClampScroll(layout, layout.position, {9999, 9999});
  EXPECT_EQ(clamped, (Point{layout.limit.x, layout.position.y}));
  EXPECT_EQ(ClampScroll(layout, layout.position, {-5, 3}).x, 0);
}

}  // namespace
}  // namespace tintara
