// Numbers for working palettes beyond 35 colours, and the pixels of smaller
// palettes' patterns, which must not change.
#include <gtest/gtest.h>

#include <set>

#include "pattern/number_glyphs.h"
#include "pattern/number_placement.h"
#include "tests/pattern/pattern_fixtures.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

uint64_t Fnv1a(const ImageBuffer& image) {
  uint64_t hash = 1469598103934665603ull;
  for (int32_t y = 0; y < image.Height(); ++y) {
    const uint8_t* row = image.Row(y);
    for (int32_t x = 0; x < image.Width(); ++x) hash = (hash ^ row[x]) * 1099511628211ull;
  }
  return hash;
}

// Bands and blobs of every colour position below `colours`.
ImageRef Blobs(int colours) {
  return test::MakeIndex(413, 297, [colours](int x, int y) {
    int v = (x * x / 131 + y * y / 67 + (x * y) / 89 + (x ^ y) % 5) / 7;
    return v % colours;
  });
}

// Fingerprints of these patterns as they were drawn before numbers beyond 35
// existed: a palette of up to 35 colours must give the same bytes.
TEST(LargePaletteNumbers, PatternsOfUpTo35ColoursKeepEveryByte) {
  struct Case {
    int colours;
    int32_t type;
    uint64_t hash;
  };
  const Case cases[] = {
      {8, kPatternNumbers, 0x3dcd99bce1b0af32ull},
      {32, kPatternNumbers, 0x9f91168793396e01ull},
      {35, kPatternNumbers, 0x5d29a06ffb20a4bbull},
      {35, kPatternTiles, 0x2b3f43b07a1fcb7dull},
      {35, kPatternBordersOnly, 0x3e648603107bf034ull},
  };
  for (const Case& c : cases) {
    ImageRef pattern = test::RenderWhole(*Blobs(c.colours), c.type);
    EXPECT_EQ(Fnv1a(*pattern), c.hash) << c.colours << " colours, type " << c.type;
  }
}

// The digits of 36..256 are the same seven rows high as those of 1..35; a
// three-digit number is three of the narrow digits with a column between.
TEST(LargePaletteNumbers, EveryNumberUpTo256HasItsOwnGlyphOfTheSameDigits) {
  std::set<std::array<uint16_t, kGlyphSize>> distinct;
  for (int n = 1; n <= kLastGlyphNumber; ++n) {
    const NumberGlyph* glyph = GlyphForNumber(n);
    ASSERT_NE(glyph, nullptr) << n;
    distinct.insert(glyph->rows);
    for (int v = 0; v < kGlyphSize; ++v) {
      if (v < kGlyphInkFirstRow || v > kGlyphInkLastRow) {
        EXPECT_EQ(glyph->rows[size_t(v)], 0) << n << " row " << v;
      }
    }
  }
  EXPECT_EQ(distinct.size(), size_t(kLastGlyphNumber));
  EXPECT_EQ(GlyphForNumber(kLastGlyphNumber + 1), nullptr);
  // The digit at columns c..c+3 of a three-digit glyph.
  auto digitAt = [](const NumberGlyph& g, int column) {
    uint64_t bits = 0;
    for (int v = kGlyphInkFirstRow; v <= kGlyphInkLastRow; ++v) {
      bits = (bits << 4) | ((g.rows[size_t(v)] >> column) & 0xF);
    }
    return bits;
  };
  for (int n = 100; n <= kLastGlyphNumber; ++n) {
    const NumberGlyph& glyph = *GlyphForNumber(n);
    // The tens digit of a two-digit glyph sits at columns 4..7, its units at 9..12.
    const NumberGlyph& hundreds = *GlyphForNumber(10 * (n / 100) + n % 10);
    const NumberGlyph& tens = *GlyphForNumber(10 * (n / 10 % 10 == 0 ? 1 : n / 10 % 10) + n / 10 % 10);
    EXPECT_EQ(digitAt(glyph, 1), digitAt(hundreds, 4)) << n;
    EXPECT_EQ(digitAt(glyph, 6), digitAt(tens, 9)) << n;
    EXPECT_EQ(digitAt(glyph, 11), digitAt(hundreds, 9)) << n;
    EXPECT_EQ(glyph.rows[kGlyphInkFirstRow] & 0x8421, 0) << n << ": gaps and margins stay clear";
  }
}

// 48 colours in a grid of 24-pixel squares: every square holds samples, so
// every square gets its number, those above 35 included, inside itself.
TEST(LargePaletteNumbers, A48ColourPatternNumbersEveryArea) {
  ImageRef index = test::MakeIndex(8 * 24, 6 * 24, [](int x, int y) { return y / 24 * 8 + x / 24; });
  std::vector<NumberPlacement> places = WholePatternNumberPlaces(*index);
  ASSERT_EQ(places.size(), 48u);
  std::set<int> numbers;
  for (const NumberPlacement& place : places) {
    numbers.insert(place.number);
    // The sample sits 8 pixels right of and above the glyph's corner.
    const int32_t px = place.gx + 8, py = place.gy + 8;
    EXPECT_EQ(index->Row(py)[px] + 1, place.number);
  }
  EXPECT_EQ(numbers.size(), 48u);
  EXPECT_EQ(*numbers.rbegin(), 48);
  // The raster pattern carries exactly those glyphs.
  ImageRef plain = test::RenderWhole(*index, kPatternNumbers, true);
  ImageRef numbered = test::RenderWhole(*index, kPatternNumbers);
  std::vector<test::Stamp> stamps;
  for (const NumberPlacement& place : places) stamps.push_back({place.number, place.gx, place.gy});
  EXPECT_EQ(test::Differences(*plain, *numbered), test::StampedPixels(*plain, stamps));
  int glyphsAbove35 = 0;
  for (const NumberPlacement& place : places) glyphsAbove35 += place.number > 35;
  EXPECT_EQ(glyphsAbove35, 13);
}

TEST(LargePaletteNumbers, ThreeDigitNumbersArePlacedLikeTheOthers) {
  ImageRef index = test::MakeIndex(64, 48, [](int, int) { return 199; });
  ImageRef pattern = test::RenderWhole(*index, kPatternNumbers);
  // As for a lone colour 1: the glyph's corner at (24, 32).
  const NumberGlyph* glyph = GlyphForNumber(200);
  for (int32_t y = 0; y < 48; ++y) {
    for (int32_t x = 0; x < 64; ++x) {
      bool ink = test::OnFrame(*pattern, x, y) || glyph->Ink(x - 24, y - 32);
      ASSERT_EQ(test::At(*pattern, x, y), ink ? kPatternInk : kPatternWhite) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tintara
