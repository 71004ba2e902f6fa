#include "imaging/region.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/selection_mask.h"

namespace tintara {
namespace {

std::vector<uint8_t> Raster(const Region& region, const BoxRect& area) {
  std::vector<uint8_t> bytes(size_t(area.width * area.height));
  region.RasterizeShape(area, bytes.data(), area.width);
  return bytes;
}

int Count(const std::vector<uint8_t>& bytes) {
  int n = 0;
  for (uint8_t b : bytes) n += b != 0;
  return n;
}

TEST(RegionTest, RectanglesEllipsesAndPolygonsRasterise) {
  RegionPtr rect = RegionCreateRect({2, 3, 4, 5});
  EXPECT_EQ(rect->Kind(), kRegionRectangle);
  EXPECT_EQ(rect->Bounds(), (BoxRect{2, 3, 4, 5}));
  auto bytes = Raster(*rect, {0, 0, 10, 10});
  EXPECT_EQ(Count(bytes), 20);
  EXPECT_NE(bytes[3 * 10 + 2], 0);
  EXPECT_EQ(bytes[3 * 10 + 6], 0);

  RegionPtr ellipse = RegionCreateEllipse({0, 0, 20, 10});
  EXPECT_NE(ellipse->Kind(), kRegionCombined);
  EXPECT_NE(ellipse->Kind(), kRegionRectangle);
  auto e = Raster(*ellipse, {0, 0, 20, 10});
  EXPECT_NE(e[5 * 20 + 10], 0);  // centre
  EXPECT_EQ(e[0], 0);            // corner
  EXPECT_NEAR(Count(e), 3.14159 * 10 * 5, 12);

  std::vector<Point> triangle{{0, 0}, {10, 0}, {0, 10}};
  RegionPtr polygon = RegionCreatePolygon(triangle);
  auto p = Raster(*polygon, {0, 0, 10, 10});
  EXPECT_NEAR(Count(p), 50, 6);
  EXPECT_NE(p[0], 0);
  EXPECT_EQ(p[9 * 10 + 9], 0);
  EXPECT_FALSE(RegionCreatePolygon(std::vector<Point>{{1, 1}}));
}

TEST(RegionTest, CombiningAddsAndSubtracts) {
  RegionPtr ellipse = RegionCreateEllipse({0, 0, 10, 10});
  RegionPtr combined = RegionCreateCombined(kCombineAdd, *ellipse);
  ASSERT_TRUE(combined);
  EXPECT_EQ(combined->Kind(), kRegionCombined);
  RegionPtr rect = RegionCreateRect({8, 0, 6, 4});
  ASSERT_TRUE(RegionCombine(*combined, *rect, kCombineAdd));
  EXPECT_EQ(combined->Bounds(), (BoxRect{0, 0, 14, 10}));
  auto both = Raster(*combined, {0, 0, 14, 10});
  EXPECT_NE(both[1 * 14 + 12], 0);
  EXPECT_NE(both[5 * 14 + 5], 0);

  RegionPtr cut = RegionCreateCombined(kCombineAdd, *ellipse);
  RegionPtr hole = RegionCreateRect({3, 3, 4, 4});
  ASSERT_TRUE(RegionCombine(*cut, *hole, kCombineSubtract));
  auto holed = Raster(*cut, {0, 0, 10, 10});
  EXPECT_EQ(holed[5 * 10 + 5], 0);
  EXPECT_NE(holed[5 * 10 + 1], 0);
  EXPECT_FALSE(RegionCombine(*cut, *hole, 99));
  EXPECT_FALSE(RegionCombine(*ellipse, *hole, kCombineAdd));  // not a combined region
}

TEST(RegionTest, DuplicateIsIndependentAndMoveShiftsBounds) {
  RegionPtr rect = RegionCreateRect({1, 1, 3, 3});
  rect->SetInverted(true);
  RegionPtr copy = RegionDuplicate(*rect);
  EXPECT_TRUE(copy->IsInverted());
  copy->MoveTo(10, 20);
  EXPECT_EQ(copy->Bounds(), (BoxRect{10, 20, 3, 3}));
  EXPECT_EQ(rect->Bounds(), (BoxRect{1, 1, 3, 3}));
  std::vector<Point> points{{0, 0}, {4, 0}, {4, 4}};
  RegionPtr polygon = RegionCreatePolygon(points);
  polygon->MoveTo(5, 5);
  EXPECT_EQ(polygon->Bounds(), (BoxRect{5, 5, 4, 4}));
}

TEST(RegionTest, MasksCarryTheirPictureAndOrigin) {
  RegionPtr rect = RegionCreateRect({2, 2, 2, 2});
  RegionPtr mask = RegionMakeMask(*rect, {1, 1, 4, 4});
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->Kind(), kRegionMask);
  ImageRef picture = RegionMaskImage(*mask);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Kind(), kKindGray8);
  EXPECT_EQ(picture->Row(0)[0], 0);     // pixel (1, 1)
  EXPECT_NE(picture->Row(1)[1], 0);     // pixel (2, 2)
  EXPECT_FALSE(RegionMaskImage(*rect));
  RegionPtr empty = RegionCreateEmptyMask({0, 0, 3, 2});
  EXPECT_EQ(Count(Raster(*empty, {0, 0, 3, 2})), 0);
}

TEST(RegionTest, InvertedSelectionAffectsExactlyTheOutside) {
  RegionPtr rect = RegionCreateRect({2, 2, 3, 3});
  rect->SetInverted(true);
  auto mask = SelectionMask::Build(rect.get(), 8, 6);
  ASSERT_TRUE(mask);
  EXPECT_EQ(mask->Area(), (BoxRect{0, 0, 8, 6}));
  int affected = 0;
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      bool inside = x >= 2 && x < 5 && y >= 2 && y < 5;
      EXPECT_EQ(mask->Affects(x, y), !inside) << x << "," << y;
      affected += mask->Affects(x, y);
    }
  }
  EXPECT_EQ(affected, 48 - 9);

  rect->SetInverted(false);
  auto plain = SelectionMask::Build(rect.get(), 8, 6);
  EXPECT_EQ(plain->Area(), (BoxRect{2, 2, 3, 3}));
  auto whole = SelectionMask::Build(nullptr, 8, 6);
  EXPECT_EQ(whole->Row(3), nullptr);
  EXPECT_TRUE(whole->Affects(7, 5));
  RegionPtr all = RegionCreateEmpty();
  EXPECT_EQ(SelectionMask::Build(all.get(), 8, 6)->Area(), (BoxRect{0, 0, 8, 6}));
  all->SetInverted(true);
  EXPECT_TRUE(SelectionMask::Build(all.get(), 8, 6)->Area().IsEmpty());
}

TEST(RegionTest, EdgeDistancesMeasureEachRun) {
  // Row 0: cells 1..5 inside; row 1: cells 0..1 and 4..6.
  RegionPtr mask = RegionCreateEmptyMask({0, 0, 8, 2});
  uint8_t* row0 = mask->MutableMask()->WritableRows().value().Row(0);
  uint8_t* row1 = mask->MutableMask()->WritableRows().value().Row(1);
  for (int x = 1; x <= 5; ++x) row0[x] = 255;
  row1[0] = row1[1] = 255;
  for (int x = 4; x <= 6; ++x) row1[x] = 255;
  auto context = EdgeDistanceBegin(*mask);
  ASSERT_TRUE(context);
  std::vector<int32_t> a(8), b(8), c(8), d(8);
  int32_t* arrays[4] = {a.data(), b.data(), c.data(), d.data()};
  ASSERT_TRUE(EdgeDistanceRow(arrays, 0, 0, 8, *context));
  EXPECT_EQ(a, (std::vector<int32_t>{-1, 0, 1, 2, 3, 4, -1, -1}));
  EXPECT_EQ(c, (std::vector<int32_t>{-1, 4, 3, 2, 1, 0, -1, -1}));
  // A segment starting in the middle of a run still measures the whole run.
  std::vector<int32_t> a4(4), b4(4), c4(4), d4(4);
  int32_t* part[4] = {a4.data(), b4.data(), c4.data(), d4.data()};
  ASSERT_TRUE(EdgeDistanceRow(part, 1, 3, 4, *context));
  EXPECT_EQ(a4, (std::vector<int32_t>{-1, 0, 1, 2}));
  EXPECT_EQ(c4, (std::vector<int32_t>{-1, 2, 1, 0}));
  ASSERT_TRUE(EdgeDistanceRow(part, 0, 4, 4, *context));
  EXPECT_EQ(a4, (std::vector<int32_t>{3, 4, -1, -1}));
  EXPECT_FALSE(EdgeDistanceRow(arrays, 5, 0, 8, *context));
}

TEST(RegionTest, OutlineFollowsTheBoundary) {
  RegionPtr rect = RegionCreateRect({1, 1, 2, 3});
  auto outline = RegionOutline(*rect, 10, 10);
  int length = 0;
  for (const auto& s : outline) length += std::abs(s.to.x - s.from.x) + std::abs(s.to.y - s.from.y);
  EXPECT_EQ(length, 2 * (2 + 3));
  EXPECT_EQ(outline.size(), 4u);
  // Clipped to the picture.
  RegionPtr big = RegionCreateRect({-5, -5, 8, 8});
  int clipped = 0;
  for (const auto& s : RegionOutline(*big, 10, 10)) {
    clipped += std::abs(s.to.x - s.from.x) + std::abs(s.to.y - s.from.y);
  }
  EXPECT_EQ(clipped, 12);
}

}  // namespace
}  // namespace tintara
