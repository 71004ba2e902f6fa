#include <QElapsedTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>

#include "app/progress_window.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class LongWorkTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    StoredSettings().WriteInt("AUTOSAVE", "AUTOSAVE", 1);
    ASSERT_EQ(Start(), StartResult::kRunning);
    app->SetTickSource([this] { return now; });
  }
  void LoadAndLeaveEditing(int width, int height) {
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("p.png", width, height)));
    ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
  }
  uint32_t now = 0;
};

TEST_F(LongWorkTest, EscapeInTheProgressWindowCancelsThePipelineAndRollsBack) {
  // A large page keeps the pipeline busy long enough to cancel it.
  app->Environment().app.page.printResolution = 3;  // 1200 dpi
  LoadAndLeaveEditing(1600, 1200);
  ImageRef picture = Doc().initialPicture;
  bool sawWindow = false;
  QTimer escape;
  QObject::connect(&escape, &QTimer::timeout, [&] {
    ProgressWindow* window = app->Host().Progress();
    if (window == nullptr || sawWindow) return;
    sawWindow = true;
    EXPECT_TRUE(Frame().Busy());  // the document is out of the user's reach meanwhile
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
  });
  escape.start(1);
  ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
  escape.stop();
  EXPECT_TRUE(sawWindow);
  EXPECT_FALSE(Doc().HasPattern());
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_TRUE(SamePixels(*Doc().initialPicture, *picture));
  EXPECT_EQ(Doc().viewMode, kViewInitial);
  // Rolled back: no undo step is left behind.
  EXPECT_FALSE(Doc().CanUndo());
  EXPECT_EQ(app->Host().Progress(), nullptr);
  EXPECT_FALSE(Frame().Busy());
  EXPECT_EQ(Frame().Stage(), 1);  // the panel did not move on to the pattern
}

TEST_F(LongWorkTest, TheCancelButtonCancelsAsEscapeDoesAndIsOffOnceItCannot) {
  app->Environment().app.page.printResolution = 3;  // 1200 dpi
  LoadAndLeaveEditing(1600, 1200);
  bool clicked = false;
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    ProgressWindow* window = app->Host().Progress();
    if (window == nullptr || clicked) return;
    clicked = true;
    ASSERT_TRUE(window->CancelButton()->isVisible());
    ASSERT_TRUE(window->CancelButton()->isEnabled());
    QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
  });
  cancel.start(1);
  ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
  cancel.stop();
  EXPECT_TRUE(clicked);
  EXPECT_FALSE(Doc().HasPattern());
  EXPECT_FALSE(Doc().CanUndo());
  EXPECT_EQ(app->Host().Progress(), nullptr);

  // Past the last point that can be undone the button is off and asks nothing.
  ProgressWindow late;
  int asked = 0;
  QObject::connect(&late, &ProgressWindow::cancelRequested, [&] { ++asked; });
  late.show();
  late.SetPercent(kLastCancellablePercent + 1);
  EXPECT_FALSE(late.CancelButton()->isEnabled());
  QTest::mouseClick(late.CancelButton(), Qt::LeftButton);
  EXPECT_EQ(asked, 0);
  late.SetPercent(40);
  QTest::mouseClick(late.CancelButton(), Qt::LeftButton);
  EXPECT_EQ(asked, 1);
}

// Saving a large project shows the progress window; its Cancel leaves the
// file as it was before, with nothing beside it, and the project unsaved.
TEST_F(LongWorkTest, SavingShowsProgressAndItsCancelKeepsTheOldFile) {
  LoadAndLeaveEditing(300, 200);
  const std::string path = folder.File("large.mop");
  ASSERT_TRUE(app->SaveTo(path));
  std::ifstream in(path, std::ios::binary);
  const std::string old{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::vector<std::filesystem::path> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) entries.push_back(entry.path());
  // A photograph of six million pixels: seconds of compressing.
  Doc().initialPicture = MakePhoto(3000, 2000, 9);
  Doc().modified = true;

  auto saveWatching = [&](bool cancel) {
    bool seen = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      ProgressWindow* window = app->Host().Progress();
      if (window == nullptr || seen) return;
      seen = true;
      EXPECT_TRUE(window->CancelButton()->isEnabled());
      if (cancel) QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
    });
    watch.start(1);
    Choose(QStringLiteral("&File"), QStringLiteral("&Save"));
    watch.stop();
    return seen;
  };
  EXPECT_TRUE(saveWatching(true));
  std::ifstream after(path, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), std::istreambuf_iterator<char>()), old);
  std::vector<std::filesystem::path> now;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) now.push_back(entry.path());
  std::sort(entries.begin(), entries.end());
  std::sort(now.begin(), now.end());
  EXPECT_EQ(now, entries);
  EXPECT_TRUE(Doc().modified);
  EXPECT_EQ(app->Host().Progress(), nullptr);

  EXPECT_TRUE(saveWatching(false));
  EXPECT_FALSE(Doc().modified);
  EXPECT_GT(std::filesystem::file_size(path), old.size() * 10);
}

TEST_F(LongWorkTest, AutoSaveLeavesAnUnchangedProjectAlone) {
  std::string project = folder.File("quiet.mop");
  LoadAndLeaveEditing(60, 40);
  ASSERT_TRUE(app->SaveTo(project));
  auto written = std::filesystem::last_write_time(project);
  int messages = 0;
  ModalAnswer any([&](QWidget* modal) {
    ++messages;
    modal->close();
  });
  now = 6 * 60 * 1000;
  app->CheckAutoSave();
  WaitFor([] { return false; }, 50);
  EXPECT_EQ(messages, 0);
  EXPECT_EQ(std::filesystem::last_write_time(project), written);
}

TEST_F(LongWorkTest, AutoSaveWritesANamedProjectEveryFiveMinutes) {
  std::string project = folder.File("named.mop");
  LoadAndLeaveEditing(60, 40);
  ASSERT_TRUE(app->SaveTo(project));
  std::filesystem::remove(project);
  ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(Doc().modified);
  now = 5 * 60 * 1000 - 1;
  app->CheckAutoSave();
  EXPECT_FALSE(std::filesystem::exists(project));
  // The pattern may have left a note there (fewer paints than asked).
  const QString before = Frame().statusBar()->currentMessage();
  now = 5 * 60 * 1000;
  app->CheckAutoSave();
  EXPECT_TRUE(std::filesystem::exists(project));
  EXPECT_FALSE(Doc().modified);
  // The status bar shows its own text again afterwards.
  EXPECT_EQ(Frame().statusBar()->currentMessage(), before);
  EXPECT_NE(Frame().statusBar()->currentMessage().toStdString(), kAutoSaveStatus);
}

TEST_F(LongWorkTest, OnARunningClockTheAutoSaveComesAWholeIntervalAfterTheLastSave) {
  // The program's own idle checks, on a clock running a hundred times faster
  // than real time: its one-second checks are 100 s apart.
  QElapsedTimer real;
  real.start();
  auto ticks = [&real] { return uint32_t(real.elapsed() * 100); };
  app->SetTickSource(ticks);
  std::string project = folder.File("running.mop");
  LoadAndLeaveEditing(60, 40);
  // Two minutes in, the user saves and goes on working.
  WaitFor([] { return false; }, 1200);
  ASSERT_TRUE(app->SaveTo(project));
  uint32_t savedAt = ticks();
  ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
  ASSERT_TRUE(Doc().modified);
  ASSERT_TRUE(WaitFor([this] { return !Doc().modified; }, 8000));
  uint32_t autoSavedAt = ticks();
  EXPECT_GE(autoSavedAt - savedAt, 5u * 60 * 1000);
  EXPECT_LT(autoSavedAt - savedAt, 5u * 60 * 1000 + 2 * 100 * 1000);
}

TEST_F(LongWorkTest, AutoSaveOfAnUnnamedProjectAsksForANameAndWritesNothingWhenRefused) {
  LoadAndLeaveEditing(60, 40);
  ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
  QString text;
  QString statusDuring;
  ModalScript script({[&](QWidget* modal) {
                        text = MessageText(modal);
                        statusDuring = Frame().statusBar()->currentMessage();
                        PressMessageButton(modal, kResultOk);
                      },
                      [&](QWidget* modal) { ChooseFile(modal, ""); }});
  now = 5 * 60 * 1000;
  app->CheckAutoSave();
  EXPECT_EQ(script.Answered(), 2u);
  EXPECT_EQ(text.toStdString(), kAutoSaveNoName);
  EXPECT_EQ(statusDuring, kAutoSaveStatus);
  EXPECT_TRUE(Doc().pathName.empty());
  EXPECT_TRUE(Doc().modified);
  // Switched off, nothing happens however long it has been.
  ASSERT_TRUE(app->Dispatch(cmd::kAutoSave));
  now = 60 * 60 * 1000;
  int messages = 0;
  ModalAnswer none([&](QWidget* modal) {
    ++messages;
    modal->close();
  });
  app->CheckAutoSave();
  WaitFor([] { return false; }, 50);
  EXPECT_EQ(messages, 0);
}

}  // namespace
}  // namespace tintara::test
