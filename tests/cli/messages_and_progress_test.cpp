#include <QRegularExpression>
#include <algorithm>
#include <filesystem>

#include "tests/cli/cli_runner.h"

namespace tintara {
namespace {

using test::CliResult;
using test::CliTest;

// The percents of the progress lines about `what`, in order.
std::vector<int> PercentsOf(const CliResult& result, const QString& what) {
  std::vector<int> percents;
  QRegularExpression line("^progress (\\d+)% " + QRegularExpression::escape(what) + "$");
  for (const QString& text : result.err.split('\n', Qt::SkipEmptyParts)) {
    QRegularExpressionMatch match = line.match(text);
    if (match.hasMatch()) percents.push_back(match.captured(1).toInt());
  }
  return percents;
}

TEST_F(CliTest, ProgressCoversDecodingAndSavingAndEndsAtAHundred) {
  WritePicture("photo.jpg", 1600, 1200);
  CliResult result = Run({"create", Q("photo.jpg"), "-o", Q("p.mop")});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  SCOPED_TRACE(result.err.toStdString());

  std::vector<int> loading = PercentsOf(result, "loading photo.jpg");
  ASSERT_GE(loading.size(), 3u);  // steps while the picture decodes, not only its end
  EXPECT_TRUE(std::is_sorted(loading.begin(), loading.end()));
  EXPECT_LT(loading.front(), 50);
  EXPECT_EQ(loading.back(), 100);

  std::vector<int> pattern = PercentsOf(result, "making the pattern");
  ASSERT_FALSE(pattern.empty());
  EXPECT_TRUE(std::is_sorted(pattern.begin(), pattern.end()));
  EXPECT_EQ(pattern.back(), 100);
  ASSERT_FALSE(PercentsOf(result, "saving p.mop").empty());
  EXPECT_EQ(PercentsOf(result, "saving p.mop").back(), 100);

  // A save that has no record made ahead shows its own progress too.
  CliResult retyped = Run({"retype", Q("p.mop"), "--type", "patterns", "-o", Q("r.mop")});
  ASSERT_EQ(retyped.exitCode, 0) << retyped.err.toStdString();
  std::vector<int> saving = PercentsOf(retyped, "saving r.mop");
  ASSERT_FALSE(saving.empty()) << retyped.err.toStdString();
  EXPECT_TRUE(std::is_sorted(saving.begin(), saving.end()));
  EXPECT_EQ(saving.back(), 100);

  CliResult quiet = Run({"create", Q("photo.jpg"), "-o", Q("q.mop"), "--quiet"});
  ASSERT_EQ(quiet.exitCode, 0);
  EXPECT_TRUE(quiet.err.isEmpty()) << quiet.err.toStdString();
}

TEST_F(CliTest, APatternTooLargeForThePageSaysSoWithItsSize) {
  WritePicture("photo.png", 120, 80);
  CliResult result = Run({"create", Q("photo.png"), "-o", Q("p.mop"), "--pages", "10", "--dpi", "4800"});
  EXPECT_EQ(result.exitCode, 1);
  ASSERT_EQ(result.ErrorLines().size(), 1) << result.err.toStdString();
  const QString line = result.ErrorLines()[0];
  // Refused before anything is allocated, naming the size and the limit.
  EXPECT_TRUE(line.contains(QRegularExpression("\\d{5,} × \\d{5,} cells would take [0-9.]+ GiB")))
      << line.toStdString();
  EXPECT_TRUE(line.contains("more than the limit of 2 GiB")) << line.toStdString();
  EXPECT_FALSE(std::filesystem::exists(Path("p.mop")));
}

}  // namespace
}  // namespace tintara
