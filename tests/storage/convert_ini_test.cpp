#include <gtest/gtest.h>

#include <QSettings>

#include "platform/qt_settings_store.h"
#include "storage/convert_ini.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

TEST(ConvertIni, DialogsStartInTheRememberedFolders) {
  test::TempDir dir;
  QString convertPath = QString::fromStdString(dir.File(kConvertIniName));
  QtSettingsStore settings(QString::fromStdString(dir.File("settings.ini")));
  {
    QtSettingsStore convertIni(convertPath);
    settings.WriteString("PATHS", "IMAGES", "/photos/summer");
    settings.WriteString("PATHS", "PATTERNS", "/data/patterns");
    PrepareOpenDialog(convertIni, settings, "/default/");
    PrepareSaveDialog(convertIni, settings, PictureFolder::kPatterns, "/default/");
    PrepareSaveDialog(convertIni, settings, PictureFolder::kConverted, "/default/");
  }
  // Read back from the file as another reader would.
  QSettings file(convertPath, QSettings::IniFormat);
  EXPECT_EQ(file.value("Settings/OpenDir").toString(), "/photos/summer");
  // The last save preparation wins; CONVERTED was never stored.
  EXPECT_EQ(file.value("Settings/SaveDir").toString(), "/default/");
}

TEST(ConvertIni, ChosenFileUpdatesOnlyItsOwnFolder) {
  test::TempDir dir;
  QtSettingsStore settings(QString::fromStdString(dir.File("settings.ini")));
  settings.WriteString("PATHS", "IMAGES", "/a");
  RememberChosenFolder(settings, PictureFolder::kConverted, "/home/me/out/cat.png");
  EXPECT_EQ(settings.ReadString("PATHS", "CONVERTED", ""), "/home/me/out");
  EXPECT_EQ(settings.ReadString("PATHS", "IMAGES", ""), "/a");
}

TEST(ConvertIni, FolderOfFileDropsTheNameAndTrailingSeparator) {
  EXPECT_EQ(FolderOfFile("/a/b/c.png"), "/a/b");
  EXPECT_EQ(FolderOfFile("/c.png"), "/");
  EXPECT_EQ(FolderOfFile("c.png"), "");
  EXPECT_EQ(FolderOfFile("C:\\Pictures\\cat.bmp"), "C:\\Pictures");
  EXPECT_EQ(FolderOfFile("C:\\cat.bmp"), "C:\\");
}

}  // namespace
}  // namespace tintara
