#include <gtest/gtest.h>

#include "view/scroll_layout.h"
#include "view/view_mapping.h"

namespace tintara {
namespace {

TEST(ViewMapping, DoubleZoomMapsCornersAndTruncates) {
  const int32_t w = 40, h = 30;
  ViewMapping mapping({2000, 1000}, h, {0, 0});
  EXPECT_EQ(mapping.WindowToImage(Point{0, 0}), (Point{0, h}));
  EXPECT_EQ(mapping.WindowToImage(Point{2 * w - 1, 2 * h - 1}), (Point{w - 1, 1}));
  // y reaches 0 only at window row 2·H.
  EXPECT_EQ(mapping.WindowToImage(Point{0, 2 * h}).y, 0);
  EXPECT_EQ(mapping.ImageToWindow(Point{0, h}), (Point{0, 0}));
  EXPECT_EQ(mapping.ImageToWindow(Point{w, 0}), (Point{2 * w, 2 * h}));
  EXPECT_EQ(mapping.ImageToWindow(Point{7, 10}), (Point{14, 40}));
}

TEST(ViewMapping, FormsTheProductBeforeDividing) {
  // 3 × 500 / 1000 = 1, where 3 × (500 / 1000) would give 0.
  ViewMapping half({500, 1000}, 100, {0, 0});
  EXPECT_EQ(half.ImageToWindow(Point{3, 97}), (Point{1, 1}));
  // 1000 × 5 / 333 = 15.
  ViewMapping odd({333, 1000}, 100, {0, 0});
  EXPECT_EQ(odd.WindowToImage(Point{5, 5}), (Point{15, 85}));
}

TEST(ViewMapping, NegativeValuesTruncateTowardZero) {
  // A centred picture: the scroll position is negative.
  ViewMapping centred({2000, 1000}, 10, {-3, -5});
  // D·(0 + (-3)) / N = -1.5 -> -1, not -2.
  EXPECT_EQ(centred.WindowToImage(Point{0, 0}), (Point{-1, 10 - (-2)}));
  EXPECT_EQ(centred.ImageToWindow(Point{0, 10}), (Point{3, 5}));
}

TEST(ViewMapping, RectanglesMapBothCorners) {
  ViewMapping mapping({2000, 1000}, 50, {10, 20});
  WindowRect window = mapping.ImageToWindow(ImageRect{5, 10, 15, 40});
  EXPECT_EQ(window, (WindowRect{0, 0, 20, 60}));
  EXPECT_EQ(mapping.WindowToImage(window), (ImageRect{5, 10, 15, 40}));
}

TEST(ViewMapping, ScrollingMovesTheWindowOverThePicture) {
  ViewMapping mapping({1000, 1000}, 500, {120, 30});
  EXPECT_EQ(mapping.ImageToWindow(Point{120, 470}), (Point{0, 0}));
  EXPECT_EQ(mapping.WindowToImage(Point{0, 0}), (Point{120, 470}));
}

TEST(ViewMapping, LargePicturesAtHighZoomDoNotOverflow) {
  ViewMapping mapping({32000, 1000}, 100000, {0, 0});
  EXPECT_EQ(mapping.ImageToWindow(Point{99999, 0}), (Point{3199968, 3200000}));
}

TEST(BackgroundTiles, OriginIsMinusANonNegativeModulo) {
  EXPECT_EQ(BackgroundTileOrigin({0, 0}, 117, 117), (Point{0, 0}));
  EXPECT_EQ(BackgroundTileOrigin({130, 234}, 117, 117), (Point{-13, 0}));
  EXPECT_EQ(BackgroundTileOrigin({-10, -117}, 117, 117), (Point{-107, 0}));
  EXPECT_EQ(BackgroundTileOrigin({-250, 1}, 117, 117), (Point{-101, -1}));
}

}  // namespace
}  // namespace tintara
