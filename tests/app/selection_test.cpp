// Selecting as the user does: "&Select..." from the Edit menu, the "Select
// Region" window's controls, drags on the real view, the selection keys, and
// the outline drawn over the picture.
#include <QCheckBox>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QToolButton>

#include "app/command_actions.h"
#include "app/selection_window_host.h"
#include "editing/widgets/select_region_window.h"
#include "imaging/selection_mask.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class SelectionTest : public ::testing::Test, public AppFixture {
 protected:
  void Begin() {
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    ASSERT_TRUE(Doc().ReplaceWithPicture(MakePhoto(300, 200), kOriginFile, "", false));
    Key(Qt::Key_0);  // actual size
    ASSERT_EQ(View()->Zoom().numerator, 1000);
  }
  CTessel20View* View() { return Frame().View(); }
  QWidget* Viewport() { return View()->viewport(); }
  SelectRegionWindow* Window() { return app->Selection()->Window(); }
  void OpenWindow() {
    Choose("&Edit", "&Select...");
    ASSERT_NE(Window(), nullptr);
    ASSERT_TRUE(Window()->isVisible());
  }
  // A viewport point at (x, y) from the picture's top-left corner.
  QPoint At(int x, int y) {
    Point origin = View()->Mapping().ImageToWindow(Point{0, Doc().CurrentImageSize().second});
    return {origin.x + x, origin.y + y};
  }
  void DragOnView(QPoint from, QPoint to) {
    QTest::mousePress(Viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(Viewport(), (from + to) / 2);
    QTest::mouseMove(Viewport(), to);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, to);
  }
  // The picture rectangle under a window rectangle, as the view maps it.
  BoxRect PictureBox(QPoint from, QPoint to) {
    Point a = View()->Mapping().WindowToImage(Point{from.x(), from.y()});
    Point b = View()->Mapping().WindowToImage(Point{to.x(), to.y()});
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)};
  }
  // Whether the picture pixel under a viewport point is selected.
  bool SelectedAt(QPoint window) {
    Point p = View()->Mapping().WindowToImage(Point{window.x(), window.y()});
    auto mask = SelectionMask::Build(Doc().selection.get(), 300, 200);
    return Doc().selection != nullptr && mask && mask->Affects(p.x, p.y - 1);
  }
};

TEST_F(SelectionTest, DraggingOnTheViewSelectsARectangleThenAnEllipse) {
  Begin();
  // Before "Select..." a drag selects nothing.
  DragOnView(At(40, 40), At(120, 90));
  EXPECT_EQ(Doc().selection, nullptr);

  OpenWindow();
  EXPECT_TRUE(Window()->ShapeButton(kSelectRectangle)->isChecked());
  DragOnView(At(40, 40), At(120, 90));
  ASSERT_NE(Doc().selection, nullptr);
  EXPECT_EQ(Doc().selection->Kind(), kRegionRectangle);
  EXPECT_EQ(Doc().selection->Bounds(), PictureBox(At(40, 40), At(120, 90)));
  EXPECT_EQ(Doc().selection->Bounds().width, 80);
  EXPECT_EQ(Doc().selection->Bounds().height, 50);
  // The keys follow: Select None is enabled now.
  EXPECT_TRUE(Frame().Actions().Action(cmd::kSelectNone)->isEnabled());

  QTest::mouseClick(Window()->ShapeButton(kSelectEllipse), Qt::LeftButton);
  EXPECT_EQ(app->Selection()->Params().shape, kSelectEllipse);
  DragOnView(At(60, 50), At(160, 130));
  ASSERT_EQ(Doc().selection->Kind(), kRegionEllipse);
  EXPECT_EQ(Doc().selection->Bounds(), PictureBox(At(60, 50), At(160, 130)));
  EXPECT_TRUE(SelectedAt(At(110, 90)));
  EXPECT_FALSE(SelectedAt(At(62, 52)));

  // Adding the rectangle again keeps both.
  QTest::mouseClick(Window()->ModeButton(kSelectModeAdd), Qt::LeftButton);
  QTest::mouseClick(Window()->ShapeButton(kSelectRectangle), Qt::LeftButton);
  DragOnView(At(10, 10), At(30, 30));
  EXPECT_EQ(Doc().selection->Kind(), kRegionCombined);
  EXPECT_TRUE(SelectedAt(At(20, 20)));
  EXPECT_TRUE(SelectedAt(At(110, 90)));
  EXPECT_FALSE(SelectedAt(At(200, 20)));

  // The "N" button removes the selection.
  QTest::mouseClick(Window()->RemoveButton(), Qt::LeftButton);
  EXPECT_EQ(Doc().selection, nullptr);
  EXPECT_EQ(app->Selection()->Params().pendingAction, kSelectNoAction);

  // Closed, the window no longer hands the mouse to the tool.
  Window()->close();
  DragOnView(At(40, 40), At(120, 90));
  EXPECT_EQ(Doc().selection, nullptr);
}

TEST_F(SelectionTest, TheWindowShowsOnlyTheControlsThatApply) {
  Begin();
  OpenWindow();
  SelectRegionWindow* window = Window();
  EXPECT_EQ(window->windowTitle(), "Select Region");
  const char* shapes[] = {"R", "E", "P", "L", ">"};
  for (int shape = 0; shape < 5; ++shape) EXPECT_EQ(window->ShapeButton(shape)->text(), shapes[shape]);
  const char* modes[] = {"N", "+", "-"};
  for (int mode = 0; mode < 3; ++mode) EXPECT_EQ(window->ModeButton(mode)->text(), modes[mode]);
  EXPECT_EQ(window->RemoveButton()->text(), "N");
  EXPECT_EQ(window->SizeBox()->text(), "&Size");
  EXPECT_EQ(window->SquareBox()->text(), "S&quare");
  EXPECT_EQ(window->WidthField()->maximum(), 999);
  EXPECT_EQ(window->ToleranceField()->maximum(), 255);

  auto shown = [](QWidget* w) { return w->isVisible(); };
  // Rectangle, size free: Size and Square; no size fields; never Tolerance.
  EXPECT_TRUE(shown(window->SizeBox()));
  EXPECT_TRUE(shown(window->SquareBox()));
  EXPECT_FALSE(shown(window->WidthField()));
  EXPECT_FALSE(shown(window->HeightField()));
  EXPECT_FALSE(shown(window->ToleranceField()));

  QTest::mouseClick(window->SizeBox(), Qt::LeftButton);
  EXPECT_EQ(app->Selection()->Params().fixedSize, 1);
  EXPECT_FALSE(shown(window->SquareBox()));
  EXPECT_TRUE(shown(window->WidthField()));
  EXPECT_TRUE(shown(window->HeightField()));
  EXPECT_FALSE(shown(window->ToleranceField()));
  for (QLabel* label : window->findChildren<QLabel*>()) {
    EXPECT_EQ(shown(label), label->text() != "&Tolerance : ") << label->text().toStdString();
  }

  // A number is taken when its field loses the focus.
  // A tool window is not activated by the offscreen platform on its own.
  QApplication::setActiveWindow(window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  window->WidthField()->setFocus(Qt::MouseFocusReason);
  ASSERT_TRUE(window->WidthField()->hasFocus());
  window->WidthField()->selectAll();
  QTest::keyClicks(window->WidthField(), "40");
  EXPECT_EQ(app->Selection()->Params().fixedWidth, 100);
  window->HeightField()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(app->Selection()->Params().fixedWidth, 40);

  // A fixed-size click places a 40 × 100 window-pixel rectangle.
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(30, 20));
  ASSERT_NE(Doc().selection, nullptr);
  EXPECT_EQ(Doc().selection->Bounds(), PictureBox(At(30, 20), At(70, 120)));

  for (int shape : {kSelectPolygon, kSelectFreehand, kSelectMove}) {
    QTest::mouseClick(window->ShapeButton(shape), Qt::LeftButton);
    EXPECT_FALSE(shown(window->SizeBox()) || shown(window->SquareBox()) ||
                 shown(window->WidthField()) || shown(window->ToleranceField()))
        << shape;
  }
  QTest::mouseClick(window->ShapeButton(kSelectEllipse), Qt::LeftButton);
  EXPECT_TRUE(shown(window->SizeBox()));
  EXPECT_TRUE(shown(window->WidthField()));
  QTest::mouseClick(window->SizeBox(), Qt::LeftButton);
  EXPECT_TRUE(shown(window->SquareBox()));
  EXPECT_FALSE(shown(window->WidthField()));
}

TEST_F(SelectionTest, TheWindowReopensWhereItWasClosed) {
  Begin();
  OpenWindow();
  QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
  QPoint spot = desktop.topLeft() + QPoint(120, 90);
  Window()->move(spot);
  Window()->close();
  QTest::qWait(10);
  EXPECT_EQ(app->Environment().app.selectorPosX, spot.x());
  EXPECT_EQ(app->Settings().ReadInt("SELECTOR", "POSX", -1), spot.x());
  EXPECT_EQ(app->Settings().ReadInt("SELECTOR", "POSY", -1), spot.y());
  OpenWindow();
  EXPECT_EQ(Window()->pos(), spot);
  // Only one window exists.
  SelectRegionWindow* first = Window();
  Choose("&Edit", "&Select...");
  EXPECT_EQ(Window(), first);

  // A point off the desktop puts the window back on it.
  Window()->close();
  app->Environment().app.selectorPosX = desktop.right() + 5000;
  OpenWindow();
  EXPECT_TRUE(desktop.contains(Window()->frameGeometry()));
}

TEST_F(SelectionTest, SelectionKeysAndTheirEnabling) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  // No picture: nothing to select.
  EXPECT_FALSE(Frame().Actions().Action(cmd::kSelectAll)->isEnabled());
  EXPECT_FALSE(Frame().Actions().Action(cmd::kSelectRegion)->isEnabled());
  ASSERT_TRUE(Doc().ReplaceWithPicture(MakePhoto(300, 200), kOriginFile, "", false));
  Key(Qt::Key_R);  // Select None with no selection does nothing
  EXPECT_EQ(Doc().selection, nullptr);
  Key(Qt::Key_A);
  ASSERT_NE(Doc().selection, nullptr);
  EXPECT_EQ(Doc().selection->Kind(), kRegionWhole);
  Key(Qt::Key_I);
  EXPECT_TRUE(Doc().selection->IsInverted());
  Key(Qt::Key_I);
  EXPECT_FALSE(Doc().selection->IsInverted());
  Key(Qt::Key_R);
  EXPECT_EQ(Doc().selection, nullptr);
  EXPECT_FALSE(Frame().Actions().Action(cmd::kSelectInvert)->isEnabled());
}

TEST_F(SelectionTest, TheOutlineMarchesAndFollowsTheZoom) {
  Begin();
  ASSERT_TRUE(Doc().ReplaceWithPicture(MakeSolid(300, 200, 120, 160, 200), kOriginFile, "",
                                       false));
  Key(Qt::Key_0);
  OpenWindow();
  DragOnView(At(50, 50), At(150, 100));
  // Pixels on the outline's top edge differ from the plain picture colour.
  auto outlined = [this](QPoint from, QPoint to) {
    QImage shot = Viewport()->grab().toImage();
    int marked = 0;
    for (int x = from.x(); x < to.x(); ++x) {
      QRgb pixel = shot.pixel(x, from.y());
      marked += (qRed(pixel) != 120 || qGreen(pixel) != 160) ? 1 : 0;
    }
    return std::make_pair(marked, shot);
  };
  Point corner = View()->Mapping().ImageToWindow(
      Point{Doc().selection->Bounds().x, Doc().selection->Bounds().y + Doc().selection->Bounds().height});
  auto [marked, before] = outlined({corner.x + 10, corner.y}, {corner.x + 90, corner.y});
  EXPECT_GT(marked, 70);
  // The dashes move on by themselves.
  int phase = View()->AntsPhase();
  QTest::qWait(CTessel20View::kAntsInterval * 3);
  EXPECT_NE(View()->AntsPhase(), phase);
  EXPECT_NE(Viewport()->grab().toImage(), before);

  // At zoom 2 the outline is where the selection now shows.
  Key(Qt::Key_Plus);
  ASSERT_EQ(View()->Zoom().numerator, 2000);
  corner = View()->Mapping().ImageToWindow(
      Point{Doc().selection->Bounds().x, Doc().selection->Bounds().y + Doc().selection->Bounds().height});
  ASSERT_TRUE(corner.x >= 0 && corner.y >= 0 && corner.x + 160 < Viewport()->width());
  EXPECT_GT(outlined({corner.x + 10, corner.y}, {corner.x + 150, corner.y}).first, 130);
  // Inverted, the picture's own border is outlined as well, and the dashes are red.
  Key(Qt::Key_0);
  auto redDashes = [this](QPoint from, int length) {
    QImage shot = Viewport()->grab().toImage();
    int red = 0;
    for (int x = from.x(); x < from.x() + length; ++x) {
      QRgb pixel = shot.pixel(x, from.y());
      red += (qRed(pixel) > 180 && qGreen(pixel) < 60) ? 1 : 0;
    }
    return red;
  };
  corner = View()->Mapping().ImageToWindow(
      Point{Doc().selection->Bounds().x, Doc().selection->Bounds().y + Doc().selection->Bounds().height});
  EXPECT_EQ(redDashes({corner.x + 10, corner.y}, 80), 0);
  Key(Qt::Key_I);
  Point origin = View()->Mapping().ImageToWindow(Point{0, 200});
  EXPECT_GT(outlined({origin.x + 5, origin.y}, {origin.x + 250, origin.y}).first, 200);
  EXPECT_GT(redDashes({corner.x + 10, corner.y}, 80), 25);
  EXPECT_GT(redDashes({origin.x + 5, origin.y}, 245), 80);
}

}  // namespace
}  // namespace tintara::test
