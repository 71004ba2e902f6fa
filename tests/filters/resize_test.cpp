// "Change_Size": area averages when shrinking, linear interpolation when
// growing, and the resolution of the parameters in the result.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/filters/filter_fixture.h"
#include "tests/filters/picture_checks.h"

namespace tintara::test {
namespace {

// Weights along one axis from source to target size, in floating point.
using Weights = std::vector<std::vector<std::pair<int, double>>>;

Weights AxisWeights(int source, int target) {
  Weights weights(static_cast<size_t>(target));
  for (int o = 0; o < target; ++o) {
    if (target <= source) {
      double from = double(o) * source / target, to = double(o + 1) * source / target;
      for (int i = int(from); i < source && i < to; ++i) {
        double part = std::min<double>(to, i + 1) - std::max<double>(from, i);
        if (part > 1e-12) weights[size_t(o)].push_back({i, part * target / source});
      }
    } else {
      double u = std::clamp((o + 0.5) * source / target - 0.5, 0.0, source - 1.0);
      int i = int(u);
      weights[size_t(o)].push_back({i, 1 - (u - i)});
      if (u > i) weights[size_t(o)].push_back({i + 1, u - i});
    }
  }
  return weights;
}

double ReferenceChannel(const ImageBuffer& in, const Weights& across, const Weights& along, int x,
                        int y, int c) {
  double sum = 0;
  for (auto [sy, wy] : along[size_t(y)]) {
    for (auto [sx, wx] : across[size_t(x)]) sum += wx * wy * PixelAt(in, sx, sy)[c];
  }
  return sum;
}

class ResizeTest : public FilterFixture {
 protected:
  ImageRef Resize(const ImageRef& picture, int width, int height, int dpiX = 72, int dpiY = 72) {
    std::string text = "{" + std::to_string(width) + "," + std::to_string(height) + "},0," +
                       std::to_string(dpiX) + "," + std::to_string(dpiY);
    return NewImage("Change_Size", picture, text, "%p,%d,%d,%d");
  }
};

TEST_F(ResizeTest, MatchesAreaAveragesAndInterpolation) {
  ImageRef picture = NoisyBlocks(31, 23, 40, 4);
  const std::pair<int, int> sizes[] = {{10, 7},  {30, 22}, {7, 40}, {62, 23},
                                       {90, 61}, {1, 1},   {31, 5}};
  for (auto [width, height] : sizes) {
    ImageRef result = Resize(picture, width, height);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->Width(), width);
    ASSERT_EQ(result->Height(), height);
    Weights across = AxisWeights(31, width), along = AxisWeights(23, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        for (int c = 0; c < 3; ++c) {
          ASSERT_NEAR(PixelAt(*result, x, y)[c], ReferenceChannel(*picture, across, along, x, y, c),
                      1.0)
              << width << "x" << height << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST_F(ResizeTest, HalvingAveragesExactlyTwoByTwoBlocks) {
  ImageRef grey = MakeIndex(64, 48, [](int x, int y) { return (x * 7 + y * 13) % 200; });
  ImageRef half = Resize(grey, 32, 24);
  ASSERT_TRUE(half);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 32; ++x) {
      int sum = PixelAt(*grey, 2 * x, 2 * y)[0] + PixelAt(*grey, 2 * x + 1, 2 * y)[0] +
                PixelAt(*grey, 2 * x, 2 * y + 1)[0] + PixelAt(*grey, 2 * x + 1, 2 * y + 1)[0];
      ASSERT_EQ(PixelAt(*half, x, y)[0], (sum + 2) / 4) << x << "," << y;
    }
  }
}

TEST_F(ResizeTest, LargePicturesInBandsMatchTooAndKeepFlatColours) {
  ImageRef flat = MakeSolid(1200, 900, 17, 130, 244);
  ImageRef small = Resize(flat, 247, 161);
  ASSERT_TRUE(small);
  EXPECT_TRUE(SamePixels(*small, *MakeSolid(247, 161, 17, 130, 244)));
  ImageRef large = Resize(MakeSolid(50, 40, 1, 2, 3), 731, 333);
  ASSERT_TRUE(large);
  EXPECT_TRUE(SamePixels(*large, *MakeSolid(731, 333, 1, 2, 3)));
}

TEST_F(ResizeTest, StoresTheResolutionGiven) {
  ImageRef picture = MakePhoto(20, 10, 2);
  picture->SetResolution(96 | (96u << 16));
  ImageRef result = Resize(picture, 40, 20, 300, 600);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->HorizontalDpi(), 300);
  EXPECT_EQ(result->VerticalDpi(), 600);

  // The same size still makes a new picture with the new resolution.
  ImageRef same = Resize(picture, 20, 10, 0, 0);
  ASSERT_TRUE(same);
  EXPECT_NE(same, picture);
  EXPECT_TRUE(SamePixels(*same, *picture));
  EXPECT_EQ(same->Resolution(), 0u);
  EXPECT_EQ(picture->Resolution(), 96 | (96u << 16));

  // Resolutions not given keep the picture's.
  ImageRef kept = NewImage("Change_Size", picture, "{10,5}", "%p,%d,%d,%d");
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->Resolution(), picture->Resolution());
}

TEST_F(ResizeTest, RefusesSizesItCannotMake) {
  ImageRef picture = MakePhoto(20, 10, 2);
  for (const char* text : {"{0,10},0,72,72", "{10,-1},0,72,72", "{10,10},0,-1,72",
                           "{10,10},0,72,70000", "{300000,300000},0,72,72", ""}) {
    host_.messages.clear();
    EXPECT_FALSE(NewImage("Change_Size", picture, text, "%p,%d,%d,%d")) << text;
    EXPECT_EQ(host_.messages.size(), 1u) << text;
  }
  EXPECT_FALSE(
      NewImage("Change_Size", ImageBuffer::Create(kKind8Bit, 4, 4), "{2,2},0,1,1", "%p,%d,%d,%d"));
}

}  // namespace
}  // namespace tintara::test
