// Drawing on the pattern as the user does: tools chosen from the Pattern
// menu's "Draw" and "Fill" submenus, strokes and drags with the mouse on the
// real view, Undo from the Edit menu, the status bar's colour after a pick.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/command_actions.h"
#include "editing/widgets/add_text_dialog.h"
#include "app/frame_status_bar.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "document/command_ids.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class DrawingTest : public ::testing::Test, public AppFixture {
 protected:
  void Begin() {
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 300, 200)));
    Frame().ToolPanel()->SetAnimation(false);
    for (CMyButton* button : Frame().TaskBar()->Buttons()) {
      if (button->Caption() == "Pattern") QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_TRUE(Doc().HasPattern());
    Key(Qt::Key_0);  // actual size
    ASSERT_EQ(View()->Zoom().numerator, 1000);
    Doc().params.currentColor = 0;
    Doc().params.penWidth = 0;
  }
  // Fills everything with paint 1 through "Select All" and Pattern > Fill >
  // Selection, then takes the rectangle tool (R) with paint 0.
  void PaintAllInColourOneThenDrawRectangles() {
    Doc().params.currentColor = 1;
    Key(Qt::Key_A);
    Choose("&Pattern", "&Selection");
    Key(Qt::Key_R);
    Doc().params.currentColor = 0;
  }
  CTessel20View* View() { return Frame().View(); }
  QWidget* Viewport() { return View()->viewport(); }
  // A viewport point at (x, y) from the picture's top-left corner.
  QPoint At(int x, int y) {
    Point origin = View()->Mapping().ImageToWindow(Point{0, Doc().CurrentImageSize().second});
    return {origin.x + x, origin.y + y};
  }
  int Height() { return Doc().indexImage->Height(); }
  // The paint of the pixel (x, y) counted from the picture's top-left corner.
  int Paint(int x, int y) { return Doc().indexImage->Row(Height() - 1 - y)[x]; }
  int Count(int paint) {
    int n = 0;
    for (int32_t y = 0; y < Height(); ++y) {
      for (int32_t x = 0; x < Doc().indexImage->Width(); ++x) n += Doc().indexImage->Row(y)[x] == paint;
    }
    return n;
  }
  void Press(QPoint at, Qt::KeyboardModifiers keys = {}) {
    QTest::mousePress(Viewport(), Qt::LeftButton, keys, at);
  }
  void Release(QPoint at, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseRelease(Viewport(), Qt::LeftButton, keys, at);
  }
  // A move with the left button held, as a real drag sends it.
  void MoveHeld(QPoint to, Qt::KeyboardModifiers keys = {}) {
    QMouseEvent move(QEvent::MouseMove, to, Viewport()->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, keys);
    QApplication::sendEvent(Viewport(), &move);
  }
};

TEST_F(DrawingTest, FillThenPenStrokeOnTheViewThenUndo) {
  Begin();
  // Everything to paint 1 first: "Select All", then Pattern > Fill > Selection.
  Doc().params.currentColor = 1;
  Key(Qt::Key_A);
  Choose("&Pattern", "&Selection");
  const int all = Doc().indexImage->Width() * Height();
  EXPECT_EQ(Count(1), all);
  EXPECT_TRUE(Doc().patternEditedByHand);
  Key(Qt::Key_R);  // Select None

  Doc().params.currentColor = 0;
  QAction* pen = MenuItem("&Pattern", "&Pen");
  ASSERT_NE(pen, nullptr);
  Choose("&Pattern", "&Pen");
  EXPECT_TRUE(pen->isChecked());
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::ArrowCursor);  // set on the next move
  Press(At(20, 30));
  MoveHeld(At(120, 30));  // one event for 100 pixels
  MoveHeld(At(120, 80));
  Release(At(120, 80));
  for (int x = 20; x <= 120; ++x) EXPECT_EQ(Paint(x, 30), 0) << x;
  for (int y = 30; y <= 80; ++y) EXPECT_EQ(Paint(120, y), 0) << y;
  EXPECT_EQ(Count(0), 101 + 50);
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::PointingHandCursor);

  Choose("&Edit", "&Undo");
  EXPECT_EQ(Count(0), 0);
  EXPECT_EQ(Count(1), all);
}

TEST_F(DrawingTest, ShiftRectangleAndLineDrawnWithTheMouse) {
  Begin();
  PaintAllInColourOneThenDrawRectangles();

  Choose("&Pattern", "&Rectangle");
  Press(At(100, 100), Qt::ShiftModifier);
  MoveHeld(At(130, 90), Qt::ShiftModifier);
  Release(At(130, 90), Qt::ShiftModifier);
  EXPECT_EQ(Paint(100, 100), 0);
  EXPECT_EQ(Paint(110, 90), 0);
  EXPECT_EQ(Paint(120, 90), 1);
  EXPECT_EQ(Count(0), 40);

  Choose("&Pattern", "&Line");
  EXPECT_TRUE(MenuItem("&Pattern", "&Line")->isChecked());
  EXPECT_FALSE(MenuItem("&Pattern", "&Rectangle")->isChecked());
  Press(At(10, 150));
  MoveHeld(At(20, 150));
  Release(At(20, 150));
  for (int x = 10; x < 20; ++x) EXPECT_EQ(Paint(x, 150), 0) << x;
  EXPECT_EQ(Paint(20, 150), 1);
}

// The tool chosen last takes the mouse: with "Select Region" open, the line
// tool draws and selects nothing.
TEST_F(DrawingTest, ADrawingToolChosenWhileSelectRegionIsOpenDraws) {
  Begin();
  PaintAllInColourOneThenDrawRectangles();
  Choose("&Edit", "&Select...");
  Choose("&Pattern", "&Line");
  Press(At(10, 150));
  MoveHeld(At(20, 150));
  Release(At(20, 150));
  EXPECT_EQ(Doc().selection, nullptr);
  for (int x = 10; x < 20; ++x) EXPECT_EQ(Paint(x, 150), 0) << x;
}

TEST_F(DrawingTest, PickingAColourUpdatesTheStatusBarAndReturnsToThePen) {
  Begin();
  Choose("&Pattern", "&Pen");
  Doc().params.currentColor = 1;
  Press(At(50, 50));
  Release(At(50, 50));
  Doc().params.currentColor = 0;
  Choose("&Pattern", "P&ick color from pattern");
  Press(At(50, 50));
  Release(At(50, 50));
  EXPECT_EQ(Doc().params.currentColor, 1);
  EXPECT_EQ(Doc().currentTool, kToolPen);
  EXPECT_TRUE(MenuItem("&Pattern", "&Pen")->isChecked());
  const CFlossColor& paint = Doc().params.workingPalette[1];
  EXPECT_TRUE(Frame().Status()->CurrentColorText().contains(
      QString::fromStdString(paint.colorName)))
      << Frame().Status()->CurrentColorText().toStdString() << " / " << paint.colorName;
}

TEST_F(DrawingTest, TextTypedInTheDialogIsPlacedByClickAndPaintedByDoubleClick) {
  Begin();
  PaintAllInColourOneThenDrawRectangles();

  // Cancel after choosing a font: the font is kept all the same.
  {
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<AddTextDialog*>(modal);
      ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
      EXPECT_EQ(dialog->windowTitle(), "Add text");
      dialog->SetFontChooser([](QFont& font) {
        font = QFont(QStringLiteral("Liberation Serif"), 30);
        return true;
      });
      QTest::mouseClick(dialog->FontButton(), Qt::LeftButton);
      EXPECT_EQ(dialog->Field()->font().pointSize(), 30);
      dialog->reject();
    });
    Choose("&Pattern", "Add &text...");
  }
  EXPECT_EQ(Doc().drawing.textFont.family, "Liberation Serif");
  EXPECT_EQ(Doc().drawing.textFont.pointSize, 30);
  EXPECT_FALSE(Doc().drawing.textWaiting);

  {
    ModalAnswer answer([](QWidget* modal) {
      auto* dialog = qobject_cast<AddTextDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      QTest::keyClicks(dialog->Field(), QStringLiteral("TW"));
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Choose("&Pattern", "Add &text...");
  }
  ASSERT_TRUE(Doc().drawing.textWaiting);
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(40, 100));
  ASSERT_TRUE(Doc().drawing.textPositioned);
  EXPECT_EQ(Count(0), 0);  // only shown, through the hatch
  QImage shown = Viewport()->grab().toImage();
  int hatched = 0;
  for (int x = 40; x < 80; ++x) {
    const QPoint p = At(x, 100);
    hatched += shown.pixelColor(p) == Qt::black || shown.pixelColor(p) == Qt::white;
  }
  EXPECT_GT(hatched, 2);

  // Dragged 20 pixels right, then painted.
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(45, 100));
  MoveHeld(At(65, 100));
  Release(At(65, 100));
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At(65, 100));
  EXPECT_FALSE(Doc().drawing.textWaiting);
  int leftmost = 1000;
  for (int y = 70; y < 130; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (Paint(x, y) == 0) leftmost = std::min(leftmost, x);
    }
  }
  EXPECT_GE(leftmost, 60);
  EXPECT_LT(leftmost, 66);
  EXPECT_GT(Count(0), 100);
  Choose("&Edit", "&Undo");
  EXPECT_EQ(Count(0), 0);
}

}  // namespace
}  // namespace tintara::test
