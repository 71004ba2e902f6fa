// `create --min-area-mm` and "Merge areas too small to paint" run by its text.
#include "pattern/pattern_quality.h"
#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

// The test settings print at 150 dpi with 4 dots a pattern pixel.
constexpr double kPixelMm = 25.4 * 4 / 150;

TEST_F(CliTest, CreateWithAMinimumWidthMergesAndSaysWhatHasNoNumber) {
  WritePicture("photo.png", 600, 450);
  CliResult plain = Run({"create", Q("photo.png"), "-o", Q("plain.mop")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  EXPECT_TRUE(plain.ErrorLines().isEmpty()) << plain.err.toStdString();
  ProjectData before = Read(Path("plain.mop"));
  ASSERT_LT(SmallestAreaDiameter(*before.indexImage) * kPixelMm, 3.0);

  CliResult merged = Run({"create", Q("photo.png"), "-o", Q("merged.mop"), "--min-area-mm", "3"});
  ASSERT_EQ(merged.exitCode, 0) << merged.err.toStdString();
  ProjectData after = Read(Path("merged.mop"));
  EXPECT_GE(SmallestAreaDiameter(*after.indexImage) * kPixelMm, 3.0);
  PatternQuality quality = MeasurePatternQuality(*after.indexImage, true, kPixelMm);
  EXPECT_EQ(quality.overlappingBoxes, 0);
  const int unnumbered = quality.areas - quality.numberedAreas;
  const QString note = unnumbered == 0 ? QString("Every area has its number.")
                       : unnumbered == 1
                           ? QString("1 area is too small for its number.")
                           : QString("%1 areas are too small for their numbers.").arg(unnumbered);
  EXPECT_TRUE(merged.ErrorLines().isEmpty()) << merged.err.toStdString();
  EXPECT_TRUE(merged.NoteLines().contains(note)) << merged.err.toStdString();

  // The option is for this run only: the settings file keeps merging off.
  CliResult again = Run({"create", Q("photo.png"), "-o", Q("again.mop")});
  ASSERT_EQ(again.exitCode, 0);
  EXPECT_TRUE(SamePixels(*Read(Path("again.mop")).indexImage, *before.indexImage));

  for (const char* bad : {"0.05", "-1", "abc", "2mm", "101"}) {
    CliResult refused = Run({"create", Q("photo.png"), "-o", Q("x.mop"), "--min-area-mm", bad});
    EXPECT_EQ(refused.exitCode, 2) << bad;
    EXPECT_TRUE(refused.err.contains("--min-area-mm")) << refused.err.toStdString();
  }
}

TEST_F(CliTest, RunMergesSmallAreasByTheCommandsText) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("merged.mop"),
                          "Merge areas too small to paint"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData after = Read(Path("merged.mop"));
  EXPECT_FALSE(SamePixels(*after.indexImage, *before.indexImage));
  EXPECT_GE(SmallestAreaDiameter(*after.indexImage) * kPixelMm, 2.5);
}

}  // namespace
}  // namespace tintara::test
