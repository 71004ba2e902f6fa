// "Type of color identification" and "Size of painting pattern" run by
// `tintara-cli run` with their dialogs answered from the answers file.
#include <fstream>

#include "colors/tessel_params.h"
#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

void WriteAnswers(const std::string& path, const std::string& json) { std::ofstream(path) << json; }

TEST_F(CliTest, RunChangesThePatternTypeAndRedraws) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  WriteAnswers(Path("answers.json"), R"({"Type of pattern": [2]})");
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("borders.mop"), "--answers",
                          Q("answers.json"), "Type of color identification"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData borders = Read(Path("borders.mop"));
  EXPECT_EQ(borders.params.patternType, kPatternBordersOnly);
  EXPECT_FALSE(SamePixels(*borders.patternImage, *before.patternImage));
  // The areas stay; only how they are marked changed.
  EXPECT_TRUE(SamePixels(*borders.indexImage, *before.indexImage));

  WriteAnswers(Path("bad.json"), R"({"Type of pattern": [3]})");
  result = Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "--answers",
                Q("bad.json"), "Type of color identification"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("Type of pattern")) << result.err.toStdString();
}

TEST_F(CliTest, RunRemakesThePatternAtTheNewPageSize) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  WriteAnswers(Path("answers.json"),
               R"({"Size of Painting Pattern": [{"paper": "a4", "landscape": false, "pages": 2,
                                                 "printer": "custom", "dpi": 150}]})");
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("big.mop"), "--answers",
                          Q("answers.json"), "Size of painting pattern"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData big = Read(Path("big.mop"));
  // Two sheets each way: the pattern is made again twice as wide (within rounding).
  EXPECT_NEAR(big.patternImage->Width(), 2 * before.patternImage->Width(), 2);
  EXPECT_NEAR(big.patternImage->Height(), 2 * before.patternImage->Height(), 2);
  EXPECT_EQ(SettingsText().find("NUMPAGES"), std::string::npos);  // read, never written

  // No printer here: the default printer is an answer the dialog would refuse.
  WriteAnswers(Path("printer.json"), R"({"Size of Painting Pattern": [{"printer": "default"}]})");
  result = Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "--answers",
                Q("printer.json"), "Size of painting pattern"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("no default printer")) << result.err.toStdString();
}

TEST_F(CliTest, RunChoosesOtherPaintsAndMakesThePatternAgain) {
  std::string project = CreateProject();
  ProjectData before = Read(project);
  // The brand is named in other letters, as a user would type it.
  WriteAnswers(Path("answers.json"),
               R"({"Colors": [{"brand": "golden soflat matte acrylic", "colors": 5,
                               "build": "picture"}]})");
  CliResult result = Run({"run", QString::fromStdString(project), "-o", Q("soflat.mop"),
                          "--answers", Q("answers.json"), "Painting Colors"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData after = Read(Path("soflat.mop"));
  EXPECT_EQ(after.params.neededNumColors, 5);
  ASSERT_FALSE(after.params.workingPalette.empty());
  EXPECT_LE(after.params.workingPalette.size(), 5u);
  for (const CFlossColor& paint : after.params.workingPalette) {
    EXPECT_EQ(paint.brandName, "Golden SoFlat Matte Acrylic");
  }
  ASSERT_NE(after.indexImage, nullptr);
  const int colors = int(after.params.workingPalette.size());
  for (int y = 0; y < after.indexImage->Height(); ++y) {
    for (int x = 0; x < after.indexImage->Width(); ++x) {
      ASSERT_LT(after.indexImage->Row(y)[x], colors);
    }
  }
  EXPECT_FALSE(SamePixels(*after.patternImage, *before.patternImage));

  // "Select color" makes a paint of the whole brand the painting colour.
  WriteAnswers(Path("pick.json"),
               R"({"Select color": [{"brand": "Golden SoFlat Matte Acrylic", "number": 6505}]})");
  result = Run({"run", Q("soflat.mop"), "-o", Q("picked.mop"), "--answers", Q("pick.json"),
                "Current color for painting"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData picked = Read(Path("picked.mop"));
  const CFlossColor& current = picked.params.workingPalette[size_t(picked.params.currentColor)];
  EXPECT_EQ(current.catalogNumber, 6505);

  // A brand that is not there is refused, naming the dialog.
  WriteAnswers(Path("bad.json"), R"({"Colors": [{"brand": "No Such Paints"}]})");
  result = Run({"run", QString::fromStdString(project), "-o", Q("x.mop"), "--answers",
                Q("bad.json"), "Painting Colors"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_TRUE(result.err.contains("\"Colors\"")) << result.err.toStdString();
}

}  // namespace
}  // namespace tintara::test
