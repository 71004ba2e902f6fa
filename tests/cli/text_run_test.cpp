// Text placed on the pattern by `tintara-cli run`: the "Add text" answer, a
// click that fixes the text's place and a double click that paints it.
#include <fstream>

#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

TEST_F(CliTest, TextIsPaintedWhereItWasPlacedOnlyOnTheDoubleClick) {
  WritePicture("photo.png", 200, 120);
  std::ofstream(Path("answers.json"))
      << R"({"Add text": [{"text": "HI", "font": "Liberation Sans", "size": 28}]})";
  const QStringList start = {"run", "--picture", Q("photo.png"), "--answers", Q("answers.json"),
                             "Create drawing pattern", "32773", "Select All", "set:color=1",
                             "Fill selection", "Select None", "set:color=0"};
  CliResult placed = Run(start + QStringList{"-o", Q("placed.mop"), "Add text", "click@30,60"});
  ASSERT_EQ(placed.exitCode, 0) << placed.err.toStdString();
  CliResult painted = Run(start + QStringList{"-o", Q("painted.mop"), "Add text", "click@30,60",
                                              "dblclick@35,60"});
  ASSERT_EQ(painted.exitCode, 0) << painted.err.toStdString();

  // Placed but never double-clicked: nothing painted.
  ProjectData waiting = Read(Path("placed.mop"));
  const ImageBuffer& untouched = *waiting.indexImage;
  for (int y = 0; y < untouched.Height(); ++y) {
    for (int x = 0; x < untouched.Width(); ++x) ASSERT_EQ(untouched.Row(y)[x], 1);
  }

  ProjectData project = Read(Path("painted.mop"));
  const ImageBuffer& index = *project.indexImage;
  int painted0 = 0;
  int left = 1000, right = -1, top = 1000, bottom = -1;
  for (int y = 0; y < index.Height(); ++y) {
    for (int x = 0; x < index.Width(); ++x) {
      if (index.Row(y)[x] != 0) continue;
      ++painted0;
      const int row = index.Height() - 1 - y;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, row);
      bottom = std::max(bottom, row);
    }
  }
  // Two 28-point capitals: strokes, not a filled box, starting at the click
  // and centred on its row.
  EXPECT_GT(painted0, 80);
  EXPECT_GE(left, 30);
  EXPECT_LT(left, 36);
  EXPECT_LT(right - left, 60);
  EXPECT_LT(top, 60);
  EXPECT_GT(bottom, 60);
  EXPECT_LT(painted0, (right - left + 1) * (bottom - top + 1) * 3 / 4);
}

}  // namespace
}  // namespace tintara::test
