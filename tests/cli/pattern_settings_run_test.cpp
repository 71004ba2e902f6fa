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

}  // namespace
}  // namespace tintara::test
