// The main job as a user does it: keys, menus and panel buttons on the real
// window, the dialogs answered, and the saved project read back by the
// command-line tool.
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class MainJobTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    StoredSettings().WriteInt("INTERFACE", "WININTERFACE", 1);
    ASSERT_EQ(Start(), StartResult::kRunning);
    Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  }

  QString Zoom() { return Frame().Status()->ZoomText(); }

  // Ctrl+L with `path` chosen in the file dialog.
  void LoadPicture(const std::string& path) {
    ModalAnswer choose([&](QWidget* modal) { ChooseFile(modal, path); });
    Key(Qt::Key_L);
    ASSERT_EQ(choose.Answered(), 1u);
    ASSERT_TRUE(Doc().initialPicture);
  }

  // What `tintara-cli info --json` says of a project.
  QJsonObject Info(const std::string& project) {
    QProcess cli;
    cli.start(QString::fromStdString((ProgramFolder() / "tintara-cli").string()),
              {"info", QString::fromStdString(project), "--json"});
    EXPECT_TRUE(cli.waitForFinished(60000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
  }
};

TEST_F(MainJobTest, LoadCreateZoomUndoRedoAndSaveThroughMenusAndKeys) {
  LoadPicture(WritePicture("photo.png", 180, 120));
  if (Doc().pictureEditing) Choose("&Edit", "&Finish picture editing");
  Choose("&Pattern", "&Create drawing pattern");
  ASSERT_TRUE(Doc().HasPattern());

  Choose("&View", "&Actual Size (1:1)");
  EXPECT_EQ(Zoom(), "Zoom 100%");
  Key(Qt::Key_Plus);
  QString larger = Zoom();
  EXPECT_NE(larger, "Zoom 100%");
  Choose("&View", "Zoom &out");
  EXPECT_EQ(Zoom(), "Zoom 100%");
  Key(Qt::Key_Minus);
  EXPECT_NE(Zoom(), "Zoom 100%");
  Key(Qt::Key_0);
  EXPECT_EQ(Zoom(), "Zoom 100%");

  Key(Qt::Key_Z);
  EXPECT_FALSE(Doc().HasPattern());
  EXPECT_TRUE(Frame().Actions().Action(cmd::kRedo)->isEnabled());
  Key(Qt::Key_Y);
  EXPECT_TRUE(Doc().HasPattern());

  std::string project = folder.File("cat.mop");
  {
    ModalAnswer save([&](QWidget* modal) { ChooseFile(modal, project); });
    Choose("&File", "Save &As...");
    ASSERT_EQ(save.Answered(), 1u);
  }
  ASSERT_TRUE(std::filesystem::exists(project));
  QJsonObject info = Info(project);
  EXPECT_TRUE(info["patternImage"].isObject());
  EXPECT_EQ(info["patternImage"].toObject()["width"].toInt(), Doc().patternImage->Width());
  EXPECT_GT(info["usedColors"].toInt(), 0);
}

TEST_F(MainJobTest, TheGuidedPatternStageMakesThePattern) {
  Choose("&Options", "&Standard interface");
  ASSERT_FALSE(Frame().StandardInterface());
  Frame().ToolPanel()->SetAnimation(false);
  LoadPicture(WritePicture("photo.png", 90, 60));
  CMyButton* patternStage = nullptr;
  for (CMyButton* button : Frame().TaskBar()->Buttons()) {
    if (button->Caption() == "Pattern") patternStage = button;
  }
  ASSERT_NE(patternStage, nullptr);
  QTest::mouseClick(patternStage, Qt::LeftButton);
  EXPECT_TRUE(Doc().HasPattern());
  EXPECT_FALSE(Doc().pictureEditing);
  EXPECT_EQ(Frame().ToolPanel()->Page(), PageOfStage(3));
  EXPECT_EQ(Frame().ToolPanel()->PageName(), "Edit pattern");
}

}  // namespace
}  // namespace tintara::test
