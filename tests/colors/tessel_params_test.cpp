#include "colors/tessel_params.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "colors/brand_list.h"
#include "platform/qt_settings_store.h"
#include "storage/archive.h"
#include "storage/settings_keys.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

namespace fs = std::filesystem;

class TesselParamsTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  QtSettingsStore store{QString::fromStdString(dir.File("settings.ini"))};
  std::string programFolder = test::ProgramFolder().string() + "/";
  std::string firstBrand = FindBrandFiles(programFolder).front();

  CTesselParams Created() {
    std::string error;
    std::optional<CTesselParams> params = CTesselParams::Create(store, programFolder, &error);
    EXPECT_TRUE(params) << error;
    return params ? *params : CTesselParams();
  }
};

TEST_F(TesselParamsTest, NewRecordFromEmptySettings) {
  CTesselParams params = Created();
  EXPECT_EQ(params.paletteReady, 0);
  EXPECT_EQ(params.dotsPerCell, 4);
  EXPECT_EQ(params.borderColor, 0x808080u);
  EXPECT_EQ(params.neededNumColors, 32);
  EXPECT_EQ(params.patternType, kPatternNumbers);
  EXPECT_EQ(params.auxColor, (Rgb{255, 232, 196}));
  EXPECT_EQ(params.currentColor, 0);
  EXPECT_EQ(params.currentBrandColor, -1);
  EXPECT_EQ(params.penWidth, 1);
  EXPECT_EQ(params.penShape, 1);
  EXPECT_EQ(params.brandFile, firstBrand);
  EXPECT_EQ(FileNameOf(params.brandFile), "AcrilexAcrylic.dat");

  // 36 grid colours: red slowest, then green, then blue.
  ASSERT_EQ(params.workingPalette.size(), 36u);
  EXPECT_EQ(params.workingPalette[0].AsRgb(), (Rgb{0, 0, 0}));
  EXPECT_EQ(params.workingPalette[1].AsRgb(), (Rgb{0, 0, 85}));
  EXPECT_EQ(params.workingPalette[3].AsRgb(), (Rgb{0, 63, 0}));
  EXPECT_EQ(params.workingPalette[12].AsRgb(), (Rgb{85, 0, 0}));
  EXPECT_EQ(params.workingPalette[35].AsRgb(), (Rgb{170, 191, 170}));
  for (size_t i = 0; i < 36; ++i) {
    EXPECT_EQ(params.workingPalette[i].paletteIndex, int(i));
    EXPECT_EQ(params.workingPalette[i].catalogNumber, -1);
    EXPECT_TRUE(params.workingPalette[i].colorName.empty());
  }
}

TEST_F(TesselParamsTest, BrandSettingIsKeptOnlyWhenTheFileExists) {
  std::vector<std::string> brands = FindBrandFiles(programFolder);
  WriteSettingText(store, Setting::kBrand, brands[2]);
  EXPECT_EQ(Created().brandFile, brands[2]);

  WriteSettingText(store, Setting::kBrand, programFolder + "Deleted.dat");
  EXPECT_EQ(Created().brandFile, firstBrand);
}

TEST_F(TesselParamsTest, NoBrandFileIsAFileNotFoundError) {
  std::string error;
  EXPECT_FALSE(CTesselParams::Create(store, dir.Path().string(), &error));
  EXPECT_NE(error.find("not found"), std::string::npos);
}

TEST_F(TesselParamsTest, SettingsRoundTrip) {
  CTesselParams params = Created();
  params.patternType = kPatternTiles;
  params.borderColor = 0x0000FF;
  params.auxColor = {1, 2, 3};
  params.currentColor = 7;
  params.currentBrandColor = 12;
  params.penWidth = 5;
  params.penShape = 0;
  params.neededNumColors = 20;
  params.brandFile = FindBrandFiles(programFolder)[3];
  params.SaveToSettings(store);
  store.Flush();

  QtSettingsStore reopened(QString::fromStdString(dir.File("settings.ini")));
  std::optional<CTesselParams> read = CTesselParams::Create(reopened, programFolder);
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, params);  // the grid palette is the same too
  EXPECT_EQ(reopened.ReadInt("SETTINGS", "TESSELMETHOD", -9), 2);
  EXPECT_EQ(reopened.ReadInt("SETTINGS", "BORDERCOLOR", -9), 255);
}

TEST_F(TesselParamsTest, AssignmentCarriesAllButPenAndCellSize) {
  CTesselParams source = Created();
  source.paletteReady = 1;
  source.neededNumColors = 9;
  source.workingPalette.resize(3);
  source.borderColor = 1;
  source.patternType = 0;
  source.auxColor = {4, 5, 6};
  source.currentColor = 2;
  source.currentBrandColor = 8;
  source.brandFile = "/x/Y.dat";
  source.penWidth = 7;
  source.penShape = 0;
  source.dotsPerCell = 9;

  CTesselParams target = Created();
  target.AssignFrom(source);
  EXPECT_EQ(target.paletteReady, 1);
  EXPECT_EQ(target.workingPalette.size(), 3u);
  EXPECT_EQ(target.brandFile, "/x/Y.dat");
  EXPECT_EQ(target.penWidth, 1);
  EXPECT_EQ(target.penShape, 1);
  EXPECT_EQ(target.dotsPerCell, 4);
  target.penWidth = 7;
  target.penShape = 0;
  EXPECT_EQ(target, source);
}

TEST_F(TesselParamsTest, EqualityFields) {
  const CTesselParams base = Created();
  auto equalAfter = [&](auto change) {
    CTesselParams other = base;
    change(other);
    return other == base;
  };
  EXPECT_TRUE(equalAfter([](CTesselParams& p) { p.paletteReady = 1; }));
  EXPECT_TRUE(equalAfter([](CTesselParams& p) { p.dotsPerCell = 2; }));
  EXPECT_TRUE(equalAfter([](CTesselParams& p) { p.workingPalette[4].paletteIndex = 99; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.workingPalette.pop_back(); }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.workingPalette[4].red ^= 1; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.neededNumColors++; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.patternType = 0; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.borderColor = 0; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.auxColor.blue = 0; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.currentColor = 3; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.currentBrandColor = 3; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.brandFile[p.brandFile.size() - 1] = 'T'; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.penWidth = 3; }));
  EXPECT_FALSE(equalAfter([](CTesselParams& p) { p.penShape = 0; }));
}

TEST_F(TesselParamsTest, SerializeLayoutAndReadBack) {
  CTesselParams params = Created();
  params.workingPalette = {{"B", "S", "N", 3, 0, 10, 20, 30}};
  params.neededNumColors = 12;
  params.patternType = 2;
  params.borderColor = 0x010203;
  params.brandFile = "/opt/x/Golden.dat";
  params.auxColor = {7, 8, 9};
  params.currentColor = 0;
  params.currentBrandColor = 5;
  VectorSink sink;
  ArchiveWriter writer(sink);
  params.Serialize(writer);
  const std::vector<uint8_t> expected = {
      1, 0, 0, 0, 12, 0, 0, 0,                                     // count, wanted
      1, 0, 0, 0, 1, 'B', 1, 'S', 1, 'N', 3, 0, 0, 0, 0, 0, 0, 0,  // block
      10, 20, 30, 2, 0, 0, 0, 3, 2, 1, 0,                          // rgb, type, border
      6, 'G', 'o', 'l', 'd', 'e', 'n', 7, 8, 9,                    // title, aux
      0, 0, 0, 0, 5, 0, 0, 0};
  EXPECT_EQ(sink.bytes, expected);

  CTesselParams read = Created();
  read.penWidth = 6;
  ArchiveReader reader(sink.bytes);
  ASSERT_TRUE(read.Deserialize(reader, "/prog/"));
  EXPECT_EQ(read.brandFile, "/prog/Golden.DAT");
  EXPECT_EQ(read.paletteReady, 1);
  EXPECT_EQ(read.workingPalette, params.workingPalette);
  EXPECT_EQ(read.penWidth, 6);  // not stored
  read.brandFile = params.brandFile;
  read.penWidth = params.penWidth;
  EXPECT_EQ(read, params);
}

std::vector<uint8_t> SerializedWithTitle(const std::string& title, int colors) {
  CTesselParams params;
  params.brandFile = title + ".dat";
  params.workingPalette.resize(size_t(colors));
  VectorSink sink;
  ArchiveWriter writer(sink);
  params.Serialize(writer);
  return sink.bytes;
}

TEST_F(TesselParamsTest, ReadingRebuildsTheBrandPathInTheProgramFolder) {
  const std::string folder = dir.Path().string() + "/";
  std::ofstream(folder + "Lower.dat") << "PAINT=L\r\n";
  std::ofstream(folder + "Upper.DAT") << "PAINT=U\r\n";
  auto readTitle = [&](const std::string& title) {
    CTesselParams params;
    std::vector<uint8_t> bytes = SerializedWithTitle(title, 0);
    ArchiveReader reader(bytes);
    EXPECT_TRUE(params.Deserialize(reader, folder));
    return params.brandFile;
  };
  EXPECT_EQ(readTitle("Upper"), folder + "Upper.DAT");
  EXPECT_EQ(readTitle("Lower"), folder + "Lower.dat");  // the file that exists
  EXPECT_EQ(readTitle("Gone"), folder + "Gone.DAT");
  EXPECT_EQ(readTitle("/etc/passwd"), folder + "passwd.DAT");  // never outside the folder
}

TEST_F(TesselParamsTest, ReadingAnEmptyPaletteKeepsReadyAndBadBytesChangeNothing) {
  CTesselParams params = Created();
  params.paletteReady = 0;
  std::vector<uint8_t> empty = SerializedWithTitle("T", 0);
  ArchiveReader reader(empty);
  ASSERT_TRUE(params.Deserialize(reader, programFolder));
  EXPECT_TRUE(params.workingPalette.empty());
  EXPECT_EQ(params.paletteReady, 0);

  CTesselParams untouched = Created();
  std::vector<uint8_t> full = SerializedWithTitle("T", 3);
  for (size_t cut : {size_t{3}, size_t{20}, full.size() - 1}) {
    ArchiveReader shortReader{std::span(full).first(cut)};
    CTesselParams target = untouched;
    EXPECT_FALSE(target.Deserialize(shortReader, programFolder)) << cut;
    EXPECT_EQ(target, untouched) << cut;
    EXPECT_EQ(target.paletteReady, 0) << cut;
  }
}

TEST(TesselParamsColors, SyncCurrentColorFollowsTheBrandColor) {
  CTesselParams params;
  params.workingPalette.resize(32);
  std::vector<int32_t> positions(32);
  for (int i = 0; i < 32; ++i) positions[size_t(i)] = 100 + i;

  params.currentBrandColor = -1;
  params.currentColor = 40;  // beyond the palette
  params.SyncCurrentColor(positions);
  EXPECT_EQ(params.currentColor, 0);
  EXPECT_EQ(params.currentBrandColor, 100);

  params.currentBrandColor = 117;  // still in the new palette
  params.SyncCurrentColor(positions);
  EXPECT_EQ(params.currentColor, 17);

  params.currentBrandColor = 5;  // gone: back to the first colour
  params.currentColor = 9;
  params.SyncCurrentColor(positions);
  EXPECT_EQ(params.currentColor, 0);
  EXPECT_EQ(params.currentBrandColor, 100);

  params.currentBrandColor = -1;
  params.currentColor = 4;
  params.SyncCurrentColor(positions);
  EXPECT_EQ(params.currentBrandColor, 104);

  params.workingPalette.clear();  // nothing to follow: no crash, colour 0
  params.currentColor = 3;
  params.SyncCurrentColor({});
  EXPECT_EQ(params.currentColor, 0);
}

TEST(TesselParamsColors, CurrentColorValueAndPaletteEntries) {
  CTesselParams params;
  params.FillGridColors();
  params.currentColor = 13;
  EXPECT_EQ(params.CurrentColorValue(), PackColor(85, 0, 85));
  params.currentColor = 36;
  EXPECT_EQ(params.CurrentColorValue(), PackColor(0, 0, 0));
  EXPECT_EQ(params.currentColor, 0);
  params.currentColor = -2;
  params.CurrentColorValue();
  EXPECT_EQ(params.currentColor, 0);

  std::vector<PaletteEntry> entries(40, PaletteEntry{9, 9, 9, 7});
  params.WritePaletteEntries(entries.data(), int(entries.size()));
  EXPECT_EQ(entries[35], (PaletteEntry{170, 191, 170, 7}));  // flags left alone
  EXPECT_EQ(entries[36], (PaletteEntry{9, 9, 9, 7}));
  std::vector<PaletteEntry> few(2);
  params.WritePaletteEntries(few.data(), 2);  // stops at the capacity
  EXPECT_EQ(few[1], (PaletteEntry{0, 0, 85, 0}));
}

TEST_F(TesselParamsTest, RestoreFromStoredColorsNamesFromTheBrand) {
  CTesselParams params = Created();
  std::vector<PaletteEntry> entries = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  std::vector<int32_t> positions = {0, -1, 5000};
  ASSERT_TRUE(params.RestoreFromStoredColors(3, entries.data(), positions));
  ASSERT_EQ(params.workingPalette.size(), 3u);
  const CFlossColor& named = params.workingPalette[0];
  EXPECT_EQ(named.AsRgb(), (Rgb{1, 2, 3}));  // the stored RGB, not the brand's
  EXPECT_EQ(named.colorName, "Azul Turquesa");
  EXPECT_EQ(named.catalogNumber, 501);
  EXPECT_EQ(named.brandName, "Acrilex Acrylic Paints");
  EXPECT_EQ(named.sourceFile, params.brandFile);
  for (size_t i : {size_t{1}, size_t{2}}) {  // no position, or none that exists
    EXPECT_EQ(params.workingPalette[i].colorName, "");
    EXPECT_EQ(params.workingPalette[i].catalogNumber, -1);
    EXPECT_EQ(params.workingPalette[i].paletteIndex, int(i));
  }
  EXPECT_EQ(params.paletteReady, 1);

  params.brandFile = dir.File("missing.dat");
  EXPECT_FALSE(params.RestoreFromStoredColors(3, entries.data(), positions));
  EXPECT_EQ(params.workingPalette.size(), 3u);
}

}  // namespace
}  // namespace tintara
