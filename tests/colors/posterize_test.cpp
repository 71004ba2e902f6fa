#include "colors/reduction/posterize.h"

#include <gtest/gtest.h>

#include "tests/support/synthetic_images.h"

namespace tintara {
namespace {

TEST(LevelTable, StepsOfTheLevels) {
  LevelTable four = MakeLevelTable(4);
  for (int v = 0; v <= 62; ++v) EXPECT_EQ(four[size_t(v)], 0) << v;
  for (int v = 63; v <= 126; ++v) EXPECT_EQ(four[size_t(v)], 64) << v;
  for (int v = 127; v <= 190; ++v) EXPECT_EQ(four[size_t(v)], 128) << v;
  for (int v = 191; v <= 254; ++v) EXPECT_EQ(four[size_t(v)], 192) << v;
  EXPECT_EQ(four[255], 255);

  LevelTable one = MakeLevelTable(1);  // step 256
  for (int v = 0; v < 255; ++v) EXPECT_EQ(one[size_t(v)], 0) << v;
  EXPECT_EQ(one[255], 255);

  LevelTable all = MakeLevelTable(256);  // step 1: every value moves up by one
  EXPECT_EQ(all[0], 1);
  EXPECT_EQ(all[254], 255);
  EXPECT_EQ(all[255], 255);

  LevelTable three = MakeLevelTable(3);  // step 85
  EXPECT_EQ(three[83], 0);
  EXPECT_EQ(three[84], 85);
  EXPECT_EQ(three[254], 255);  // 85 × 3

  EXPECT_FALSE(MakeLevelTables({0, 4, 4}));
  EXPECT_FALSE(MakeLevelTables({4, 257, 4}));
  EXPECT_TRUE(MakeLevelTables({1, 256, 4}));
}

Rgb PixelAt(const ImageBuffer& image, int32_t x, int32_t y) {
  const uint8_t* p = image.Row(y) + 3 * x;
  return {p[2], p[1], p[0]};
}

TEST(ApplyLevelTables, OnlyInsideTheSelection) {
  ImageRef picture = test::MakeSolid(6, 4, 100, 150, 200);
  const LevelTables tables = *MakeLevelTables({4, 2, 1});
  const Rgb changed{64, 128, 0};

  RegionPtr box = RegionCreateRect({1, 1, 2, 2});
  ImageRef inside = ApplyLevelTables(*picture, box.get(), tables);
  ASSERT_TRUE(inside);
  EXPECT_EQ(PixelAt(*inside, 1, 1), changed);
  EXPECT_EQ(PixelAt(*inside, 2, 2), changed);
  EXPECT_EQ(PixelAt(*inside, 0, 0), (Rgb{100, 150, 200}));
  EXPECT_EQ(PixelAt(*inside, 3, 1), (Rgb{100, 150, 200}));

  box->SetInverted(true);
  ImageRef outside = ApplyLevelTables(*picture, box.get(), tables);
  EXPECT_EQ(PixelAt(*outside, 1, 1), (Rgb{100, 150, 200}));
  EXPECT_EQ(PixelAt(*outside, 0, 0), changed);
  EXPECT_EQ(PixelAt(*outside, 5, 3), changed);

  ImageRef whole = ApplyLevelTables(*picture, nullptr, tables);
  EXPECT_TRUE(test::SamePixels(*whole, *test::MakeSolid(6, 4, 64, 128, 0)));
  EXPECT_EQ(PixelAt(*picture, 1, 1), (Rgb{100, 150, 200}));  // the original stays
  EXPECT_FALSE(
      ApplyLevelTables(*test::MakeIndex(2, 2, [](int, int) { return 0; }), nullptr, tables));
}

class PosterizeDialogs : public Dialogs {
 public:
  std::optional<PosterizeLevels> answer;
  std::vector<PosterizeLevels> typed;
  PosterizeLevels opened{0, 0, 0};

  std::optional<PosterizeLevels> Posterize(
      const PosterizeLevels& initial,
      const std::function<void(const PosterizeLevels&)>& changed) override {
    opened = initial;
    for (const PosterizeLevels& levels : typed) changed(levels);
    return answer;
  }
};

TEST(ReduceNumberOfColors, DialogPreviewAndResult) {
  ImageRef picture = test::MakeSolid(3, 3, 200, 100, 50);
  PosterizeDialogs dialogs;
  dialogs.typed = {{2, 2, 2}, {0, 2, 2}, {1, 1, 1}};  // the middle one is not valid
  dialogs.answer = PosterizeLevels{2, 4, 1};
  std::vector<int> previews;  // red table entry 200 of each preview, -1 for the end
  auto preview = [&](const LevelTables* tables) {
    previews.push_back(tables != nullptr ? tables->red[200] : -1);
  };
  ImageRef result = ReduceNumberOfColors(*picture, nullptr, dialogs, preview);
  EXPECT_EQ(dialogs.opened, (PosterizeLevels{4, 4, 4}));
  EXPECT_EQ(previews, (std::vector<int>{192, 128, 0, -1}));
  ASSERT_TRUE(result);
  EXPECT_EQ(PixelAt(*result, 1, 1), (Rgb{128, 64, 0}));

  dialogs.typed.clear();
  dialogs.answer.reset();  // Cancel
  previews.clear();
  EXPECT_FALSE(ReduceNumberOfColors(*picture, nullptr, dialogs, preview));
  EXPECT_EQ(previews, (std::vector<int>{192, -1}));  // the preview still ends
}

}  // namespace
}  // namespace tintara
