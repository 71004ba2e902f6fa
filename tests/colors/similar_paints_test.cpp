#include "colors/similar_paints.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "colors/brand_list.h"
#include "colors/color_difference.h"

namespace tintara {
namespace {

// Reds around (200, 30, 40): the CIEDE2000 differences from it are about
// 1.06 for red + 5, 1.90 for blue + 7 and 2.56 for red + 12.
std::vector<BrandPalette> SmallBrands() {
  std::vector<BrandPalette> brands;
  brands.push_back(
      BrandPalette::Parse("PAINT=Studio\r\n\r\n"
                          "Cadmium Red,10,200,30,40,\r\n"
                          "Same Red Again,11,200,30,40,\r\n"
                          "Ultramarine,12,20,40,160,\r\n",
                          "/p/Studio.dat"));
  brands.push_back(
      BrandPalette::Parse("PAINT=Other\r\n"
                          "Far Red,500,212,30,40,\r\n"
                          "Edge Red,501,200,30,47,\r\n"
                          "Equal Red,502,200,30,40,\r\n"
                          "Green,503,20,160,40,\r\n",
                          "/p/Other.dat"));
  brands.push_back(
      BrandPalette::Parse("PAINT=Third\r\n"
                          "Near Red,,205,30,40,\r\n",
                          "/p/Third.dat"));
  return brands;
}

std::vector<std::pair<int, int>> Places(const std::vector<SimilarPaint>& found) {
  std::vector<std::pair<int, int>> places;
  for (const SimilarPaint& paint : found) places.emplace_back(paint.brand, paint.position);
  return places;
}

TEST(SimilarPaints, OtherBrandsOnlyNearestFirstBelowTheLimit) {
  const std::vector<BrandPalette> brands = SmallBrands();
  const CFlossColor& red = *brands[0].ColorAt(0);
  const auto found = FindSimilarPaints(std::span(&red, 1), brands);
  ASSERT_EQ(found.size(), 1u);
  // Equal red, Third's near red, Other's edge red; the far red at ≈ 2.56 and
  // Studio's own equal red are left out.
  const std::vector<std::pair<int, int>> expected = {{1, 2}, {2, 0}, {1, 1}};
  EXPECT_EQ(Places(found[0]), expected);
  EXPECT_EQ(found[0][0].deltaE, 0.0);
  EXPECT_NEAR(found[0][1].deltaE, 1.06, 0.01);
  EXPECT_NEAR(found[0][2].deltaE, 1.90, 0.01);

  const Lab lab = SrgbToLab(red.AsRgb());
  const double far = DeltaE2000(lab, SrgbToLab(brands[1].ColorAt(0)->AsRgb()));
  EXPECT_GT(far, 2.4);
  EXPECT_LT(far, 2.7);
  const auto wider = FindSimilarPaints(std::span(&red, 1), brands, 3.0);
  const std::vector<std::pair<int, int>> widerExpected = {{1, 2}, {2, 0}, {1, 1}, {1, 0}};
  EXPECT_EQ(Places(wider[0]), widerExpected);
  // The limit itself is excluded.
  const auto tight = FindSimilarPaints(std::span(&red, 1), brands, found[0][1].deltaE);
  EXPECT_EQ(Places(tight[0]), (std::vector<std::pair<int, int>>{{1, 2}}));
}

// Near white, L* weighs little: 246 and 255 grey are 3.1 apart in L* but
// only 1.81 in CIEDE2000, so they are a match although their lightness alone
// is more than the limit apart.
TEST(SimilarPaints, LightPaintsFarApartInLightnessStillMatch) {
  std::vector<BrandPalette> brands;
  brands.push_back(BrandPalette::Parse("PAINT=A\r\nOff White,1,246,246,246,\r\n", "/p/A.dat"));
  brands.push_back(BrandPalette::Parse("PAINT=B\r\nWhite,2,255,255,255,\r\n", "/p/B.dat"));
  const Lab offWhite = SrgbToLab({246, 246, 246});
  const Lab white = SrgbToLab({255, 255, 255});
  ASSERT_GT(white.l - offWhite.l, 3.0);
  const auto found = FindSimilarPaints(brands[0].Colors(), brands);
  ASSERT_EQ(found[0].size(), 1u);
  EXPECT_EQ(found[0][0].brand, 1);
  EXPECT_NEAR(found[0][0].deltaE, DeltaE2000(offWhite, white), 1e-12);
  EXPECT_LT(found[0][0].deltaE, 1.9);
}

TEST(SimilarPaints, EveryColourGetsItsOwnListAndPlaceholdersNone) {
  const std::vector<BrandPalette> brands = SmallBrands();
  CFlossColor placeholder;  // a red without a brand
  placeholder.red = 200;
  placeholder.green = 30;
  placeholder.blue = 40;
  CFlossColor otherRed = *brands[1].ColorAt(2);
  otherRed.paletteIndex = 4;  // a working palette colour; its position does not matter
  const std::vector<CFlossColor> colors = {placeholder, *brands[0].ColorAt(2), otherRed};
  const auto found = FindSimilarPaints(colors, brands);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_TRUE(found[0].empty());
  EXPECT_TRUE(found[1].empty());  // no blue anywhere else
  // Other's red finds both of Studio's equal reds, then Third's, never its own brand's.
  const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 1}, {2, 0}};
  EXPECT_EQ(Places(found[2]), expected);

  EXPECT_TRUE(FindSimilarPaints({}, brands).empty());
  const auto noBrands = FindSimilarPaints(colors, {});
  ASSERT_EQ(noBrands.size(), 3u);
  for (const auto& list : noBrands) EXPECT_TRUE(list.empty());
}

TEST(SimilarPaints, TextNamesBrandNumberAndNameOfTheFirstThree) {
  const std::vector<BrandPalette> brands = SmallBrands();
  const std::vector<SimilarPaint> similar = {{1, 2, 0.0}, {2, 0, 1.06}, {1, 1, 1.96}, {1, 0, 1.99}};
  EXPECT_EQ(SimilarPaintsText(similar, brands),
            "Other 502 Equal Red (ΔE 0.0), Third Near Red (ΔE 1.1), Other 501 Edge Red (ΔE 2.0)");
  EXPECT_EQ(SimilarPaintsText(std::span(similar).subspan(3), brands), "Other 500 Far Red (ΔE 2.0)");
  EXPECT_EQ(SimilarPaintsText({}, brands), "");
  // Entries that point nowhere are skipped rather than shown or counted.
  const std::vector<SimilarPaint> stale = {{7, 0, 0.5}, {1, 9, 0.5}, {2, 0, 1.4}};
  EXPECT_EQ(SimilarPaintsText(stale, brands), "Third Near Red (ΔE 1.4)");
}

std::vector<BrandPalette> RealBrands() {
  std::vector<BrandPalette> brands;
  for (const BrandListEntry& entry : ListBrands(TINTARA_RESOURCES_DIR "/brands")) {
    std::optional<BrandPalette> palette = BrandPalette::Load(entry.path);
    if (palette) brands.push_back(std::move(*palette));
  }
  return brands;
}

// Every colour of the supplied brands against the others: the search skips
// pairs it can rule out cheaply, yet at every limit it must give exactly the
// pairs that comparing every two colours of different brands gives, in order.
TEST(SimilarPaints, SuppliedBrandsSameAsComparingEveryPair) {
  const std::vector<BrandPalette> brands = RealBrands();
  ASSERT_EQ(brands.size(), 4u);
  using Pair = std::tuple<int, int, int, int>;  // brand, position, other brand, other position
  for (double limit : {1.0, 2.0, 5.0, 12.0}) {
    std::set<Pair> searched, direct;
    for (int b = 0; b < int(brands.size()); ++b) {
      const auto found = FindSimilarPaints(brands[size_t(b)].Colors(), brands, limit);
      for (int p = 0; p < brands[size_t(b)].Count(); ++p) {
        const auto& list = found[size_t(p)];
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const auto& x, const auto& y) {
          return x.deltaE < y.deltaE;
        }));
        for (const SimilarPaint& s : list) searched.insert({b, p, s.brand, s.position});
        const Lab lab = SrgbToLab(brands[size_t(b)].ColorAt(p)->AsRgb());
        for (int o = 0; o < int(brands.size()); ++o) {
          for (int q = 0; o != b && q < brands[size_t(o)].Count(); ++q) {
            const Lab other = SrgbToLab(brands[size_t(o)].ColorAt(q)->AsRgb());
            if (DeltaE2000(lab, other) < limit) direct.insert({b, p, o, q});
          }
        }
      }
    }
    EXPECT_EQ(searched, direct) << "limit " << limit;
    EXPECT_FALSE(direct.empty()) << "limit " << limit;
  }
}

}  // namespace
}  // namespace tintara
