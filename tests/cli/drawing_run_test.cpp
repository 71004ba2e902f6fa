// Drawing on the pattern with gesture words in `tintara-cli run`: pen settings
// and the painting colour by set:, strokes and shapes by drag@, a picture
// inserted from the answers, and refused settings.
#include <QElapsedTimer>
#include <fstream>

#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

// The paint of the pixel (x, y) counted from the top-left corner.
int PaintAt(const ProjectData& project, int x, int y) {
  const ImageBuffer& index = *project.indexImage;
  return index.Row(index.Height() - 1 - y)[x];
}

int CountPaint(const ProjectData& project, int paint) {
  const ImageBuffer& index = *project.indexImage;
  int n = 0;
  for (int y = 0; y < index.Height(); ++y) {
    for (int x = 0; x < index.Width(); ++x) n += index.Row(y)[x] == paint;
  }
  return n;
}

TEST_F(CliTest, PenLineAndFillDrawnByGestureWords) {
  WritePicture("photo.png", 160, 120);
  CliResult result = Run(
      {"run", "--picture", Q("photo.png"), "-o", Q("drawn.mop"), "Create drawing pattern",
       "32773", "Select All", "set:color=1", "Fill selection", "Select None", "set:color=0",
       "set:pen.width=4", "set:pen.shape=square", "Pen Tool", "drag@20,20/80,20",
       "set:pen.width=1", "Line Tool", "drag@10,100/30,100"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData project = Read(Path("drawn.mop"));
  ASSERT_NE(project.indexImage, nullptr);
  // A 4-pixel square pen joined from 20 to 80: rows 19..22 of the window
  // (picture rows -2..1 about the point), no gap in between.
  for (int x = 18; x <= 81; ++x) {
    for (int y = 19; y <= 22; ++y) ASSERT_EQ(PaintAt(project, x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(PaintAt(project, 50, 18), 1);
  EXPECT_EQ(PaintAt(project, 50, 23), 1);
  for (int x = 10; x < 30; ++x) EXPECT_EQ(PaintAt(project, x, 100), 0) << x;
  EXPECT_EQ(PaintAt(project, 30, 100), 1);
  EXPECT_EQ(CountPaint(project, 0), 64 * 4 + 20);
}

TEST_F(CliTest, PictureInsertedIntoTheSelectionFromTheAnswers) {
  WritePicture("photo.png", 160, 120);
  WritePicture("inserted.png", 200, 200);
  std::ofstream(Path("answers.json"))
      << R"({"Insert picture from file": [{"file": ")" << Path("inserted.png")
      << R"(", "ctrl": true}]})";
  CliResult plain = Run({"run", "--picture", Q("photo.png"), "-o", Q("plain.mop"),
                         "Create drawing pattern"});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("inserted.mop"),
                          "--answers", Q("answers.json"), "Create drawing pattern", "32773",
                          "drag@20,30/120,80", "32829"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData before = Read(Path("plain.mop"));
  ProjectData after = Read(Path("inserted.mop"));
  // Only the middle 50 × 50 of the 100 × 50 selection may change.
  int changed = 0;
  const int height = after.indexImage->Height();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < after.indexImage->Width(); ++x) {
      const bool same = before.indexImage->Row(y)[x] == after.indexImage->Row(y)[x];
      const int top = height - 1 - y;
      const bool middle = x >= 45 && x < 95 && top >= 30 && top < 80;
      if (!middle) {
        ASSERT_TRUE(same) << x << "," << top;
      }
      changed += same ? 0 : 1;
    }
  }
  EXPECT_GT(changed, 100);
}

TEST_F(CliTest, ShapesReachingFarPastThePictureDrawOnlyWhatCrossesIt) {
  WritePicture("photo.png", 160, 120);
  const QStringList paintedWithOne = {"run", "--picture", Q("photo.png"), "-o", Q("far.mop"),
                                      "Create drawing pattern", "32773", "Select All",
                                      "set:color=1", "Fill selection", "Select None",
                                      "set:color=0", "set:pen.width=1"};
  QElapsedTimer timer;
  timer.start();
  CliResult result = Run(paintedWithOne + QStringList{
      "Line Tool", "drag@-1000000,50/1000000,50", "Rectangle Tool",
      "drag@-1000000,-1000000/1000000,90", "Ellipse Tool", "drag@-1000000,-1000000/1000000,1000000",
      "set:pen.width=128", "Line Tool", "drag@-1000000,-500/1000000,-500"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  // Each segment is walked over the picture only: a blink, not half a minute.
  EXPECT_LT(timer.elapsed(), 20000);
  ProjectData project = Read(Path("far.mop"));
  ASSERT_NE(project.indexImage, nullptr);
  // The pattern is sized for the page, wider than the photo.
  const int width = project.indexImage->Width();
  for (int x = 0; x < width; ++x) {
    EXPECT_EQ(PaintAt(project, x, 50), 0) << x;
    EXPECT_EQ(PaintAt(project, x, 90), 0) << x;  // the rectangle's lower side
  }
  EXPECT_EQ(PaintAt(project, 5, 70), 1);
  // The wide pen's line passes further above the picture than its width.
  EXPECT_EQ(CountPaint(project, 0), 2 * width);

  // Past a million pixels a coordinate is refused before any arithmetic.
  for (const char* word : {"drag@-2147483648,0/2147483647,0", "click@1000001,5"}) {
    CliResult refused = Run(paintedWithOne + QStringList{"Line Tool", word});
    EXPECT_EQ(refused.exitCode, 2) << word;
    EXPECT_TRUE(refused.err.contains("coordinates run from -1000000 to 1000000"))
        << refused.err.toStdString();
  }
}

TEST_F(CliTest, DrawingSettingsOutOfRangeAreRefused) {
  WritePicture("photo.png", 80, 60);
  for (const char* word : {"set:pen.width=3", "set:pen.width=256", "set:pen.shape=oval"}) {
    CliResult bad = Run({"run", "--picture", Q("photo.png"), "-o", Q("x.mop"), word});
    EXPECT_EQ(bad.exitCode, 2) << word;
    EXPECT_TRUE(bad.err.contains(word)) << bad.err.toStdString();
  }
  // The colour is checked against the project's palette when the word is played.
  CliResult colour = Run({"run", "--picture", Q("photo.png"), "-o", Q("x.mop"),
                          "Create drawing pattern", "set:color=200"});
  EXPECT_EQ(colour.exitCode, 2);
  EXPECT_TRUE(colour.err.contains("set:color=200")) << colour.err.toStdString();
}

}  // namespace
}  // namespace tintara::test
