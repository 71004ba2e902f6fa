#include <gtest/gtest.h>

#include "document/area_paint.h"
#include "imaging/selection_mask.h"
#include "tests/document/document_fixture.h"

namespace tintara::test {
namespace {

// The user's answer to the border colour chooser.
class ChosenColor : public Dialogs {
 public:
  std::optional<uint32_t> ChooseBorderColor(uint32_t current, bool) override {
    offered = current;
    return answer;
  }
  std::optional<uint32_t> answer;
  uint32_t offered = 0;
};

class PatternCommandsTest : public ::testing::Test, public DocumentFixture {
 protected:
  void MakePattern() {
    LoadPicture(300, 220);
    ASSERT_TRUE(commands.Run(cmd::kViewPaintingPattern));
    ASSERT_TRUE(doc->HasPattern());
  }
  int UndoDepth() const {
    int depth = 0;
    while (depth < kStackDepth && doc->undoSnapshots[size_t(depth)]) ++depth;
    return depth;
  }
};

TEST_F(PatternCommandsTest, RemovingSmallAreasTwiceGivesTwoUndoSteps) {
  MakePattern();
  ImageRef first = ImageBuffer::Copy(*doc->indexImage);
  ASSERT_TRUE(commands.Run(cmd::kRemoveSmallAreas));
  ImageRef second = ImageBuffer::Copy(*doc->indexImage);
  ASSERT_TRUE(commands.Run(cmd::kRemoveSmallAreas));
  EXPECT_EQ(UndoDepth(), 3);
  // The converted picture follows the smoothed index image.
  const CFlossColor& paint = doc->params.workingPalette[doc->indexImage->Row(50)[60]];
  EXPECT_EQ(doc->convertedPicture->Row(50)[3 * 60 + 2], paint.red);

  commands.Run(cmd::kUndo);
  EXPECT_TRUE(SamePixels(*doc->indexImage, *second));
  commands.Run(cmd::kUndo);
  EXPECT_TRUE(SamePixels(*doc->indexImage, *first));
  EXPECT_EQ(doc->viewMode, kViewPattern);
}

TEST_F(PatternCommandsTest, SelectOneAreaIsAToggledToolThatSelectsConnectedPixelsOnly) {
  EXPECT_FALSE(commands.IsEnabled(cmd::kSelectOneArea));
  MakePattern();
  ASSERT_TRUE(commands.IsEnabled(cmd::kSelectOneArea));
  commands.Run(cmd::kSelectOneArea);
  EXPECT_TRUE(commands.IsChecked(cmd::kSelectOneArea));

  // Two pixels of colour 9 touching only at a corner are two areas.
  ImageBuffer& index = *doc->indexImage;
  index.WritableRows().value().Row(10)[10] = 9;
  index.WritableRows().value().Row(11)[11] = 9;
  for (int32_t y = 9; y <= 12; ++y) {
    for (int32_t x = 9; x <= 12; ++x) {
      if (!((x == 10 && y == 10) || (x == 11 && y == 11)))
        index.WritableRows().value().Row(y)[x] = 8;
    }
  }
  doc->SelectAreaAt(10, 10);
  ASSERT_TRUE(doc->selection);
  auto mask = SelectionMask::Build(doc->selection.get(), index.Width(), index.Height());
  EXPECT_TRUE(mask->Affects(10, 10));
  EXPECT_FALSE(mask->Affects(11, 11));
  EXPECT_FALSE(mask->Affects(10, 11));
  EXPECT_GT(ui.maxWaitCursorDepth, 0);

  // A click outside the pattern keeps the selection.
  const Region* before = doc->selection.get();
  doc->SelectAreaAt(-1, 5);
  EXPECT_EQ(doc->selection.get(), before);

  commands.Run(cmd::kSelectOneArea);
  EXPECT_EQ(doc->currentTool, kToolNone);
}

TEST(BorderColorCommandTest, SameColourMakesNoStepAndANewOneChangesOnlyEntry32) {
  DocumentFixture fixture;
  ChosenColor chooser;
  DocumentEnvironment env(fixture.ui, chooser, fixture.settings);
  env.programFolder = fixture.env.programFolder;
  env.filters = &fixture.site;
  env.app = fixture.env.app;
  auto params = CTesselParams::Create(fixture.settings, env.programFolder);
  CTessel20Doc doc(env, std::move(*params));
  CommandTable commands;
  RegisterDocumentCommands(commands, doc);
  RegisterPatternCommands(commands, doc);

  // Without a pattern only the parameters (and their settings) change.
  chooser.answer = 0x0000FF;
  ASSERT_TRUE(commands.Run(cmd::kBorderColor));
  EXPECT_EQ(doc.params.borderColor, 0x0000FFu);
  EXPECT_EQ(fixture.settings.ReadInt("SETTINGS", "BORDERCOLOR", 0), 0x0000FF);
  EXPECT_FALSE(doc.CanUndo());

  doc.ReplaceWithPicture(MakePhoto(200, 150), kOriginFile, "", false);
  commands.Run(cmd::kCreateDrawingPattern);
  ASSERT_TRUE(doc.HasPattern());
  EXPECT_EQ(doc.patternImage->PaletteAt(32), (PaletteEntry{255, 0, 0, 0}));
  ImageRef pixels = ImageBuffer::Copy(*doc.patternImage);

  commands.Run(cmd::kBorderColor);  // the same colour again
  EXPECT_EQ(chooser.offered, 0x0000FFu);
  ASSERT_TRUE(doc.undoSnapshots[0]);
  EXPECT_FALSE(doc.undoSnapshots[1]);

  chooser.answer = 0x00FF00;
  commands.Run(cmd::kBorderColor);
  EXPECT_EQ(doc.patternImage->PaletteAt(32), (PaletteEntry{0, 255, 0, 0}));
  EXPECT_EQ(doc.patternImage->PaletteAt(31), (PaletteEntry{31, 31, 31, 0}));
  EXPECT_TRUE(SamePixels(*doc.patternImage, *pixels));
  ASSERT_TRUE(doc.undoSnapshots[1]);
  commands.Run(cmd::kUndo);
  EXPECT_EQ(doc.patternImage->PaletteAt(32), (PaletteEntry{255, 0, 0, 0}));
  EXPECT_EQ(doc.params.borderColor, 0x0000FFu);  // colour and palette undone together

  chooser.answer.reset();  // Cancel
  commands.Run(cmd::kBorderColor);
  EXPECT_EQ(doc.params.borderColor, 0x0000FFu);
}

TEST_F(PatternCommandsTest, TheAreaUnderAPointNamesItsPaintWhereAreasAreShown) {
  LoadPicture(300, 220);
  EXPECT_FALSE(PaintAt(*doc, 10, 10)) << "no pattern yet";
  ASSERT_TRUE(commands.Run(cmd::kViewPaintingPattern));
  ASSERT_TRUE(doc->HasPattern());
  const ImageBuffer& index = *doc->indexImage;
  // Two points of different paints, each named by its own palette position.
  int32_t y = index.Height() / 2;
  uint8_t first = index.Row(y)[0];
  int32_t x = 1;
  while (x < index.Width() && index.Row(y)[x] == first) ++x;
  ASSERT_LT(x, index.Width());
  for (int32_t at : {0, x}) {
    uint8_t position = index.Row(y)[at];
    const CFlossColor& colour = doc->params.workingPalette[position];
    std::optional<AreaPaint> paint = PaintAt(*doc, at, y);
    ASSERT_TRUE(paint);
    EXPECT_EQ(paint->number, position + 1);
    EXPECT_EQ(paint->colorName, colour.colorName);
    EXPECT_EQ(paint->brandName, colour.brandName);
    EXPECT_EQ(paint->catalogNumber, colour.catalogNumber);
  }
  // Row 0 is the bottom row, as the view maps it.
  EXPECT_EQ(PaintAt(*doc, 0, 0)->number, index.Row(0)[0] + 1);
  EXPECT_FALSE(PaintAt(*doc, -1, y));
  EXPECT_FALSE(PaintAt(*doc, index.Width(), y));
  EXPECT_FALSE(PaintAt(*doc, 0, index.Height()));
  ASSERT_TRUE(commands.Run(cmd::kViewConvertedPicture));
  EXPECT_TRUE(PaintAt(*doc, 0, y));
  ASSERT_TRUE(commands.Run(cmd::kViewInitialPicture));
  EXPECT_FALSE(PaintAt(*doc, 0, y)) << "the photo has no areas";
}

TEST(AreaPaintText, NamesNumberColourBrandAndCatalogueNumber) {
  EXPECT_EQ(AreaPaintText({5, "Ivory", "Acme", 3102}), "Color 5: Ivory, Acme, No. 3102");
  EXPECT_EQ(AreaPaintText({1, "", "", -1}), "Color 1: unnamed");
  EXPECT_EQ(AreaPaintText({12, "Sky", "Acme", 0}), "Color 12: Sky, Acme, No. 0");
}

}  // namespace
}  // namespace tintara::test
