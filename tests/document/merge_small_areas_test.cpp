#include <gmock/gmock.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>

#include "colors/color_difference.h"
#include "pattern/used_colors.h"
#include "colors/color_fidelity.h"
#include "document/pipeline_parameters.h"
#include "platform/picture_files.h"
#include "pattern/number_placement.h"
#include "pattern/pattern_quality.h"
#include "storage/memory_budget.h"
#include "storage/settings_keys.h"
#include "tests/document/document_fixture.h"
#include "tests/pattern/pattern_fixtures.h"

namespace tintara::test {
namespace {

class MergeSmallAreasTest : public ::testing::Test, public DocumentFixture {
 protected:
  void LoadSample(const char* name) {
    PictureLoad load = LoadPictureFile(
        QString::fromStdString((ResourcesFolder() / "samples" / name).string()));
    ASSERT_TRUE(load.image) << load.error;
    doc->ReplaceWithPicture(load.image, kOriginFile, name, false);
  }
  // Every converted pixel is the paint its index names.
  void ExpectConvertedFollowsIndex() {
    const ImageBuffer& converted = *doc->convertedPicture;
    for (int32_t y = 0; y < converted.Height(); ++y) {
      const uint8_t* rgb = converted.Row(y);
      const uint8_t* index = doc->indexImage->Row(y);
      for (int32_t x = 0; x < converted.Width(); ++x) {
        const CFlossColor& paint = doc->params.workingPalette[index[x]];
        ASSERT_EQ(rgb[3 * x + 2], paint.red) << x << "," << y;
        ASSERT_EQ(rgb[3 * x + 1], paint.green);
        ASSERT_EQ(rgb[3 * x], paint.blue);
      }
    }
  }
  ImageRef CopyOf(const ImageRef& image) { return CopyOrNull(image); }
};

TEST_F(MergeSmallAreasTest, ThePrintedSizeOfAPixelFollowsTheResolution) {
  // The fixture's custom printer: 150 dpi, 4 dots per cell.
  EXPECT_NEAR(doc->PatternPixelMillimetres(), 25.4 * 4 / 150, 1e-12);
  env.app.page.printResolution = 2;
  EXPECT_NEAR(doc->PatternPixelMillimetres(), 25.4 * 4 / 600, 1e-12);
}

TEST_F(MergeSmallAreasTest, WithTheOptionOnEverySamplePatternIsPaintableAndItsNumbersFit) {
  env.app.mergeSmallAreas = 1;
  env.app.minAreaDiameter = 25;
  for (const char* name : {"astronaut.png", "chelsea.png", "coffee.png", "rocket.jpg"}) {
    SCOPED_TRACE(name);
    if (doc->convertedPicture) answers.Add("Save changes to " + doc->title + "?", "No");
    LoadSample(name);
    ui.statusNotes.clear();
    ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(doc->HasPattern());
    const double mm = doc->PatternPixelMillimetres();
    PatternQuality quality = MeasurePatternQuality(*doc->indexImage, true, mm);
    EXPECT_GE(quality.smallestDiameterMm, 2.5);
    EXPECT_EQ(quality.overlappingBoxes, 0);
    EXPECT_EQ(doc->unnumberedAreas, quality.areas - quality.numberedAreas);
    EXPECT_THAT(ui.statusNotes, testing::Contains(UnnumberedAreasText(doc->unnumberedAreas)));
    ExpectConvertedFollowsIndex();
    // The pattern shows exactly the fitted numbers on the bordered areas.
    const ImageBuffer& index = *doc->indexImage;
    ImageRef plain = RenderWhole(index, kPatternNumbers, true);
    std::vector<Stamp> stamps;
    for (const NumberPlacement& p : PlanFittingNumbers(index, {0, 0, index.Width(), index.Height()}).placed) {
      stamps.push_back({p.number, p.gx, p.gy});
    }
    EXPECT_EQ(Differences(*plain, *doc->patternImage), StampedPixels(*plain, stamps));
  }
}

TEST_F(MergeSmallAreasTest, WithTheOptionOffThePatternIsMadeAsBefore) {
  LoadSample("coffee.png");
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  EXPECT_EQ(doc->unnumberedAreas, -1);
  EXPECT_THAT(ui.statusNotes, testing::Each(testing::Not(testing::HasSubstr("number"))));
  // Specks the median filter leaves stay, and the numbers follow the grid rule.
  EXPECT_LT(SmallestAreaDiameter(*doc->indexImage) * doc->PatternPixelMillimetres(), 2.5);
  ImageRef grid = RenderWhole(*doc->indexImage, kPatternNumbers);
  EXPECT_TRUE(SamePixels(*grid, *doc->patternImage));
}

TEST_F(MergeSmallAreasTest, TheCommandMergesAsOneUndoStepAndThePictureFollows) {
  LoadSample("chelsea.png");
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ImageRef indexBefore = CopyOf(doc->indexImage);
  ImageRef convertedBefore = CopyOf(doc->convertedPicture);
  ImageRef patternBefore = CopyOf(doc->patternImage);
  ASSERT_TRUE(commands.IsEnabled(cmd::kMergeSmallAreas));
  ASSERT_TRUE(commands.Run(cmd::kMergeSmallAreas));
  EXPECT_FALSE(SamePixels(*indexBefore, *doc->indexImage));
  EXPECT_GE(SmallestAreaDiameter(*doc->indexImage) * doc->PatternPixelMillimetres(), 2.5);
  ExpectConvertedFollowsIndex();
  ASSERT_TRUE(commands.Run(cmd::kUndo));
  EXPECT_TRUE(SamePixels(*indexBefore, *doc->indexImage));
  EXPECT_TRUE(SamePixels(*convertedBefore, *doc->convertedPicture));
  EXPECT_TRUE(SamePixels(*patternBefore, *doc->patternImage));
}

TEST_F(MergeSmallAreasTest, TheOptionIsKeptInTheSettingsAtOnce) {
  EXPECT_FALSE(commands.IsChecked(cmd::kToggleMergeWhenCreating));
  ASSERT_TRUE(commands.Run(cmd::kToggleMergeWhenCreating));
  EXPECT_TRUE(commands.IsChecked(cmd::kToggleMergeWhenCreating));
  EXPECT_EQ(ReadSetting(settings, Setting::kMergeSmallAreas), 1);
  ASSERT_TRUE(commands.Run(cmd::kToggleMergeWhenCreating));
  EXPECT_EQ(ReadSetting(settings, Setting::kMergeSmallAreas), 0);
  EXPECT_EQ(ReadSetting(settings, Setting::kMinAreaDiameter), 25);
}

// The smallest budget the settings accept is 64 MiB (67,108,864 bytes).
TEST_F(MergeSmallAreasTest, MergingWhenCreatingIsWeighedBeforeThePatternIsMade) {
  WriteSetting(settings, Setting::kPictureMemoryLimit, 64);
  LoadPicture();
  // 8 × 8 pages: over 4.5 million cells, 5 bytes each as pictures, 15 with the merge.
  env.app.page.pageCount = 7;
  env.app.mergeSmallAreas = 1;
  const CellSize cells = PatternCellSize(
      PageDotsForPicture(env.app.page, env.printer, doc->params.dotsPerCell, 200, 150),
      doc->params.dotsPerCell, 200, 150);
  ASSERT_GT(cells.width * cells.height, 4'500'000);
  commands.Run(cmd::kCreateDrawingPattern);
  EXPECT_FALSE(doc->HasPattern());
  ASSERT_FALSE(ui.messages.empty());
  const std::string& text = ui.messages.back().text;
  EXPECT_THAT(text, testing::HasSubstr(PixelSizeText(cells.width, cells.height) + " cells"));
  EXPECT_THAT(text, testing::HasSubstr("more than the limit of 64 MiB"));
}

TEST_F(MergeSmallAreasTest, TheCommandPastTheBudgetIsRefusedWithTheSizesAndTheLimit) {
  WriteSetting(settings, Setting::kPictureMemoryLimit, 64);
  LoadPicture();
  // 8 × 8 pages: over 4.5 million cells, 5 bytes each as pictures; the merge needs 10 more.
  env.app.page.pageCount = 7;
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(doc->HasPattern());
  // The refused command rolls back to copies: keep the sizes, not the image.
  const int32_t width = doc->indexImage->Width(), height = doc->indexImage->Height();
  ASSERT_GT(int64_t(width) * height, 4'500'000);
  ImageRef indexBefore = CopyOf(doc->indexImage);
  ui.messages.clear();
  commands.Run(cmd::kMergeSmallAreas);
  ASSERT_EQ(ui.messages.size(), 1u);
  const std::string& text = ui.messages.back().text;
  EXPECT_THAT(text, testing::HasSubstr(PixelSizeText(width, height) + " cells would take"));
  EXPECT_THAT(text, testing::HasSubstr("more than the limit of 64 MiB"));
  EXPECT_TRUE(SamePixels(*indexBefore, *doc->indexImage));

  WriteSetting(settings, Setting::kPictureMemoryLimit, 256);
  ui.messages.clear();
  ASSERT_TRUE(commands.Run(cmd::kMergeSmallAreas));
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.back().text;
  EXPECT_FALSE(SamePixels(*indexBefore, *doc->indexImage));
}

// A sky at dusk: a deep blue top turning steeply to a warm light in the
// middle, with a photo's grain. The paints of the middle lie in bands narrower than 2.5 mm.
ImageRef StormySky(int32_t width, int32_t height) {
  ImageRef sky = ImageBuffer::Create(kKindRgb24, width, height);
  std::optional<PixelRows> rows = sky->WritableRows();
  uint32_t noise = 12345;
  for (int32_t y = 0; y < height; ++y) {
    const double t = 1.0 / (1.0 + std::exp(-60.0 * (double(y) / height - 0.5)));
    uint8_t* bgr = rows->Row(y);
    for (int32_t x = 0; x < width; ++x, bgr += 3) {
      noise = noise * 1103515245u + 12345u;
      const double grain = double((noise >> 16) % 9) - 4.0;
      bgr[2] = uint8_t(std::clamp(25 + 215 * t + grain, 0.0, 255.0));
      bgr[1] = uint8_t(std::clamp(35 + 185 * t + grain, 0.0, 255.0));
      bgr[0] = uint8_t(std::clamp(95 + 105 * t + grain, 0.0, 255.0));
    }
  }
  return sky;
}

// Paints with cells enough for one area of the minimum's disc.
int PaintsWithRoom(const ImageBuffer& index, double discPixels) {
  std::array<int64_t, 256> cells{};
  for (int32_t y = 0; y < index.Height(); ++y) {
    for (int32_t x = 0; x < index.Width(); ++x) ++cells[index.Row(y)[x]];
  }
  const double room = 3.14159265 / 4 * discPixels * discPixels;
  return int(std::count_if(cells.begin(), cells.end(),
                           [room](int64_t n) { return double(n) >= room; }));
}

TEST_F(MergeSmallAreasTest, TheDefaultKeepsTheSkysGradientPaintsAndItsLikeness) {
  env.app.colorMatch = 1;
  env.app.mergeSmallAreas = 1;
  env.app.page.printResolution = 2;  // 600 dpi: 2.5 mm is about 15 cells
  doc->ReplaceWithPicture(StormySky(400, 300), kOriginFile, "sky.png", false);
  doc->params.neededNumColors = 24;
  // The same paints and clean-up with a minimum no area is under.
  env.app.minAreaDiameter = 1;
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  const int withRoom = PaintsWithRoom(*doc->indexImage, 2.5 / doc->PatternPixelMillimetres());
  const double unmerged =
      ConversionDifference(*doc->initialPicture, *doc->convertedPicture).value();
  ASSERT_GE(withRoom, 6);

  env.app.minAreaDiameter = 25;
  answers.Add("Your work will be reconverted!\nAll edits will be lost!\nContinue?", "Yes");
  ASSERT_TRUE(commands.Run(cmd::kCreateDrawingPattern));
  const double mm = doc->PatternPixelMillimetres();
  EXPECT_GE(MeasurePatternQuality(*doc->indexImage, true, mm).smallestDiameterMm, 2.5);
  const int kept = int(UsedPositions(doc->indexImage.get()).size());
  EXPECT_GE(kept * 10, withRoom * 8) << kept << " of " << withRoom;
  const double merged = ConversionDifference(*doc->initialPicture, *doc->convertedPicture).value();
  EXPECT_LE(merged - unmerged, 0.2) << unmerged << " -> " << merged;
}

}  // namespace
}  // namespace tintara::test
