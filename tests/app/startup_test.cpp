#include <QDir>
#include <QMenuBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/interface_dialog.h"
#include "app/stage_panels.h"
#include "imaging/filters/filter_site.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class StartupTest : public ::testing::Test, public AppFixture {
 protected:
  // Reads a value the program wrote at exit.
  QVariant StoredValue(const QString& key) {
    QSettings file(Ini(), QSettings::IniFormat);
    return file.value(key);
  }
};

TEST_F(StartupTest, FirstStartAsksForTheInterfaceAndCancelQuitsBeforeAnyWindow) {
  StoredSettings().Remove("INTERFACE", "WININTERFACE");
  QString title;
  ModalAnswer cancel([&](QWidget* modal) {
    title = modal->windowTitle();
    qobject_cast<QDialog*>(modal)->reject();
  });
  EXPECT_EQ(Start(), StartResult::kCancelled);
  EXPECT_EQ(title, "Interface");
  EXPECT_EQ(app->Frame(), nullptr);
  app->Exit();
  EXPECT_FALSE(StoredValue("INTERFACE/WININTERFACE").isValid());
}

TEST_F(StartupTest, FirstStartWithTheStandardChoiceShowsMenusAndToolBarsAndKeepsIt) {
  StoredSettings().Remove("INTERFACE", "WININTERFACE");
  ModalAnswer chooseStandard([](QWidget* modal) {
    auto* dialog = qobject_cast<InterfaceDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->StandardButton()->setChecked(true);
    dialog->accept();
  });
  ASSERT_EQ(Start(), StartResult::kRunning);
  EXPECT_TRUE(Frame().StandardInterface());
  EXPECT_TRUE(app->Host().StandardInterface());
  EXPECT_TRUE(Frame().menuBar()->isVisible());
  EXPECT_TRUE(Frame().StandardBar()->isVisible());
  EXPECT_FALSE(Frame().TaskBar()->isVisible());
  EXPECT_FALSE(Frame().ToolPanel()->isVisible());
  EXPECT_EQ(Frame().minimumSize(), QSize(700, 600));
  app->Exit();
  EXPECT_EQ(StoredValue("INTERFACE/WININTERFACE").toInt(), 1);
  // The default folders of a first start: in the user's documents, which
  // unlike the program's folder can be written.
  EXPECT_EQ(StoredValue("PATHS/PROJECTS").toString().toStdString(),
            (Home() / "Documents" / "Tintara").string());
  EXPECT_TRUE(std::filesystem::is_directory(Home() / "Documents" / "Tintara"));
}

TEST_F(StartupTest, ASettingsFileOverTheLimitIsToldAndTheDefaultsAreUsed) {
  StoredSettings().Flush();
  {
    std::ofstream out(Ini().toStdString(), std::ios::app);
    out << "[PADDING]\n";
    for (int i = 0; i < 12000; ++i) out << "KEY" << i << "=" << std::string(100, 'x') << "\n";
  }
  const auto size = std::filesystem::file_size(Ini().toStdString());
  QString told;
  // The stored interface is not read: the first-start question comes, then the message.
  ModalScript answers({[](QWidget* modal) {
                         auto* dialog = qobject_cast<InterfaceDialog*>(modal);
                         ASSERT_NE(dialog, nullptr);
                         dialog->StandardButton()->setChecked(true);
                         dialog->accept();
                       },
                       [&](QWidget* modal) {
                         told = MessageText(modal);
                         PressMessageButton(modal, kResultOk);
                       }});
  ASSERT_EQ(Start(), StartResult::kRunning);
  EXPECT_EQ(answers.Answered(), 2u);
  EXPECT_TRUE(told.contains(QDir::toNativeSeparators(Ini()))) << told.toStdString();
  EXPECT_TRUE(told.contains("larger than 1 MiB")) << told.toStdString();
  EXPECT_TRUE(told.contains("the default settings are used")) << told.toStdString();
  app->Exit();
  EXPECT_EQ(std::filesystem::file_size(Ini().toStdString()), size);
}

TEST_F(StartupTest, StoredMenuAndToolbarsBothOffStartWithTheMenu) {
  StoredSettings().WriteInt("INTERFACE", "MENU", 0);
  StoredSettings().WriteInt("INTERFACE", "GRAPH", 0);
  ASSERT_EQ(Start(), StartResult::kRunning);
  EXPECT_TRUE(Frame().menuBar()->isVisible());
  EXPECT_FALSE(Frame().TaskBar()->isVisible());
  EXPECT_FALSE(Frame().StandardBar()->isVisible());
  app->Exit();
  EXPECT_EQ(StoredValue("INTERFACE/MENU").toInt(), 1);
  EXPECT_EQ(StoredValue("INTERFACE/GRAPH").toInt(), 0);
}

TEST_F(StartupTest, APictureNamedOnTheCommandLineIsLoadedAndTheStartStageEntered) {
  std::string picture = WritePicture("photo.png", 160, 120);
  ASSERT_EQ(Start(picture), StartResult::kRunning);
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().initialPicture->Width(), 160);
  EXPECT_EQ(Doc().pictureFileName, picture);
  EXPECT_EQ(Doc().pictureOrigin, kOriginFile);
  EXPECT_FALSE(Doc().pictureEditing);  // "Start your work" came after the picture
  EXPECT_EQ(Frame().Stage(), 0);
  EXPECT_EQ(Frame().ToolPanel()->PageName(), "Start");
  EXPECT_EQ(Frame().windowTitle(), "Untitled - Tintara 2.0");
  ASSERT_NE(app->Filters(), nullptr);
  EXPECT_TRUE(app->Filters()->IsReady());
}

TEST_F(StartupTest, ALargePictureDecodesWhileTheWindowIsShownAndSaysSo) {
  std::string picture = WritePicture("large.png", 3000, 2000);
  bool seenLoading = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    // The event loop runs while the picture decodes: the window is up and tells what it does.
    if (app && app->Frame() != nullptr && app->Frame()->isVisible() &&
        app->Frame()->statusBar()->currentMessage() == "Loading large.png...") {
      seenLoading = true;
    }
  });
  watch.start(1);
  ASSERT_EQ(Start(picture), StartResult::kRunning);
  EXPECT_TRUE(seenLoading);
  ASSERT_TRUE(Doc().initialPicture);
  EXPECT_EQ(Doc().initialPicture->Width(), 3000);
  EXPECT_EQ(Frame().statusBar()->currentMessage(), "");
}

TEST_F(StartupTest, AnUnreadableFileOnTheCommandLineIsNamedInOneMessage) {
  std::string broken = folder.File("broken.png");
  std::ofstream(broken) << "not a picture at all";
  int messages = 0;
  QString text;
  bool windowShown = false;
  ModalAnswer ok([&](QWidget* modal) {
    ++messages;
    text = MessageText(modal);
    // Told over the program's window, not on an empty screen.
    windowShown = app->Frame() != nullptr && app->Frame()->isVisible() &&
                  modal->parentWidget() == app->Frame();
    PressMessageButton(modal, kResultOk);
  });
  ASSERT_EQ(Start(broken), StartResult::kRunning);
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(text.contains("broken.png")) << text.toStdString();
  EXPECT_TRUE(windowShown);
  EXPECT_FALSE(Doc().initialPicture);
}

TEST_F(StartupTest, AStoredBrandThatCannotBeReadIsReplacedWithAMessage) {
  const std::string gone = folder.File("gone.dat");
  StoredSettings().WriteString("SETTINGS", "BRAND", gone);
  StoredSettings().Flush();
  int messages = 0;
  QString text;
  ModalAnswer ok([&](QWidget* modal) {
    ++messages;
    text = MessageText(modal);
    PressMessageButton(modal, kResultOk);
  });
  ASSERT_EQ(Start(), StartResult::kRunning);
  EXPECT_EQ(messages, 1);
  EXPECT_TRUE(text.startsWith(QString::fromStdString("The brand palette " + gone + " is missing; ")))
      << text.toStdString();
  EXPECT_NE(Doc().params.brandFile, gone);
}

TEST_F(StartupTest, WithoutPaintColourFilesTheProgramDoesNotStart) {
  for (const auto& entry : std::filesystem::directory_iterator(ProgramDir())) {
    std::filesystem::remove(entry.path());
  }
  QString text;
  ModalAnswer ok([&](QWidget* modal) {
    text = MessageText(modal);
    PressMessageButton(modal, kResultOk);
  });
  EXPECT_EQ(Start(), StartResult::kFailed);
  EXPECT_TRUE(text.contains("*.dat")) << text.toStdString();
}

TEST_F(StartupTest, SettingsChangedWhileRunningAreWrittenBackAtExit) {
  ASSERT_EQ(Start(), StartResult::kRunning);
  ASSERT_TRUE(app->Dispatch(cmd::kToggleAnimation));
  ASSERT_TRUE(app->Dispatch(cmd::kAutoSave));
  // Not before the program ends.
  EXPECT_FALSE(StoredValue("INTERFACE/ANIMATION").isValid());
  app->Exit();
  EXPECT_EQ(StoredValue("INTERFACE/ANIMATION").toInt(), 0);
  EXPECT_EQ(StoredValue("AUTOSAVE/AUTOSAVE").toInt(), 1);
}

}  // namespace
}  // namespace tintara::test
