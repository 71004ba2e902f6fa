#include <gtest/gtest.h>

#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

class UndoTest : public ::testing::Test, public DocumentFixture {};

TEST_F(UndoTest, ElevenPatternCommandsKeepTenUndoSteps) {
  LoadPicture();
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(doc->HasPattern());
  for (int i = 0; i < 11; ++i) ASSERT_TRUE(commands.Run(cmd::kRemoveSmallAreas));
  int undos = 0;
  while (commands.IsEnabled(cmd::kUndo) && undos < 20) {
    commands.Run(cmd::kUndo);
    ++undos;
  }
  EXPECT_EQ(undos, 10);
  EXPECT_FALSE(commands.Run(cmd::kUndo));
  // The oldest step kept is the first "Remove small areas": a pattern is still there.
  EXPECT_TRUE(doc->HasPattern());
}

TEST_F(UndoTest, UndoOfCreateRestoresViewModeAndPaletteAndRedoBringsThePatternBack) {
  LoadPicture();
  std::vector<CFlossColor> gridPalette = doc->params.workingPalette;
  ASSERT_EQ(doc->params.paletteReady, 0);
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewPattern);
  EXPECT_EQ(doc->params.paletteReady, 1);
  ImageRef pattern = ImageBuffer::Copy(*doc->patternImage);

  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewInitial);
  EXPECT_EQ(doc->params.workingPalette.size(), gridPalette.size());
  EXPECT_TRUE(doc->params.workingPalette == gridPalette);
  EXPECT_EQ(doc->params.paletteReady, 0);

  ASSERT_TRUE(commands.Run(cmd::kRedo));
  ASSERT_TRUE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewPattern);
  EXPECT_TRUE(SamePixels(*doc->patternImage, *pattern));
  EXPECT_FALSE(commands.IsEnabled(cmd::kRedo));
}

TEST_F(UndoTest, ANewActionEmptiesRedo) {
  LoadPicture();
  commands.Run(cmd::kCreateDrawingPattern);
  commands.Run(cmd::kRemoveSmallAreas);
  commands.Run(cmd::kUndo);
  ASSERT_TRUE(commands.IsEnabled(cmd::kRedo));
  commands.Run(cmd::kRemoveSmallAreas);
  EXPECT_FALSE(commands.IsEnabled(cmd::kRedo));
  EXPECT_TRUE(doc->modified);
}

TEST_F(UndoTest, SnapshotsSharePixelsUntilAnImageChanges) {
  LoadPicture(600, 400);
  doc->PushUndoSnapshot();
  const DocumentSnapshot& snapshot = *doc->undoSnapshots[0];
  EXPECT_TRUE(snapshot.initialPicture->SharesPixelsWith(*doc->initialPicture));
  doc->initialPicture->WritableRows().value().Row(0)[0] ^= 0xFF;
  EXPECT_FALSE(snapshot.initialPicture->SharesPixelsWith(*doc->initialPicture));
  EXPECT_NE(snapshot.initialPicture->Row(0)[0], doc->initialPicture->Row(0)[0]);
}

class PictureEditingTest : public ::testing::Test, public DocumentFixture {
 protected:
  // One picture command: a darker copy of the working picture.
  void Edit() {
    ImageRef darker = ImageBuffer::Copy(*doc->workingPicture);
    for (int32_t y = 0; y < darker->Height(); ++y) {
      uint8_t* row = darker->WritableRows().value().Row(y);
      for (int32_t i = 0; i < darker->Width() * 3; ++i) row[i] = uint8_t(row[i] / 2);
    }
    doc->ApplyPictureEdit(darker);
  }
  void MakePattern() {
    ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(doc->HasPattern());
  }
};

TEST_F(PictureEditingTest, FinishingWithoutEditsAsksNothingAndKeepsThePattern) {
  LoadPicture();
  MakePattern();
  ASSERT_TRUE(commands.Run(cmd::kStartPictureEditing));
  EXPECT_EQ(doc->viewMode, kViewInitial);
  ASSERT_TRUE(commands.Run(cmd::kFinishPictureEditing));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(doc->HasPattern());
  EXPECT_FALSE(doc->workingPicture);
}

TEST_F(PictureEditingTest, NoKeepsTheOldPictureAndPattern) {
  LoadPicture();
  MakePattern();
  ImageRef before = doc->initialPicture;
  commands.Run(cmd::kStartPictureEditing);
  Edit();
  answers.Add(kReconvertQuestion, "No");
  commands.Run(cmd::kFinishPictureEditing);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, kReconvertQuestion);
  EXPECT_EQ(doc->initialPicture, before);
  EXPECT_TRUE(doc->HasPattern());
  EXPECT_FALSE(doc->pictureEditing);
}

TEST_F(PictureEditingTest, YesTakesTheEditedPictureAsOneUndoableStep) {
  LoadPicture();
  MakePattern();
  ImageRef before = ImageBuffer::Copy(*doc->initialPicture);
  commands.Run(cmd::kStartPictureEditing);
  Edit();
  Edit();
  ImageRef edited = ImageBuffer::Copy(*doc->workingPicture);
  answers.Add(kReconvertQuestion, "Yes");
  commands.Run(cmd::kFinishPictureEditing);
  EXPECT_TRUE(SamePixels(*doc->initialPicture, *edited));
  EXPECT_FALSE(doc->convertedPicture);
  EXPECT_FALSE(doc->patternImage);
  EXPECT_TRUE(doc->indexImage);  // kept until the next pattern replaces it
  EXPECT_EQ(doc->viewMode, kViewInitial);

  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_TRUE(SamePixels(*doc->initialPicture, *before));
  EXPECT_TRUE(doc->HasPattern());
}

TEST_F(PictureEditingTest, PictureUndoRedoAndUndoAll) {
  LoadPicture();
  ImageRef original = ImageBuffer::Copy(*doc->initialPicture);
  commands.Run(cmd::kStartPictureEditing);
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndoAllPictureEdits));
  for (int i = 0; i < 12; ++i) Edit();
  int undos = 0;
  while (commands.Run(cmd::kUndo)) ++undos;
  EXPECT_EQ(undos, 10);
  EXPECT_TRUE(commands.Run(cmd::kRedo));
  Edit();
  EXPECT_FALSE(commands.IsEnabled(cmd::kRedo));

  ASSERT_TRUE(commands.Run(cmd::kUndoAllPictureEdits));
  EXPECT_TRUE(doc->pictureEditing);
  EXPECT_TRUE(SamePixels(*doc->workingPicture, *original));
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
  EXPECT_FALSE(commands.IsEnabled(cmd::kCreateDrawingPattern));
}

class DisplayTest : public ::testing::Test, public DocumentFixture {};

TEST_F(DisplayTest, ViewPaintingPatternCreatesAPatternFirst) {
  LoadPicture();
  EXPECT_TRUE(commands.IsChecked(cmd::kViewInitialPicture));
  ASSERT_TRUE(commands.Run(cmd::kViewPaintingPattern));
  EXPECT_TRUE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewPattern);
  EXPECT_TRUE(commands.IsChecked(cmd::kViewPaintingPattern));
  EXPECT_TRUE(env.patternEditing);
  EXPECT_EQ(doc->ShownImage(), doc->patternImage.get());
  auto [w, h] = doc->CurrentImageSize();
  EXPECT_EQ(w, doc->patternImage->Width());
  EXPECT_EQ(h, doc->patternImage->Height());
}

TEST_F(DisplayTest, CancelledCreationLeavesTheViewModeAlone) {
  LoadPicture();
  ui.SetCancelWhen([](const ProgressCounters& c, int, int) { return c.stepNumber == 1; });
  commands.Run(cmd::kViewPaintingPattern);
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewInitial);
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));  // the roll-back consumed the snapshot
}

TEST_F(DisplayTest, StagesDriveEditingModes) {
  EXPECT_FALSE(commands.IsEnabled(cmd::kStagePicture));
  LoadPicture();
  EXPECT_EQ(ui.workStages, std::vector<int>{1});
  ASSERT_TRUE(commands.Run(cmd::kStagePicture));
  EXPECT_TRUE(doc->pictureEditing);
  ASSERT_TRUE(commands.Run(cmd::kStagePattern));
  EXPECT_FALSE(doc->pictureEditing);
  EXPECT_TRUE(env.patternEditing);
  EXPECT_TRUE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewPattern);
  EXPECT_TRUE(ui.paletteWindowShown);
  ASSERT_TRUE(commands.Run(cmd::kStageFinish));
  EXPECT_FALSE(env.patternEditing);
  EXPECT_EQ(ui.stagesEntered, (std::vector<int>{1, 3, 4}));
}

TEST_F(DisplayTest, ViewInitialPictureEndsPatternWork) {
  LoadPicture();
  commands.Run(cmd::kViewPaintingPattern);
  doc->currentTool = kToolSelectArea;
  doc->selection = RegionCreateRect({0, 0, 5, 5});
  commands.Run(cmd::kViewInitialPicture);
  EXPECT_EQ(doc->viewMode, kViewInitial);
  EXPECT_EQ(doc->currentTool, kToolNone);
  EXPECT_FALSE(doc->selection);
  EXPECT_FALSE(env.patternEditing);
  EXPECT_EQ(doc->ShownImage(), doc->initialPicture.get());
}

TEST_F(DisplayTest, NewPictureAsksToSaveAModifiedProjectAndCancelKeepsIt) {
  LoadPicture();
  commands.Run(cmd::kCreateDrawingPattern);
  ImageRef kept = doc->initialPicture;
  answers.Add("Save changes to Untitled?", "Cancel");
  EXPECT_FALSE(doc->ReplaceWithPicture(MakeSolid(10, 10, 1, 2, 3), kOriginClipboard, "", true));
  EXPECT_EQ(doc->initialPicture, kept);
  EXPECT_TRUE(doc->HasPattern());

  answers.Add("Save changes to Untitled?", "No");
  EXPECT_TRUE(doc->ReplaceWithPicture(MakeSolid(10, 10, 1, 2, 3), kOriginClipboard, "", true));
  EXPECT_EQ(doc->initialPicture->Width(), 10);
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_EQ(doc->pictureOrigin, kOriginClipboard);
  EXPECT_FALSE(doc->modified);
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
}

TEST(ProjectPathTest, OnlyMopInAnyCaseIsAProject) {
  EXPECT_TRUE(IsProjectPath("a/b/work.mop"));
  EXPECT_TRUE(IsProjectPath("WORK.MoP"));
  EXPECT_FALSE(IsProjectPath("work.mopx"));
  EXPECT_FALSE(IsProjectPath("work.png"));
  EXPECT_FALSE(IsProjectPath("mop"));
  EXPECT_FALSE(IsProjectPath("/a.mop/b"));
  EXPECT_FALSE(IsProjectPath("/a/.mop"));
}

}  // namespace
}  // namespace tintara::test
