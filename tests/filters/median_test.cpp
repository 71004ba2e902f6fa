// "median_filt" against a reference that sorts every window, on 8-bit,
// paletted and true-colour pictures, and on the colour-index image it cleans.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/filters/filter_fixture.h"
#include "tests/filters/picture_checks.h"

namespace tintara::test {
namespace {

ImageRef MedianReference(const ImageBuffer& in, int nx, int ny) {
  const int rx = nx / 2, ry = ny / 2;
  const int channels = BitsPerPixel(in.Kind()) / 8;
  ImageRef out = ImageBuffer::Copy(in);
  std::vector<uint8_t> window;
  for (int y = 0; y < in.Height(); ++y) {
    for (int x = 0; x < in.Width(); ++x) {
      for (int c = 0; c < channels; ++c) {
        window.clear();
        for (int dy = -ry; dy <= ry; ++dy) {
          for (int dx = -rx; dx <= rx; ++dx) {
            window.push_back(PixelAt(in, std::clamp(x + dx, 0, in.Width() - 1),
                                     std::clamp(y + dy, 0, in.Height() - 1))[c]);
          }
        }
        std::nth_element(window.begin(), window.begin() + window.size() / 2, window.end());
        out->WritableRows().value().Row(y)[x * channels + c] = window[window.size() / 2];
      }
    }
  }
  return out;
}

class MedianTest : public FilterFixture {
 protected:
  ImageRef Run(const ImageRef& picture, int nx, int ny, const Region* region = nullptr) {
    return Windowed("median_filt", picture, nx, ny, region);
  }
};

TEST_F(MedianTest, MatchesSortedWindowsForEveryKindAndWindow) {
  ImageRef paletted = ImageBuffer::Create(kKind8Bit, 25, 18);
  for (int y = 0; y < 18; ++y) {
    for (int x = 0; x < 25; ++x)
      paletted->WritableRows().value().Row(y)[x] = uint8_t((x * x + 7 * y) % 251);
  }
  const ImageRef pictures[] = {
      MakeIndex(31, 22, [](int x, int y) { return 128 + Noise(x, y, 127); }),
      MakeIndex(19, 27, [](int x, int y) { return (x / 5 + y / 4) % 6 * 40 + Noise(x, y, 3); }),
      NoisyBlocks(24, 20, 60, 5), paletted};
  const std::pair<int, int> windows[] = {{3, 3}, {1, 1}, {2, 2},   {5, 5},
                                         {3, 5}, {7, 3}, {15, 15}, {33, 33}};
  for (const ImageRef& picture : pictures) {
    for (auto [nx, ny] : windows) {
      EXPECT_TRUE(SamePixels(*Run(picture, nx, ny), *MedianReference(*picture, nx, ny)))
          << "kind " << picture->Kind() << " window " << nx << "x" << ny;
    }
  }
}

TEST_F(MedianTest, BandsOnSeveralCoresGiveTheSameResult) {
  ImageRef index = MakeIndex(700, 400, [](int x, int y) {
    return ((x / 9) * 5 + (y / 7) * 3) % 12 + (Noise(x, y, 10) == 0 ? 40 : 0);
  });
  for (int n : {3, 7}) {
    EXPECT_TRUE(SamePixels(*Run(index, n, n), *MedianReference(*index, n, n))) << n;
  }
}

TEST_F(MedianTest, RemovesSpecksAndKeepsLargerAreas) {
  // Areas 0, 1 and 2 with single-pixel specks of 9 inside them (none at the
  // picture's edge, where repeating the edge would make a speck larger).
  ImageRef index = MakeIndex(60, 40, [](int x, int y) {
    int area = x < 20 ? 0 : (y < 20 ? 1 : 2);
    return (x % 7 == 3 && y % 5 == 2 && x < 56) ? 9 : area;
  });
  ImageRef result = Run(index, 5, 5);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      int area = x < 20 ? 0 : (y < 20 ? 1 : 2);
      // Boundaries stay where they were, away from the corner where three meet.
      if (std::abs(x - 20) + std::abs(y - 20) > 4) {
        ASSERT_EQ(PixelAt(*result, x, y)[0], area) << x << "," << y;
      }
    }
  }
}

TEST_F(MedianTest, OnlyPixelsOfTheRegionChange) {
  ImageRef picture = NoisyBlocks(28, 21, 50, 4);
  ImageRef everywhere = MedianReference(*picture, 5, 5);
  std::vector<Point> corners{{2, 2}, {25, 5}, {10, 19}};
  RegionPtr triangle = RegionCreatePolygon(corners);
  for (bool inverted : {false, true}) {
    triangle->SetInverted(inverted);
    EXPECT_TRUE(
        SplitByRegion(*Run(picture, 5, 5, triangle.get()), *everywhere, *picture, *triangle))
        << inverted;
  }
}

TEST_F(MedianTest, RejectsWindowsOutsideItsRange) {
  ImageRef index = MakeIndex(10, 10, [](int x, int) { return x; });
  ImageRef before = ImageBuffer::Copy(*index);
  EXPECT_FALSE(InPlace("median_filt", index, "64,64,0,0"));
  EXPECT_FALSE(InPlace("median_filt", index, "3,-1,0,0"));
  EXPECT_TRUE(SamePixels(*index, *before));
  EXPECT_FALSE(InPlace("median_filt", ImageBuffer::Create(kKind4Bit, 8, 8), "3,3,0,0"));
}

}  // namespace
}  // namespace tintara::test
