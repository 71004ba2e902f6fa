#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "pattern/number_glyphs.h"
#include "pattern/swatches.h"
#include "pattern/texture_tiles.h"

namespace tintara {
namespace {

std::vector<int> FirstRow(int tile) {
  const TextureTile& t = TextureTileAt(tile);
  return {t.begin(), t.begin() + 8};
}

TEST(TextureTiles, SixteenDistinctPermutationsStartingAsPublished) {
  std::set<TextureTile> distinct;
  for (int k = 0; k < kTextureTileCount; ++k) {
    TextureTile sorted = TextureTileAt(k);
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < 64; ++i) ASSERT_EQ(sorted[size_t(i)], i) << "tile " << k;
    distinct.insert(TextureTileAt(k));
  }
  EXPECT_EQ(distinct.size(), 16u);
  const TextureTile& bayer = TextureTileAt(0);
  EXPECT_EQ(std::vector<int>(bayer.begin(), bayer.begin() + 16),
            (std::vector<int>{0, 48, 12, 60, 3, 51, 15, 63, 32, 16, 44, 28, 35, 19, 47, 31}));
  EXPECT_EQ(bayer[63], 21);
  EXPECT_EQ(FirstRow(1), (std::vector<int>{59, 51, 15, 4, 0, 16, 40, 56}));
  EXPECT_EQ(FirstRow(2), (std::vector<int>{63, 47, 31, 15, 56, 40, 24, 8}));
  EXPECT_EQ(FirstRow(4), (std::vector<int>{63, 55, 59, 51, 62, 54, 58, 50}));
  EXPECT_EQ(FirstRow(9), (std::vector<int>{63, 13, 29, 45, 61, 15, 31, 47}));
  EXPECT_EQ(FirstRow(15), (std::vector<int>{26, 19, 20, 21, 22, 23, 35, 39}));
}

TEST(TextureTiles, OnlyTheFirstThirtyTwoPositionsHaveTilesAndTones) {
  EXPECT_EQ(TileFor(31)->tile, 15);
  EXPECT_EQ(TileFor(31)->offset, 128);
  EXPECT_FALSE(TileFor(32));
  EXPECT_FALSE(TileFor(-1));
  EXPECT_EQ(*FlatToneFor(31, 32), 192 + 62);
  EXPECT_EQ(*FlatToneFor(9, 100), 192);  // more than 64 colours: no share
  EXPECT_FALSE(FlatToneFor(32, 40));
}

TEST(Swatches, TextureSwatchRepeatsTheTileWithItsOffsetWrapped) {
  LtrbRect rect{10, 20, 74, 60};
  auto swatch = DrawTextureSwatch(rect, TextureTileAt(5), 200);
  ASSERT_TRUE(swatch);
  EXPECT_EQ(swatch->destination, rect);
  ASSERT_EQ(swatch->image->Width(), 32);
  ASSERT_EQ(swatch->image->Height(), 32);
  const TextureTile& tile = TextureTileAt(5);
  for (int32_t y = 0; y < 32; ++y) {
    for (int32_t x = 0; x < 32; ++x) {
      ASSERT_EQ(swatch->image->Row(y)[x], (tile[size_t((y % 8) * 8 + x % 8)] + 200) % 256);
    }
  }
}

TEST(Swatches, GlyphSwatchIsDarkInkOnLightGroundAtHalfSizeCentred) {
  auto swatch = DrawGlyphSwatch({10, 20, 110, 60}, 27, 0);
  ASSERT_TRUE(swatch);
  EXPECT_EQ(swatch->destination, (LtrbRect{35, 30, 85, 50}));
  const NumberGlyph* glyph = GlyphForNumber(27);
  for (int32_t v = 0; v < kGlyphSize; ++v) {
    for (int32_t u = 0; u < kGlyphSize; ++u) {
      ASSERT_EQ(swatch->image->Row(v)[u], glyph->Ink(u, v) ? 0 : 255);
    }
  }
  auto shifted = DrawGlyphSwatch({0, 0, 16, 16}, 27, 10);
  EXPECT_EQ(shifted->image->Row(0)[0], 9);  // 255 + 10 wraps
  EXPECT_TRUE(DrawGlyphSwatch({0, 0, 16, 16}, 36, 0));  // the key numbers every colour
  EXPECT_FALSE(DrawGlyphSwatch({0, 0, 16, 16}, 257, 0));
}

TEST(Swatches, KeyShowsTilesOnTexturedPatternsAndTonesOtherwise) {
  auto tiled = KeySwatchTexture(2, 19, 32);
  ASSERT_TRUE(tiled);
  EXPECT_EQ(tiled->tile, TextureTileAt(3));
  EXPECT_EQ(tiled->offset, 128);
  auto toned = KeySwatchTexture(4, 2, 8);
  ASSERT_TRUE(toned);
  EXPECT_EQ(toned->tile, FlatTile(192 + 16));
  EXPECT_EQ(toned->offset, 0);
  EXPECT_FALSE(KeySwatchTexture(1, 32, 40));
}

}  // namespace
}  // namespace tintara
