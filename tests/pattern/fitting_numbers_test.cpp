#include <gtest/gtest.h>

#include <random>

#include "pattern/merge_small_areas.h"
#include "pattern/number_glyphs.h"
#include "pattern/number_placement.h"
#include "pattern/pattern_quality.h"
#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::At;
using test::MakeIndex;

// The pixels the renderer leaves white inside the rectangle.
bool Inner(const ImageBuffer& index, int32_t x, int32_t y) {
  if (x < 1 || y < 1 || x >= index.Width() - 1 || y >= index.Height() - 1) return false;
  return At(index, x, y) == At(index, x - 1, y) && At(index, x, y) == At(index, x, y - 1);
}

// Every placed ink box, grown by one pixel, lies on inner pixels of the area
// whose number it shows, and no two boxes overlap.
void ExpectNumbersFit(const ImageBuffer& index, const FittedNumbers& fitted) {
  for (size_t i = 0; i < fitted.placed.size(); ++i) {
    const NumberPlacement& p = fitted.placed[i];
    const LtrbRect box = GlyphInkBox(p);
    for (int32_t y = box.top - 1; y < box.bottom + 1; ++y) {
      for (int32_t x = box.left - 1; x < box.right + 1; ++x) {
        ASSERT_TRUE(Inner(index, x, y)) << "number " << p.number << " at " << x << "," << y;
        ASSERT_EQ(At(index, x, y) + 1, p.number);
      }
    }
    for (size_t j = 0; j < i; ++j) {
      const LtrbRect other = GlyphInkBox(fitted.placed[j]);
      ASSERT_FALSE(box.left < other.right && other.left < box.right && box.top < other.bottom &&
                   other.top < box.bottom);
    }
  }
}

TEST(FittingNumbers, OneColourGetsItsNumberAtTheMostInteriorPoint) {
  ImageRef index = MakeIndex(100, 80, [](int32_t, int32_t) { return 4; });
  FittedNumbers fitted = PlanFittingNumbers(*index, {0, 0, 100, 80});
  ASSERT_EQ(fitted.placed.size(), 1u);
  EXPECT_EQ(fitted.unnumbered, 0);
  // Inner pixels span 1..98 × 1..78: the centre ties go to the later row and column.
  EXPECT_EQ(fitted.placed[0].px, 50);
  EXPECT_EQ(fitted.placed[0].py, 40);
  EXPECT_EQ(fitted.placed[0].number, 5);
  ExpectNumbersFit(*index, fitted);

  // The renderer stamps exactly that glyph on the bordered pattern.
  ImageRef plain = test::RenderWhole(*index, kPatternNumbers, true);
  ImageRef numbered = test::NewPattern(100, 80);
  PatternRenderInput input = test::InputFor(*index, kPatternNumbers);
  input.fitNumbers = true;
  int32_t unnumbered = -1;
  input.unnumberedAreas = &unnumbered;
  ASSERT_EQ(RenderPattern(input, *numbered, WholePattern(*numbered), nullptr), RenderStatus::kDone);
  EXPECT_EQ(unnumbered, 0);
  std::vector<bool> expected = test::StampedPixels(*plain, {{5, 42, 33}});
  EXPECT_EQ(test::Differences(*plain, *numbered), expected);
}

TEST(FittingNumbers, ALargePictureSearchedInBandsKeepsTheLaterOfEqualPlaces) {
  // Large enough to be searched on several cores: the two most interior rows
  // (149 and 150) tie and the later one must win wherever the bands split.
  ImageRef index = MakeIndex(1000, 300, [](int32_t x, int32_t y) {
    return x < 40 && y < 40 ? 2 : 7;
  });
  FittedNumbers fitted = PlanFittingNumbers(*index, {0, 0, 1000, 300});
  ASSERT_EQ(fitted.placed.size(), 2u);
  EXPECT_EQ(fitted.unnumbered, 0);
  const NumberPlacement& field = fitted.placed[1];
  EXPECT_EQ(field.number, 8);
  EXPECT_EQ(field.py, 150);
  ExpectNumbersFit(*index, fitted);
}

TEST(FittingNumbers, AnAreaTooSmallForItsNumberGetsNoneAndIsCounted) {
  // A 10 × 10 block: its inner part (9 × 9) cannot hold an 11 × 9 box.
  ImageRef index = MakeIndex(80, 60, [](int32_t x, int32_t y) {
    return x >= 30 && x < 40 && y >= 20 && y < 30 ? 1 : 0;
  });
  FittedNumbers fitted = PlanFittingNumbers(*index, {0, 0, 80, 60});
  EXPECT_EQ(fitted.areas, 2);
  EXPECT_EQ(fitted.unnumbered, 1);
  ASSERT_EQ(fitted.placed.size(), 1u);
  EXPECT_EQ(fitted.placed[0].number, 1);
  ExpectNumbersFit(*index, fitted);
  // 11 × 10 inner pixels (a 12 × 11 block) is just enough.
  ImageRef enough = MakeIndex(80, 60, [](int32_t x, int32_t y) {
    return x >= 30 && x < 42 && y >= 20 && y < 30 ? 1 : 0;
  });
  FittedNumbers both = PlanFittingNumbers(*enough, {0, 0, 80, 60});
  EXPECT_EQ(both.unnumbered, 0);
  ExpectNumbersFit(*enough, both);
}

TEST(FittingNumbers, NumbersNeverCollideWhereTheGridRuleDoes) {
  // Stripes eight pixels wide: the grid rule numbers each stripe one cell
  // apart, so its glyph boxes overlap; fitted numbers skip the stripes.
  ImageRef stripes = MakeIndex(160, 120, [](int32_t x, int32_t y) {
    return y < 60 ? (x / 8) % 3 : 3;
  });
  PatternQuality grid = MeasurePatternQuality(*stripes, false, 0.2);
  PatternQuality fitted = MeasurePatternQuality(*stripes, true, 0.2);
  EXPECT_GT(grid.overlappingBoxes, 0);
  EXPECT_EQ(fitted.overlappingBoxes, 0);
  EXPECT_EQ(fitted.areas, 21);
  EXPECT_EQ(fitted.numberedAreas, 1);  // only the wide field below
  EXPECT_DOUBLE_EQ(fitted.smallestDiameterPixels, 7.0);
  EXPECT_NEAR(fitted.smallestDiameterMm, 1.4, 1e-9);
}

TEST(FittingNumbers, AfterMergingABusyPictureEveryNumberFits) {
  std::mt19937 random(11);
  ImageRef index = MakeIndex(300, 200, [&](int32_t x, int32_t y) {
    return ((x / 9 + y / 13) * 7 + int(random() % 3 == 0)) % 5;
  });
  std::vector<Lab> paints;
  for (int k = 0; k < 5; ++k) paints.push_back(SrgbToLab({uint8_t(k * 50), 90, uint8_t(250 - k * 40)}));
  MergeSmallAreas(*index, paints, 15.0);
  FittedNumbers fitted = PlanFittingNumbers(*index, {0, 0, 300, 200});
  ExpectNumbersFit(*index, fitted);
  PatternQuality quality = MeasurePatternQuality(*index, true, 0.17);
  EXPECT_EQ(quality.overlappingBoxes, 0);
  EXPECT_EQ(quality.numberedAreas, int32_t(fitted.placed.size()));
  EXPECT_EQ(quality.areas - quality.numberedAreas, fitted.unnumbered);
  EXPECT_GE(quality.smallestDiameterPixels, 15.0);
}

}  // namespace
}  // namespace tintara
