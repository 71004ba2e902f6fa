#include "pattern/merge_small_areas.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "pattern/area_geometry.h"
#include "pattern/pattern_quality.h"
#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::At;
using test::MakeIndex;

// 0 white, 1 dark red, 2 red, 3 blue, 4 light grey.
std::vector<Lab> Paints() {
  std::vector<Lab> paints;
  for (Rgb c : {Rgb{255, 255, 255}, Rgb{150, 0, 0}, Rgb{200, 20, 20}, Rgb{0, 0, 200},
                Rgb{230, 230, 230}}) {
    paints.push_back(SrgbToLab(c));
  }
  return paints;
}

std::set<int> Values(const ImageBuffer& index) {
  std::set<int> values;
  for (int32_t y = 0; y < index.Height(); ++y) {
    for (int32_t x = 0; x < index.Width(); ++x) values.insert(At(index, x, y));
  }
  return values;
}

// Blobs of five paints: squares of random size at random places.
ImageRef Blobs(int32_t width, int32_t height, uint32_t seed) {
  std::mt19937 random(seed);
  ImageRef index = MakeIndex(width, height, [](int32_t, int32_t) { return 0; });
  for (int n = 0; n < 400; ++n) {
    const int32_t size = 1 + int32_t(random() % 14);
    const int32_t x0 = int32_t(random() % uint32_t(width));
    const int32_t y0 = int32_t(random() % uint32_t(height));
    const uint8_t value = uint8_t(random() % 5);
    for (int32_t y = y0; y < std::min(height, y0 + size); ++y) {
      uint8_t* row = index->WritableRows().value().Row(y);
      for (int32_t x = x0; x < std::min(width, x0 + size / 2 + 1); ++x) row[x] = value;
    }
  }
  return index;
}

TEST(AreaGeometry, SquaredDistancesMatchABruteForceSearch) {
  std::mt19937 random(7);
  for (int32_t density : {2, 30, 0}) {
    const int32_t w = 37, h = 23;
    std::vector<uint8_t> seed(size_t(w * h));
    for (uint8_t& s : seed) s = density > 0 && int32_t(random() % 100) < density;
    std::vector<int32_t> got = SquaredDistances(seed, w, h);
    for (int32_t y = 0; y < h; ++y) {
      for (int32_t x = 0; x < w; ++x) {
        int32_t best = INT32_MAX;
        for (int32_t v = 0; v < h; ++v) {
          for (int32_t u = 0; u < w; ++u) {
            if (seed[size_t(v * w + u)]) best = std::min(best, (u - x) * (u - x) + (v - y) * (v - y));
          }
        }
        if (best == INT32_MAX) {
          ASSERT_GT(got[size_t(y * w + x)], w * w + h * h) << x << "," << y;
        } else {
          ASSERT_EQ(got[size_t(y * w + x)], best) << "density " << density << " at " << x << "," << y;
        }
      }
    }
  }
}

TEST(AreaGeometry, DiametersOfALonePixelALineAndAFieldCutByTheEdge) {
  ImageRef lone = MakeIndex(30, 30, [](int32_t x, int32_t y) { return x == 12 && y == 9 ? 1 : 0; });
  EXPECT_DOUBLE_EQ(SmallestAreaDiameter(*lone), 1.0);
  ImageRef line = MakeIndex(40, 30, [](int32_t x, int32_t) { return x >= 15 && x < 18 ? 1 : 0; });
  EXPECT_DOUBLE_EQ(SmallestAreaDiameter(*line), 3.0);
  // A strip along the left edge is only as wide as it is inside the picture.
  ImageRef edge = MakeIndex(40, 30, [](int32_t x, int32_t) { return x < 5 ? 1 : 0; });
  EXPECT_DOUBLE_EQ(SmallestAreaDiameter(*edge), 5.0);
  // Areas are 4-connected: two pixels touching at a corner are two areas.
  ImageRef diagonal = MakeIndex(20, 20, [](int32_t x, int32_t y) {
    return (x == 5 && y == 5) || (x == 6 && y == 6) ? 1 : 0;
  });
  AreaLabels areas = LabelAreas(*diagonal, {0, 0, 20, 20});
  EXPECT_EQ(areas.count, 3);
  EXPECT_NE(areas.At(5, 5), areas.At(6, 6));
}

TEST(MergeSmallAreas, ALonePixelTakesThePaintAroundIt) {
  ImageRef index = MakeIndex(40, 40, [](int32_t x, int32_t y) { return x == 20 && y == 20 ? 2 : 3; });
  MergeOutcome outcome = MergeSmallAreas(*index, Paints(), 5.0);
  EXPECT_EQ(outcome.mergedAreas, 1);
  EXPECT_EQ(Values(*index), std::set<int>{3});
}

TEST(MergeSmallAreas, AThinLineJoinsTheNeighbourThatLooksClosest) {
  // Red line two pixels wide between dark red and blue: dark red is closer.
  auto picture = [](int32_t x, int32_t) { return x < 29 ? 1 : x < 31 ? 2 : 3; };
  ImageRef index = MakeIndex(60, 40, picture);
  MergeSmallAreas(*index, Paints(), 6.0);
  for (int32_t y = 0; y < 40; ++y) {
    for (int32_t x = 0; x < 60; ++x) {
      ASSERT_EQ(At(*index, x, y), x < 31 ? 1 : 3) << x << "," << y;
    }
  }
  // A line three pixels wide stays when that is the minimum.
  ImageRef wide = MakeIndex(60, 40, [](int32_t x, int32_t) { return x < 29 ? 1 : x < 32 ? 2 : 3; });
  MergeSmallAreas(*wide, Paints(), 3.0);
  EXPECT_EQ(At(*wide, 30, 20), 2);
}

TEST(MergeSmallAreas, TheEdgeOfThePictureBoundsAnAreaLikeANeighbour) {
  // A strip three pixels wide along the left edge, and a 20 × 20 block in a corner.
  ImageRef index = MakeIndex(50, 50, [](int32_t x, int32_t y) {
    if (x < 3) return 4;
    if (x >= 30 && y >= 30) return 4;
    return 0;
  });
  MergeSmallAreas(*index, Paints(), 5.0);
  EXPECT_EQ(At(*index, 0, 25), 0);
  EXPECT_EQ(At(*index, 2, 0), 0);
  EXPECT_EQ(At(*index, 49, 49), 4);
  EXPECT_EQ(At(*index, 30, 30), 4);
}

TEST(MergeSmallAreas, AChainOfSmallAreasMergesUntilNoneIsLeft) {
  // Alternating red and dark red 3 × 3 squares in a row across a white field:
  // each pair merges into a still narrow strip, which at last joins the field.
  ImageRef index = MakeIndex(60, 30, [](int32_t x, int32_t y) {
    if (y < 12 || y >= 15 || x < 6 || x >= 51) return 0;
    return ((x - 6) / 3) % 2 == 0 ? 1 : 2;
  });
  MergeOutcome outcome = MergeSmallAreas(*index, Paints(), 5.0);
  EXPECT_EQ(Values(*index), std::set<int>{0});
  EXPECT_GT(outcome.rounds, 1);
  // Three small areas side by side with nothing else: they end as one area.
  ImageRef alone = MakeIndex(12, 4, [](int32_t x, int32_t) { return 1 + x / 4; });
  MergeSmallAreas(*alone, Paints(), 6.0);
  EXPECT_EQ(Values(*alone).size(), 1u);
}

TEST(MergeSmallAreas, NoAreaNarrowerThanTheMinimumIsLeftInABusyPicture) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    ImageRef index = Blobs(160, 120, seed);
    const std::set<int> before = Values(*index);
    ASSERT_LT(SmallestAreaDiameter(*index), 7.0);
    MergeSmallAreas(*index, Paints(), 7.0);
    EXPECT_GE(SmallestAreaDiameter(*index), 7.0) << "seed " << seed;
    for (int v : Values(*index)) EXPECT_TRUE(before.count(v)) << v;
  }
}

TEST(MergeSmallAreas, AreasWideEnoughAreLeftAlone) {
  ImageRef index = Blobs(160, 120, 5);
  ImageRef copy = ImageBuffer::Create(kKindGray8, 160, 120);
  for (int32_t y = 0; y < 120; ++y) {
    std::copy_n(index->Row(y), 160, copy->WritableRows().value().Row(y));
  }
  MergeOutcome outcome = MergeSmallAreas(*index, Paints(), 1.0);
  EXPECT_EQ(outcome.mergedAreas, 0);
  EXPECT_TRUE(test::SamePixels(*index, *copy));
}

TEST(MergeSmallAreas, WorkBeyondTheMemoryLimitIsRefusedBeforeAnythingChanges) {
  ImageRef index = Blobs(300, 200, 11);
  ImageRef before = ImageBuffer::Copy(*index);
  const uint64_t cells = 300 * 200;
  const uint64_t areas = uint64_t(LabelAreas(*index, {0, 0, 300, 200}).count);

  // The cells alone weigh more than the limit: refused before labelling.
  MergeOutcome refused = MergeSmallAreas(*index, Paints(), 7.0, MergeWorkingBytes(cells, 0) - 1);
  EXPECT_EQ(refused.refusedBytes, MergeWorkingBytes(cells, 0));
  EXPECT_EQ(refused.mergedAreas, 0);
  EXPECT_TRUE(test::SamePixels(*index, *before));

  // The cells fit, the areas once counted do not.
  refused = MergeSmallAreas(*index, Paints(), 7.0, MergeWorkingBytes(cells, areas) - 1);
  EXPECT_EQ(refused.refusedBytes, MergeWorkingBytes(cells, areas));
  EXPECT_TRUE(test::SamePixels(*index, *before));

  MergeOutcome merged = MergeSmallAreas(*index, Paints(), 7.0, MergeWorkingBytes(cells, areas));
  EXPECT_EQ(merged.refusedBytes, 0u);
  EXPECT_GT(merged.mergedAreas, 0);
  ImageRef unlimited = ImageBuffer::Copy(*before);
  MergeSmallAreas(*unlimited, Paints(), 7.0);
  EXPECT_TRUE(test::SamePixels(*index, *unlimited));
}

}  // namespace
}  // namespace tintara

namespace tintara {
namespace {

// A ramp of greys, darkest first: neighbouring paints look alike, as the
// paints of a sky's gradient do.
std::vector<Lab> GreyRamp(int count) {
  std::vector<Lab> paints;
  for (int i = 0; i < count; ++i) {
    const uint8_t v = uint8_t(40 + 200 * i / (count - 1));
    paints.push_back(SrgbToLab(Rgb{v, v, v}));
  }
  return paints;
}

// Horizontal bands of the ramp's paints in order, `heights` cycled, with a
// few specks of the next paint in each band as a noisy photo leaves them.
ImageRef Bands(int32_t width, const std::vector<int32_t>& heights, int paints) {
  std::vector<uint8_t> rowPaint;
  for (int p = 0; p < paints; ++p) {
    rowPaint.insert(rowPaint.end(), size_t(heights[size_t(p) % heights.size()]), uint8_t(p));
  }
  const int32_t height = int32_t(rowPaint.size());
  return MakeIndex(width, height, [&](int32_t x, int32_t y) {
    const uint8_t paint = rowPaint[size_t(y)];
    const bool speck = (x * 7 + y * 13) % 97 == 0 && paint + 1 < paints;
    return speck ? paint + 1 : paint;
  });
}

TEST(MergeSmallAreas, ThinBandsOfAGradientKeepTheirPaintsWhenAsked) {
  // Thin bands (6 cells) between wide ones (30): the thin ones are narrower
  // than the minimum of 12 everywhere and would all be given away.
  ImageRef plain = Bands(200, {30, 6}, 11);
  ImageRef kept = ImageBuffer::Copy(*plain);
  MergeSmallAreas(*plain, GreyRamp(11), 12.0);
  EXPECT_EQ(Values(*plain).size(), 6u);
  MergeOutcome outcome = MergeSmallAreas(*kept, GreyRamp(11), 12.0, UINT64_MAX, true);
  EXPECT_GT(outcome.mergedAreas, 0);  // the specks still go
  EXPECT_EQ(Values(*kept).size(), 11u);
  EXPECT_GE(SmallestAreaDiameter(*kept), 12.0);
  // A thin band stays where it was: its middle row keeps its paint.
  EXPECT_EQ(At(*kept, 100, 30 + 3), 1);
  EXPECT_EQ(At(*kept, 100, 36 + 30 + 3), 3);
}

TEST(MergeSmallAreas, OfEquallyThinBandsAboutHalfStayAndAllArePaintable) {
  // Twelve bands of 8 cells and a minimum of 15: no band can widen without
  // taking a neighbour's place, so about half of them can stay (the two at
  // the picture's edges can only widen one way).
  ImageRef kept = Bands(200, {8}, 12);
  MergeSmallAreas(*kept, GreyRamp(12), 15.0, UINT64_MAX, true);
  EXPECT_GE(Values(*kept).size(), 5u);
  EXPECT_GE(SmallestAreaDiameter(*kept), 15.0);
}

TEST(MergeSmallAreas, KeepingPaintsIsRefusedLikeTheMergeBeforeAnythingChanges) {
  ImageRef index = Bands(200, {30, 6}, 11);
  ImageRef before = ImageBuffer::Copy(*index);
  const uint64_t cells = uint64_t(index->Width()) * uint64_t(index->Height());
  const uint64_t areas =
      uint64_t(LabelAreas(*index, {0, 0, index->Width(), index->Height()}).count);
  for (uint64_t limit : {MergeWorkingBytes(cells, 0) - 1, MergeWorkingBytes(cells, areas) - 1}) {
    MergeOutcome refused = MergeSmallAreas(*index, GreyRamp(11), 12.0, limit, true);
    EXPECT_GT(refused.refusedBytes, 0u);
    EXPECT_TRUE(test::SamePixels(*index, *before)) << limit;
  }
}

}  // namespace
}  // namespace tintara
