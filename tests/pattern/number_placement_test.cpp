#include "pattern/number_placement.h"

#include <gtest/gtest.h>

#include <vector>

#include "pattern/number_glyphs.h"
#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

using test::At;
using test::Differences;
using test::InputFor;
using test::MakeIndex;
using test::OnFrame;
using test::RenderWhole;
using test::Stamp;
using test::StampedPixels;

// The numbered pattern must be the bordered one plus exactly these glyphs.
void ExpectNumbers(const ImageBuffer& index, const std::vector<Stamp>& stamps) {
  ImageRef plain = RenderWhole(index, kPatternNumbers, true);
  ImageRef numbered = RenderWhole(index, kPatternNumbers);
  std::vector<bool> expected = StampedPixels(*plain, stamps);
  std::vector<bool> actual = Differences(*plain, *numbered);
  for (int32_t y = 0; y < index.Height(); ++y) {
    for (int32_t x = 0; x < index.Width(); ++x) {
      size_t i = size_t(y) * size_t(index.Width()) + size_t(x);
      ASSERT_EQ(actual[i], expected[i]) << "pixel " << x << "," << y;
      if (actual[i]) {
        ASSERT_EQ(At(*numbered, x, y), kPatternInk);
      }
    }
  }
}

TEST(NumberPlacement, OneColourGetsOneNumberAtTheCentreOfTheLastWidestRow) {
  ImageRef index = MakeIndex(64, 48, [](int, int) { return 0; });
  ImageRef pattern = RenderWhole(*index, kPatternNumbers);
  // Grid 8 × 6, every row as wide: centred cells 3 and 4 of the last row; the
  // later wins, so the sample is (32, 40) and the glyph's corner (24, 32).
  const NumberGlyph* one = GlyphForNumber(1);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      bool ink = OnFrame(*pattern, x, y) || one->Ink(x - 24, y - 32);
      ASSERT_EQ(At(*pattern, x, y), ink ? kPatternInk : kPatternWhite) << x << "," << y;
    }
  }
}

TEST(NumberPlacement, TheWidestRunWinsOverLaterNarrowerOnes) {
  // Colour 1 is a T: a bar over grid columns 1..10 in grid row 2 and a stem
  // over columns 5..6 in rows 3..9, on colour 0.
  ImageRef index = MakeIndex(96, 96, [](int x, int y) {
    int i = x / 8, j = y / 8;
    return (j == 2 && i >= 1 && i <= 10) || (j >= 3 && j <= 9 && (i == 5 || i == 6)) ? 1 : 0;
  });
  // The bar's centred cells are 5 and 6 (distances 4 | 5 and 5 | 4): cell 6,
  // sample (48, 16). Colour 0 is whole in rows 0, 1, 10 and 11: row 11, cell 6,
  // sample (48, 88), glyph corner clamped to 96 - 8 = 88 does not bite: 80.
  ExpectNumbers(*index, {{2, 40, 8}, {1, 40, 80}});
}

TEST(NumberPlacement, SmallAreasAreNumberedOnlyWhenTheyHoldASample) {
  ImageRef index = MakeIndex(64, 64, [](int x, int y) {
    if (x >= 10 && x <= 12 && y >= 10 && y <= 12) return 5;  // between samples
    if (x >= 14 && x <= 19 && y >= 14 && y <= 19) return 2;  // holds sample (16, 16)
    return 0;
  });
  // Colour 0 covers all of grid rows 0, 1 and 3..7: row 7, cell 4, sample (32, 56).
  ExpectNumbers(*index, {{3, 8, 8}, {1, 24, 48}});
}

TEST(NumberPlacement, GlyphsStayInsideThePicture) {
  // A picture narrower than a glyph: the one sample (0, 8) puts the corner at
  // (0, 0); the ink of columns 10..12 lies outside and is not written.
  ImageRef index = MakeIndex(10, 20, [](int, int) { return 34; });
  ExpectNumbers(*index, {{35, 0, 0}});
  // Near the right edge the glyph is placed 8 left of its sample and fits.
  ImageRef edge = MakeIndex(70, 40, [](int x, int) { return x < 56 ? 0 : 1; });
  ExpectNumbers(*edge, {{1, 16, 24}, {2, 48, 24}});
}

TEST(NumberPlacement, ColoursBeyondThirtyFiveAreNumberedByTheSameRule) {
  ImageRef index = MakeIndex(32, 32, [](int x, int) { return x < 16 ? 35 : 34; });
  // Grid 4 × 4; colour 35 owns cells 0..1 and colour 34 cells 2..3: centred
  // cells 1 and 3 (1 | 0), last row.
  ExpectNumbers(*index, {{36, 0, 16}, {35, 16, 16}});
  // Beyond the 256 positions a palette can hold there is nothing to number.
  EXPECT_EQ(GlyphForNumber(257), nullptr);
}

TEST(NumberPlacement, DigitsReadUprightWhenRowZeroIsShownAtTheBottom) {
  // Colour 6 carries a 7: its bar is the top of the digit, which on screen is
  // the highest row number the ink reaches.
  ImageRef index = MakeIndex(32, 32, [](int, int) { return 6; });
  ImageRef pattern = RenderWhole(*index, kPatternNumbers);
  int32_t topRow = -1, widestRow = -1, widest = 0;
  for (int32_t y = 1; y < 31; ++y) {
    int ink = 0;
    for (int32_t x = 1; x < 31; ++x) ink += At(*pattern, x, y) == kPatternInk;
    if (ink > 0) topRow = y;
    if (ink > widest) {
      widest = ink;
      widestRow = y;
    }
  }
  EXPECT_EQ(widest, 5);
  EXPECT_EQ(widestRow, topRow);
}

TEST(NumberPlacement, PartialRedrawNumbersAreasOnTheRectanglesOwnGrid) {
  ImageRef index = MakeIndex(128, 128, [](int, int) { return 0; });
  ImageRef pattern = RenderWhole(*index, kPatternNumbers);
  ImageRef before = ImageBuffer::Copy(*pattern);
  // Grown to 38..81: a 5 × 5 grid from (38, 38); centred cell 2 of the last
  // row, sample (54, 70), glyph corner (46, 62).
  ASSERT_EQ(RenderPattern(InputFor(*index, kPatternNumbers), *pattern, {40, 40, 80, 80, false},
                          nullptr),
            RenderStatus::kDone);
  std::vector<bool> expected = StampedPixels(*before, {{1, 46, 62}});
  std::vector<bool> actual = Differences(*before, *pattern);
  EXPECT_EQ(actual, expected);
  // The pen's stamps while a stroke is drawn place no number.
  ImageRef stroke = ImageBuffer::Copy(*before);
  RenderPattern(InputFor(*index, kPatternNumbers), *stroke, {40, 40, 80, 80, true}, nullptr);
  EXPECT_TRUE(test::SamePixels(*stroke, *before));
}

}  // namespace
}  // namespace tintara
