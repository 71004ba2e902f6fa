// Looking at the picture as a user does: the zoom keys, menu items and tool
// bar buttons, Ctrl+wheel over the view, clicks on the pattern and the empty
// canvas, all through the real window.
#include <QScrollBar>
#include <QToolBar>
#include <QWheelEvent>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class ViewingTest : public ::testing::Test, public AppFixture {
 protected:
  void Begin(bool standard) {
    StoredSettings().WriteInt("INTERFACE", "WININTERFACE", standard ? 1 : 0);
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  }
  CTessel20View* View() { return Frame().View(); }
  QWidget* Viewport() { return View()->viewport(); }
  int Numerator() { return View()->Zoom().numerator; }

  void Wheel(QPoint at, int angle, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QWheelEvent event(QPointF(at), QPointF(Viewport()->mapToGlobal(at)), QPoint(),
                      QPoint(0, angle), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &event);
  }
  // The picture point shown at a viewport point, and where that picture point is now.
  Point PictureAt(QPoint window) { return View()->Mapping().WindowToImage(Point{window.x(), window.y()}); }
  QPoint WindowOf(Point image) {
    Point window = View()->Mapping().ImageToWindow(image);
    return {window.x, window.y};
  }
  // The middle of the visible part, as the zoom keys keep it.
  QPoint Middle() { return {Viewport()->width() / 2, Viewport()->height() / 2}; }
  void ScrollBarsTo(int x, int y) {
    View()->horizontalScrollBar()->setValue(x);
    View()->verticalScrollBar()->setValue(y);
    ASSERT_EQ(View()->State().ScrollPosition(), (Point{x, y}));
  }
  // A large plain picture at 1:1, scrolled away from the corner.
  void LargePictureAtActualSize() {
    ASSERT_TRUE(Doc().ReplaceWithPicture(MakeSolid(2400, 1800, 200, 180, 160), kOriginFile, "",
                                         false));
    Key(Qt::Key_0);
    ASSERT_EQ(Numerator(), 1000);
    ScrollBarsTo(600, 400);
  }
  // Pixels in the middle band of the view that are much darker than the
  // background around the hint.
  int DarkPixelsInTheMiddle() {
    QImage shot = Viewport()->grab().toImage();
    int dark = 0;
    for (int y = shot.height() / 2 - 30; y < shot.height() / 2 + 30; ++y) {
      for (int x = 0; x < shot.width(); ++x) dark += qGray(shot.pixel(x, y)) < 90 ? 1 : 0;
    }
    return dark;
  }
};

TEST_F(ViewingTest, FitInWindowFitsThePictureAndAResizeKeepsItFitted) {
  Begin(true);
  // Wide enough that the window's width sets the fitted zoom.
  ASSERT_TRUE(Doc().ReplaceWithPicture(MakeSolid(2400, 400, 1, 2, 3), kOriginFile, "", false));
  QAction* fit = Frame().Actions().Action(cmd::kFitToWindow);
  ASSERT_NE(fit, nullptr);
  ASSERT_NE(Frame().StandardBar()->widgetForAction(fit), nullptr);
  Key(Qt::Key_0);
  ASSERT_EQ(Numerator(), 1000);
  Key(Qt::Key_9);
  int fitted = Numerator();
  QSize client = Viewport()->size();
  // Short of the width by what the truncated zoom loses at most.
  EXPECT_LE(client.width() - 2400 * fitted / 1000, 3);
  EXPECT_LE(400 * fitted / 1000, client.height());
  Frame().resize(Frame().width() - 80, Frame().height());
  EXPECT_TRUE(WaitFor([&] { return Numerator() != fitted; }));

  Key(Qt::Key_0);
  Choose("&View", "&Fit in window");
  EXPECT_NE(Numerator(), 1000);
  EXPECT_NE(Frame().Status()->ZoomText(), "Zoom 100%");
}

TEST_F(ViewingTest, ZoomKeysAndMenuItemsKeepTheMiddleOfTheView) {
  Begin(true);
  LargePictureAtActualSize();
  Point middle = PictureAt(Middle());
  Key(Qt::Key_Plus);
  EXPECT_EQ(Numerator(), 2000);
  EXPECT_EQ(WindowOf(middle), Middle());
  Key(Qt::Key_Minus);
  EXPECT_EQ(WindowOf(middle), Middle());
  Choose("&View", "Zoom &out");
  EXPECT_EQ(Numerator(), 500);
  EXPECT_EQ(WindowOf(middle), Middle());
  Choose("&View", "&Zoom in");
  Choose("&View", "&Zoom in");
  EXPECT_EQ(WindowOf(middle), Middle());
  Key(Qt::Key_0);
  EXPECT_EQ(View()->State().ScrollPosition(), (Point{600, 400}));
}

TEST_F(ViewingTest, ControlWheelZoomsAboutThePointerAndEndsTheFittedView) {
  Begin(false);
  LargePictureAtActualSize();
  QPoint pointer(100, 120);
  Point under = PictureAt(pointer);
  Wheel(pointer, 120);
  EXPECT_EQ(Numerator(), 2000);
  EXPECT_EQ(WindowOf(under), pointer);
  Wheel(pointer, -120);
  Wheel(pointer, -120);
  EXPECT_EQ(Numerator(), 500);
  EXPECT_EQ(WindowOf(under), pointer);
  EXPECT_EQ(Frame().Status()->ZoomText(), "Zoom 50%");
  // A touch pad's half notches add up to one.
  Wheel(pointer, 60);
  EXPECT_EQ(Numerator(), 500);
  Wheel(pointer, 60);
  EXPECT_EQ(Numerator(), 1000);
  EXPECT_EQ(WindowOf(under), pointer);
  // Without Ctrl the wheel scrolls.
  Point scroll = View()->State().ScrollPosition();
  Wheel(pointer, -120, Qt::NoModifier);
  EXPECT_EQ(Numerator(), 1000);
  EXPECT_NE(View()->State().ScrollPosition().y, scroll.y);

  // A fitted picture stays fitted through resizes until the wheel zooms.
  Key(Qt::Key_9);
  int fitted = Numerator();
  Wheel(Middle(), 120);
  int zoomed = Numerator();
  ASSERT_EQ(zoomed, 2 * fitted);
  Frame().resize(Frame().width() - 100, Frame().height() - 50);
  WaitFor([] { return false; }, 50);
  EXPECT_EQ(Numerator(), zoomed);
}

TEST_F(ViewingTest, TheStandardBarMakesThePatternAndAClickNamesTheAreasPaint) {
  Begin(true);
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 180, 120)));
  if (Doc().pictureEditing) Choose("&Edit", "&Finish picture editing");
  QAction* create = Frame().Actions().Action(cmd::kCreateDrawingPattern);
  QWidget* button = Frame().StandardBar()->widgetForAction(create);
  ASSERT_NE(button, nullptr);
  ASSERT_TRUE(button->isVisible());
  ASSERT_TRUE(button->isEnabled());
  QTest::mouseClick(button, Qt::LeftButton);
  ASSERT_TRUE(Doc().HasPattern());
  ASSERT_NE(Doc().viewMode, kViewInitial);
  ASSERT_EQ(Doc().currentTool, kToolNone);

  QPoint at = Middle();
  Point image = PictureAt(at);
  // The pointer's pixel row lies below the mapped upper edge.
  uint8_t position = Doc().indexImage->Row(image.y - 1)[image.x];
  const CFlossColor& paint = Doc().params.workingPalette[position];
  ASSERT_FALSE(paint.colorName.empty());
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Frame().Status()->FirstPaneText(),
            QStringLiteral("Color %1: %2, %3, No. %4")
                .arg(position + 1)
                .arg(QString::fromStdString(paint.colorName),
                     QString::fromStdString(paint.brandName))
                .arg(paint.catalogNumber));

  // Outside the picture there is no area: the pane goes back to idle. The
  // fitted pattern leaves a margin on one axis at least.
  Point scroll = View()->State().ScrollPosition();
  ASSERT_TRUE(scroll.x < -2 || scroll.y < -2);
  QPoint background = scroll.x < -2 ? QPoint(1, at.y()) : QPoint(at.x(), 1);
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, background);
  EXPECT_EQ(Frame().Status()->FirstPaneText(), kIdleStatusText);
  // With the area tool chosen the click selects instead.
  Choose("&Pattern", "&Select one area");
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, at);
  EXPECT_TRUE(Doc().selection);
  EXPECT_EQ(Frame().Status()->FirstPaneText(), kIdleStatusText);
}

// "Create drawing pattern" shows the numbered pattern, fitted to the window
// (not at the photograph's zoom), and scaled down every one-cell border is
// still drawn: seven stripes give six borders and the frame's two sides.
TEST_F(ViewingTest, ANewPatternIsShownWholeWithEveryBorder) {
  StoredSettings().WriteInt("SETTINGS", "PRNRES", 2);        // 600 dpi: 1240 cells across
  StoredSettings().WriteInt("SETTINGS", "TESSELMETHOD", 0);  // borders only
  Begin(true);
  const int stripes = 7;
  const uint8_t colours[stripes][3] = {{220, 30, 30}, {30, 160, 40},  {40, 60, 220}, {240, 220, 40},
                                       {20, 20, 20},  {200, 60, 200}, {250, 250, 250}};
  ImageRef picture = ImageBuffer::Create(kKindRgb24, 1400, 2000);
  for (int32_t y = 0; y < picture->Height(); ++y) {
    uint8_t* row = picture->WritableRows().value().Row(y);
    for (int32_t x = 0; x < picture->Width(); ++x) {
      const uint8_t* c = colours[x * stripes / picture->Width()];
      row[3 * x] = c[2];
      row[3 * x + 1] = c[1];
      row[3 * x + 2] = c[0];
    }
  }
  ASSERT_TRUE(Doc().ReplaceWithPicture(picture, kOriginFile, "", false));
  if (Doc().pictureEditing) Choose("&Edit", "&Finish picture editing");
  Key(Qt::Key_0);  // the photograph at 1:1
  ASSERT_EQ(Numerator(), 1000);
  QAction* create = Frame().Actions().Action(cmd::kCreateDrawingPattern);
  QTest::mouseClick(Frame().StandardBar()->widgetForAction(create), Qt::LeftButton);
  ASSERT_TRUE(Doc().HasPattern());
  QCoreApplication::processEvents();

  EXPECT_EQ(Doc().viewMode, kViewPattern);
  const int w = Doc().patternImage->Width();
  const int h = Doc().patternImage->Height();
  ASSERT_LT(Numerator(), 1000);  // larger than the window: scaled down
  const QSize client = Viewport()->size();
  const int shownWidth = w * Numerator() / 1000;
  const int shownHeight = h * Numerator() / 1000;
  EXPECT_LE(shownWidth, client.width());
  EXPECT_LE(shownHeight, client.height());
  EXPECT_TRUE(client.width() - shownWidth <= 3 || client.height() - shownHeight <= 3);

  // Dark runs across the middle of the pattern: borders, not paper.
  QImage shot = Viewport()->grab().toImage();
  const QPoint left = WindowOf({0, h / 2});
  const QPoint right = WindowOf({w, h / 2});
  int runs = 0;
  bool inRun = false;
  for (int x = left.x(); x < right.x(); ++x) {
    const bool dark = qGray(shot.pixel(x, left.y())) < 200;
    if (dark && !inRun) ++runs;
    inRun = dark;
  }
  EXPECT_EQ(runs, stripes - 1 + 2);
}

TEST_F(ViewingTest, TheEmptyCanvasSaysHowToBeginInBothStyles) {
  Begin(false);
  const QString hint = QStringLiteral("Open a picture (Ctrl+L) or drop one here");
  EXPECT_EQ(View()->EmptyHint(), hint);
  EXPECT_GT(DarkPixelsInTheMiddle(), 40);
  Choose("&Options", "&Standard interface");
  ASSERT_TRUE(Frame().StandardInterface());
  EXPECT_GT(DarkPixelsInTheMiddle(), 40);
  // A light picture covers the middle: the hint is gone.
  ASSERT_TRUE(Doc().ReplaceWithPicture(MakeSolid(2400, 1800, 230, 230, 230), kOriginFile, "",
                                       false));
  EXPECT_EQ(DarkPixelsInTheMiddle(), 0);
}

}  // namespace
}  // namespace tintara::test
