// Values read from a settings file are bounded as the dialogs bound them: a
// hand-edited or damaged file never hands an absurd number to the program.
#include <gtest/gtest.h>

#include <fstream>

#include "colors/tessel_params.h"
#include "platform/qt_settings_store.h"
#include "storage/app_settings.h"
#include "storage/memory_budget.h"
#include "storage/settings_keys.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

class SettingsRanges : public ::testing::Test {
 protected:
  // A settings file written by hand, as a user or a damaged disk leaves it.
  QtSettingsStore& StoreWith(const std::string& text) {
    std::ofstream(dir.File("settings.ini")) << text;
    store = std::make_unique<QtSettingsStore>(QString::fromStdString(dir.File("settings.ini")));
    return *store;
  }

  test::TempDir dir;
  std::unique_ptr<QtSettingsStore> store;
};

TEST_F(SettingsRanges, OutOfRangeValuesReadAsTheDefault) {
  QtSettingsStore& settings = StoreWith(
      "[SETTINGS]\nNUMPAGES=2147483647\nPRNPAGESIZE=-3\nPRNRES=6\nPRNORIENT=2\n"
      "TESSELMETHOD=99\nNEEDEDNUMCOLORS=100000\nPENWIDTH=31\nUGR=300\n"
      "BORDERCOLOR=-1\nCURBRANDCOLOR=-2\n"
      "[COLORCORRECTION]\nPERCENT=-50\n[MEMORY]\nPICTURESMB=0\n");
  PatternPageSettings page = ReadPageSettings(settings);
  EXPECT_EQ(page.pageCount, 0);
  EXPECT_EQ(page.paperSize, 3);
  EXPECT_EQ(page.printResolution, 2);
  EXPECT_EQ(page.orientation, 0);
  EXPECT_EQ(ReadSetting(settings, Setting::kColorCorrectionPercent), 100);
  EXPECT_EQ(PictureMemoryBudget(settings), kDefaultPictureBudget);

  std::optional<CTesselParams> params =
      CTesselParams::Create(settings, test::ProgramFolder().string() + "/");
  ASSERT_TRUE(params);
  EXPECT_EQ(params->patternType, kPatternNumbers);
  EXPECT_EQ(params->neededNumColors, 32);
  EXPECT_EQ(params->penWidth, 1);
  EXPECT_EQ(params->auxColor.red, 255);
  EXPECT_EQ(params->borderColor, 0x808080u);
  EXPECT_EQ(params->currentBrandColor, -1);
}

TEST_F(SettingsRanges, EveryValueADialogCanStoreReadsBack) {
  QtSettingsStore& settings = StoreWith(
      "[SETTINGS]\nNUMPAGES=9\nPRNPAGESIZE=4\nPRNRES=5\nPRNORIENT=1\nTESSELMETHOD=6\n"
      "NEEDEDNUMCOLORS=256\nPENWIDTH=7\nBORDERCOLOR=16777215\n"
      "[COLORCORRECTION]\nPERCENT=10000\n[MEMORY]\nPICTURESMB=64\n");
  PatternPageSettings page = ReadPageSettings(settings);
  EXPECT_EQ(page, (PatternPageSettings{9, 1, 4, 5, 1}));
  EXPECT_EQ(ReadSetting(settings, Setting::kPatternType), 6);
  EXPECT_EQ(ReadSetting(settings, Setting::kNeededNumColors), 256);
  EXPECT_EQ(ReadSetting(settings, Setting::kPenWidth), 7);
  EXPECT_EQ(ReadSetting(settings, Setting::kBorderColor), 0xFFFFFF);
  EXPECT_EQ(ReadSetting(settings, Setting::kColorCorrectionPercent), 10000);
  EXPECT_EQ(PictureMemoryBudget(settings), uint64_t(64) << 20);
}

TEST(MemoryAmounts, ShownInTheLargestWholeUnit) {
  EXPECT_EQ(MemoryAmountText(kDefaultPictureBudget), "2 GiB");
  EXPECT_EQ(MemoryAmountText(uint64_t(3) << 29), "1.5 GiB");
  EXPECT_EQ(MemoryAmountText(uint64_t(64) << 20), "64 MiB");
  EXPECT_EQ(MemoryAmountText(1000), "1000 bytes");
  EXPECT_EQ(MemoryAmountText(1'020'000), "996 KiB");
}

}  // namespace
}  // namespace tintara
