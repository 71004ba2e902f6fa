// "graham_filt" against a reference written straight from its definition, and
// what it must do to pictures: flatten noise, keep edges and ramps.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "imaging/filters/graham_filter.h"
#include "imaging/filters/graham_rows.h"
#include "tests/filters/filter_fixture.h"
#include "tests/filters/picture_checks.h"

namespace tintara::test {
namespace {

// Window, column and row sums by direct loops over clamped coordinates;
// channel 3 is the luminance.
ImageRef GrahamReference(const ImageBuffer& in, int nx, int ny) {
  const int rx = nx / 2, ry = ny / 2, wx = 2 * rx + 1, wy = 2 * ry + 1;
  const int channels = in.Kind() == kKindRgb24 ? 3 : 1;
  auto at = [&](int x, int y, int c) -> int {
    const uint8_t* p =
        PixelAt(in, std::clamp(x, 0, in.Width() - 1), std::clamp(y, 0, in.Height() - 1));
    if (channels == 1) return p[0];
    return c < 3 ? p[c] : GrahamLuminance(p[0], p[1], p[2]);
  };
  ImageRef out = ImageBuffer::Create(in.Kind(), in.Width(), in.Height());
  for (int y = 0; y < in.Height(); ++y) {
    for (int x = 0; x < in.Width(); ++x) {
      int box[4] = {}, col[4] = {}, row[4] = {};
      for (int c = 0; c < 4; ++c) {
        for (int dy = -ry; dy <= ry; ++dy) {
          for (int dx = -rx; dx <= rx; ++dx) box[c] += at(x + dx, y + dy, c);
        }
        for (int d = -ry; d <= ry; ++d) col[c] += at(x, y + d, c);
        for (int d = -rx; d <= rx; ++d) row[c] += at(x + d, y, c);
      }
      const int l = channels == 1 ? 0 : 3;
      bool acrossX = std::abs(box[l] - wx * col[l]) > kGrahamDetailThreshold * rx * wy;
      bool acrossY = std::abs(box[l] - wy * row[l]) > kGrahamDetailThreshold * ry * wx;
      uint8_t* p = out->WritableRows().value().Row(y) + x * channels;
      for (int c = 0; c < channels; ++c) {
        int sum = box[c], d = wx * wy;
        if (acrossX && acrossY) sum = at(x, y, c), d = 1;
        if (acrossX && !acrossY) sum = col[c], d = wy;
        if (!acrossX && acrossY) sum = row[c], d = wx;
        p[c] = uint8_t((sum + d / 2) / d);
      }
    }
  }
  return out;
}

class GrahamTest : public FilterFixture {
 protected:
  ImageRef Run(const ImageRef& picture, int nx, int ny, const Region* region = nullptr) {
    return Windowed("graham_filt", picture, nx, ny, region);
  }
};

TEST_F(GrahamTest, MatchesTheDefinitionForEveryWindow) {
  const ImageRef pictures[] = {
      MakePhoto(23, 17, 2), NoisyBlocks(19, 14, 40, 9), NoisyBlocks(21, 13, 120, 4),
      MakeIndex(18, 15, [](int x, int y) { return (x * 37 + y * y * 11) % 256; })};
  const std::pair<int, int> windows[] = {{1, 1}, {3, 3}, {4, 4},   {5, 5},
                                         {3, 7}, {8, 2}, {15, 15}, {63, 63}};
  for (const ImageRef& picture : pictures) {
    for (auto [nx, ny] : windows) {
      ImageRef fast = Run(picture, nx, ny);
      EXPECT_TRUE(SamePixels(*fast, *GrahamReference(*picture, nx, ny)))
          << picture->Width() << "x" << picture->Height() << " window " << nx << "x" << ny;
    }
  }
}

TEST_F(GrahamTest, BandsOnSeveralCoresGiveTheSameResult) {
  ImageRef picture = NoisyBlocks(640, 420, 30, 7);  // large enough for several bands
  EXPECT_TRUE(SamePixels(*Run(picture, 5, 5), *GrahamReference(*picture, 5, 5)));
}

TEST_F(GrahamTest, OnlyPixelsOfTheRegionChange) {
  ImageRef picture = NoisyBlocks(30, 24, 40, 5);
  ImageRef everywhere = GrahamReference(*picture, 5, 5);
  RegionPtr ellipse = RegionCreateEllipse({4, 3, 17, 12});
  for (bool inverted : {false, true}) {
    ellipse->SetInverted(inverted);
    ImageRef result = Run(picture, 5, 5, ellipse.get());
    EXPECT_TRUE(SplitByRegion(*result, *everywhere, *picture, *ellipse)) << inverted;
  }
}

// Blue, green, red left and right of a vertical edge.
constexpr int kLeft[3] = {120, 90, 60};
constexpr int kRight[3] = {140, 160, 180};

// The two colours meeting at x = 30, with noise of +-6 levels.
ImageRef NoisyStep() {
  ImageRef picture = ImageBuffer::Create(kKindRgb24, 60, 40);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      for (int c = 0; c < 3; ++c) {
        int level = x < 30 ? kLeft[c] : kRight[c];
        picture->WritableRows().value().Row(y)[3 * x + c] = uint8_t(level + Noise(x, y * 3 + c, 6));
      }
    }
  }
  return picture;
}

TEST_F(GrahamTest, FlattensNoiseAndKeepsTheEdgeSharp) {
  ImageRef picture = NoisyStep();
  ImageRef result = Run(picture, 7, 7);
  // Away from the edge the noise drops to well under half.
  BoxRect left{3, 3, 22, 34}, right{35, 3, 22, 34};
  for (BoxRect side : {left, right}) {
    EXPECT_LT(ChannelSpread(*result, side), 0.4 * ChannelSpread(*picture, side));
  }
  // Right at the edge each side keeps its own colour: a one-pixel step.
  for (int y = 3; y < 37; ++y) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(PixelAt(*result, 29, y)[c], kLeft[c], 5) << y;
      EXPECT_NEAR(PixelAt(*result, 30, y)[c], kRight[c], 5) << y;
    }
  }
}

TEST_F(GrahamTest, RampsAreSmoothedNotFlattened) {
  // A steady ramp of 2 levels per pixel with +-5 noise: second differences are
  // zero, so the window mean follows the ramp.
  ImageRef picture = MakeIndex(80, 30, [](int x, int y) { return 40 + 2 * x + Noise(x, y, 5); });
  ImageRef result = Run(picture, 9, 9);
  double inputError = 0, outputError = 0;
  int count = 0;
  for (int y = 5; y < 25; ++y) {
    for (int x = 5; x < 75; ++x, ++count) {
      inputError += std::abs(PixelAt(*picture, x, y)[0] - (40 + 2 * x));
      outputError += std::abs(PixelAt(*result, x, y)[0] - (40 + 2 * x));
    }
  }
  EXPECT_LT(outputError / count, 1.0);
  EXPECT_LT(outputError, 0.4 * inputError);
}

// The row passes called directly, with each vector width this processor runs.
std::vector<GrahamLanes> LaneWidths() {
  std::vector<GrahamLanes> widths = {GrahamLanes::kFour};
  if (GrahamBestLanes() != GrahamLanes::kFour) widths.push_back(GrahamBestLanes());
  return widths;
}

const char* Named(GrahamLanes lanes) { return lanes == GrahamLanes::kFour ? "four" : "eight"; }

// The filter over `area` in bands that start at the given rows, as the
// result would be written back.
std::optional<AreaResult> FilterArea(const ImageBuffer& picture, BoxRect area, int nx, int ny,
                                     GrahamLanes lanes, std::vector<int32_t> bandStarts = {}) {
  std::optional<AreaResult> result = AreaResult::Make(picture, area);
  if (!result) return result;
  bandStarts.insert(bandStarts.begin(), 0);
  bandStarts.push_back(area.height);
  for (size_t b = 0; b + 1 < bandStarts.size(); ++b) {
    GrahamFilterRows(picture, *result, GrahamWindow{nx / 2, ny / 2}, area.y + bandStarts[b],
                     area.y + bandStarts[b + 1], lanes, [] { return true; });
  }
  return result;
}

// Rows of the result against the same columns of a filtered whole picture.
bool SameAsReference(const AreaResult& result, const ImageBuffer& reference) {
  const BoxRect& area = result.Area();
  const size_t bytes = size_t(BitsPerPixel(reference.Kind()) / 8);
  for (int32_t y = area.y; y < area.y + area.height; ++y) {
    if (std::memcmp(result.Row(y), reference.Row(y) + size_t(area.x) * bytes,
                    size_t(area.width) * bytes) != 0) {
      return false;
    }
  }
  return true;
}

TEST(GrahamRowsTest, EveryLaneWidthMatchesTheDefinitionWhateverTheWidth) {
  // Widths around every multiple of the vector lengths, and below the window.
  const int widths[] = {1, 2, 3, 7, 8, 9, 15, 16, 17, 23, 31, 33, 40, 47};
  const std::pair<int, int> windows[] = {{1, 1}, {3, 3}, {5, 9}, {15, 15}, {63, 5}};
  for (int width : widths) {
    const ImageRef pictures[] = {
        MakePhoto(width, 13, uint32_t(width)), NoisyBlocks(width, 11, 60, 3),
        MakeIndex(width, 12, [](int x, int y) { return (x * 53 + y * y * 7 + x * y) % 256; })};
    for (const ImageRef& picture : pictures) {
      for (auto [nx, ny] : windows) {
        ImageRef reference = GrahamReference(*picture, nx, ny);
        for (GrahamLanes lanes : LaneWidths()) {
          BoxRect whole{0, 0, picture->Width(), picture->Height()};
          std::optional<AreaResult> result = FilterArea(*picture, whole, nx, ny, lanes);
          ASSERT_TRUE(result);
          EXPECT_TRUE(SameAsReference(*result, *reference))
              << Named(lanes) << " lanes, " << picture->Width() << "x" << picture->Height()
              << (picture->Kind() == kKindRgb24 ? " colour" : " grey") << ", window " << nx << "x"
              << ny;
        }
      }
    }
  }
}

TEST(GrahamRowsTest, AreasAndBandsTakeTheirNeighboursFromThePicture) {
  // Areas touching each edge and lying inside, so the padding comes from
  // picture columns and rows where there are some and repeats the edge where
  // there are none; bands that start anywhere, one row long too.
  const ImageRef pictures[] = {
      MakePhoto(45, 30, 5),
      MakeIndex(45, 30, [](int x, int y) { return (x * x * 3 + y * 29 + (x ^ y) * 5) % 256; })};
  const BoxRect areas[] = {{0, 0, 45, 30}, {0, 4, 20, 9},  {3, 0, 17, 30},
                           {21, 5, 24, 25}, {9, 7, 19, 14}, {44, 29, 1, 1}};
  for (const ImageRef& picture : pictures) {
    ImageRef reference = GrahamReference(*picture, 7, 5);
    for (const BoxRect& area : areas) {
      for (GrahamLanes lanes : LaneWidths()) {
        std::vector<int32_t> bandStarts;
        if (area.height > 3) bandStarts = {1, 2, area.height / 2};
        std::optional<AreaResult> result = FilterArea(*picture, area, 7, 5, lanes, bandStarts);
        ASSERT_TRUE(result);
        EXPECT_TRUE(SameAsReference(*result, *reference))
            << Named(lanes) << " lanes, area " << area.x << "," << area.y << " " << area.width
            << "x" << area.height
            << (picture->Kind() == kKindRgb24 ? " colour" : " grey");
      }
    }
  }
}

TEST(GrahamRowsTest, StopsAfterTheRowWhoseReportIsRefused) {
  ImageRef picture = NoisyBlocks(37, 20, 40, 4);
  ImageRef reference = GrahamReference(*picture, 5, 5);
  for (GrahamLanes lanes : LaneWidths()) {
    std::optional<AreaResult> result = AreaResult::Make(*picture, {0, 0, 37, 20});
    ASSERT_TRUE(result);
    int reports = 0;
    GrahamFilterRows(*picture, *result, GrahamWindow{2, 2}, 0, 20, lanes,
                     [&reports] { return ++reports < 3; });
    EXPECT_EQ(reports, 3) << Named(lanes);
    for (int32_t y = 0; y < 20; ++y) {
      const uint8_t* row = result->Row(y);
      if (y < 3) {
        EXPECT_EQ(std::memcmp(row, reference->Row(y), 37 * 3), 0) << Named(lanes) << " row " << y;
      } else {
        EXPECT_TRUE(std::all_of(row, row + 37 * 3, [](uint8_t v) { return v == 0; }))
            << Named(lanes) << " row " << y << " was written after the stop";
      }
    }
  }
}

TEST(GrahamRowsTest, MeanFactorRoundsExactlyForEveryWindow) {
  // The product is monotonic in the sum, so checking both sides of every
  // step of the quotient checks every sum in between.
  std::set<int32_t> divisors;
  for (int32_t a = 1; a <= kGrahamLargestWindow; a += 2) {
    for (int32_t b = 1; b <= kGrahamLargestWindow; b += 2) divisors.insert({a * b, a});
  }
  for (int32_t d : divisors) {
    const float factor = GrahamMeanFactor(d);
    const int32_t largest = 255 * d + d / 2;  // the largest sum plus half the divisor
    for (int32_t q = 0; q <= 255; ++q) {
      for (int32_t n : {q * d - 1, q * d, q * d + d - 1}) {
        if (n < 0 || n > largest) continue;
        ASSERT_EQ(int32_t(float(n) * factor), n / d) << "divisor " << d << ", " << n;
      }
    }
  }
}

}  // namespace
}  // namespace tintara::test
