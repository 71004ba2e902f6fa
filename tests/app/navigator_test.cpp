#include <QScrollBar>
#include <QTest>

#include "app/navigator_host.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "pattern/render_pattern.h"
#include "storage/settings_keys.h"
#include "view/navigator_thumbnail.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class NavigatorTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }

  NavigatorWindow* Window() { return app->Navigator()->Window(); }
  NavigatorThumbnailControl* Control() { return Window()->Control(); }
  // The control at a fixed size, laid out and drawn.
  QImage ShownAt(int width, int height) {
    Control()->setFixedSize(width, height);
    Window()->adjustSize();
    QApplication::processEvents();
    return Control()->grab().toImage();
  }
  static bool RowIsGrey(const QImage& image, int y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) != QColor(92, 92, 92)) return false;
    }
    return true;
  }
};

TEST_F(NavigatorTest, OpensWithAPictureAndShowsAWidePictureInTheMiddleRows) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("wide.png", 400, 100)));
  // PALETTES/NAVIGATOR is 1 by default: the picture opens it.
  ASSERT_NE(Window(), nullptr);
  EXPECT_TRUE(Window()->isVisible());
  EXPECT_EQ(Window()->windowTitle(), "Navigator");
  QImage shown = ShownAt(120, 120);
  ASSERT_EQ(shown.size(), QSize(120, 120));
  EXPECT_EQ(Control()->Thumbnail().picture, (LtrbRect{0, 45, 120, 75}));
  EXPECT_TRUE(RowIsGrey(shown, 0));
  EXPECT_TRUE(RowIsGrey(shown, 44));
  EXPECT_FALSE(RowIsGrey(shown, 46));
  EXPECT_FALSE(RowIsGrey(shown, 73));
  EXPECT_TRUE(RowIsGrey(shown, 75));
  EXPECT_TRUE(RowIsGrey(shown, 119));
}

TEST_F(NavigatorTest, TheMenuItemHidesAndShowsItAndItsPlaceIsKept) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 300, 200)));
  ASSERT_NE(Window(), nullptr);
  QAction* item = MenuItem("&View", "Show/hide &navigator window");
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isChecked());
  Window()->move(140, 90);
  QApplication::processEvents();
  const QPoint placed = Window()->pos();

  item->trigger();
  EXPECT_EQ(Window(), nullptr);
  EXPECT_FALSE(Doc().navigatorWindowShown);
  EXPECT_FALSE(item->isChecked());
  EXPECT_EQ(app->Environment().app.showNavigator, 0);
  EXPECT_EQ(ReadSetting(app->Settings(), Setting::kNavigatorPosX), placed.x());
  EXPECT_EQ(ReadSetting(app->Settings(), Setting::kNavigatorPosY), placed.y());
  // Switched off, a new picture leaves it closed.
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("second.png", 100, 100)));
  EXPECT_EQ(Window(), nullptr);

  item->trigger();
  ASSERT_NE(Window(), nullptr);
  EXPECT_EQ(Window()->pos(), placed);
  EXPECT_EQ(app->Environment().app.showNavigator, 1);
  // A new project closes it.
  ASSERT_TRUE(app->Dispatch(cmd::kNewProject));
  EXPECT_EQ(Window(), nullptr);
  EXPECT_FALSE(item->isEnabled());
}

TEST_F(NavigatorTest, KeepsInStepWithZoomAndEdits) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 400, 100)));
  ASSERT_NE(Window(), nullptr);
  ShownAt(120, 120);
  ASSERT_TRUE(app->Dispatch(cmd::kFitToWindow));
  EXPECT_EQ(Control()->Frame(), Control()->Thumbnail().picture);  // all is visible
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(app->Dispatch(cmd::kZoomIn));
  LtrbRect zoomed = Control()->Frame();
  EXPECT_LT(zoomed.right - zoomed.left, 120);
  // An edit of the picture shows in the thumbnail at once.
  const std::vector<uint8_t> before = Control()->Thumbnail().rgb;
  ASSERT_TRUE(app->Dispatch(cmd::kFlipHorizontal));
  EXPECT_NE(Control()->Thumbnail().rgb, before);
}

TEST_F(NavigatorTest, AShownPatternKeepsItsLinesInTheThumbnail) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 300, 200)));
  ASSERT_NE(Window(), nullptr);
  // The guided interface's "Pattern" stage makes it, as a user reaches it.
  Frame().ToolPanel()->SetAnimation(false);
  for (CMyButton* button : Frame().TaskBar()->Buttons()) {
    if (button->Caption() == "Pattern") QTest::mouseClick(button, Qt::LeftButton);
  }
  ASSERT_EQ(Doc().viewMode, kViewPattern);
  ShownAt(120, 120);
  const NavigatorThumbnail& shown = Control()->Thumbnail();
  const NavigatorThumbnail kept = RenderThumbnail(Doc().patternImage.get(), 120, 120, kPatternInk);
  const NavigatorThumbnail sampled = RenderThumbnail(Doc().patternImage.get(), 120, 120);
  EXPECT_EQ(shown.rgb, kept.rgb);
  EXPECT_NE(shown.rgb, sampled.rgb);
}

TEST_F(NavigatorTest, DraggingTheFramePastAnEdgeStopsThereAndScrollsTheView) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 400, 100)));
  ASSERT_NE(Window(), nullptr);
  ShownAt(120, 120);
  for (int i = 0; i < 6; ++i) ASSERT_TRUE(app->Dispatch(cmd::kZoomIn));
  QScrollBar* horizontal = Frame().View()->horizontalScrollBar();
  ASSERT_GT(horizontal->maximum(), 0);
  const LtrbRect start = Control()->Frame();
  const LtrbRect thumb = Control()->Thumbnail().picture;
  ASSERT_LT(start.right, thumb.right);
  const QPoint grip((start.left + start.right) / 2, (start.top + start.bottom) / 2);

  SendMouse(Control(), QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
  ASSERT_TRUE(Control()->Dragging());
  SendMouse(Control(), QEvent::MouseMove, grip + QPoint(500, 300), Qt::NoButton, Qt::LeftButton);
  LtrbRect dragged = Control()->Frame();
  EXPECT_EQ(dragged.right, thumb.right);
  EXPECT_EQ(dragged.bottom, thumb.bottom);
  EXPECT_EQ(dragged.right - dragged.left, start.right - start.left);
  SendMouse(Control(), QEvent::MouseButtonRelease, grip + QPoint(500, 300), Qt::LeftButton,
            Qt::NoButton);
  EXPECT_FALSE(Control()->Dragging());
  EXPECT_EQ(horizontal->value(), horizontal->maximum());
  EXPECT_EQ(Control()->Frame().right, thumb.right);

  // And back past the left edge.
  const LtrbRect now = Control()->Frame();
  const QPoint back((now.left + now.right) / 2, (now.top + now.bottom) / 2);
  SendMouse(Control(), QEvent::MouseButtonPress, back, Qt::LeftButton, Qt::LeftButton);
  SendMouse(Control(), QEvent::MouseMove, back - QPoint(900, 0), Qt::NoButton, Qt::LeftButton);
  SendMouse(Control(), QEvent::MouseButtonRelease, back - QPoint(900, 0), Qt::LeftButton,
            Qt::NoButton);
  EXPECT_EQ(horizontal->value(), 0);
  EXPECT_EQ(Control()->Frame().left, thumb.left);
}

}  // namespace
}  // namespace tintara::test
