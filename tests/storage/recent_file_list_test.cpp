#include "storage/recent_file_list.h"

#include <gtest/gtest.h>

#include "platform/qt_settings_store.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentFileList, NewestFirstWithoutRepeatsAndAtMostFour) {
  RecentFileList list;
  for (const char* path : {"/a/one.mop", "/a/two.mop", "/a/three.mop", "/a/four.mop"}) {
    list.Add(path);
  }
  EXPECT_EQ(list.Entries(), (Paths{"/a/four.mop", "/a/three.mop", "/a/two.mop", "/a/one.mop"}));
  // The same file in other letters moves to the front, once.
  list.Add("/A/TWO.MOP");
  EXPECT_EQ(list.Entries(), (Paths{"/A/TWO.MOP", "/a/four.mop", "/a/three.mop", "/a/one.mop"}));
  list.Add("/a/five.mop");
  EXPECT_EQ(list.Entries(), (Paths{"/a/five.mop", "/A/TWO.MOP", "/a/four.mop", "/a/three.mop"}));
  list.Remove(1);
  list.Remove(7);
  EXPECT_EQ(list.Entries(), (Paths{"/a/five.mop", "/a/four.mop", "/a/three.mop"}));
}

TEST(RecentFileList, StoredAsFileOneToFourWithoutStaleKeys) {
  test::TempDir dir;
  QtSettingsStore store(QString::fromStdString(dir.File("settings.ini")));
  for (int i = 1; i <= 4; ++i) {
    store.WriteString("Recent File List", "File" + std::to_string(i), "/old" + std::to_string(i));
  }
  RecentFileList list;
  list.Load(store);
  EXPECT_EQ(list.Entries().size(), 4u);
  list.Remove(0);
  list.Remove(0);
  list.Save(store);
  EXPECT_EQ(store.ReadString("Recent File List", "File1", ""), "/old3");
  EXPECT_EQ(store.ReadString("Recent File List", "File2", ""), "/old4");
  EXPECT_FALSE(store.Contains("Recent File List", "File3"));
  EXPECT_FALSE(store.Contains("Recent File List", "File4"));
  // Reading stops at the first gap.
  store.WriteString("Recent File List", "File4", "/after-gap");
  RecentFileList again;
  again.Load(store);
  EXPECT_EQ(again.Entries(), (Paths{"/old3", "/old4"}));
}

TEST(RecentFileList, MenuTextsNumberTheNamesAndShowFoldersOnlyWhenNeeded) {
  Paths paths = {"/x/cat.mop", "/y/dog & bird.mop", "/z/Cat.mop"};
  EXPECT_EQ(RecentFileMenuText(paths, 1), "&2 dog && bird.mop");
  // Two entries named alike: both show their folders.
  EXPECT_EQ(RecentFileMenuText(paths, 0), "&1 /x/cat.mop");
  EXPECT_EQ(RecentFileMenuText(paths, 2), "&3 /z/Cat.mop");
  EXPECT_EQ(RecentFileMenuText(paths, 3), "");
}

}  // namespace
}  // namespace tintara
