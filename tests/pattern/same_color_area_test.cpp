#include "pattern/same_color_area.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::MakeIndex;

// Straightforward breadth-first search over the four side neighbours.
std::vector<uint8_t> ReferenceArea(const ImageBuffer& image, int32_t x, int32_t y) {
  const int32_t w = image.Width(), h = image.Height();
  std::vector<uint8_t> inside(size_t(w) * size_t(h));
  const uint8_t value = image.Row(y)[x];
  std::deque<std::pair<int32_t, int32_t>> queue{{x, y}};
  inside[size_t(y) * size_t(w) + size_t(x)] = 255;
  while (!queue.empty()) {
    auto [px, py] = queue.front();
    queue.pop_front();
    const int32_t steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : steps) {
      int32_t nx = px + step[0], ny = py + step[1];
      if (nx < 0 || ny < 0 || nx >= w || ny >= h || image.Row(ny)[nx] != value) continue;
      uint8_t& cell = inside[size_t(ny) * size_t(w) + size_t(nx)];
      if (cell) continue;
      cell = 255;
      queue.emplace_back(nx, ny);
    }
  }
  return inside;
}

// The region sampled over the whole picture, as every selection reader does.
std::vector<uint8_t> Selected(const Region& region, int32_t width, int32_t height) {
  std::vector<uint8_t> inside(size_t(width) * size_t(height));
  region.RasterizeShape({0, 0, width, height}, inside.data(), width);
  return inside;
}

BoxRect TightBounds(const std::vector<uint8_t>& inside, int32_t width, int32_t height) {
  int32_t left = width, top = height, right = -1, bottom = -1;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      if (!inside[size_t(y) * size_t(width) + size_t(x)]) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

TEST(SameColorArea, MatchesAPlainSearchOnRandomPictures) {
  std::mt19937 random(12345);
  for (int trial = 0; trial < 40; ++trial) {
    const int32_t w = 1 + int32_t(random() % 23), h = 1 + int32_t(random() % 19);
    const int values = 2 + trial % 3;  // few values: winding, holed areas
    std::vector<uint8_t> pixels(size_t(w) * size_t(h));
    for (uint8_t& p : pixels) p = uint8_t(random() % unsigned(values));
    ImageRef image = MakeIndex(w, h, [&](int x, int y) { return pixels[size_t(y * w + x)]; });
    auto finder = AreaFinder::Create(*image);
    ASSERT_TRUE(finder);
    for (int seed = 0; seed < 12; ++seed) {
      const int32_t x = int32_t(random() % unsigned(w)), y = int32_t(random() % unsigned(h));
      std::vector<uint8_t> expected = ReferenceArea(*image, x, y);
      RegionPtr region = SelectSameColorArea(*image, x, y);
      ASSERT_TRUE(region);
      ASSERT_EQ(Selected(*region, w, h), expected) << "trial " << trial << " seed " << x << "," << y;
      EXPECT_EQ(region->Bounds(), TightBounds(expected, w, h));
      // A finder used again and again gives the same areas as a fresh one.
      ASSERT_TRUE(finder->Find(x, y));
      RegionPtr again = finder->MakeRegion();
      ASSERT_EQ(Selected(*again, w, h), expected);
    }
  }
}

TEST(SameColorArea, DiagonalNeighboursAreNotConnected) {
  // A diagonal line of colour 1 through colour 0, and colour 0 split by it.
  ImageRef image = MakeIndex(6, 6, [](int x, int y) { return x == y ? 1 : 0; });
  RegionPtr dot = SelectAreaAt(image.get(), 2, 2);
  ASSERT_TRUE(dot);
  EXPECT_EQ(dot->Bounds(), (BoxRect{2, 2, 1, 1}));
  RegionPtr below = SelectAreaAt(image.get(), 5, 0);
  ASSERT_TRUE(below);
  std::vector<uint8_t> inside = Selected(*below, 6, 6);
  int count = 0;
  for (int32_t y = 0; y < 6; ++y) {
    for (int32_t x = 0; x < 6; ++x) {
      bool expected = x > y;
      EXPECT_EQ(inside[size_t(y * 6 + x)] != 0, expected) << x << "," << y;
      count += expected;
    }
  }
  EXPECT_EQ(count, 15);
}

TEST(SameColorArea, NothingOutsideThePictureOrWithoutOne) {
  ImageRef image = MakeIndex(4, 3, [](int, int) { return 7; });
  EXPECT_FALSE(SelectSameColorArea(*image, -1, 0));
  EXPECT_FALSE(SelectSameColorArea(*image, 4, 0));
  EXPECT_FALSE(SelectSameColorArea(*image, 0, 3));
  EXPECT_FALSE(SelectAreaAt(nullptr, 0, 0));
  RegionPtr all = SelectAreaAt(image.get(), 3, 2);
  ASSERT_TRUE(all);
  EXPECT_EQ(all->Kind(), kRegionMask);
  EXPECT_EQ(all->Bounds(), (BoxRect{0, 0, 4, 3}));
  ImageRef colour = ImageBuffer::Create(kKindRgb24, 4, 3);
  EXPECT_FALSE(SelectSameColorArea(*colour, 0, 0));
}

}  // namespace
}  // namespace tintara
