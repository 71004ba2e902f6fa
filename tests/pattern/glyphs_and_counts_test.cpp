#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "pattern/number_glyphs.h"
#include "pattern/used_colors.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

int Differing(const NumberGlyph& a, const NumberGlyph& b) {
  int n = 0;
  for (int v = 0; v < kGlyphSize; ++v) {
    for (int u = 0; u < kGlyphSize; ++u) n += a.Ink(u, v) != b.Ink(u, v);
  }
  return n;
}

TEST(NumberGlyphs, ThirtyFiveDistinctGlyphsInkOnlyInsideTheirBox) {
  std::set<std::array<uint16_t, kGlyphSize>> distinct;
  for (int n = 1; n <= kGlyphCount; ++n) {
    const NumberGlyph* glyph = GlyphForNumber(n);
    ASSERT_NE(glyph, nullptr) << n;
    int ink = 0;
    for (int v = 0; v < kGlyphSize; ++v) {
      for (int u = 0; u < kGlyphSize; ++u) {
        if (!glyph->Ink(u, v)) continue;
        ++ink;
        EXPECT_TRUE(v >= kGlyphInkFirstRow && v <= kGlyphInkLastRow) << n << " row " << v;
        EXPECT_TRUE(u >= kGlyphInkFirstColumn && u <= kGlyphInkLastColumn) << n << " col " << u;
      }
    }
    EXPECT_GT(ink, 6) << n;
    distinct.insert(glyph->rows);
  }
  EXPECT_EQ(distinct.size(), size_t(kGlyphCount));
  EXPECT_EQ(GlyphForNumber(0), nullptr);
  EXPECT_EQ(GlyphForNumber(kLastGlyphNumber + 1), nullptr);
}

TEST(NumberGlyphs, EasilyConfusedDigitsDifferClearly) {
  // Lone digits and the narrower ones of two-digit numbers.
  const int pairs[][2] = {{1, 7}, {3, 8}, {5, 6}, {6, 8}, {8, 9}, {6, 9},
                          {11, 17}, {13, 18}, {15, 16}, {16, 18}, {18, 19}, {18, 10}};
  for (const auto& pair : pairs) {
    EXPECT_GE(Differing(*GlyphForNumber(pair[0]), *GlyphForNumber(pair[1])), 4)
        << pair[0] << " and " << pair[1];
  }
  // The foot of a 1 is its lowest row on screen, the bar of a 7 its highest.
  const NumberGlyph* one = GlyphForNumber(1);
  const NumberGlyph* seven = GlyphForNumber(7);
  EXPECT_EQ(__builtin_popcount(one->rows[kGlyphInkFirstRow]), 5);
  EXPECT_EQ(__builtin_popcount(seven->rows[kGlyphInkLastRow]), 5);
  EXPECT_EQ(__builtin_popcount(seven->rows[kGlyphInkFirstRow]), 1);
}

TEST(UsedColors, PositionsAscendOnlyForAnEightBitIndexImage) {
  ImageRef index = test::MakeIndex(9, 4, [](int x, int y) { return x < 3 ? 255 : (y == 0 ? 2 : 0); });
  EXPECT_EQ(UsedPositions(index.get()), (std::vector<int>{0, 2, 255}));
  EXPECT_TRUE(UsedPositions(nullptr).empty());
  ImageRef photo = test::MakeSolid(4, 4, 1, 2, 3);  // true colour is no index image
  EXPECT_TRUE(UsedPositions(photo.get()).empty());
}

std::vector<CFlossColor> TwoBrands() {
  std::vector<CFlossColor> palette(32);
  for (int i = 0; i < 32; ++i) palette[size_t(i)].brandName = i % 3 == 0 ? "Umbra" : "Ochre";
  return palette;
}

TEST(UsedColors, CountsPositionsAndListsBrandsInPositionOrder) {
  // Twelve of the 32 colours, the lowest used one (2) of the brand "Ochre".
  const std::vector<int> used{2, 30, 3, 9, 11, 17, 21, 4, 26, 2, 30, 12, 28, 15};
  ImageRef index = test::MakeIndex(14, 4, [&](int x, int) { return used[size_t(x)]; });
  UsedColors result = CountUsedColors(index.get(), TwoBrands());
  EXPECT_EQ(result.count, 12);
  EXPECT_EQ(result.brands, (std::vector<std::string>{"Ochre", "Umbra"}));

  ImageRef umbraFirst = test::MakeIndex(3, 1, [](int x, int) { return 31 - 2 * x; });  // 31, 29, 27
  EXPECT_EQ(CountUsedColors(umbraFirst.get(), TwoBrands()).brands,
            (std::vector<std::string>{"Umbra", "Ochre"}));

  UsedColors none = CountUsedColors(nullptr, TwoBrands());
  EXPECT_EQ(none.count, 0);
  EXPECT_TRUE(none.brands.empty());
  // A position beyond the palette is counted but names no brand.
  ImageRef outside = test::MakeIndex(2, 1, [](int x, int) { return x == 0 ? 40 : 0; });
  UsedColors beyond = CountUsedColors(outside.get(), TwoBrands());
  EXPECT_EQ(beyond.count, 2);
  EXPECT_EQ(beyond.brands, (std::vector<std::string>{"Umbra"}));
  // Brands follow the order of the positions given, each once.
  const std::vector<int> order{4, 40, 3, 5, 0};
  EXPECT_EQ(BrandsOf(order, TwoBrands()), (std::vector<std::string>{"Ochre", "Umbra"}));
}

}  // namespace
}  // namespace tintara
