#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "document/pipeline_parameters.h"
#include "platform/picture_files.h"
#include "storage/project_io.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

// The fixture's page (custom A4 printer, 150 dpi, 4 dots per cell) gives 310 × 438.
constexpr int kTargetWidth = 310;
constexpr int kTargetHeight = 438;

class CreatePatternTest : public ::testing::Test, public DocumentFixture {
 protected:
  // Records the highest step reached and the step total of the run.
  void WatchSteps() {
    ui.SetCancelWhen([this](const ProgressCounters& c, int, int) {
      highestStep = std::max(highestStep, c.stepNumber);
      stepTotal = c.stepTotal;
      return false;
    });
  }
  void UseGreyPalette() {
    doc->params.workingPalette.clear();
    for (int v : {0, 128, 192, 255}) {
      CFlossColor grey;
      grey.red = grey.green = grey.blue = uint8_t(v);
      grey.paletteIndex = int32_t(doc->params.workingPalette.size());
      doc->params.workingPalette.push_back(grey);
    }
    doc->params.paletteReady = 1;
  }
  int highestStep = -1;
  int stepTotal = 0;
};

TEST_F(CreatePatternTest, KeepsTheAspectRatioInsideThePage) {
  doc->ReplaceWithPicture(MakePhoto(400, 100), kOriginFile, "", false);
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  EXPECT_EQ(doc->convertedPicture->Width(), kTargetWidth);
  EXPECT_EQ(doc->convertedPicture->Height(), 100 * kTargetWidth / 400);

  NewPicture(MakePhoto(100, 400));
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_EQ(doc->convertedPicture->Width(), 100 * kTargetHeight / 400);
  EXPECT_EQ(doc->convertedPicture->Height(), kTargetHeight);
  for (const ImageRef& image : {doc->patternImage, doc->indexImage}) {
    EXPECT_EQ(image->Width(), doc->convertedPicture->Width());
    EXPECT_EQ(image->Height(), doc->convertedPicture->Height());
  }
  EXPECT_EQ(doc->patternImage->Kind(), kKind8Bit);
  EXPECT_EQ(doc->indexImage->Kind(), kKindGray8);
}

TEST_F(CreatePatternTest, APictureOfTheTargetSizeIsNotResized) {
  ImageRef picture = MakePhoto(kTargetWidth, kTargetHeight);
  picture->SetResolution((96u << 16) | 96u);
  doc->ReplaceWithPicture(picture, kOriginFile, "", false);
  WatchSteps();
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_EQ(stepTotal, 5);
  EXPECT_EQ(highestStep, 4);
  EXPECT_EQ(doc->convertedPicture->Width(), kTargetWidth);
  EXPECT_EQ(doc->convertedPicture->Height(), kTargetHeight);

  NewPicture(MakePhoto(500, 700));
  highestStep = -1;
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_EQ(stepTotal, 6);
  EXPECT_EQ(highestStep, 5);
  EXPECT_EQ(env.progress.stepTotal, 0);  // cleared for filters run outside the pipeline
}

TEST_F(CreatePatternTest, TheProgressWindowClosesAtTheEndOfEveryCountedCommand) {
  // As wide as the page but taller: fitted to the page it shrinks on both
  // sides, so the resize step must be counted although one side matched.
  NewPicture(MakePhoto(kTargetWidth, 500));
  WatchSteps();
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(doc->HasPattern());
  EXPECT_LT(doc->convertedPicture->Width(), kTargetWidth);
  EXPECT_EQ(stepTotal, 6);
  EXPECT_EQ(highestStep, 5);
  EXPECT_LE(*std::max_element(ui.progressPercents.begin(), ui.progressPercents.end()), 100);
  EXPECT_FALSE(ui.progressShown) << "after Create drawing pattern";

  const int begins = ui.progressBegins;
  ASSERT_TRUE(commands.Run(cmd::kRemoveSmallAreas));
  EXPECT_GT(ui.progressBegins, begins);
  EXPECT_FALSE(ui.progressShown) << "after Remove small areas";
  EXPECT_EQ(env.progress.stepTotal, 0);

  ASSERT_TRUE(doc->ChangePatternType(kPatternTiles));
  EXPECT_FALSE(ui.progressShown) << "after a new pattern type";
  EXPECT_EQ(env.progress.stepTotal, 0);
}

TEST_F(CreatePatternTest, StepTotalsFollowThePatternType) {
  EXPECT_EQ(PipelineStepTotal(kPatternNumbers, false), 5);
  EXPECT_EQ(PipelineStepTotal(kPatternTiles, false), 6);
  EXPECT_EQ(PipelineStepTotal(kPatternNothing, false), 4);
  EXPECT_EQ(PipelineStepTotal(kPatternBordersOnly, true), 6);
  EXPECT_EQ(PipelineStepTotal(kPatternTilesNoBorders, false), 5);
  for (int type : {kPatternTiles, kPatternNothing}) {
    doc->params.patternType = type;
    NewPicture(MakePhoto(kTargetWidth, kTargetHeight));
    highestStep = -1;
    WatchSteps();
    commands.Run(cmd::kCreateDrawingPattern);
    ASSERT_TRUE(doc->HasPattern());
    EXPECT_EQ(highestStep, PipelineStepTotal(type, false) - 1) << type;
  }
  // Nothing is drawn for type 6: the pattern stays as created.
  for (int32_t y = 0; y < doc->patternImage->Height(); ++y) {
    const uint8_t* row = doc->patternImage->Row(y);
    ASSERT_TRUE(std::all_of(row, row + doc->patternImage->Width(), [](uint8_t v) { return v == 0; }));
  }
}

TEST_F(CreatePatternTest, FilterStrengthsFollowThePictureSize) {
  EXPECT_EQ(SimplifyStrength(*MakeSolid(1240, 1753, 0, 0, 0)), 15);
  EXPECT_EQ(SimplifyStrength(*MakeSolid(100, 80, 0, 0, 0)), 4);
  EXPECT_EQ(SimplifyStrength(*MakeSolid(60, 60, 0, 0, 0)), 3);
  EXPECT_EQ(SimplifyStrength(*MakeSolid(3, 2, 0, 0, 0)), 3);
  EXPECT_EQ(CleanupStrength(*MakeSolid(1753, 1240, 0, 0, 0)), 15);
  EXPECT_EQ(CleanupStrength(*MakeSolid(400, 300, 0, 0, 0)), 5);
}

TEST_F(CreatePatternTest, BrightnessFactorLightensOrDarkensBeforeMatching) {
  struct Case {
    int percent;
    uint8_t expected;
  };
  for (const Case& c : {Case{100, 128}, Case{150, 192}, Case{0, 0}}) {
    env.app.colorCorrectionPercent = c.percent;
    NewPicture(MakeSolid(kTargetWidth, kTargetHeight, 128, 128, 128));
    UseGreyPalette();
    commands.Run(cmd::kCreateDrawingPattern);
    ASSERT_TRUE(doc->HasPattern());
    const uint8_t* row = doc->convertedPicture->Row(kTargetHeight / 2);
    EXPECT_EQ(row[3 * 100], c.expected) << c.percent;
    EXPECT_EQ(doc->indexImage->Row(kTargetHeight / 2)[100],
              c.expected == 0 ? 0 : c.expected == 128 ? 1 : 2);
  }
}

TEST_F(CreatePatternTest, EscapeWhileMatchingRestoresThePreviousPatternAndShowsThePicture) {
  LoadPicture();
  commands.Run(cmd::kViewPaintingPattern);
  ImageRef pattern = ImageBuffer::Copy(*doc->patternImage);
  std::vector<CFlossColor> palette = doc->params.workingPalette;
  answers.Add(kReconvertQuestion, "Yes");
  // Steps: simplify 0, resize 1, colour matching 2.
  ui.SetCancelWhen([](const ProgressCounters& c, int row, int) {
    return c.stepNumber == 2 && row == 20;
  });
  commands.Run(cmd::kCreateDrawingPattern);
  ASSERT_TRUE(doc->HasPattern());
  EXPECT_TRUE(SamePixels(*doc->patternImage, *pattern));
  EXPECT_TRUE(doc->params.workingPalette == palette);
  EXPECT_EQ(doc->viewMode, kViewInitial);
  EXPECT_EQ(doc->ShownImage(), doc->initialPicture.get());
  // Only the first creation is left to undo.
  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
}

TEST_F(CreatePatternTest, CancelWhileCleaningUpAlsoRestores) {
  LoadPicture();
  // Steps: simplify 0, resize 1, matching 2, median 3, recolouring 4.
  ui.SetCancelWhen([](const ProgressCounters& c, int row, int) {
    return c.stepNumber == 4 && row == 5;
  });
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_EQ(doc->viewMode, kViewInitial);
  EXPECT_EQ(doc->params.paletteReady, 0);
}

TEST_F(CreatePatternTest, PatternImagesThatCannotBeMadeLeaveTheProjectAsItWas) {
  LoadPicture();
  doc->params.dotsPerCell = 1 << 20;  // a target of 0 × 0 pixels
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_FALSE(doc->indexImage);
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
  EXPECT_EQ(doc->params.paletteReady, 0);
}

TEST_F(CreatePatternTest, ARealPhotographBecomesPaintColoursOnly) {
  PictureLoad load = LoadPictureFile(
      QString::fromStdString((ResourcesFolder() / "samples" / "coffee.png").string()));
  ASSERT_TRUE(load.image) << load.error;
  doc->ReplaceWithPicture(load.image, kOriginFile, "coffee.png", false);
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(doc->HasPattern());
  const auto& palette = doc->params.workingPalette;
  EXPECT_GE(palette.size(), 8u);
  EXPECT_LE(palette.size(), 32u);
  std::set<int> used;
  const ImageBuffer& converted = *doc->convertedPicture;
  for (int32_t y = 0; y < converted.Height(); ++y) {
    const uint8_t* rgb = converted.Row(y);
    const uint8_t* index = doc->indexImage->Row(y);
    for (int32_t x = 0; x < converted.Width(); ++x) {
      ASSERT_LT(index[x], palette.size());
      const CFlossColor& paint = palette[index[x]];
      ASSERT_EQ(rgb[3 * x], paint.blue) << x << "," << y;
      ASSERT_EQ(rgb[3 * x + 1], paint.green);
      ASSERT_EQ(rgb[3 * x + 2], paint.red);
      used.insert(index[x]);
    }
  }
  EXPECT_GE(used.size(), 6u);
  for (const CFlossColor& paint : palette) EXPECT_FALSE(paint.colorName.empty());
  // Type 5: a white pattern with ink borders and numbers.
  size_t ink = 0, white = 0;
  for (int32_t y = 0; y < doc->patternImage->Height(); ++y) {
    const uint8_t* row = doc->patternImage->Row(y);
    for (int32_t x = 0; x < doc->patternImage->Width(); ++x) {
      ink += row[x] == 32;
      white += row[x] == 255;
    }
  }
  EXPECT_EQ(ink + white, size_t(doc->patternImage->Width()) * doc->patternImage->Height());
  EXPECT_GT(white, ink);
}

// The 36 grid colours of a new project are stand-ins, never the paints of a pattern.
TEST_F(CreatePatternTest, PlaceholderColoursAreReplacedBeforeAPatternIsMade) {
  auto expectBrandPaints = [&] {
    ASSERT_TRUE(doc->HasPattern());
    EXPECT_FALSE(IsPlaceholderPalette(doc->params.workingPalette));
    for (const CFlossColor& paint : doc->params.workingPalette) {
      EXPECT_NE(paint.catalogNumber, -1) << paint.paletteIndex;
      EXPECT_FALSE(paint.colorName.empty());
    }
  };
  {
    SCOPED_TRACE("a project saved with only its picture, reopened");
    LoadPicture();
    ASSERT_TRUE(IsPlaceholderPalette(doc->params.workingPalette));
    std::string path = folder.File("picture only.mop");
    ASSERT_TRUE(SaveProject(*doc, path));
    ASSERT_TRUE(OpenProject(*doc, path));
    EXPECT_EQ(doc->params.paletteReady, 0);
    ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
    expectBrandPaints();
  }
  {
    SCOPED_TRACE("the placeholder colours marked ready");
    NewPicture(MakePhoto(120, 90));
    doc->params.FillGridColors();
    doc->params.paletteReady = 1;
    ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
    expectBrandPaints();
  }
}

TEST_F(CreatePatternTest, AnEmptyWorkingPaletteRollsBackLikeAnyFailure) {
  LoadPicture();
  doc->params.workingPalette.clear();
  doc->params.paletteReady = 1;
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_EQ(doc->patternImage, nullptr);
  EXPECT_EQ(doc->indexImage, nullptr);
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));  // no spent undo step

  // Over an existing pattern: the previous one stays, and so does its undo history.
  UseGreyPalette();
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ImageRef pattern = ImageBuffer::Copy(*doc->patternImage);
  doc->params.workingPalette.clear();
  answers.Add(kReconvertQuestion, "Yes");
  commands.Run(cmd::kCreateDrawingPattern);
  ASSERT_TRUE(doc->HasPattern());
  EXPECT_TRUE(SamePixels(*doc->patternImage, *pattern));
  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_FALSE(doc->HasPattern());
  EXPECT_FALSE(commands.IsEnabled(cmd::kUndo));
}

}  // namespace
}  // namespace tintara::test
