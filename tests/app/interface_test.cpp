#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <set>

#include "app/command_actions.h"
#include "app/frame_status_bar.h"
#include "app/general_options_dialog.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class InterfaceTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override { ASSERT_EQ(Start(), StartResult::kRunning); }

  std::vector<QString> Captions(const std::vector<CMyButton*>& buttons) {
    std::vector<QString> captions;
    for (CMyButton* button : buttons) captions.push_back(button->Caption());
    return captions;
  }
  bool Shown(CommandId id) { return app->Commands().IsChecked(id); }
  // Every command a control of the visible interface offers, menus included.
  std::set<CommandId> Reachable();
};

void Collect(const QList<QAction*>& actions, std::set<CommandId>& ids) {
  for (QAction* action : actions) {
    if (!action->isVisible()) continue;
    if (QMenu* menu = action->menu()) {
      Collect(menu->actions(), ids);
    } else if (!action->isSeparator()) {
      ids.insert(action->data().toInt());
    }
  }
}

std::set<CommandId> InterfaceTest::Reachable() {
  std::set<CommandId> ids;
  if (Frame().menuBar()->isVisible()) Collect(Frame().menuBar()->actions(), ids);
  for (QToolBar* bar : {Frame().StandardBar(), Frame().PictureBar()}) {
    if (bar->isVisible()) Collect(bar->actions(), ids);
  }
  if (Frame().TaskBar()->isVisible()) {
    for (CMyButton* button : Frame().TaskBar()->Buttons()) ids.insert(button->Action()->data().toInt());
    for (int page = kFirstToolPage; page <= kLastToolPage; ++page) {
      Frame().ToolPanel()->SetPage(page);
      for (CMyButton* button : Frame().ToolPanel()->Buttons()) {
        ids.insert(button->Action()->data().toInt());
      }
    }
    for (CMyButton* button : Frame().ToolPanel()->ToolButtons()) {
      ids.insert(button->Action()->data().toInt());
    }
  }
  return ids;
}

TEST_F(InterfaceTest, EveryCommandIsReachableInBothInterfaces) {
  // The recent-file entries show once there are recent files.
  std::string picture = WritePicture("p.png", 40, 30);
  for (int style = 0; style < 2; ++style) {
    std::set<CommandId> reachable = Reachable();
    for (CommandId id : app->Commands().Ids()) {
      bool recent = id >= cmd::kRecentFile1 && id < cmd::kRecentFile1 + cmd::kRecentFileCount;
      // The two "What view" pop-ups offer the view commands the View menu holds.
      bool viewPopup = id == cmd::kWhatToDisplay || id == cmd::kWhatToView;
      if (recent || (viewPopup && style == 1)) continue;
      EXPECT_TRUE(reachable.count(id)) << "command " << id << " in style " << style;
    }
    ASSERT_TRUE(app->Dispatch(cmd::kStandardInterface));
  }
}

TEST_F(InterfaceTest, SwitchingStylesSwapsTheControlSetsAndTheMessageBoxes) {
  EXPECT_TRUE(Frame().TaskBar()->isVisible());
  EXPECT_TRUE(Frame().ToolPanel()->isVisible());
  EXPECT_FALSE(Frame().StandardBar()->isVisible());
  EXPECT_TRUE(Frame().Status()->Graphical());
  bool styled = false;
  {
    ModalAnswer answer([&](QWidget* modal) {
      styled = qobject_cast<StyledMessageDialog*>(modal) != nullptr;
      PressMessageButton(modal, kResultOk);
    });
    app->Host().Message("graphical");
  }
  EXPECT_TRUE(styled);

  ASSERT_TRUE(app->Dispatch(cmd::kStandardInterface));
  EXPECT_TRUE(Shown(cmd::kStandardInterface));
  EXPECT_FALSE(Frame().TaskBar()->isVisible());
  EXPECT_FALSE(Frame().ToolPanel()->isVisible());
  EXPECT_TRUE(Frame().StandardBar()->isVisible());
  EXPECT_TRUE(Frame().menuBar()->isVisible());
  EXPECT_FALSE(Frame().Status()->Graphical());
  // The three graphical toggles do not apply to the standard interface.
  for (CommandId id : {cmd::kToggleMenu, cmd::kToggleToolbars, cmd::kToggleAnimation}) {
    EXPECT_FALSE(app->Commands().IsEnabled(id));
    EXPECT_FALSE(Frame().Actions().Action(id)->isEnabled());
  }
  {
    ModalAnswer answer([&](QWidget* modal) {
      styled = qobject_cast<StyledMessageDialog*>(modal) != nullptr;
      PressMessageButton(modal, kResultOk);
    });
    app->Host().Message("standard");
  }
  EXPECT_FALSE(styled);
}

TEST_F(InterfaceTest, HidingTheMenuWithTheToolbarsHiddenBringsTheToolbarsBack) {
  ASSERT_TRUE(app->Dispatch(cmd::kToggleToolbars));
  EXPECT_FALSE(Frame().TaskBar()->isVisible());
  EXPECT_FALSE(Frame().Status()->isVisible());
  EXPECT_TRUE(Frame().menuBar()->isVisible());
  ASSERT_TRUE(app->Dispatch(cmd::kToggleMenu));
  EXPECT_FALSE(Frame().menuBar()->isVisible());
  EXPECT_TRUE(Frame().TaskBar()->isVisible());
  EXPECT_TRUE(Shown(cmd::kToggleToolbars));
  EXPECT_FALSE(Shown(cmd::kToggleMenu));
  // And the reverse.
  ASSERT_TRUE(app->Dispatch(cmd::kToggleToolbars));
  EXPECT_TRUE(Frame().menuBar()->isVisible());
  EXPECT_FALSE(Frame().TaskBar()->isVisible());
  EXPECT_TRUE(Frame().Actions().Action(cmd::kToggleMenu)->isChecked());
}

TEST_F(InterfaceTest, WithoutTheMenuBarItsMenusOpenFromTheContextMenu) {
  Frame().PopupContextMenu(Frame().mapToGlobal(QPoint(200, 200)));
  EXPECT_EQ(Frame().ContextMenu()->actions().size(), 2);  // undo, redo
  Frame().ContextMenu()->close();
  ASSERT_TRUE(app->Dispatch(cmd::kToggleMenu));
  Frame().PopupContextMenu(Frame().mapToGlobal(QPoint(200, 200)));
  QStringList titles;
  for (QAction* action : Frame().ContextMenu()->actions()) {
    if (action->menu() != nullptr) titles << action->menu()->title();
  }
  Frame().ContextMenu()->close();
  EXPECT_TRUE(titles.contains("&File"));
  EXPECT_TRUE(titles.contains("&Options"));
}

TEST_F(InterfaceTest, OptionsApplyTakesEffectAtOnceAndTheRuleKeepsOneControlSet) {
  bool graphForced = false;
  bool menuHiddenOnApply = false;
  ModalAnswer answer([&](QWidget* modal) {
    auto* dialog = qobject_cast<GeneralOptionsDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(dialog->ApplyButton()->isEnabled());
    dialog->GraphBox()->setChecked(false);
    dialog->MenuBox()->setChecked(false);  // ticks the graphic tool bars again
    graphForced = dialog->GraphBox()->isChecked();
    dialog->AutoSaveBox()->setChecked(true);
    dialog->ApplyButton()->click();
    menuHiddenOnApply = !Frame().menuBar()->isVisible();
    EXPECT_FALSE(dialog->ApplyButton()->isEnabled());
    dialog->reject();
  });
  ASSERT_TRUE(app->Dispatch(cmd::kOptions));
  EXPECT_TRUE(graphForced);
  EXPECT_TRUE(menuHiddenOnApply);
  EXPECT_TRUE(Frame().TaskBar()->isVisible());
  EXPECT_TRUE(Shown(cmd::kAutoSave));
  EXPECT_EQ(app->Environment().app.menu, 0);
}

TEST_F(InterfaceTest, StageCommandsShowTheirPageAndRunTheDocumentSteps) {
  WritePicture("p.png", 120, 90);
  ASSERT_TRUE(app->LoadPictureFile(folder.File("p.png")));
  // A picture arrives in the guided interface: the picture stage.
  EXPECT_EQ(Frame().Stage(), 1);
  EXPECT_TRUE(Doc().pictureEditing);
  EXPECT_EQ(Frame().TaskBar()->CurrentStage(), 1);
  EXPECT_EQ(Captions(Frame().ToolPanel()->Buttons()),
            (std::vector<QString>{"Select", "Rotate", "Filter", "Size", "Reset", "Save As"}));

  ASSERT_TRUE(app->Dispatch(cmd::kStageSettings));
  EXPECT_FALSE(Doc().pictureEditing);
  EXPECT_EQ(Frame().ToolPanel()->PageName(), "Settings");
  EXPECT_EQ(Captions(Frame().ToolPanel()->Buttons()),
            (std::vector<QString>{"Colors", "Borders color", "Size", "Pattern Type", "Display"}));

  // Entering the pattern stage makes the pattern first, and shows it.
  ASSERT_TRUE(app->Dispatch(cmd::kStagePattern));
  EXPECT_TRUE(Doc().HasPattern());
  EXPECT_EQ(Doc().viewMode, kViewPattern);
  EXPECT_TRUE(app->Environment().patternEditing);
  EXPECT_EQ(Frame().ToolPanel()->PageName(), "Edit pattern");
  EXPECT_EQ(Captions(Frame().ToolPanel()->Buttons()),
            (std::vector<QString>{"Select", "Select Area", "Remove Spots", "Merge Small", "Display", "Draw",
                                  "Fill", "Pen Size", "Pen Shape", "Pick Color", "Add Text",
                                  "Insert Picture"}));

  ASSERT_TRUE(app->Dispatch(cmd::kStageFinish));
  EXPECT_FALSE(app->Environment().patternEditing);
  EXPECT_EQ(Captions(Frame().ToolPanel()->Buttons()),
            (std::vector<QString>{"Save", "Print", "Print Setup", "Print Preview", "Save as PDF",
                                  "Save as SVG", "Exit"}));
  ASSERT_TRUE(app->Dispatch(cmd::kStageStart));
  EXPECT_EQ(Captions(Frame().ToolPanel()->Buttons()),
            (std::vector<QString>{"Open", "Load Picture", "Paste", "Use Scanner", "Use Camera",
                                  "TWAIN"}));
}

TEST_F(InterfaceTest, StageButtonsNeedAPictureAndTheDocumentMovesThePanelOnlyWithToolbars) {
  auto button = [&](CommandId id) {
    for (CMyButton* b : Frame().TaskBar()->Buttons()) {
      if (b->Action()->data().toInt() == id) return b;
    }
    return static_cast<CMyButton*>(nullptr);
  };
  EXPECT_FALSE(button(cmd::kStagePicture)->isEnabled());
  EXPECT_EQ(button(cmd::kStagePicture)->Frame(), ButtonFrame::kDisabled);
  EXPECT_TRUE(button(cmd::kStageSettings)->isEnabled());

  ASSERT_TRUE(app->Dispatch(cmd::kToggleToolbars));  // GRAPH off
  WritePicture("p.png", 60, 40);
  ASSERT_TRUE(app->LoadPictureFile(folder.File("p.png")));
  EXPECT_EQ(Frame().Stage(), 0);
  EXPECT_FALSE(Doc().pictureEditing);
  EXPECT_TRUE(button(cmd::kStagePicture)->isEnabled());
}

TEST_F(InterfaceTest, PagesSlideInWhileAnimationIsOnAndChangeAtOnceOtherwise) {
  CToolPanel* panel = Frame().ToolPanel();
  ASSERT_TRUE(app->Dispatch(cmd::kStageFinish));
  EXPECT_TRUE(panel->Sliding());
  ASSERT_FALSE(panel->Buttons().empty());
  EXPECT_LT(panel->Buttons().front()->y(), 0);  // still above its place
  // (height / 10 + 2) steps of 50 ms.
  int steps = panel->height() / 10 + 2;
  EXPECT_TRUE(WaitFor([&] { return !panel->Sliding(); }, steps * 50 + 2000));
  EXPECT_EQ(panel->Buttons().front()->y(), 4);

  ASSERT_TRUE(app->Dispatch(cmd::kToggleAnimation));
  ASSERT_TRUE(app->Dispatch(cmd::kStageStart));
  EXPECT_FALSE(panel->Sliding());
  EXPECT_EQ(panel->Buttons().front()->y(), 4);
}

}  // namespace
}  // namespace tintara::test
