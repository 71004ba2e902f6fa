// Selections made by gesture words in `tintara-cli run`, and a picture edit
// limited to them.
#include <fstream>
#include <set>

#include "imaging/selection_mask.h"
#include "tests/cli/cli_runner.h"

namespace tintara::test {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

TEST_F(CliTest, GesturesSelectAnEllipseMinusARectangleAndPosterizeOnlyThat) {
  WritePicture("photo.png", kWidth, kHeight);
  std::ofstream(Path("answers.json")) << R"({"Posterize": [{"red": 2, "green": 2, "blue": 2}]})";
  CliResult plain = Run({"run", "--picture", Q("photo.png"), "-o", Q("plain.mop")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  CliResult result =
      Run({"run", "--picture", Q("photo.png"), "-o", Q("edited.mop"), "--answers",
           Q("answers.json"), "Start picture editing", "32773", "set:select.shape=ellipse",
           "drag@10,10/60,30/110,60", "set:select.shape=rectangle", "set:select.mode=subtract",
           "drag@40,20/70,40", "Reduce number of colors", "Finish picture editing"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();

  // The same region made here: window rows count down, picture rows up.
  RegionPtr ellipse = RegionCreateEllipse({10, kHeight - 60, 100, 50});
  RegionPtr cut = RegionCreateRect({40, kHeight - 40, 30, 20});
  RegionPtr expected = RegionCreateCombined(kCombineAdd, *ellipse);
  ASSERT_TRUE(RegionCombine(*expected, *cut, kCombineSubtract));
  std::optional<SelectionMask> mask = SelectionMask::Build(expected.get(), kWidth, kHeight);
  ASSERT_TRUE(mask.has_value());

  ProjectData before = Read(Path("plain.mop"));
  ProjectData after = Read(Path("edited.mop"));
  ASSERT_NE(after.initialPicture, nullptr);
  ASSERT_EQ(after.initialPicture->Width(), kWidth);
  int inside = 0;
  int changed = 0;
  std::set<int> levels;
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* was = before.initialPicture->Row(y);
    const uint8_t* now = after.initialPicture->Row(y);
    for (int x = 0; x < kWidth; ++x) {
      const bool same = std::equal(was + 3 * x, was + 3 * x + 3, now + 3 * x);
      if (!mask->Affects(x, y)) {
        ASSERT_TRUE(same) << "pixel " << x << "," << y << " outside the selection changed";
        continue;
      }
      ++inside;
      changed += same ? 0 : 1;
      for (int c = 0; c < 3; ++c) levels.insert(now[3 * x + c]);
    }
  }
  EXPECT_GT(inside, 3000);
  EXPECT_GT(changed, inside * 3 / 4);
  EXPECT_LE(levels.size(), 2u);  // two levels per channel inside
  // The cut-out middle is untouched: the rectangle really was subtracted.
  EXPECT_FALSE(mask->Affects(55, kHeight - 30));
}

TEST_F(CliTest, OptimizedReductionKeepsToTheSelectedPixels) {
  WritePicture("photo.png", kWidth, kHeight);
  std::ofstream(Path("answers.json")) << R"({"Reduce colors": [3]})";
  CliResult plain = Run({"run", "--picture", Q("photo.png"), "-o", Q("plain.mop")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("edited.mop"), "--answers",
                          Q("answers.json"), "32855", "32773", "set:select.shape=rectangle",
                          "set:select.square=1", "drag@20,30/60,200",
                          "Reduce number of colors with optimization", "32856"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData before = Read(Path("plain.mop"));
  ProjectData after = Read(Path("edited.mop"));
  // Square: 40 × 40 window pixels from (20, 30), i.e. picture rows 50..89.
  BoxRect square{20, kHeight - 70, 40, 40};
  std::set<uint32_t> colours;
  int changed = 0;
  for (int y = 0; y < kHeight; ++y) {
    const uint8_t* was = before.initialPicture->Row(y);
    const uint8_t* now = after.initialPicture->Row(y);
    for (int x = 0; x < kWidth; ++x) {
      const bool inside = x >= square.x && x < square.x + square.width && y >= square.y &&
                          y < square.y + square.height;
      const bool same = std::equal(was + 3 * x, was + 3 * x + 3, now + 3 * x);
      if (!inside) {
        ASSERT_TRUE(same) << "pixel " << x << "," << y << " outside the selection changed";
        continue;
      }
      changed += same ? 0 : 1;
      colours.insert(uint32_t(now[3 * x]) | uint32_t(now[3 * x + 1]) << 8 |
                     uint32_t(now[3 * x + 2]) << 16);
    }
  }
  EXPECT_GT(changed, 1000);
  EXPECT_LE(colours.size(), 3u);
}

TEST_F(CliTest, GestureWordsThatCannotBeUsedAreUsageErrors) {
  WritePicture("photo.png", kWidth, kHeight);
  struct Case {
    const char* word;
    const char* says;
  };
  const Case cases[] = {
      {"click@3,x", "bad coordinate"},
      {"drag@1,1", "two points"},
      {"dblclick@1,2/3,4", "one point"},
      {"set:select.shape=star", "bad value"},
      {"set:select.width=1000", "bad value"},
      {"set:pencil.size=3", "unknown setting"},
      {"shift+copy", "key prefix"},
  };
  for (const Case& c : cases) {
    CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("x.mop"), "32773", c.word});
    EXPECT_EQ(result.exitCode, 2) << c.word;
    EXPECT_TRUE(result.err.contains(c.word) && result.err.contains(c.says))
        << c.word << ": " << result.err.toStdString();
  }
  // Without "Select..." no tool takes the click.
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("x.mop"), "click@5,5"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_TRUE(result.err.contains("no tool takes 'click@5,5'")) << result.err.toStdString();
  EXPECT_FALSE(QFile::exists(Q("x.mop")));

  CliResult help = Run({"run", "--help"}, false);
  EXPECT_EQ(help.exitCode, 0);
  for (const char* word : {"click@X,Y", "dblclick@X,Y", "drag@X0,Y0/X1,Y1", "set:NAME=VALUE",
                           "select.shape=rectangle", "select.height=N"}) {
    EXPECT_TRUE(help.out.contains(word)) << word;
  }
}

TEST_F(CliTest, PolygonClosedByADoubleClickThenInvertedAndPosterized) {
  WritePicture("photo.png", kWidth, kHeight);
  std::ofstream(Path("answers.json")) << R"({"Posterize": [{"red": 2, "green": 2, "blue": 2}]})";
  CliResult plain = Run({"run", "--picture", Q("photo.png"), "-o", Q("plain.mop")});
  ASSERT_EQ(plain.exitCode, 0) << plain.err.toStdString();
  // Two corners and a double click leave the polygon open: nothing is
  // selected, so there is nothing to invert.
  CliResult open = Run({"run", "--picture", Q("photo.png"), "-o", Q("open.mop"), "32773",
                        "set:select.shape=polygon", "click@0,0", "dblclick@80,0",
                        "Select Invert"});
  EXPECT_EQ(open.exitCode, 1);
  EXPECT_TRUE(open.err.contains("disabled")) << open.err.toStdString();
  // The double click places the third corner and closes the triangle.
  CliResult result = Run({"run", "--picture", Q("photo.png"), "-o", Q("edited.mop"), "--answers",
                          Q("answers.json"), "32855", "32773", "set:select.shape=polygon",
                          "click@0,0", "click@80,0", "dblclick@0,80", "Select Invert",
                          "Reduce number of colors", "32856"});
  ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
  ProjectData before = Read(Path("plain.mop"));
  ProjectData after = Read(Path("edited.mop"));
  // The triangle in the top-left corner is kept; the far corner is changed.
  auto same = [&](int x, int windowY) {
    int y = kHeight - 1 - windowY;
    return std::equal(before.initialPicture->Row(y) + 3 * x,
                      before.initialPicture->Row(y) + 3 * x + 3,
                      after.initialPicture->Row(y) + 3 * x);
  };
  EXPECT_TRUE(same(5, 5));
  EXPECT_TRUE(same(20, 40));
  int changedFar = 0;
  for (int x = 120; x < kWidth; ++x) changedFar += same(x, kHeight - 5) ? 0 : 1;
  EXPECT_GT(changedFar, 20);
}

}  // namespace
}  // namespace tintara::test
