// Picture exports that cannot be completed leave the target as it was.
#include <gtest/gtest.h>

#include <QString>
#include <filesystem>

#include "platform/picture_files.h"
#include "tests/support/small_disk.h"
#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

QString Q(const std::string& path) { return QString::fromStdString(path); }

// Each format is written once with room to spare, then onto a disk that lacks
// room for its last bytes only: the failure that shows up last.
TEST(PictureExport, AnExportThatDoesNotFitFailsAndLeavesNothing) {
  test::SmallDisk disk(2 << 20);
  if (!disk.Ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
  ImageRef photo = test::MakePhoto(240, 180, 3);
  for (const char* name : {"a.png", "a.bmp", "a.tif"}) {
    SCOPED_TRACE(name);
    const std::string path = disk.File(name);
    ASSERT_EQ(SavePictureFile(*photo, Q(path)), "");
    const uintmax_t size = std::filesystem::file_size(path);
    std::filesystem::remove(path);

    disk.FillAllBut((size - 1) / 4096 * 4096);
    EXPECT_NE(SavePictureFile(*photo, Q(path)), "");
    EXPECT_EQ(test::FolderEntries(disk.Path()), std::vector<std::string>{"filler"});
    std::filesystem::remove(disk.File("filler"));
  }
}

TEST(PictureExport, AReadOnlyPictureIsNotReplaced) {
  test::TempDir dir;
  const std::string path = dir.File("kept.png");
  ASSERT_EQ(SavePictureFile(*test::MakePhoto(8, 6, 1), Q(path)), "");
  const uintmax_t size = std::filesystem::file_size(path);
  std::filesystem::permissions(path, std::filesystem::perms::owner_read);
  EXPECT_NE(SavePictureFile(*test::MakePhoto(80, 60, 2), Q(path)), "");
  EXPECT_EQ(std::filesystem::file_size(path), size);
}

}  // namespace
}  // namespace tintara
