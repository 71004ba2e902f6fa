// The drawing tools on a real pattern, driven as the view drives them: window
// points at zoom 100 % (a window pixel is a picture pixel, rows counted from
// the top), pixels checked in the index image and the converted picture,
// each edit one undo step.
#include <gtest/gtest.h>

#include "document/command_ids.h"
#include "editing/drawing_commands.h"
#include "editing/drawing_tool.h"
#include "editing/pattern_edits.h"
#include "editing/pen_geometry.h"
#include "editing/selection_tool.h"
#include "tests/document/document_fixture.h"
#include "view/drawing_input.h"

namespace tintara::test {
namespace {

class DrawingToolTest : public ::testing::Test, public DocumentFixture {
 protected:
  DrawingToolTest()
      : selection(*doc, selectParams),
        tool(*doc),
        host([this] { return ViewMapping(ZoomFactor{}, Height(), Point{0, 0}); },
             {[this](const LtrbRect& r) { repainted.push_back(r); }, {},
              [this] { ++toolChanges; }}) {
    RegisterDrawingCommands(commands, *doc, selection, [this](bool& keep) {
      keep = keepProportions;
      return inserted;
    });
    tool.Attach(&host);
  }

  // A pattern made from a photo, then painted all over with colour 1 so that
  // what a tool paints with colour 0 stands out.
  void MakePlainPattern() {
    LoadPicture(300, 220);
    ASSERT_TRUE(commands.Run(cmd::kViewPaintingPattern));
    ASSERT_TRUE(doc->HasPattern());
    ASSERT_GE(doc->params.workingPalette.size(), 2u);
    doc->selection = RegionCreateEmpty();
    doc->params.currentColor = 1;
    FillSelection(*doc);
    doc->selection.reset();
    doc->params.currentColor = 0;
    doc->params.penWidth = 0;
  }

  int32_t Height() const { return doc->indexImage ? doc->indexImage->Height() : 0; }
  int32_t Width() const { return doc->indexImage->Width(); }
  // The paint under window pixel (x, y).
  int Paint(int32_t x, int32_t y) const { return doc->indexImage->Row(Height() - 1 - y)[x]; }
  int Count(int paint) const {
    int n = 0;
    for (int32_t y = 0; y < Height(); ++y) {
      for (int32_t x = 0; x < Width(); ++x) n += doc->indexImage->Row(y)[x] == paint;
    }
    return n;
  }
  int UndoDepth() const {
    int depth = 0;
    while (depth < kStackDepth && doc->undoSnapshots[size_t(depth)]) ++depth;
    return depth;
  }
  void Drag(int32_t tool, Point from, Point to, bool shift = false) {
    doc->currentTool = tool;
    this->tool.ButtonDown(from);
    this->tool.MouseMove(to, true, shift);
    this->tool.ButtonUp(to, shift);
  }
  void Click(Point at) {
    tool.ButtonDown(at);
    tool.ButtonUp(at, false);
  }

  CSelectParams selectParams;
  SelectionTool selection;
  DrawingTool tool;
  MappedDrawingHost host;
  std::vector<LtrbRect> repainted;
  int toolChanges = 0;
  ImageRef inserted;
  bool keepProportions = false;
};

TEST_F(DrawingToolTest, PenDabsPaintBothImagesAsOneUndoStep) {
  MakePlainPattern();
  const int depth = UndoDepth();
  doc->patternEditedByHand = false;
  doc->currentTool = kToolPen;
  Click({40, 30});
  EXPECT_EQ(Count(0), 1);
  EXPECT_EQ(Paint(40, 30), 0);
  const CFlossColor& paint = doc->params.workingPalette[0];
  const uint8_t* rgb = doc->convertedPicture->Row(Height() - 1 - 30) + 40 * 3;
  EXPECT_EQ((std::array<int, 3>{rgb[2], rgb[1], rgb[0]}),
            (std::array<int, 3>{paint.red, paint.green, paint.blue}));
  EXPECT_TRUE(doc->patternEditedByHand);
  EXPECT_EQ(UndoDepth(), depth + 1);
  EXPECT_FALSE(repainted.empty());

  doc->params.penShape = kPenRound;
  doc->params.penWidth = 2;
  Click({100, 100});
  EXPECT_EQ(Count(0), 1 + 9);
  doc->params.penShape = kPenSquare;
  Click({200, 100});
  EXPECT_EQ(Count(0), 1 + 9 + 16);
  // Candidates -2..1 about the point in picture rows, which count upwards:
  // window rows 99..102.
  EXPECT_EQ(Paint(198, 102), 0);
  EXPECT_EQ(Paint(201, 99), 0);
  EXPECT_EQ(Paint(200, 98), 1);
  EXPECT_EQ(Paint(202, 100), 1);

  // Points off the picture paint nothing, not even the dab's part inside.
  Click({Width() + 1, 100});
  Click({-1, 50});
  EXPECT_EQ(Count(0), 1 + 9 + 16);

  doc->Undo();
  doc->Undo();
  doc->Undo();
  EXPECT_EQ(Count(0), 10);
  doc->Undo();
  doc->Undo();
  EXPECT_EQ(Count(0), 0);
}

TEST_F(DrawingToolTest, FastPenStrokeLeavesNoGapAndRedrawsNumbersOnRelease) {
  MakePlainPattern();
  ImageRef before = ImageBuffer::Copy(*doc->patternImage);
  doc->currentTool = kToolPen;
  tool.ButtonDown({10, 50});
  tool.MouseMove({150, 50}, true, false);  // one event for 140 pixels
  tool.MouseMove({150, 120}, true, false);
  EXPECT_TRUE(tool.Stroking());
  tool.ButtonUp({150, 120}, false);
  EXPECT_FALSE(tool.Stroking());
  for (int32_t x = 10; x <= 150; ++x) EXPECT_EQ(Paint(x, 50), 0) << x;
  for (int32_t y = 50; y <= 120; ++y) EXPECT_EQ(Paint(150, y), 0) << y;
  EXPECT_EQ(Count(0), 141 + 70);
  // The pattern itself was drawn again where the stroke went.
  bool changed = false;
  const ImageBuffer& pattern = *doc->patternImage;
  for (int32_t x = 10; x <= 150 && !changed; ++x) {
    changed = pattern.Row(Height() - 1 - 50)[x] != before->Row(Height() - 1 - 50)[x] ||
              pattern.Row(Height() - 1 - 49)[x] != before->Row(Height() - 1 - 49)[x];
  }
  EXPECT_TRUE(changed);
  // Moves without the button held paint nothing.
  tool.MouseMove({200, 200}, false, false);
  EXPECT_EQ(Count(0), 211);
}

TEST_F(DrawingToolTest, LinesRectanglesAndEllipsesFollowTheirRules) {
  MakePlainPattern();
  Drag(kToolLine, {10, 20}, {20, 20});
  for (int32_t x = 10; x < 20; ++x) EXPECT_EQ(Paint(x, 20), 0) << x;
  EXPECT_EQ(Paint(20, 20), 1);
  EXPECT_EQ(Count(0), 10);
  EXPECT_FALSE(tool.Feedback().Shown());

  Drag(kToolRectangle, {50, 50}, {60, 56});
  for (auto [x, y] : {std::pair{50, 50}, {60, 50}, {60, 56}, {50, 56}}) {
    EXPECT_EQ(Paint(x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(Count(0), 10 + 2 * (10 + 6));

  // Shift: a drag by (30, -10) ends at (10, -10) from the start.
  Drag(kToolRectangle, {100, 100}, {130, 90}, true);
  EXPECT_EQ(Paint(110, 90), 0);
  EXPECT_EQ(Paint(110, 100), 0);
  EXPECT_EQ(Paint(120, 90), 1);
  EXPECT_EQ(Count(0), 10 + 32 + 40);

  Drag(kToolEllipse, {150, 20}, {190, 60});
  EXPECT_EQ(Paint(150, 40), 0);
  EXPECT_EQ(Paint(170, 20), 0);
  EXPECT_EQ(Paint(170, 40), 1);  // the middle stays
  EXPECT_EQ(UndoDepth() >= 4, true);
}

TEST_F(DrawingToolTest, RubberBandFollowsTheDragUntilRelease) {
  MakePlainPattern();
  doc->currentTool = kToolEllipse;
  tool.ButtonDown({30, 30});
  tool.MouseMove({60, 40}, true, true);
  ASSERT_EQ(tool.Feedback().kind, RubberBand::Kind::kEllipse);
  EXPECT_EQ(tool.Feedback().rect, (LtrbRect{30, 30, 41, 41}));
  EXPECT_EQ(Count(0), 0);  // nothing painted while dragging
  tool.ButtonUp({60, 40}, true);
  EXPECT_FALSE(tool.Feedback().Shown());
  EXPECT_GT(Count(0), 0);
}

TEST_F(DrawingToolTest, RecolourWithoutSelectionChangesEveryPixelOfThePickedPaint) {
  MakePlainPattern();
  doc->currentTool = kToolPen;
  Click({5, 5});
  Click({250, 200});
  ASSERT_EQ(Count(0), 2);
  doc->params.currentColor = 1;
  ASSERT_TRUE(commands.Run(cmd::kRecolorPicked));
  EXPECT_EQ(doc->currentTool, kToolRecolor);
  EXPECT_TRUE(commands.IsChecked(cmd::kRecolorPicked));
  Click({5, 5});
  EXPECT_EQ(Count(0), 0);
  EXPECT_EQ(doc->currentTool, kToolPen);  // the tool before the pick returns
  EXPECT_EQ(toolChanges, 1);

  // Inside a selection only: the left half keeps its paint 1 → 0.
  doc->params.currentColor = 0;
  doc->selection = RegionCreateRect({0, 0, 100, Height()});
  commands.Run(cmd::kRecolorPicked);
  Click({200, 5});
  EXPECT_EQ(Count(0), 100 * Height());
}

TEST_F(DrawingToolTest, PickersTakeThePaintOrBeepOutsideThePicture) {
  MakePlainPattern();
  ASSERT_TRUE(commands.Run(cmd::kPickColor));
  Click({Width() + 20, 10});
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_EQ(doc->params.currentColor, 0);
  EXPECT_EQ(doc->currentTool, kToolPickColor);
  Click({10, 10});
  EXPECT_EQ(doc->params.currentColor, 1);
  EXPECT_EQ(doc->currentTool, kToolNone);
  // Kept in the settings, like any choice of the painting colour.
  CTesselParams saved = *CTesselParams::Create(settings, env.programFolder);
  EXPECT_EQ(saved.currentColor, 1);

  ASSERT_TRUE(commands.Run(cmd::kPickColorInfo));
  Click({-5, 10});
  EXPECT_EQ(ui.beeps, 2);
  Click({10, 10});
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().caption, "Tessel Info");
  EXPECT_EQ(ui.messages.back().text.rfind("Color 2: ", 0), 0u) << ui.messages.back().text;
  EXPECT_EQ(doc->currentTool, kToolNone);
}

TEST_F(DrawingToolTest, ToolCommandsToggleAndFollowTheirEnablingRules) {
  EXPECT_FALSE(commands.IsEnabled(cmd::kPenTool));
  EXPECT_FALSE(commands.IsEnabled(cmd::kFillSelection));
  MakePlainPattern();
  EXPECT_TRUE(commands.IsEnabled(cmd::kPenTool));
  EXPECT_FALSE(commands.IsEnabled(cmd::kFillSelection));
  selection.SetArmed(true);
  commands.Run(cmd::kLineTool);
  EXPECT_FALSE(selection.Armed());
  EXPECT_TRUE(commands.IsChecked(cmd::kLineTool));
  commands.Run(cmd::kLineTool);
  EXPECT_EQ(doc->currentTool, kToolNone);
  commands.Run(cmd::kPenWidth1 + 5);
  commands.Run(cmd::kSquarePen);
  EXPECT_TRUE(commands.IsChecked(cmd::kPenWidth1 + 5));
  EXPECT_FALSE(commands.IsChecked(cmd::kRoundPen));
  CTesselParams saved = *CTesselParams::Create(settings, env.programFolder);
  EXPECT_EQ(saved.penWidth, 5);
  EXPECT_EQ(saved.penShape, kPenSquare);
  doc->ViewInitialPicture();
  EXPECT_FALSE(commands.IsEnabled(cmd::kEllipseTool));
}

TEST_F(DrawingToolTest, FillAndInsertNeedASelection) {
  MakePlainPattern();
  FillSelection(*doc);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().text, kSelectRegionFirst);
  commands.Run(cmd::kInsertPicture);
  EXPECT_EQ(ui.messages.back().text, kSelectRegionFirst);
  EXPECT_EQ(Count(0), 0);

  doc->selection = RegionCreateEllipse({20, 20, 40, 40});
  ASSERT_TRUE(commands.Run(cmd::kFillSelection));
  const int inside = Count(0);
  EXPECT_GT(inside, 1000);
  EXPECT_LT(inside, 1600);  // a disc, not its 1600-pixel box
  doc->selection->SetInverted(true);
  commands.Run(cmd::kFillSelection);
  EXPECT_EQ(Count(0), Width() * Height());
}

TEST_F(DrawingToolTest, InsertWithCtrlCentresThePictureAtItsProportions) {
  MakePlainPattern();
  // Left half paint 0, right half paint 2: the picture's own two colours.
  inserted = ImageBuffer::Create(kKindRgb24, 200, 200);
  const CFlossColor& left = doc->params.workingPalette[0];
  const CFlossColor& right = doc->params.workingPalette[2];
  {
    std::optional<PixelRows> rows = inserted->WritableRows();
    ASSERT_TRUE(rows);
    for (int32_t y = 0; y < 200; ++y) {
      for (int32_t x = 0; x < 200; ++x) {
        const CFlossColor& c = x < 100 ? left : right;
        uint8_t* p = rows->Row(y) + x * 3;
        p[0] = c.blue;
        p[1] = c.green;
        p[2] = c.red;
      }
    }
  }
  doc->selection = RegionCreateRect({60, 40, 100, 50});
  keepProportions = true;
  ASSERT_TRUE(commands.Run(cmd::kInsertPicture));
  EXPECT_EQ(Count(0) + Count(2), 50 * 50);
  for (int32_t y = 40; y < 90; ++y) {
    EXPECT_EQ(doc->indexImage->Row(y)[84], 1) << y;   // margin of 25 on the left
    EXPECT_EQ(doc->indexImage->Row(y)[85], 0) << y;
    EXPECT_EQ(doc->indexImage->Row(y)[134], 2) << y;
    EXPECT_EQ(doc->indexImage->Row(y)[135], 1) << y;  // and on the right
  }
  // Without Ctrl the whole selection is filled, stretched.
  keepProportions = false;
  commands.Run(cmd::kInsertPicture);
  EXPECT_EQ(Count(0) + Count(2), 100 * 50);
  EXPECT_EQ(ProportionalTarget({0, 0, 50, 100}, 200, 200), (BoxRect{0, 25, 50, 50}));
}

TEST_F(DrawingToolTest, DoubleClickWithoutPendingTextDoesNothing) {
  MakePlainPattern();
  const int depth = UndoDepth();
  EXPECT_FALSE(tool.DoubleClick({30, 30}));
  doc->currentTool = kToolPen;
  EXPECT_FALSE(tool.DoubleClick({30, 30}));
  EXPECT_EQ(UndoDepth(), depth);
  EXPECT_EQ(Count(0), 0);
}

}  // namespace
}  // namespace tintara::test
