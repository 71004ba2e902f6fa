#include "colors/reduction/nearest_color.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tintara {
namespace {

TEST(NearestPaletteIndex, SquaredDistanceLowestPositionWinsTies) {
  const Rgb palette[] = {{10, 0, 0}, {0, 10, 0}, {30, 0, 0}, {10, 0, 0}};
  EXPECT_EQ(NearestPaletteIndex(palette, {0, 0, 0}), 0);   // 100 from the first two
  EXPECT_EQ(NearestPaletteIndex(palette, {20, 0, 0}), 0);  // 100 from positions 0 and 2
  EXPECT_EQ(NearestPaletteIndex(palette, {22, 0, 0}), 2);
  // Squared differences, not absolute ones: 100 against 98 (absolute: 10 against 14).
  const Rgb squared[] = {{10, 0, 0}, {0, 7, 7}};
  EXPECT_EQ(NearestPaletteIndex(squared, {0, 0, 0}), 1);
  const Rgb pair[] = {{0, 0, 0}, {12, 0, 0}};
  EXPECT_EQ(NearestPaletteIndex(pair, {6, 5, 0}), 0);  // 61 vs 61: tie, first wins
  EXPECT_EQ(NearestPaletteIndex(pair, {7, 5, 0}), 1);  // 74 vs 50
  EXPECT_EQ(NearestPaletteIndex({}, {1, 2, 3}), -1);
}

// Checks the table against the plain search on a lattice (every blue, reds
// and greens `step` apart) and on every colour within 3 of a palette colour,
// where the boundaries between colours lie closest together.
void ExpectSameAsPlainSearch(const std::vector<Rgb>& palette, int step, const char* what) {
  NearestColorTable table(palette);
  int mismatches = 0;
  auto check = [&](int r, int g, int b) {
    const Rgb c{uint8_t(r), uint8_t(g), uint8_t(b)};
    if (table.Nearest(c) != NearestPaletteIndex(palette, c)) ++mismatches;
  };
  for (int r = 0; r < 256; r += step) {
    for (int g = 0; g < 256; g += step) {
      for (int b = 0; b < 256; ++b) check(r, g, b);
    }
  }
  for (const Rgb& p : palette) {
    for (int r = std::max(0, p.red - 3); r <= std::min(255, p.red + 3); ++r) {
      for (int g = std::max(0, p.green - 3); g <= std::min(255, p.green + 3); ++g) {
        for (int b = std::max(0, p.blue - 3); b <= std::min(255, p.blue + 3); ++b) check(r, g, b);
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << what;
}

TEST(NearestColorTable, SameAnswersAsThePlainSearch) {
  std::mt19937 random(7);
  auto randomColor = [&] { return Rgb{uint8_t(random()), uint8_t(random()), uint8_t(random())}; };
  std::vector<Rgb> photo;
  for (int i = 0; i < 32; ++i) photo.push_back(randomColor());
  ExpectSameAsPlainSearch(photo, 3, "32 random colours");

  std::vector<Rgb> wide;
  for (int i = 0; i < 256; ++i) wide.push_back(randomColor());
  ExpectSameAsPlainSearch(wide, 15, "256 random colours");

  // Degenerate palettes: collinear, clustered, repeated (ties on every query).
  std::vector<Rgb> greys, cluster, repeated;
  for (int i = 0; i < 256; ++i) greys.push_back({uint8_t(i), uint8_t(i), uint8_t(i)});
  for (int i = 0; i < 200; ++i) {
    cluster.push_back({uint8_t(100 + i % 6), uint8_t(100 + (i / 6) % 6), uint8_t(100 + i / 36)});
  }
  for (int i = 0; i < 8; ++i) repeated.push_back({uint8_t(40 * i), 90, uint8_t(255 - 30 * i)});
  repeated.insert(repeated.end(), repeated.begin(), repeated.end());
  ExpectSameAsPlainSearch(greys, 15, "greys");
  ExpectSameAsPlainSearch(cluster, 15, "cluster");
  ExpectSameAsPlainSearch(repeated, 3, "every colour twice");
  ExpectSameAsPlainSearch({{9, 9, 9}}, 15, "one colour");
}

TEST(NearestColorTable, EmptyAndOversizedPalettes) {
  NearestColorTable empty(std::vector<Rgb>{});
  EXPECT_EQ(empty.Nearest({1, 2, 3}), -1);
  std::vector<Rgb> many(300, Rgb{1, 1, 1});
  many[299] = {255, 255, 255};  // beyond position 255: not a colour number
  NearestColorTable table(many);
  EXPECT_EQ(table.Count(), 256);
  EXPECT_EQ(table.Nearest({255, 255, 255}), 0);
}

}  // namespace
}  // namespace tintara
