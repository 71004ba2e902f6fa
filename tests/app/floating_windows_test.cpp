#include <QGuiApplication>
#include <QScreen>

#include "app/floating_window_place.h"
#include "app/navigator_host.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "app/palette_window_host.h"
#include "app/selection_window_host.h"
#include "editing/widgets/select_region_window.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class FloatingWindowsTest : public ::testing::Test, public AppFixture {
 protected:
  void StartWithPattern(const std::string& project = {}) {
    ASSERT_EQ(Start(project), StartResult::kRunning);
    if (!project.empty()) return;
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 120, 90)));
    Frame().ToolPanel()->SetAnimation(false);
    for (CMyButton* button : Frame().TaskBar()->Buttons()) {
      if (button->Caption() == "Pattern") QTest::mouseClick(button, Qt::LeftButton);
    }
    ASSERT_TRUE(Doc().HasPattern());
  }
  // The three floating windows, the selection window opened from its menu.
  std::vector<QWidget*> OpenAll() {
    Choose("&Edit", "&Select...");
    QApplication::processEvents();
    return {app->Navigator()->Window(), app->Palette()->Window(), app->Selection()->Window()};
  }
  QRect Canvas() {
    QWidget* viewport = Frame().View()->viewport();
    return QRect(viewport->mapToGlobal(QPoint(0, 0)), viewport->size());
  }
  static QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }
};

TEST_F(FloatingWindowsTest, FirstOpenedTheyStandApartAtTheCanvasRightBelowTheMenus) {
  StartWithPattern();
  std::vector<QWidget*> windows = OpenAll();
  const QRect canvas = Canvas();
  const int menuBottom = Frame().menuBar()->mapToGlobal(QPoint(0, Frame().menuBar()->height())).y();
  for (QWidget* window : windows) {
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->isVisible());
    const QRect frame = window->frameGeometry();
    EXPECT_TRUE(Available().contains(frame)) << window->windowTitle().toStdString();
    EXPECT_GE(frame.top(), std::max(canvas.top(), menuBottom))
        << window->windowTitle().toStdString();
    EXPECT_LE(frame.right(), canvas.right()) << window->windowTitle().toStdString();
    EXPECT_GT(frame.center().x(), canvas.center().x()) << window->windowTitle().toStdString();
  }
  for (size_t i = 0; i < windows.size(); ++i) {
    for (size_t j = i + 1; j < windows.size(); ++j) {
      EXPECT_FALSE(windows[i]->frameGeometry().intersects(windows[j]->frameGeometry()))
          << windows[i]->windowTitle().toStdString() << " over "
          << windows[j]->windowTitle().toStdString();
    }
  }
  // The first two stand one below the other along the right edge.
  EXPECT_EQ(windows[0]->frameGeometry().right(), windows[1]->frameGeometry().right());
  EXPECT_GT(windows[1]->frameGeometry().top(), windows[0]->frameGeometry().bottom());
}

TEST_F(FloatingWindowsTest, PlacesKeptOffEveryScreenComeBackOntoIt) {
  const QRect available = Available();
  StoredSettings().WriteInt("NAVIGATORPAL", "POSX", available.right() + 4000);
  StoredSettings().WriteInt("NAVIGATORPAL", "POSY", 20);
  StoredSettings().WriteInt("COLORSPAL", "POSX", -30000);
  StoredSettings().WriteInt("COLORSPAL", "POSY", -30000);
  // Hanging half off the bottom right corner.
  StoredSettings().WriteInt("SELECTOR", "POSX", available.right() - 20);
  StoredSettings().WriteInt("SELECTOR", "POSY", available.bottom() - 20);
  StartWithPattern();
  for (QWidget* window : OpenAll()) {
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(available.contains(window->frameGeometry())) << window->windowTitle().toStdString();
  }
  // The one that touched the screen moves only as far as needed: it stays in
  // the corner (a title bar's height of leeway for the frame not yet known).
  const QRect selector = app->Selection()->Window()->frameGeometry();
  EXPECT_GE(selector.right(), available.right() - 30);
  EXPECT_GE(selector.bottom(), available.bottom() - 30);

  // A place on the screen is kept as it is.
  const QPoint spot = available.topLeft() + QPoint(40, 60);
  app->Navigator()->Window()->move(spot);
  Choose("&View", "Show/hide &navigator window");
  Choose("&View", "Show/hide &navigator window");
  ASSERT_NE(app->Navigator()->Window(), nullptr);
  EXPECT_EQ(app->Navigator()->Window()->pos(), spot);
}

TEST_F(FloatingWindowsTest, AProjectNamedAtStartKeepsTheWindowsTheUserSwitchedOff) {
  StartWithPattern();
  const std::string project = folder.File("kept.mop");
  {
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, project); });
    ASSERT_TRUE(app->Dispatch(cmd::kSaveProject));
  }
  app->Exit();
  app.reset();
  StoredSettings().WriteInt("PALETTES", "COLORS", 0);
  StoredSettings().WriteInt("PALETTES", "NAVIGATOR", 0);
  StartWithPattern(project);
  ASSERT_TRUE(Doc().HasPattern());
  EXPECT_EQ(app->Palette()->Window(), nullptr);
  EXPECT_EQ(app->Navigator()->Window(), nullptr);
  EXPECT_FALSE(MenuItem("&View", "Show/hide color pa&lette")->isChecked());

  // Switched on, a project named at start opens them.
  app->Exit();
  app.reset();
  StoredSettings().WriteInt("PALETTES", "COLORS", 1);
  StoredSettings().WriteInt("PALETTES", "NAVIGATOR", 1);
  StartWithPattern(project);
  EXPECT_NE(app->Palette()->Window(), nullptr);
  EXPECT_NE(app->Navigator()->Window(), nullptr);
}

TEST(FloatingPlaceTest, StacksBelowWhatIsTakenAndStartsANewColumnWhenFull) {
  const QRect canvas(100, 50, 600, 300);
  const QRect available(0, 0, 800, 600);
  const QSize frame(100, 120);
  const QPoint first = FirstFloatingPlace(canvas, frame, {}, available);
  EXPECT_EQ(first, QPoint(canvas.right() + 1 - 8 - 100, 58));
  const QRect one(first, frame);
  const QPoint second = FirstFloatingPlace(canvas, frame, {one}, available);
  EXPECT_EQ(second, QPoint(first.x(), one.bottom() + 1 + 8));
  const QRect two(second, frame);
  // A third would hang below the canvas: it goes left of the column.
  const QPoint third = FirstFloatingPlace(canvas, frame, {one, two}, available);
  EXPECT_EQ(third, QPoint(first.x() - 100 - 8, 58));
  // Too big for the screen: kept whole on it from its corner.
  EXPECT_EQ(FirstFloatingPlace(canvas, QSize(900, 700), {}, available), QPoint(0, 0));

  EXPECT_EQ(StoredFloatingPlace({-500, 10}, frame, {available}), std::nullopt);
  EXPECT_EQ(StoredFloatingPlace({30, 40}, frame, {available}), QPoint(30, 40));
  EXPECT_EQ(StoredFloatingPlace({750, -50}, frame, {available}), QPoint(700, 0));
  // On the second of two screens side by side.
  EXPECT_EQ(StoredFloatingPlace({1700, 10}, frame, {available, QRect(800, 0, 1024, 768)}),
            QPoint(1700, 10));
}

}  // namespace
}  // namespace tintara::test
