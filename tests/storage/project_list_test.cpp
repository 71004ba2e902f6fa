#include "storage/project_list.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "platform/qt_settings_store.h"
#include "storage/recent_projects.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

class ProjectListTest : public ::testing::Test {
 protected:
  std::string Touch(const std::string& name) {
    std::string path = dir.File(name);
    std::ofstream(path) << "x";
    return path;
  }
  test::TempDir dir;
  QtSettingsStore store{QString::fromStdString(dir.File("settings.ini"))};
};

TEST_F(ProjectListTest, MissingFilesLeaveTheRowsAndTheStoredList) {
  const std::string first = Touch("First.mop");
  const std::string gone = dir.File("Gone.mop");
  const std::string third = Touch("third.project.mop");
  WriteRecentProjects(store, {first, gone, third});

  std::vector<ProjectRow> rows = ReadProjectRows(store);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "First");
  EXPECT_EQ(rows[0].path, first);
  EXPECT_EQ(rows[1].name, "third.project");
  EXPECT_EQ(rows[1].path, third);
  EXPECT_FALSE(rows[0].created.empty());
  EXPECT_FALSE(rows[0].modified.empty());
  EXPECT_EQ(ReadRecentProjects(store), (std::vector<std::string>{first, third}));
  EXPECT_FALSE(store.Contains("WIZARD", "LAST2"));
}

TEST(FileTimeText, HasTheClockThenTheMonthNameDayAndYear) {
  const char* old = std::getenv("TZ");
  std::string saved = old != nullptr ? old : "";
  setenv("TZ", "UTC", 1);
  tzset();
  // 2024-03-05 07:08:09 UTC
  EXPECT_EQ(FormatFileTime(std::time_t(1709622489)), "07:08:09, March 05, 2024");
  if (old != nullptr) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

}  // namespace
}  // namespace tintara
