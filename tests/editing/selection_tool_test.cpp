// The selection tool driven as the view drives it: window points at a zoom
// and scroll position, regions checked pixel by pixel through the mask every
// selection-limited operation uses.
#include <gtest/gtest.h>

#include "editing/select_window_rules.h"
#include "editing/selection_commands.h"
#include "editing/selection_tool.h"
#include "imaging/selection_mask.h"
#include "tests/document/document_fixture.h"
#include "view/selection_input.h"

namespace tintara::test {
namespace {

constexpr int32_t kWidth = 200;
constexpr int32_t kHeight = 150;

class SelectionToolTest : public ::testing::Test, public DocumentFixture {
 protected:
  SelectionToolTest()
      : tool(*doc, params),
        host([this] { return ViewMapping(zoom, kHeight, scroll); }, [this] { ++repaints; },
             [this] { ++feedbackChanges; }) {
    LoadPicture(kWidth, kHeight);
    tool.Attach(&host);
    RegisterSelectionCommands(commands, *doc, tool);
  }

  void Drag(Point from, Point to, std::vector<Point> through = {}) {
    tool.ButtonDown(from);
    for (Point p : through) tool.MouseMove(p);
    tool.MouseMove(to);
    tool.ButtonUp(to);
  }
  void Click(Point at) {
    tool.ButtonDown(at);
    tool.ButtonUp(at);
  }
  void Shape(int shape, int mode = kSelectModeNew) {
    params.shape = shape;
    params.combineMode = mode;
  }

  // Which picture pixels the document's selection affects, row by row.
  std::vector<uint8_t> Mask() const {
    std::vector<uint8_t> bits(size_t(kWidth) * kHeight, 0);
    if (!doc->selection) return bits;
    std::optional<SelectionMask> mask = SelectionMask::Build(doc->selection.get(), kWidth, kHeight);
    EXPECT_TRUE(mask.has_value());
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) bits[size_t(y) * kWidth + x] = mask->Affects(x, y);
    }
    return bits;
  }
  static size_t Count(const std::vector<uint8_t>& bits) {
    size_t n = 0;
    for (uint8_t b : bits) n += b;
    return n;
  }
  // The picture pixel under a window pixel at zoom 1 with no scrolling.
  bool Under(int32_t wx, int32_t wy) const {
    return Mask()[size_t(kHeight - 1 - wy) * kWidth + size_t(wx)] != 0;
  }

  CSelectParams params;
  SelectionTool tool;
  ZoomFactor zoom;
  Point scroll{0, 0};
  int repaints = 0;
  int feedbackChanges = 0;
  MappedSelectionHost host;
};

TEST_F(SelectionToolTest, RectangleAndEllipseCoverTheDraggedWindowPixels) {
  Drag({10, 10}, {110, 60});
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionRectangle);
  // Window rows 10..59 are picture rows 140..91 (y counts up).
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{10, kHeight - 60, 100, 50}));
  EXPECT_EQ(Count(Mask()), 100u * 50u);
  EXPECT_TRUE(Under(10, 10));
  EXPECT_TRUE(Under(109, 59));
  EXPECT_FALSE(Under(110, 59));
  EXPECT_FALSE(Under(109, 60));
  EXPECT_GE(repaints, 1);

  // Dragged the other way round the rectangle is the same.
  Drag({110, 60}, {10, 10});
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{10, kHeight - 60, 100, 50}));

  Shape(kSelectEllipse);
  Drag({10, 10}, {110, 60});
  EXPECT_EQ(doc->selection->Kind(), kRegionEllipse);
  EXPECT_TRUE(Under(60, 35));    // the middle
  EXPECT_FALSE(Under(11, 11));   // a corner of the box, outside the ellipse
  EXPECT_TRUE(Under(11, 35));    // the left end of the long axis
}

TEST_F(SelectionToolTest, ClickWithoutDragGivesAnEmptyRectangle) {
  Drag({10, 10}, {110, 60});
  Click({40, 40});
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionRectangle);
  EXPECT_TRUE(doc->selection->Bounds().IsEmpty());
  EXPECT_EQ(Count(Mask()), 0u);
}

TEST_F(SelectionToolTest, SquareAndFixedSizeFollowTheWindowAtAnyZoom) {
  params.square = 1;
  Drag({10, 10}, {50, 90});
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{10, kHeight - 50, 40, 40}));

  // A fixed size hangs from the pointer; at zoom 2 it covers half as many
  // picture pixels each way.
  params.square = 0;
  params.fixedSize = 1;
  params.fixedWidth = 100;
  params.fixedHeight = 60;
  zoom = {2000, 1000};
  Click({40, 30});
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{20, kHeight - 45, 50, 30}));
  Shape(kSelectEllipse);
  Drag({0, 0}, {40, 30});  // only the release point counts
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{20, kHeight - 45, 50, 30}));

  // Scrolled, the same window point is another picture point.
  zoom = {};
  scroll = {30, 20};
  Shape(kSelectRectangle);
  Click({0, 0});
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{30, kHeight - 20 - 60, 100, 60}));
}

TEST_F(SelectionToolTest, AddAndSubtractCombineWithAnEllipse) {
  Shape(kSelectEllipse);
  Drag({20, 20}, {100, 100});
  std::vector<uint8_t> ellipse = Mask();
  Shape(kSelectRectangle, kSelectModeAdd);
  Drag({90, 50}, {180, 70});
  ASSERT_EQ(doc->selection->Kind(), kRegionCombined);
  std::vector<uint8_t> added = Mask();
  Shape(kSelectRectangle, kSelectModeNew);
  Drag({90, 50}, {180, 70});
  std::vector<uint8_t> rectangle = Mask();
  for (size_t i = 0; i < added.size(); ++i) {
    ASSERT_EQ(added[i], ellipse[i] | rectangle[i]) << "pixel " << i;
  }

  // Start again from the ellipse alone and cut the rectangle out of it.
  Shape(kSelectEllipse);
  Drag({20, 20}, {100, 100});
  Shape(kSelectRectangle, kSelectModeSubtract);
  Drag({90, 50}, {180, 70});
  std::vector<uint8_t> cut = Mask();
  size_t removed = 0;
  for (size_t i = 0; i < cut.size(); ++i) {
    ASSERT_EQ(cut[i], ellipse[i] && !rectangle[i]) << "pixel " << i;
    removed += ellipse[i] && rectangle[i];
  }
  EXPECT_GT(removed, 50u);  // the two overlap, so the cut took pixels away
}

TEST_F(SelectionToolTest, AddOrSubtractWithNoSelection) {
  Shape(kSelectRectangle, kSelectModeAdd);
  Drag({10, 10}, {30, 30});
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionRectangle);
  EXPECT_EQ(Count(Mask()), 400u);

  ASSERT_TRUE(commands.Run(cmd::kSelectNone));
  Shape(kSelectRectangle, kSelectModeSubtract);
  Drag({10, 10}, {30, 30});
  EXPECT_EQ(doc->selection, nullptr);
}

TEST_F(SelectionToolTest, ShapesAfterSelectionCommandsExtendWhatTheDocumentHolds) {
  Drag({10, 10}, {30, 30});
  ASSERT_TRUE(commands.Run(cmd::kSelectNone));
  // The tool's old rectangle must not come back with the next added shape.
  Shape(kSelectRectangle, kSelectModeAdd);
  Drag({100, 100}, {110, 110});
  EXPECT_EQ(Count(Mask()), 100u);

  ASSERT_TRUE(commands.Run(cmd::kSelectInvert));
  Drag({0, 0}, {10, 10});
  // Everything but the 10 × 10 square, plus the new square in the corner.
  EXPECT_EQ(Count(Mask()), size_t(kWidth) * kHeight - 100u);
  EXPECT_FALSE(Under(105, 105));
  EXPECT_TRUE(Under(5, 5));
}

TEST_F(SelectionToolTest, FreehandNeedsTwoPoints) {
  Drag({10, 10}, {60, 60});
  const Region* before = doc->selection.get();
  BoxRect bounds = before->Bounds();
  Shape(kSelectFreehand);
  Click({80, 80});  // one point only
  EXPECT_EQ(doc->selection.get(), before);
  EXPECT_EQ(doc->selection->Bounds(), bounds);
  EXPECT_TRUE(tool.PlacedPoints().empty());

  // A triangle drawn by dragging.
  Drag({10, 140}, {10, 100}, {{90, 140}});
  ASSERT_EQ(doc->selection->Kind(), kRegionPolygon);
  EXPECT_TRUE(Under(20, 135));
  EXPECT_FALSE(Under(80, 105));
  EXPECT_FALSE(Under(30, 30));  // the rectangle is gone: mode new
}

TEST_F(SelectionToolTest, PolygonClosesOnDoubleClickWithThreeCorners) {
  Shape(kSelectPolygon);
  Click({10, 10});
  Click({100, 10});
  tool.DoubleClick();
  // Two corners: still open, nothing selected.
  EXPECT_EQ(doc->selection, nullptr);
  EXPECT_EQ(tool.PlacedPoints().size(), 2u);
  EXPECT_TRUE(tool.FollowsMouse());
  tool.MouseMove({100, 80});
  ASSERT_EQ(tool.Feedback().kind, RubberBand::Kind::kLines);
  EXPECT_EQ(tool.Feedback().points.back(), (Point{100, 80}));

  Click({100, 100});
  tool.DoubleClick();
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionPolygon);
  EXPECT_TRUE(tool.PlacedPoints().empty());
  EXPECT_FALSE(tool.Feedback().Shown());
  EXPECT_TRUE(Under(90, 20));
  EXPECT_FALSE(Under(20, 90));
}

TEST_F(SelectionToolTest, MovingKeepsTheShape) {
  Shape(kSelectEllipse);
  Drag({20, 20}, {90, 70});
  std::vector<uint8_t> before = Mask();
  Shape(kSelectMove);
  tool.ButtonDown({50, 40});
  ASSERT_EQ(tool.Feedback().kind, RubberBand::Kind::kRectangle);
  EXPECT_EQ(tool.Feedback().rect, (LtrbRect{20, 20, 90, 70}));
  tool.MouseMove({75, 50});
  EXPECT_EQ(tool.Feedback().rect, (LtrbRect{45, 30, 115, 80}));
  tool.ButtonUp({75, 50});
  EXPECT_FALSE(tool.Feedback().Shown());
  std::vector<uint8_t> after = Mask();
  // 25 right and 10 down on the screen: 10 rows lower in the picture.
  EXPECT_EQ(Count(after), Count(before));
  for (int32_t y = 10; y < kHeight; ++y) {
    for (int32_t x = 0; x + 25 < kWidth; ++x) {
      ASSERT_EQ(after[size_t(y - 10) * kWidth + x + 25], before[size_t(y) * kWidth + x])
          << x << "," << y;
    }
  }
}

TEST_F(SelectionToolTest, RubberBandFollowsTheMouse) {
  tool.ButtonDown({10, 10});
  EXPECT_FALSE(tool.Feedback().Shown());
  tool.MouseMove({40, 30});
  EXPECT_EQ(tool.Feedback().kind, RubberBand::Kind::kRectangle);
  EXPECT_EQ(tool.Feedback().rect, (LtrbRect{10, 10, 40, 30}));
  tool.MouseMove({5, 50});
  EXPECT_EQ(tool.Feedback().rect, (LtrbRect{5, 10, 10, 50}));
  int before = feedbackChanges;
  tool.ButtonUp({5, 50});
  EXPECT_FALSE(tool.Feedback().Shown());
  EXPECT_GT(feedbackChanges, before);

  Shape(kSelectEllipse);
  tool.ButtonDown({10, 10});
  tool.MouseMove({40, 30});
  EXPECT_EQ(tool.Feedback().kind, RubberBand::Kind::kEllipse);
  tool.ButtonUp({40, 30});

  Shape(kSelectFreehand);
  tool.ButtonDown({10, 10});
  tool.MouseMove({20, 10});
  tool.MouseMove({20, 20});
  EXPECT_EQ(tool.Feedback().points, (std::vector<Point>{{10, 10}, {20, 10}, {20, 20}}));
  tool.ButtonUp({20, 20});

  // With no shape chosen the tool does nothing at all.
  params.shape = kSelectNoShape;
  ASSERT_TRUE(commands.Run(cmd::kSelectNone));
  Drag({10, 10}, {50, 50});
  EXPECT_EQ(doc->selection, nullptr);
}

TEST_F(SelectionToolTest, PendingActionSelectsAllOrRemoves) {
  params.pendingAction = kSelectActionWhole;
  tool.RunPendingAction();
  EXPECT_EQ(params.pendingAction, kSelectNoAction);
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionRectangle);
  EXPECT_EQ(doc->selection->Bounds(), (BoxRect{0, 0, kWidth, kHeight}));

  params.pendingAction = kSelectActionRemove;
  tool.RunPendingAction();
  EXPECT_EQ(doc->selection, nullptr);
  EXPECT_EQ(tool.CurrentRegion(), nullptr);
  EXPECT_EQ(params.pendingAction, kSelectNoAction);
}

TEST_F(SelectionToolTest, AttachingTakesTheDocumentsSelection) {
  Drag({10, 10}, {30, 30});
  int told = 0;
  MappedSelectionHost other([] { return ViewMapping({}, kHeight, {0, 0}); }, [&told] { ++told; },
                            {});
  int before = repaints;
  doc->selection = RegionCreateEllipse({0, 0, 20, 20});
  tool.Attach(&other);
  EXPECT_EQ(repaints, before + 1);  // the old view drops the tool's region
  ASSERT_NE(tool.CurrentRegion(), nullptr);
  EXPECT_EQ(tool.CurrentRegion()->Kind(), kRegionEllipse);
  EXPECT_NE(tool.CurrentRegion(), doc->selection.get());  // a copy of its own
}

TEST_F(SelectionToolTest, SelectAllNoneAndInvert) {
  EXPECT_TRUE(commands.IsEnabled(cmd::kSelectAll));
  EXPECT_TRUE(commands.IsEnabled(cmd::kSelectRegion));
  EXPECT_FALSE(commands.IsEnabled(cmd::kSelectNone));
  EXPECT_FALSE(commands.IsEnabled(cmd::kSelectInvert));
  // None with no selection does nothing.
  int updates = ui.updateViews;
  EXPECT_FALSE(commands.Run(cmd::kSelectNone));
  EXPECT_EQ(ui.updateViews, updates);

  ASSERT_TRUE(commands.Run(cmd::kSelectAll));
  ASSERT_NE(doc->selection, nullptr);
  EXPECT_EQ(doc->selection->Kind(), kRegionWhole);
  EXPECT_EQ(Count(Mask()), size_t(kWidth) * kHeight);
  EXPECT_GT(ui.updateViews, updates);

  Shape(kSelectEllipse);
  Drag({20, 20}, {100, 100});
  std::vector<uint8_t> ellipse = Mask();
  ASSERT_TRUE(commands.Run(cmd::kSelectInvert));
  EXPECT_TRUE(doc->selection->IsInverted());
  std::vector<uint8_t> inverted = Mask();
  for (size_t i = 0; i < ellipse.size(); ++i) ASSERT_EQ(inverted[i], !ellipse[i]);
  ASSERT_TRUE(commands.Run(cmd::kSelectInvert));
  EXPECT_EQ(Mask(), ellipse);

  ASSERT_TRUE(commands.Run(cmd::kSelectNone));
  EXPECT_EQ(doc->selection, nullptr);

  // Without a shown picture nothing can be selected.
  doc->initialPicture = nullptr;
  EXPECT_FALSE(commands.IsEnabled(cmd::kSelectAll));
  EXPECT_FALSE(commands.IsEnabled(cmd::kSelectRegion));
}

TEST_F(SelectionToolTest, SelectHandsTheMouseToTheTool) {
  doc->currentTool = kToolSelectArea;
  EXPECT_FALSE(tool.Armed());
  ASSERT_TRUE(commands.Run(cmd::kSelectRegion));
  EXPECT_TRUE(tool.Armed());
  EXPECT_EQ(doc->currentTool, kToolNone);
}

TEST(SelectWindowRules, SizeAndSquareOnlyForBoxShapes) {
  CSelectParams params;
  for (int shape : {kSelectRectangle, kSelectEllipse}) {
    params.shape = shape;
    params.fixedSize = 0;
    SelectWindowVisibility free = VisibilityFor(params);
    EXPECT_TRUE(free.sizeBox);
    EXPECT_TRUE(free.squareBox);
    EXPECT_FALSE(free.sizeFields);
    params.fixedSize = 1;
    SelectWindowVisibility fixed = VisibilityFor(params);
    EXPECT_TRUE(fixed.sizeBox);
    EXPECT_FALSE(fixed.squareBox);
    EXPECT_TRUE(fixed.sizeFields);
    EXPECT_FALSE(fixed.tolerance);
  }
  for (int shape : {kSelectPolygon, kSelectFreehand, kSelectMove}) {
    params.shape = shape;
    for (int fixedSize : {0, 1}) {
      params.fixedSize = fixedSize;
      SelectWindowVisibility shown = VisibilityFor(params);
      EXPECT_FALSE(shown.sizeBox || shown.squareBox || shown.sizeFields || shown.tolerance);
    }
  }
}

}  // namespace
}  // namespace tintara::test
