#include "storage/app_settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/qt_settings_store.h"
#include "storage/settings_keys.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

namespace fs = std::filesystem;

class AppSettingsTest : public ::testing::Test {
 protected:
  std::string IniPath() const { return dir.File("Tintara.ini"); }

  test::TempDir dir;
  std::string programFolder = dir.Path().string() + "/";
  // Where the program proposes projects: the user's documents, not the program's folder.
  std::string documents = dir.File("home/Documents/Tintara");
  QtSettingsStore store{QString::fromStdString(IniPath())};
};

TEST_F(AppSettingsTest, FirstStartDefaultsAndFolders) {
  AppSettings settings;
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.projectsFolder, documents);
  EXPECT_EQ(settings.imagesFolder, documents + "/");
  EXPECT_EQ(settings.convertedFolder, documents + "/");
  EXPECT_EQ(settings.patternsFolder, documents + "/");
  // Made with its parents: a new account may have no documents folder yet.
  EXPECT_TRUE(fs::is_directory(documents));
  EXPECT_FALSE(fs::exists(programFolder + "Projects"));
  EXPECT_FALSE(settings.winInterface.has_value());  // the interface question is due
  EXPECT_EQ(settings.animation, 1);
  EXPECT_EQ(settings.menu, 1);
  EXPECT_EQ(settings.graph, 1);
  EXPECT_EQ(settings.colorCorrectionPercent, 100);
  EXPECT_EQ(settings.page, PatternPageSettings{});
  EXPECT_EQ(settings.selectorPosX, 10);
  // Never placed: nothing is written back, so it opens beside the canvas again.
  EXPECT_FALSE(settings.selectorPlaced);
  settings.WriteAll(store);
  EXPECT_FALSE(HasSetting(store, Setting::kSelectorPosX));
  EXPECT_EQ(settings.printFit, 1);
  EXPECT_EQ(settings.printMarkEach, 10);
  EXPECT_EQ(settings.showNavigator, 1);
}

TEST_F(AppSettingsTest, StoredFoldersAreCreatedOneLevel) {
  WriteSettingText(store, Setting::kPathsImages, dir.File("pictures"));
  WriteSettingText(store, Setting::kPathsPatterns, dir.File("deep/er"));  // parent missing
  AppSettings settings;
  settings.ReadStartup(store, documents);
  EXPECT_EQ(settings.imagesFolder, dir.File("pictures"));
  EXPECT_TRUE(fs::is_directory(dir.File("pictures")));
  EXPECT_FALSE(fs::exists(dir.File("deep")));  // failures are quiet
  EXPECT_EQ(settings.patternsFolder, dir.File("deep/er"));
}

// Sheets never chosen for printing are the pattern's; a stored choice, and
// the correction of a stored 0, stay as they were.
TEST_F(AppSettingsTest, PrintSheetsNeverChosenAreThePatterns) {
  WriteSetting(store, Setting::kPageCount, 2);  // 3 x 3
  AppSettings settings;
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.printFit, 3);
  WriteSetting(store, Setting::kPrintFit, 1);
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.printFit, 1);
  WriteSetting(store, Setting::kPrintFit, 0);
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.printFit, 1);
}

TEST_F(AppSettingsTest, TheFewCorrectedValues) {
  WriteSetting(store, Setting::kPrintFit, 0);
  WriteSetting(store, Setting::kPrintMarkEach, 0);
  WriteSetting(store, Setting::kInterfaceMenu, 0);
  WriteSetting(store, Setting::kInterfaceGraph, 0);
  WriteSetting(store, Setting::kPageCount, 77);  // beyond 10 × 10 pages: the default
  AppSettings settings;
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.printFit, 1);
  EXPECT_EQ(settings.printMarkEach, 10);
  EXPECT_EQ(settings.menu, 1);
  EXPECT_EQ(settings.graph, 0);
  EXPECT_EQ(settings.page.pageCount, 0);

  WriteSetting(store, Setting::kInterfaceMenu, 0);
  WriteSetting(store, Setting::kInterfaceGraph, 1);
  settings.ReadAll(store, documents);
  EXPECT_EQ(settings.menu, 0);  // the tool bars are enough
}

TEST_F(AppSettingsTest, RoundTripThroughTheIniFile) {
  AppSettings written;
  written.ReadAll(store, programFolder);
  written.projectsFolder = "/data/projects";
  written.imagesFolder = "/data/pictures";
  written.convertedFolder = dir.File("converted");
  written.patternsFolder = dir.File("patterns");
  written.animation = 0;
  written.menu = 0;
  written.graph = 1;
  written.winInterface = 1;
  written.prefUnits = 1;
  written.autoSave = 1;
  written.colorCorrectionPercent = 140;
  written.listView = 0;
  written.page = {2, 0, 4, 5, 1};
  written.selectorPosX = -30;
  written.selectorPosY = 400;
  written.selectorPlaced = true;
  written.twainScanner = "test:0";
  written.twainCamera = "Câmera";
  written.twainOther = "x, y = z";
  written.printFit = 3;
  written.printSeparate = 1;
  written.printMarkEach = 5;
  written.printMarksDigits = 0;
  written.showColorsPalette = 0;
  written.showNavigator = 0;
  written.WriteAll(store);

  QtSettingsStore reopened(QString::fromStdString(IniPath()));
  AppSettings read;
  read.ReadAll(reopened, programFolder);
  EXPECT_EQ(read.projectsFolder, written.projectsFolder);
  EXPECT_EQ(read.imagesFolder, written.imagesFolder);
  EXPECT_EQ(read.convertedFolder, written.convertedFolder);
  EXPECT_EQ(read.patternsFolder, written.patternsFolder);
  EXPECT_EQ(read.animation, 0);
  EXPECT_EQ(read.menu, 0);
  EXPECT_EQ(read.graph, 1);
  EXPECT_EQ(read.winInterface, 1);
  EXPECT_EQ(read.prefUnits, 1);
  EXPECT_EQ(read.autoSave, 1);
  EXPECT_EQ(read.colorCorrectionPercent, 140);
  EXPECT_EQ(read.listView, 0);
  EXPECT_EQ(read.page, (PatternPageSettings{2, 0, 4, 5, 1}));
  EXPECT_EQ(read.selectorPosX, -30);
  EXPECT_EQ(read.selectorPosY, 400);
  EXPECT_TRUE(read.selectorPlaced);
  EXPECT_EQ(read.twainScanner, "test:0");
  EXPECT_EQ(read.twainCamera, "Câmera");
  EXPECT_EQ(read.twainOther, "x, y = z");
  EXPECT_EQ(read.printFit, 3);
  EXPECT_EQ(read.printSeparate, 1);
  EXPECT_EQ(read.printMarkEach, 5);
  EXPECT_EQ(read.printMarksDigits, 0);
  EXPECT_EQ(read.showColorsPalette, 0);
  EXPECT_EQ(read.showNavigator, 0);
  // The keys are the ones other parts of the program read directly.
  EXPECT_EQ(reopened.ReadInt("SETTINGS", "PRNRES", -1), 5);
  EXPECT_EQ(reopened.ReadInt("COLORCORRECTION", "PERCENT", -1), 140);
}

TEST_F(AppSettingsTest, UnsetInterfaceStyleIsNotWritten) {
  AppSettings settings;
  settings.ReadAll(store, documents);
  settings.WriteAll(store);
  EXPECT_FALSE(store.Contains("INTERFACE", "WININTERFACE"));
  EXPECT_TRUE(store.Contains("INTERFACE", "MENU"));
}

TEST(SettingsKeys, TableAnswersForEveryKey) {
  EXPECT_EQ(KeyOf(Setting::kBorderColor).intDefault, 8421504);
  EXPECT_EQ(KeyOf(Setting::kCurrentBrandColor).intDefault, -1);
  EXPECT_EQ(KeyOf(Setting::kInterfaceWinInterface).defaultKind, SettingDefault::kNone);
  EXPECT_EQ(NumberedKey(Setting::kWizardRecentProject, 31), "LAST31");
  EXPECT_EQ(NumberedKey(Setting::kRecentFile, 1), "File1");
  // No two rows of the same file share a section and key.
  const auto& table = AllSettingKeys();
  for (size_t i = 0; i < table.size(); ++i) {
    for (size_t j = i + 1; j < table.size(); ++j) {
      EXPECT_FALSE(table[i].file == table[j].file && table[i].section == table[j].section &&
                   table[i].key == table[j].key)
          << table[i].section << "/" << table[i].key;
    }
  }
}

TEST(ProgramFiles, IniPaths) {
  EXPECT_EQ(ProgramFolderOf("/opt/tintara/bin/tintara"), "/opt/tintara/bin/");
  EXPECT_EQ(ProgramIniPath("/opt/tintara/bin/tintara"), "/opt/tintara/bin/tintara.INI");
  EXPECT_EQ(ProgramIniPath("/opt/v1.2/Tessel.exe"), "/opt/v1.2/Tessel.INI");
  EXPECT_EQ(ConvertIniPath("/opt/tintara/bin/"), "/opt/tintara/bin/CONVERT.INI");
  test::TempDir dir;
  EXPECT_EQ(WritableIniPath(dir.File("CONVERT.INI"), "/home/u/.config"), dir.File("CONVERT.INI"));
  EXPECT_EQ(WritableIniPath("/no/such/folder/CONVERT.INI", "/home/u/.config"),
            "/home/u/.config/CONVERT.INI");
}

}  // namespace
}  // namespace tintara
