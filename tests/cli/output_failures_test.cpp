// Outputs on a disk that runs full: the command fails with one line naming
// the file, and no partial file stays.
#include "tests/cli/cli_runner.h"
#include "tests/support/small_disk.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

// Each output is written once with room to spare, then again onto a disk that
// lacks room for its last bytes only: the failure that shows up last.
TEST_F(CliTest, PdfOutputsThatDoNotFitFailAndLeaveNothing) {
  test::SmallDisk disk(2 << 20);
  if (!disk.Ok()) GTEST_SKIP() << "no tmpfs can be mounted here";
  const QString project = QString::fromStdString(CreateProject());
  const std::string output = disk.File("out.pdf");
  const QString out = QString::fromStdString(output);
  const std::vector<QStringList> commands = {
      {"print", project, "--what", "key", "-o", out},
      {"print", project, "--what", "pattern", "--pages-per-side", "2", "-o", out},
      {"print", project, "--what", "initial", "-o", out},
      {"create", Q("photo.png"), "-o", Q("again.mop"), "--key-pdf", out},
      {"create", Q("photo.png"), "-o", Q("again.mop"), "--pdf", out},
  };
  for (const QStringList& arguments : commands) {
    SCOPED_TRACE(arguments.join(' ').toStdString());
    CliResult whole = Run(arguments);
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    const uintmax_t size = std::filesystem::file_size(output);
    std::filesystem::remove(output);

    disk.FillAllBut((size - 1) / 4096 * 4096);
    CliResult result = Run(arguments);
    EXPECT_EQ(result.exitCode, 1);
    QStringList lines = result.ErrorLines();
    ASSERT_EQ(lines.size(), 1) << result.err.toStdString();
    EXPECT_TRUE(lines[0].contains(out)) << lines[0].toStdString();
    EXPECT_EQ(test::FolderEntries(disk.Path()), std::vector<std::string>{"filler"});
    std::filesystem::remove(disk.File("filler"));
  }
}

}  // namespace
}  // namespace tintara
