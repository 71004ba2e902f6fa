#include <gtest/gtest.h>

#include <QSettings>

#include "platform/qt_settings_store.h"
#include "storage/convert_ini.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

TEST(ConvertIni, DialogsStartInTheLastPreparedFolders) {
  test::TempDir dir;
  QString convertPath = QString::fromStdString(dir.File(kConvertIniName));
  QtSettingsStore convertIni(convertPath);
  EXPECT_EQ(OpenDialogFolder(convertIni), "");
  PrepareOpenDialog(convertIni, "/photos/summer");
  PrepareSaveDialog(convertIni, "/data/patterns");
  PrepareSaveDialog(convertIni, "/data/converted");
  // Already in the file, as another reader sees it, before the store goes away.
  QSettings file(convertPath, QSettings::IniFormat);
  EXPECT_EQ(file.value("Settings/OpenDir").toString(), "/photos/summer");
  EXPECT_EQ(file.value("Settings/SaveDir").toString(), "/data/converted");
  EXPECT_EQ(OpenDialogFolder(convertIni), "/photos/summer");
  EXPECT_EQ(SaveDialogFolder(convertIni), "/data/converted");
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
