#include "colors/reduction/working_palette.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

// Hues (0..1535): grey 0, red 0, orange 129, yellow 256, green 512, cyan 768,
// blue 1024, magenta 1280. File order differs from hue order on purpose.
const char kHueBrand[] =
    "PAINT=Hues\r\n\r\n"
    "Blue,10,0,0,255,\r\n"
    "Grey,11,128,128,128,\r\n"
    "Orange,12,255,128,0,\r\n"
    "Red,13,255,0,0,\r\n"
    "Green,14,0,255,0,\r\n"
    "Magenta,15,255,0,255,\r\n"
    "Yellow,16,255,255,0,\r\n"
    "Cyan,17,0,255,255,\r\n";

class WorkingPaletteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir.File("Hues.dat"), std::ios::binary) << kHueBrand;
    params.brandFile = dir.File("Hues.dat");
    params.FillGridColors();
  }
  BrandPalette Brand() const { return BrandPalette::Parse(kHueBrand, params.brandFile); }
  std::vector<int32_t> Catalogue() const {
    std::vector<int32_t> numbers;
    for (const CFlossColor& c : params.workingPalette) numbers.push_back(c.catalogNumber);
    return numbers;
  }

  test::TempDir dir;
  CTesselParams params;
};

TEST_F(WorkingPaletteTest, HueRecordsUseTheIntegerFormulas) {
  EXPECT_EQ(MakeHueRecord({255, 0, 0}, 0).hue, 0);
  EXPECT_EQ(MakeHueRecord({255, 128, 0}, 0).hue, 129);
  EXPECT_EQ(MakeHueRecord({255, 255, 0}, 0).hue, 256);
  EXPECT_EQ(MakeHueRecord({0, 255, 255}, 0).hue, 768);
  EXPECT_EQ(MakeHueRecord({0, 0, 255}, 0).hue, 1024);
  EXPECT_EQ(MakeHueRecord({255, 0, 255}, 0).hue, 1280);  // negative, wrapped
  HueRecord grey = MakeHueRecord({128, 128, 128}, 4);
  EXPECT_EQ(grey.hue, 0);
  EXPECT_EQ(grey.saturation, 0);
  EXPECT_EQ(grey.value, 128);
  EXPECT_EQ(grey.position, 4);
  EXPECT_EQ(MakeHueRecord({200, 100, 50}, 0).saturation, 192);
  EXPECT_EQ(MakeHueRecord({0, 0, 0}, 0).saturation, 0);
}

TEST_F(WorkingPaletteTest, SectorWalkWithOneCursor) {
  const BrandPalette brand = Brand();
  // Sorted: grey, red, orange, yellow, green | cyan, blue | magenta.
  EXPECT_EQ(SpreadOverHues(brand, 3), (std::vector<int>{4, 0, 5}));
  EXPECT_EQ(SpreadOverHues(brand, 5), (std::vector<int>{6, 4, 7, 0, 5}));
  // Seven sectors, but the records run out after six.
  EXPECT_EQ(SpreadOverHues(brand, 7), (std::vector<int>{2, 6, 4, 7, 0, 5}));
  // One sector walks every record and keeps the last.
  EXPECT_EQ(SpreadOverHues(brand, 1), (std::vector<int>{5}));
  // K reaching the brand size copies the brand in file order.
  EXPECT_EQ(SpreadOverHues(brand, 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(SpreadOverHues(brand, 0), std::vector<int>{});
}

TEST_F(WorkingPaletteTest, BuildForBrandFillsTheRecord) {
  params.currentBrandColor = 7;  // cyan, which stays in the new palette
  params.currentColor = 0;
  ASSERT_EQ(BuildPaletteForBrand(params, 5), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{16, 14, 17, 10, 15}));
  for (size_t i = 0; i < params.workingPalette.size(); ++i) {
    EXPECT_EQ(params.workingPalette[i].paletteIndex, int(i));
    EXPECT_EQ(params.workingPalette[i].brandName, "Hues");
    EXPECT_EQ(params.workingPalette[i].sourceFile, params.brandFile);
  }
  EXPECT_EQ(params.paletteReady, 1);
  EXPECT_EQ(params.currentColor, 2);  // followed cyan to its new place
  EXPECT_EQ(params.currentBrandColor, 7);

  ASSERT_EQ(BuildPaletteForBrand(params, 40), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{10, 11, 12, 13, 14, 15, 16, 17}));
}

TEST_F(WorkingPaletteTest, PictureColoursBecomeBrandColours) {
  // One colour: one working colour, the brand colour nearest to it.
  ImageRef solid = test::MakeSolid(8, 6, 250, 120, 10);
  ASSERT_EQ(BuildPaletteForPicture(params, 32, *solid, 100), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{12}));  // orange
  EXPECT_EQ(params.paletteReady, 1);
  EXPECT_EQ(params.workingPalette[0].paletteIndex, 0);
  EXPECT_EQ(params.currentColor, 0);
  EXPECT_EQ(params.currentBrandColor, 2);

  // Two picture colours nearest to the same paint give one working colour;
  // the more common colour comes last.
  ImageRef colors = ImageBuffer::Create(kKindRgb24, 10, 10);
  for (int32_t y = 0; y < 10; ++y) {
    uint8_t* row = colors->WritableRows().value().Row(y);
    for (int32_t x = 0; x < 10; ++x) {
      const Rgb c = x < 3 ? Rgb{0, 10, 240} : (x < 6 ? Rgb{5, 0, 250} : Rgb{250, 250, 20});
      row[3 * x] = c.blue;
      row[3 * x + 1] = c.green;
      row[3 * x + 2] = c.red;
    }
  }
  ASSERT_EQ(BuildPaletteForPicture(params, 8, *colors, 100), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{10, 16}));  // blue once, then yellow
}

TEST_F(WorkingPaletteTest, LightnessCorrectionComesFirst) {
  ImageRef dark = test::MakeSolid(4, 4, 64, 64, 64);
  ASSERT_EQ(BuildPaletteForPicture(params, 4, *dark, 100), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{11}));  // grey 128 is nearest to 64
  // Four times lighter is white: magenta, yellow and cyan are equally near
  // and magenta comes first in the file.
  ASSERT_EQ(BuildPaletteForPicture(params, 4, *dark, 400), PaletteBuild::kBuilt);
  EXPECT_EQ(Catalogue(), (std::vector<int32_t>{15}));
}

TEST_F(WorkingPaletteTest, ChoosingCutsToTheBrandSizeAndKeepsOrder) {
  const BrandPalette brand = Brand();
  const Rgb colors[] = {{250, 5, 5}, {5, 5, 250}, {255, 0, 0}, {0, 250, 250}};
  EXPECT_EQ(ChooseBrandColors(brand, colors), (std::vector<int>{3, 0, 7}));
  BrandPalette two = BrandPalette::Parse("PAINT=Two\r\nA,1,0,0,0,\r\nB,2,255,255,255,\r\n", "t");
  // Only as many picture colours as the brand has are considered.
  const Rgb three[] = {{10, 10, 10}, {20, 20, 20}, {240, 240, 240}};
  EXPECT_EQ(ChooseBrandColors(two, three), (std::vector<int>{0}));
}

TEST_F(WorkingPaletteTest, BrandProblems) {
  const CTesselParams before = params;
  params.brandFile = dir.File("missing.dat");
  FileError error;
  ImageRef solid = test::MakeSolid(2, 2, 1, 2, 3);
  EXPECT_EQ(BuildPaletteForPicture(params, 8, *solid, 100, &error), PaletteBuild::kBrandUnreadable);
  EXPECT_EQ(error.kind, FileErrorKind::kNotFound);
  EXPECT_EQ(BuildPaletteForBrand(params, 8), PaletteBuild::kBrandUnreadable);
  EXPECT_EQ(params.workingPalette, before.workingPalette);

  std::ofstream(dir.File("Empty.dat"), std::ios::binary) << "PAINT=Empty\r\n";
  params.brandFile = dir.File("Empty.dat");
  params.paletteReady = 1;
  EXPECT_EQ(BuildPaletteForPicture(params, 8, *solid, 100), PaletteBuild::kNoColors);
  EXPECT_TRUE(params.workingPalette.empty());
  EXPECT_EQ(params.paletteReady, 0);
  EXPECT_EQ(BuildPaletteForBrand(params, 8), PaletteBuild::kNoColors);
  EXPECT_EQ(params.paletteReady, 0);
}

std::vector<CFlossColor> PaletteOf(std::initializer_list<Rgb> colors) {
  std::vector<CFlossColor> palette;
  for (Rgb c : colors) {
    CFlossColor color;
    color.red = c.red;
    color.green = c.green;
    color.blue = c.blue;
    color.paletteIndex = int32_t(palette.size());
    palette.push_back(color);
  }
  return palette;
}

TEST(RemapToNewPalette, NumbersAndPixelsFollowTheNearestNewColour) {
  const auto oldPalette = PaletteOf({{250, 0, 0}, {0, 0, 250}, {10, 10, 10}});
  const auto newPalette = PaletteOf({{0, 0, 0}, {0, 0, 200}, {200, 0, 0}});
  // Columns hold numbers 0, 1, 2 and 9 (outside the old palette).
  const uint8_t numbers[] = {0, 1, 2, 9};
  ImageRef index = test::MakeIndex(4, 2, [&](int x, int) { return numbers[x]; });
  ImageRef converted = ImageBuffer::Create(kKindRgb24, 4, 2);
  for (int32_t y = 0; y < 2; ++y) {
    uint8_t* row = converted->WritableRows().value().Row(y);
    std::fill(row, row + 12, 0);
    row[9] = 180;  // the unnumbered pixel is blue-ish: (0, 0, 180)
  }
  ImageRef indexBefore = ImageBuffer::Copy(*index);
  ASSERT_TRUE(RemapToNewPalette(oldPalette, newPalette, *index, *converted));
  for (int32_t y = 0; y < 2; ++y) {
    EXPECT_EQ(std::vector<uint8_t>(index->Row(y), index->Row(y) + 4),
              (std::vector<uint8_t>{2, 1, 0, 1}));
    EXPECT_EQ(std::vector<uint8_t>(converted->Row(y), converted->Row(y) + 12),
              (std::vector<uint8_t>{0, 0, 200, 200, 0, 0, 0, 0, 0, 200, 0, 0}));
  }
  EXPECT_EQ(indexBefore->Row(0)[0], 0);  // a copy sharing the pixels is untouched

  ImageRef keep = ImageBuffer::Copy(*index);
  EXPECT_FALSE(RemapToNewPalette(oldPalette, {}, *index, *converted));
  EXPECT_TRUE(test::SamePixels(*keep, *index));
  ImageRef small = ImageBuffer::Create(kKindRgb24, 3, 2);
  EXPECT_FALSE(RemapToNewPalette(oldPalette, newPalette, *index, *small));
}

}  // namespace
}  // namespace tintara
