#include "storage/recent_projects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/qt_settings_store.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

class RecentProjectsTest : public ::testing::Test {
 protected:
  std::string Project(int i) {
    std::string path = dir.File("p" + std::to_string(i) + ".mop");
    std::ofstream(path) << "x";
    return path;
  }
  void Store(const std::vector<std::string>& paths) {
    for (size_t i = 0; i < paths.size(); ++i) {
      store.WriteString("WIZARD", "LAST" + std::to_string(i), paths[i]);
    }
  }

  test::TempDir dir;
  QtSettingsStore store{QString::fromStdString(dir.File("settings.ini"))};
};

TEST_F(RecentProjectsTest, NewPathGoesFirstAndTheListGrowsPastTheReadLimit) {
  std::vector<std::string> paths;
  for (int i = 0; i < 32; ++i) paths.push_back(Project(i));
  Store(paths);
  std::string fresh = Project(99);
  RecordSavedProject(store, fresh);

  EXPECT_EQ(store.ReadString("WIZARD", "LASTPROJECT", ""), fresh);
  EXPECT_EQ(store.ReadString("WIZARD", "LAST0", ""), fresh);
  EXPECT_EQ(store.ReadString("WIZARD", "LAST1", ""), paths[0]);
  EXPECT_EQ(store.ReadString("WIZARD", "LAST32", ""), paths[31]);  // written, never read
  std::vector<std::string> read = ReadRecentProjects(store);
  ASSERT_EQ(read.size(), 32u);
  EXPECT_EQ(read.back(), paths[30]);
}

TEST_F(RecentProjectsTest, AListedPathKeepsItsPlaceWhateverItsCase) {
  std::vector<std::string> paths;
  for (int i = 0; i < 8; ++i) paths.push_back(Project(i));
  Store(paths);
  RecordSavedProject(store, paths[5]);
  EXPECT_EQ(ReadRecentProjects(store), paths);

  std::string upper = paths[2];
  upper.replace(upper.size() - 4, 4, ".MOP");
  RecordSavedProject(store, upper);
  EXPECT_EQ(ReadRecentProjects(store), paths);
  EXPECT_EQ(LastProject(store), upper);
}

TEST_F(RecentProjectsTest, DeletedFilesDropOutWithoutLeavingStaleKeys) {
  std::vector<std::string> paths = {Project(0), Project(1), Project(2), Project(3)};
  Store(paths);
  std::filesystem::remove(paths[1]);
  EXPECT_EQ(ExistingRecentProjects(store),
            (std::vector<std::string>{paths[0], paths[2], paths[3]}));
  RecordSavedProject(store, paths[0]);
  // Three entries are left; the old fourth key must not come back as a duplicate.
  EXPECT_EQ(ReadRecentProjects(store), (std::vector<std::string>{paths[0], paths[2], paths[3]}));
  EXPECT_FALSE(store.Contains("WIZARD", "LAST3"));
}

TEST_F(RecentProjectsTest, OpeningSetsOnlyTheLastProject) {
  std::vector<std::string> paths = {Project(0)};
  Store(paths);
  std::string opened = Project(1);
  RecordOpenedProject(store, opened);
  EXPECT_EQ(LastProject(store), opened);
  EXPECT_EQ(ReadRecentProjects(store), paths);
}

}  // namespace
}  // namespace tintara
