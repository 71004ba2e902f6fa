#include <QComboBox>

#include "app/command_actions.h"
#include "app/command_line.h"
#include "app/auto_save_clock.h"
#include "app/frame_status_bar.h"
#include "app/picture_info_dialog.h"
#include "app/splash_window.h"
#include "imaging/selection_mask.h"
#include "pattern/used_colors.h"
#include "tests/app/app_fixture.h"
#include "view/widgets/tessel20_view.h"

namespace tintara::test {
namespace {

class ViewCommandsTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }
  int Numerator() { return Frame().View()->Zoom().numerator; }
};

TEST_F(ViewCommandsTest, ZoomCommandsNeedAPictureAndKeepTheirLimits) {
  for (CommandId id : {cmd::kZoomIn, cmd::kZoomOut, cmd::kActualSize}) {
    EXPECT_FALSE(app->Commands().IsEnabled(id));
  }
  ASSERT_TRUE(Doc().ReplaceWithPicture(MakeSolid(4000, 3000, 1, 2, 3), kOriginFile, "", false));
  ASSERT_TRUE(app->Dispatch(cmd::kActualSize));
  EXPECT_EQ(Numerator(), 1000);
  EXPECT_EQ(Frame().Status()->ZoomText(), "Zoom 100%");
  int beeps = 0;
  QObject::connect(&app->Host(), &QtUiHost::beeped, [&] { ++beeps; });
  ASSERT_TRUE(app->Dispatch(cmd::kZoomIn));
  ASSERT_TRUE(app->Dispatch(cmd::kZoomIn));
  EXPECT_EQ(Numerator(), 4000);
  // 32000 × 24000 would exceed the largest shown size: a beep, no change.
  ASSERT_TRUE(app->Dispatch(cmd::kZoomIn));
  EXPECT_EQ(Numerator(), 4000);
  EXPECT_EQ(beeps, 1);
  ASSERT_TRUE(app->Dispatch(cmd::kActualSize));
  std::vector<int> levels;
  for (int i = 0; i < 6; ++i) {
    ASSERT_TRUE(app->Dispatch(cmd::kZoomOut));
    levels.push_back(Numerator());
  }
  EXPECT_EQ(levels, (std::vector<int>{500, 250, 125, 62, 31, 31}));
  EXPECT_EQ(beeps, 1);
}

TEST_F(ViewCommandsTest, ANewPictureIsFittedAndStaysFittedUntilTheUserZooms) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 300, 200)));
  CTessel20View* view = Frame().View();
  QSize client = view->viewport()->size();
  int fitted = Numerator();
  // One side fills the window (to the pixel lost by truncation), the other fits in it.
  int shownWidth = 300 * fitted / 1000;
  int shownHeight = 200 * fitted / 1000;
  EXPECT_TRUE(client.width() - shownWidth <= 1 || client.height() - shownHeight <= 1);
  EXPECT_LE(shownWidth, client.width());
  EXPECT_LE(shownHeight, client.height());
  Frame().resize(Frame().width() + 200, Frame().height() + 100);
  EXPECT_TRUE(WaitFor([&] { return Numerator() != fitted; }));
  ASSERT_TRUE(app->Dispatch(cmd::kActualSize));
  Frame().resize(Frame().width() - 100, Frame().height() - 50);
  WaitFor([] { return false; }, 50);
  EXPECT_EQ(Numerator(), 1000);
}

TEST_F(ViewCommandsTest, PictureInformationShowsLengthsInTheChosenUnit) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 144, 72)));
  ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
  app->Environment().app.prefUnits = 1;
  QString width, length, unit, origin;
  ModalAnswer read([&](QWidget* modal) {
    auto* dialog = qobject_cast<PictureInfoDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    width = dialog->FieldText("widthPixels");
    length = dialog->FieldText("widthLength");
    unit = dialog->FieldText("widthUnit");
    origin = dialog->FieldText("origin");
    dialog->accept();
  });
  ASSERT_TRUE(app->Dispatch(cmd::kPictureInformation));
  EXPECT_EQ(width, "144");
  // The file gives no resolution: 72 dots per inch.
  EXPECT_EQ(length, "2.00");
  EXPECT_EQ(unit, "Inches");
  EXPECT_EQ(origin.toStdString(), folder.File("p.png"));
}

TEST_F(ViewCommandsTest, PatternInformationCountsTheColoursInUseAndListsTheirBrands) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 120, 90)));
  ASSERT_TRUE(app->Dispatch(cmd::kStagePattern));
  ASSERT_TRUE(Doc().HasPattern());
  UsedColors used = CountUsedColors(Doc().indexImage.get(), Doc().params.workingPalette);
  ASSERT_GT(used.count, 1);
  QString count;
  QStringList brands;
  ModalAnswer read([&](QWidget* modal) {
    auto* dialog = qobject_cast<PatternInfoDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    count = dialog->CountText();
    for (int i = 0; i < dialog->Brands()->count(); ++i) brands << dialog->Brands()->itemText(i);
    EXPECT_EQ(dialog->Brands()->currentIndex(), 0);
    dialog->accept();
  });
  ASSERT_TRUE(app->Dispatch(cmd::kPictureInformation));
  EXPECT_EQ(count.toInt(), used.count);
  ASSERT_EQ(brands.size(), int(used.brands.size()));
  EXPECT_EQ(brands.front().toStdString(), used.brands.front());
}

SplashWindow* ShownSplash() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* splash = qobject_cast<SplashWindow*>(window);
    if (splash != nullptr && splash->isVisible()) return splash;
  }
  return nullptr;
}

TEST_F(ViewCommandsTest, InformationWithoutAPictureShowsTheAboutWindow) {
  ASSERT_EQ(ShownSplash(), nullptr);
  ASSERT_TRUE(app->Dispatch(cmd::kPictureInformation));
  SplashWindow* splash = ShownSplash();
  ASSERT_NE(splash, nullptr);
  // It swallows the next press anywhere: let it go before other tests click.
  splash->close();
}

TEST_F(ViewCommandsTest, AClickOfTheAreaToolSelectsTheAreaUnderThePointer) {
  ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", 120, 90)));
  ASSERT_TRUE(app->Dispatch(cmd::kStagePattern));
  ASSERT_TRUE(app->Dispatch(cmd::kSelectOneArea));
  EXPECT_TRUE(Frame().Actions().Action(cmd::kSelectOneArea)->isChecked());
  CTessel20View* view = Frame().View();
  QPoint centre = view->viewport()->rect().center();
  SendMouse(view->viewport(), QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
  SendMouse(view->viewport(), QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
  ASSERT_TRUE(Doc().selection);
  // The selected pixels share the colour of the pixel under the pointer.
  Point at = view->Mapping().WindowToImage(Point{centre.x(), centre.y()});
  const ImageBuffer& index = *Doc().indexImage;
  uint8_t clicked = index.Row(at.y - 1)[at.x];
  std::optional<SelectionMask> mask =
      SelectionMask::Build(Doc().selection.get(), index.Width(), index.Height());
  ASSERT_TRUE(mask);
  BoxRect box = mask->Area();
  EXPECT_TRUE(mask->Affects(at.x, at.y - 1));
  int inside = 0;
  for (int32_t y = box.y; y < box.y + box.height; ++y) {
    for (int32_t x = box.x; x < box.x + box.width; ++x) {
      if (!mask->Affects(x, y)) continue;
      ++inside;
      EXPECT_EQ(index.Row(y)[x], clicked);
    }
  }
  EXPECT_GT(inside, 0);
}

TEST(CommandLine, NamesAFileAndASettingsFileAndRejectsTheRest) {
  CommandLine line = ParseCommandLine({"--settings", "a.ini", "photo.jpg"});
  EXPECT_EQ(line.settingsFile, "a.ini");
  EXPECT_EQ(line.fileToOpen, "photo.jpg");
  EXPECT_TRUE(line.error.isEmpty());
  EXPECT_EQ(ParseCommandLine({"--settings=b.ini"}).settingsFile, "b.ini");
  EXPECT_FALSE(ParseCommandLine({"--settings"}).error.isEmpty());
  EXPECT_FALSE(ParseCommandLine({"--bogus"}).error.isEmpty());
  EXPECT_FALSE(ParseCommandLine({"one.mop", "two.mop"}).error.isEmpty());
}

TEST(AutoSaveClock, FiresOncePerIntervalAcrossTheTickCountWrap) {
  AutoSaveClock clock;
  EXPECT_EQ(clock.Minutes(), 5u);
  uint32_t start = 0xFFFFFFFFu - 1000;  // wraps 1001 ms later
  clock.Start(start);
  EXPECT_FALSE(clock.TakeIfDue(start + 299'999));
  EXPECT_TRUE(clock.TakeIfDue(start + 300'000));
  EXPECT_FALSE(clock.TakeIfDue(start + 300'001));
  EXPECT_TRUE(clock.TakeIfDue(start + 600'000));
}

}  // namespace
}  // namespace tintara::test
