#include <gtest/gtest.h>

#include <cstring>

#include "storage/settings_keys.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

class PatternTypeTest : public ::testing::Test, public DocumentFixture {
 protected:
  void MakePattern() {
    LoadPicture(120, 90);
    ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(doc->HasPattern());
  }
  int StoredType() { return ReadSetting(settings, Setting::kPatternType); }
};

TEST_F(PatternTypeTest, NewTypeRedrawsTheWholePatternAsOneUndoStep) {
  MakePattern();
  ImageRef numbers = ImageBuffer::Copy(*doc->patternImage);
  ImageRef index = doc->indexImage;
  ASSERT_EQ(doc->params.patternType, kPatternNumbers);
  ui.updateViews = 0;

  ASSERT_TRUE(doc->ChangePatternType(kPatternTiles));
  EXPECT_EQ(doc->params.patternType, kPatternTiles);
  EXPECT_EQ(StoredType(), kPatternTiles);
  EXPECT_FALSE(SamePixels(*doc->patternImage, *numbers));
  EXPECT_EQ(doc->indexImage, index);  // the areas stay; only the drawing changes
  EXPECT_GT(ui.updateViews, 0);
  EXPECT_EQ(env.progress.stepTotal, 0);
  // Every row of the new drawing differs somewhere from the numbered one: all of it was redrawn.
  int rowsChanged = 0;
  for (int32_t y = 0; y < numbers->Height(); ++y) {
    rowsChanged += std::memcmp(numbers->Row(y), doc->patternImage->Row(y), size_t(numbers->Width())) != 0;
  }
  EXPECT_GT(rowsChanged, numbers->Height() * 9 / 10);

  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_EQ(doc->params.patternType, kPatternNumbers);
  EXPECT_TRUE(SamePixels(*doc->patternImage, *numbers));
  ASSERT_TRUE(commands.Run(cmd::kRedo));
  EXPECT_EQ(doc->params.patternType, kPatternTiles);

  // Back to numbers draws the first pattern again.
  ASSERT_TRUE(doc->ChangePatternType(kPatternNumbers));
  EXPECT_TRUE(SamePixels(*doc->patternImage, *numbers));
}

int UndoSteps(const CTessel20Doc& doc) {
  int steps = 0;
  while (steps < kStackDepth && doc.undoSnapshots[size_t(steps)]) ++steps;
  return steps;
}

TEST_F(PatternTypeTest, SameTypeOrNoPatternMakesNoUndoStep) {
  LoadPicture();
  ASSERT_TRUE(doc->ChangePatternType(kPatternBordersOnly));
  EXPECT_EQ(doc->params.patternType, kPatternBordersOnly);
  EXPECT_EQ(StoredType(), kPatternBordersOnly);
  EXPECT_FALSE(doc->CanUndo());

  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  int steps = UndoSteps(*doc);
  ASSERT_TRUE(doc->ChangePatternType(kPatternBordersOnly));
  EXPECT_EQ(UndoSteps(*doc), steps);

  EXPECT_FALSE(doc->ChangePatternType(7));
  EXPECT_FALSE(doc->ChangePatternType(-1));
  EXPECT_EQ(doc->params.patternType, kPatternBordersOnly);
  EXPECT_EQ(UndoSteps(*doc), steps);
}

TEST_F(PatternTypeTest, CancelledRedrawLeavesTypePatternAndSettingAsTheyWere) {
  MakePattern();
  ImageRef numbers = ImageBuffer::Copy(*doc->patternImage);
  ui.SetCancelWhen([](const ProgressCounters&, int current, int) { return current > 5; });
  EXPECT_FALSE(doc->ChangePatternType(kPatternTiles));
  EXPECT_EQ(doc->params.patternType, kPatternNumbers);
  EXPECT_TRUE(SamePixels(*doc->patternImage, *numbers));
  EXPECT_EQ(StoredType(), kPatternNumbers);
}

}  // namespace
}  // namespace tintara::test
