// Brand and palette files are read only when they are regular files, and
// without blocking: a pipe or a device named like one is refused at once.
#include "colors/file_read.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "colors/brand_palette.h"
#include "tests/support/temp_dir.h"
#include "tests/support/time_limit.h"

namespace tintara {
namespace {

TEST(FileRead, PipeNamedAsABrandFileIsRefusedWithoutBlocking) {
  test::TempDir dir;
  std::string path = dir.File("Pipe.dat");
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  auto outcome = test::RunInChild(std::chrono::seconds(5), [&] {
    FileError error;
    return !BrandPalette::Load(path, &error) && error.kind == FileErrorKind::kReadFailed &&
           FileErrorText(error).find("Pipe.dat") != std::string::npos;
  });
  EXPECT_EQ(outcome, test::ChildOutcome::kPassed);
}

TEST(FileRead, DevicesAndFoldersAreNotRead) {
  test::TempDir dir;
  FileError error;
  // /dev/zero would never end; a folder has no bytes of its own.
  EXPECT_FALSE(ReadWholeFile("/dev/zero", kMaxBrandFileBytes, &error));
  EXPECT_EQ(error.kind, FileErrorKind::kReadFailed);
  EXPECT_FALSE(ReadWholeFile(dir.Path().string(), kMaxBrandFileBytes, &error));
  EXPECT_EQ(error.kind, FileErrorKind::kReadFailed);
  EXPECT_FALSE(ReadWholeFile(dir.File("missing.dat"), kMaxBrandFileBytes, &error));
  EXPECT_EQ(error.kind, FileErrorKind::kNotFound);

  std::ofstream(dir.File("small.dat")) << "abc";
  std::optional<std::string> bytes = ReadWholeFile(dir.File("small.dat"), 3, &error);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(*bytes, "abc");
  EXPECT_FALSE(ReadWholeFile(dir.File("small.dat"), 2, &error));
  EXPECT_EQ(error.kind, FileErrorKind::kTooLarge);
}

}  // namespace
}  // namespace tintara
