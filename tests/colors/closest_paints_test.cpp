#include "colors/reduction/closest_paints.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <fstream>
#include <random>

#include "colors/color_fidelity.h"
#include "colors/reduction/lab_paint_matcher.h"
#include "colors/reduction/lightness.h"
#include "colors/reduction/working_palette.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_limit.h"
#include "tests/support/address_space.h"

namespace tintara {
namespace {

// Twelve paints spread over light, dark, greys and hues.
const Rgb kTwelve[] = {{250, 250, 245}, {20, 20, 25},   {128, 128, 128}, {200, 30, 40},
                       {240, 140, 30},  {245, 220, 60}, {40, 150, 60},   {30, 90, 180},
                       {120, 60, 150},  {150, 100, 60}, {90, 170, 200},  {230, 160, 170}};

std::vector<Lab> Labs(std::span<const Rgb> colors) {
  std::vector<Lab> labs;
  for (Rgb c : colors) labs.push_back(SrgbToLab(c));
  return labs;
}

// Clusters of picture colours around a few centres, as a photo's histogram has.
std::vector<WeightedLab> ClusteredCells(uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> channel(0, 255), spread(-30, 30), weight(1, 400);
  std::vector<WeightedLab> cells;
  for (int centre = 0; centre < 5; ++centre) {
    const int r = channel(random), g = channel(random), b = channel(random);
    for (int i = 0; i < 8; ++i) {
      auto clamp = [](int v) { return uint8_t(std::clamp(v, 0, 255)); };
      const Rgb c{clamp(r + spread(random)), clamp(g + spread(random)), clamp(b + spread(random))};
      cells.push_back({SrgbToLab(c), double(weight(random))});
    }
  }
  return cells;
}

double BestCostOfThree(std::span<const WeightedLab> cells, std::span<const Lab> paints) {
  double best = 1e300;
  const int n = int(paints.size());
  for (int a = 0; a < n; ++a) {
    for (int b = a + 1; b < n; ++b) {
      for (int c = b + 1; c < n; ++c) {
        const int chosen[] = {a, b, c};
        best = std::min(best, ChoiceCost(cells, paints, chosen));
      }
    }
  }
  return best;
}

TEST(ClosestPaintsTest, ThreeOfTwelveMatchTheBestOfEveryTriple) {
  const std::vector<Lab> paints = Labs(kTwelve);
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    const std::vector<WeightedLab> cells = ClusteredCells(seed);
    const double best = BestCostOfThree(cells, paints);
    const std::vector<int> chosen = ChooseClosestPaints(cells, paints, 3);
    ASSERT_EQ(chosen.size(), 3u);
    EXPECT_TRUE(std::is_sorted(chosen.begin(), chosen.end()));
    EXPECT_NEAR(ChoiceCost(cells, paints, chosen), best, best * 1e-6) << "seed " << seed;
    // The swaps alone, as used for large brands, come within a few percent.
    const std::vector<int> swapped = ChoosePaintsBySwaps(cells, paints, 3);
    ASSERT_EQ(swapped.size(), 3u);
    EXPECT_LE(ChoiceCost(cells, paints, swapped), best * 1.05) << "seed " << seed;
  }
}

TEST(ClosestPaintsTest, SwapsMendWhatTheGreedyStartGetsWrong) {
  // Two equal clusters, one orange and one purple, and a grey paint between
  // them: greedy takes the grey first, yet the best pair is orange and purple.
  const Rgb paints[] = {{128, 128, 128}, {240, 140, 30}, {120, 60, 150}};
  const std::vector<Lab> labs = Labs(paints);
  const std::vector<WeightedLab> cells = {{SrgbToLab({235, 135, 35}), 10},
                                          {SrgbToLab({125, 65, 145}), 10}};
  const int greyFirst[] = {0};
  const int orangeFirst[] = {1};
  ASSERT_LT(ChoiceCost(cells, labs, greyFirst), ChoiceCost(cells, labs, orangeFirst));
  EXPECT_EQ(ChoosePaintsBySwaps(cells, labs, 2), (std::vector<int>{1, 2}));
  EXPECT_EQ(ChooseClosestPaints(cells, labs, 2), (std::vector<int>{1, 2}));
}

TEST(ClosestPaintsTest, StopsWhenNoFurtherPaintLooksCloser) {
  const std::vector<Lab> paints = Labs(kTwelve);
  // One colour: one paint says it best; more would only add numbers.
  const std::vector<WeightedLab> cells = {{SrgbToLab({35, 95, 175}), 100}};
  EXPECT_EQ(ChooseClosestPaints(cells, paints, 5), (std::vector<int>{7}));
  EXPECT_EQ(ChoosePaintsBySwaps(cells, paints, 5), (std::vector<int>{7}));
  // Asking for every paint gives every paint; nothing for none.
  EXPECT_EQ(ChooseClosestPaints(cells, paints, 12).size(), 12u);
  EXPECT_TRUE(ChooseClosestPaints(cells, paints, 0).empty());
}

TEST(ClosestPaintsTest, MatcherTakesThePaintThatLooksNearest) {
  // In RGB distance this blue-grey is nearer the grey; by look it is a blue.
  const Rgb paints[] = {{128, 128, 128}, {60, 90, 200}};
  const std::vector<Lab> labs = Labs(paints);
  const Rgb color{100, 110, 170};
  const NearestPaintByLook nearest(labs);
  LabPaintMatcher matcher(nearest, 100);
  const int position = matcher.Match(color);
  EXPECT_EQ(position, NearestByLook(labs, SrgbToLab(color)));
  // Colours of one 4 × 4 × 4 cell are matched as its middle is.
  EXPECT_EQ(matcher.Match({103, 108, 169}), position);
  const double toChosen = DeltaE2000(SrgbToLab(color), labs[size_t(position)]);
  const double toOther = DeltaE2000(SrgbToLab(color), labs[size_t(1 - position)]);
  EXPECT_LT(toChosen, toOther);
  EXPECT_EQ(matcher.Match(color), position);  // the remembered answer is the same
  // Ties go to the lower position.
  const Lab twice[] = {labs[1], labs[1]};
  EXPECT_EQ(NearestByLook(twice, labs[1]), 0);
}

TEST(ClosestPaintsTest, TheLightnessWalkFindsWhatComparingEveryPaintFinds) {
  // Thirty-two paints spread over the colour cube, two of them alike, and
  // colours all over it: the quick search must give the plain one's answer.
  std::vector<Rgb> spread;
  const uint8_t levels[] = {30, 110, 190, 250};
  for (int i = 0; i < 64; i += 2) spread.push_back({levels[i / 16], levels[(i / 4) % 4], levels[i % 4]});
  spread.push_back(spread[5]);
  const std::vector<Lab> paints = Labs(spread);
  const NearestPaintByLook quick(paints);
  int compared = 0;
  for (int r = 0; r < 256; r += 9) {
    for (int g = 0; g < 256; g += 9) {
      for (int b = 0; b < 256; b += 9) {
        const Lab color = SrgbToLab({uint8_t(r), uint8_t(g), uint8_t(b)});
        ASSERT_EQ(quick.Nearest(color), NearestByLook(paints, color)) << r << "," << g << "," << b;
        ++compared;
      }
    }
  }
  EXPECT_EQ(compared, 29 * 29 * 29);
  // The copy of paint 5 never wins over it.
  EXPECT_EQ(quick.Nearest(paints[5]), 5);
  EXPECT_EQ(NearestPaintByLook({}).Nearest(paints[0]), -1);
}

TEST(ClosestPaintsTest, PictureCellsCountEveryPixelAtItsMeanColour) {
  ImageRef picture = test::MakeSolid(10, 4, 200, 30, 40);
  std::vector<WeightedLab> cells = PictureLabCells(*picture, 100);
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_EQ(cells[0].weight, 40.0);
  EXPECT_NEAR(DeltaE2000(cells[0].lab, SrgbToLab(CorrectLightness({200, 30, 40}, 100))), 0.0,
              1e-9);
  // The lightness correction applies before counting: 0 % is black.
  cells = PictureLabCells(*picture, 0);
  ASSERT_EQ(cells.size(), 1u);
  EXPECT_NEAR(cells[0].lab.l, 0.0, 1e-9);
}

TEST(ClosestPaintsTest, BuildsTheWorkingPaletteInBrandOrder) {
  test::TempDir dir;
  std::ofstream(dir.File("Few.dat"), std::ios::binary)
      << "PAINT=Few\r\n\r\nWhite,1,250,250,245,\r\nRed,2,200,30,40,\r\nBlue,3,30,90,180,\r\n"
         "Green,4,40,150,60,\r\n";
  CTesselParams params;
  params.brandFile = dir.File("Few.dat");
  ImageRef picture = test::MakeSolid(8, 8, 32, 88, 178);
  // Half the picture red.
  for (int32_t y = 0; y < 4; ++y) {
    uint8_t* row = picture->WritableRows()->Row(y);
    for (int32_t x = 0; x < 8; ++x) {
      row[3 * x] = 42;
      row[3 * x + 1] = 28;
      row[3 * x + 2] = 198;
    }
  }
  ASSERT_EQ(BuildPaletteForPicture(PaintChoice::kClosest, params, 3, *picture, 100),
            PaletteBuild::kBuilt);
  ASSERT_EQ(params.workingPalette.size(), 2u);  // a third paint would not look closer
  EXPECT_EQ(params.workingPalette[0].colorName, "Red");
  EXPECT_EQ(params.workingPalette[1].colorName, "Blue");
  EXPECT_EQ(params.workingPalette[1].paletteIndex, 1);
  EXPECT_EQ(params.paletteReady, 1);
}

TEST(ColorFidelityTest, AveragesEachAreaAndMeasuresTheDifference) {
  // 4 × 2 pixels: left half black and white, right half red.
  ImageRef photo = ImageBuffer::Create(kKindRgb24, 4, 2);
  for (int32_t y = 0; y < 2; ++y) {
    uint8_t* row = photo->WritableRows()->Row(y);
    const uint8_t left = y == 0 ? 0 : 255;
    for (int x = 0; x < 2; ++x) row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = left;
    for (int x = 2; x < 4; ++x) {
      row[3 * x] = 0;
      row[3 * x + 1] = 0;
      row[3 * x + 2] = 200;
    }
  }
  ImageRef averaged = AreaAverage(*photo, 2, 1);
  ASSERT_TRUE(averaged);
  const uint8_t* row = averaged->Row(0);
  EXPECT_EQ(row[0], 128);  // (0 + 0 + 255 + 255) / 4, rounded
  EXPECT_EQ(row[2], 128);
  EXPECT_EQ(row[3 + 2], 200);
  EXPECT_EQ(row[3 + 1], 0);

  EXPECT_EQ(MeanDifference(*averaged, *averaged), 0.0);
  ImageRef grey = test::MakeSolid(2, 1, 128, 128, 128);
  // The grey half matches, the red half differs from grey by its whole
  // difference: the mean is half of it.
  const double redToGrey = DeltaE2000(SrgbToLab({200, 0, 0}), SrgbToLab({128, 128, 128}));
  EXPECT_NEAR(*MeanDifference(*averaged, *grey), redToGrey / 2, 1e-9);
  EXPECT_NEAR(*ConversionDifference(*photo, *grey), redToGrey / 2, 1e-9);
  EXPECT_FALSE(MeanDifference(*averaged, *test::MakeSolid(3, 1, 0, 0, 0)).has_value());

  // The floor: each pixel to its own nearest paint.
  const Lab paints[] = {SrgbToLab({128, 128, 128}), SrgbToLab({190, 0, 0})};
  const double redToPaint = DeltaE2000(SrgbToLab({200, 0, 0}), paints[1]);
  EXPECT_NEAR(*MeanDifferenceToNearest(*averaged, paints), redToPaint / 2, 1e-9);
}

// The rows are measured on two cores and added in order: the very number of
// one pass over the averaged photo.
TEST(ColorFidelity, TheConversionMeasuredOnTwoCoresIsThatOfOnePass) {
  ImageRef photo = test::MakePhoto(613, 457, 3);
  for (int32_t height : {151, 2, 1}) {
    ImageRef converted = test::MakePhoto(203, height, 7);
    const std::optional<double> onePass =
        MeanDifference(*AreaAverage(*photo, 203, height), *converted);
    ASSERT_TRUE(onePass.has_value());
    EXPECT_EQ(ConversionDifference(*photo, *converted), onePass) << height;
  }
}

TEST(ColorFidelity, TheConversionIsMeasuredWithoutACopyOfThePictureSize) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer reserves address space of its own";
#endif
  // 48 MB pictures; the measure may take a few rows more, not a third picture.
  ImageRef photo = test::MakePhoto(4000, 4000);
  ImageRef converted = test::MakePhoto(4000, 4000, 2);
  const std::optional<double> expected =
      MeanDifference(*AreaAverage(*photo, 4000, 4000), *converted);
  ASSERT_TRUE(expected.has_value());
  auto outcome = test::RunInChild(std::chrono::seconds(60), [&] {
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    limit.rlim_cur = rlim_t(test::AddressSpaceBytes() + (uint64_t(24) << 20));
    if (setrlimit(RLIMIT_AS, &limit) != 0) return false;
    return ConversionDifference(*photo, *converted) == expected;
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

}  // namespace
}  // namespace tintara
