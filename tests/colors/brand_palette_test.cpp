#include "colors/brand_palette.h"

#include <gtest/gtest.h>

#include <fstream>

#include "colors/brand_list.h"
#include "colors/file_names.h"
#include "colors/paint_data_license.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Names(const BrandPalette& palette) {
  std::vector<std::string> names;
  for (const CFlossColor& c : palette.Colors()) names.push_back(c.colorName);
  return names;
}

TEST(BrandPaletteParse, HeaderFieldsAndNumbers) {
  const std::string file =
      "PAINT=Studio Acrylics=Extra\r\n"
      "\r\n"
      "Cadmium Red,12,200,30,40,\r\n"
      "No Number,,1,2,3,\r\n"
      "  Blank Name , +7 ,300,-1, 12abc,\r\n"
      "Azul Pêssego,x9,0,0,0,\r\n"
      "Blue,33,0,0,255,";
  BrandPalette palette = BrandPalette::Parse(file, "/folder/Studio.dat");
  EXPECT_EQ(palette.BrandName(), "Studio Acrylics=Extra");  // only the first '=' counts
  EXPECT_EQ(palette.FilePath(), "/folder/Studio.dat");
  ASSERT_EQ(palette.Count(), 5);

  const CFlossColor& red = *palette.ColorAt(0);
  EXPECT_EQ(red.colorName, "Cadmium Red");
  EXPECT_EQ(red.catalogNumber, 12);
  EXPECT_EQ(red.AsRgb(), (Rgb{200, 30, 40}));
  EXPECT_EQ(red.brandName, "Studio Acrylics=Extra");
  EXPECT_EQ(red.sourceFile, "/folder/Studio.dat");
  EXPECT_EQ(red.paletteIndex, -1);

  EXPECT_EQ(palette.ColorAt(1)->catalogNumber, -1);  // empty catalogue field

  const CFlossColor& odd = *palette.ColorAt(2);
  EXPECT_EQ(odd.colorName, "  Blank Name ");  // the name keeps its blanks
  EXPECT_EQ(odd.catalogNumber, 7);
  EXPECT_EQ(odd.red, 44);     // 300 keeps its low 8 bits
  EXPECT_EQ(odd.green, 255);  // -1 likewise
  EXPECT_EQ(odd.blue, 12);    // digits up to the first other character

  EXPECT_EQ(palette.ColorAt(3)->colorName, "Azul Pêssego");  // UTF-8 bytes kept
  EXPECT_EQ(palette.ColorAt(3)->catalogNumber, 0);          // no digits give 0
  EXPECT_EQ(palette.ColorAt(4)->AsRgb(), (Rgb{0, 0, 255}));  // last line without line end
  EXPECT_EQ(palette.ColorAt(5), nullptr);
  EXPECT_EQ(palette.ColorAt(-1), nullptr);
}

TEST(BrandPaletteParse, EmptyLineAfterHeaderIsOptional) {
  const std::string colors = "A,1,1,1,1,\r\nB,2,2,2,2,\r\n";
  BrandPalette with = BrandPalette::Parse("PAINT=X\r\n\r\n" + colors, "p");
  BrandPalette without = BrandPalette::Parse("PAINT=X\r\n" + colors, "p");
  EXPECT_EQ(with.Colors(), without.Colors());
  EXPECT_EQ(Names(with), (std::vector<std::string>{"A", "B"}));
}

TEST(BrandPaletteParse, MalformedLinesAreDropped) {
  const std::string file =
      "PAINT=X\r\n"
      "Four Commas,1,2,3,4\r\n"
      "no commas at all\r\n"
      "\r\n"
      "OneComma,\r\n"
      "Good,5,6,7,8,\r\n"
      "Short,1,2,3";
  BrandPalette palette = BrandPalette::Parse(file, "p");
  EXPECT_EQ(Names(palette), (std::vector<std::string>{"Good"}));
}

TEST(BrandPaletteParse, HeaderWithoutLineEndOrEquals) {
  EXPECT_EQ(BrandPalette::Parse("PAINT=Only header", "p").BrandName(), "Only header");
  EXPECT_EQ(BrandPalette::Parse("PAINT=Only header", "p").Count(), 0);
  BrandPalette noEquals = BrandPalette::Parse("PAINT\r\nA,1,2,3,4,\r\n", "p");
  EXPECT_EQ(noEquals.BrandName(), "");
  EXPECT_EQ(noEquals.Count(), 1);
  EXPECT_EQ(BrandPalette::Parse("", "p").Count(), 0);
}

TEST(BrandPaletteParse, Numbers) {
  EXPECT_EQ(ParseBrandNumber(""), 0);
  EXPECT_EQ(ParseBrandNumber(" \t-42x"), -42);
  EXPECT_EQ(ParseBrandNumber("+"), 0);
  EXPECT_EQ(ParseBrandNumber("99999999999"), 2147483647);
  EXPECT_EQ(ParseBrandNumber("-99999999999"), -2147483647 - 1);
}

TEST(BrandPaletteLookup, ExactAndNearestTakeTheFirstInBrandOrder) {
  BrandPalette palette = BrandPalette::Parse(
      "PAINT=X\r\nA,1,10,10,10,\r\nB,2,30,10,10,\r\nC,3,10,30,10,\r\nD,4,30,10,10,\r\n", "p");
  EXPECT_EQ(palette.FindExact({30, 10, 10}), 1);
  EXPECT_EQ(palette.FindExact({0, 0, 0}), -1);
  // (20,10,10) is 10 away from A and from B: A comes first.
  EXPECT_EQ(palette.FindNearest({20, 10, 10}), 0);
  // (20,20,10) is 20 away from A, B and C alike.
  EXPECT_EQ(palette.FindNearest({20, 20, 10}), 0);
  EXPECT_EQ(palette.FindNearest({40, 10, 10}), 1);
  // White is 735 from A and 715 from each of B, C and D.
  EXPECT_EQ(palette.FindNearest({255, 255, 255}), 1);
  EXPECT_EQ(BrandPalette::Parse("PAINT=Empty\r\n", "p").FindNearest({1, 2, 3}), -1);
}

TEST(BrandPaletteLoad, MissingFileIsAnErrorForTheCaller) {
  test::TempDir dir;
  FileError error;
  EXPECT_FALSE(BrandPalette::Load(dir.File("none.dat"), &error));
  EXPECT_EQ(error.kind, FileErrorKind::kNotFound);
  EXPECT_EQ(error.path, dir.File("none.dat"));
  EXPECT_NE(FileErrorText(error).find("none.dat"), std::string::npos);
}

TEST(BrandPaletteLoad, ShippedBrandsInFileNameOrder) {
  std::vector<BrandListEntry> brands = ListBrands(test::ProgramFolder().string());
  ASSERT_EQ(brands.size(), 4u);
  EXPECT_EQ(brands[0].brandName, "Acrilex Acrylic Paints");
  EXPECT_EQ(brands[0].colorCount, 95);
  EXPECT_EQ(brands[1].brandName, "Arteza Acrylic Premium");
  EXPECT_EQ(brands[1].colorCount, 60);
  EXPECT_EQ(brands[2].brandName, "Golden Heavy Body Acrylics");
  EXPECT_EQ(brands[2].colorCount, 100);
  EXPECT_EQ(brands[3].brandName, "Golden SoFlat Matte Acrylic");
  EXPECT_EQ(brands[3].colorCount, 40);
  EXPECT_EQ(FindBrandByPath(brands, brands[2].path), 2);

  std::optional<BrandPalette> acrilex = BrandPalette::Load(brands[0].path);
  ASSERT_TRUE(acrilex);
  EXPECT_EQ(acrilex->ColorAt(0)->colorName, "Azul Turquesa");
  EXPECT_EQ(acrilex->ColorAt(0)->catalogNumber, 501);
  EXPECT_EQ(acrilex->ColorAt(0)->AsRgb(), (Rgb{59, 83, 131}));
}

TEST(BrandList, ExtensionInAnyCaseAndCaseInsensitiveOrder) {
  test::TempDir dir;
  WriteFile(dir.File("beta.DAT"), "PAINT=Beta\r\nA,1,1,1,1,\r\n");
  WriteFile(dir.File("Alpha.dat"), "PAINT=Alpha\r\n");
  WriteFile(dir.File("gamma.Dat"), "PAINT=Gamma\r\n");
  WriteFile(dir.File("notes.txt"), "PAINT=No\r\n");
  WriteFile(dir.File(".dat"), "PAINT=Nameless\r\n");
  std::filesystem::create_directory(dir.File("folder.dat"));
  std::vector<std::string> files = FindBrandFiles(dir.Path().string());
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(FileNameOf(files[0]), "Alpha.dat");
  EXPECT_EQ(FileNameOf(files[1]), "beta.DAT");
  EXPECT_EQ(FileNameOf(files[2]), "gamma.Dat");
  // Ordered by the name before the extension: "Alpha" comes before "Alpha 2".
  WriteFile(dir.File("Alpha 2.dat"), "PAINT=Alpha 2\r\n");
  files = FindBrandFiles(dir.Path().string());
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(FileNameOf(files[0]), "Alpha.dat");
  EXPECT_EQ(FileNameOf(files[1]), "Alpha 2.dat");
  std::filesystem::remove(dir.File("Alpha 2.dat"));

  std::vector<BrandListEntry> brands = ListBrands(dir.Path().string());
  ASSERT_EQ(brands.size(), 3u);
  EXPECT_EQ(brands[1].brandName, "Beta");
  EXPECT_EQ(brands[1].colorCount, 1);
  // A path differing only in letter case still finds its brand.
  EXPECT_EQ(FindBrandByPath(brands, dir.File("BETA.dat")), 1);
  EXPECT_EQ(FindBrandByPath(brands, dir.File("delta.dat")), -1);
}

TEST(PaintDataLicense, MatchesTheShippedNotice) {
  std::ifstream file(test::ProgramFolder() / "PAINT-DATA-LICENSE.txt", std::ios::binary);
  ASSERT_TRUE(file) << "the notice is copied beside the program";
  std::string shipped((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(PaintDataLicense(), shipped);
  EXPECT_NE(shipped.find("MIT License"), std::string::npos);
}

}  // namespace
}  // namespace tintara
