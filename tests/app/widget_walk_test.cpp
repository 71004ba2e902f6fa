// Every menu item, tool bar button, stage-panel button and shortcut of both
// interface styles must run its command. The commands are swapped for
// counters (their enabling and checking stay), so the walk proves the wiring
// from each widget to the command table without running the commands.
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <map>
#include <set>

#include "app/command_actions.h"
#include "app/panel_buttons.h"
#include "app/stage_panels.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

class WidgetWalkTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("walk.png", 60, 40)));
    // The pop-ups of the panels and the dialogs stay shut: every command counts instead.
    for (CommandId id : app->Commands().Ids()) {
      Command counted = *app->Commands().Find(id);
      originals_[id] = counted;
      counted.run = [this, id] { ++runs_[id]; };
      counted.enabled = {};
      app->Commands().Add(counted);
    }
    Frame().UpdateActions();
  }

  // Triggers `action` and expects its command, and only it, to have run once.
  void ExpectRuns(QAction* action, const std::function<void()>& press, const QString& where) {
    CommandId id = action->data().toInt();
    std::map<CommandId, int> before = runs_;
    press();
    ++before[id];
    EXPECT_EQ(runs_, before) << where.toStdString() << ": \"" << action->text().toStdString()
                             << "\" (command " << id << ")";
    reached_.insert(id);
  }

  void WalkMenu(QMenu* menu, const QString& path) {
    for (QAction* action : menu->actions()) {
      if (action->isSeparator() || !action->isVisible()) continue;
      QString where = path + " > " + action->text();
      if (QMenu* sub = action->menu()) {
        WalkMenu(sub, where);
        continue;
      }
      EXPECT_TRUE(action->isEnabled()) << where.toStdString();
      ExpectRuns(action, [action] { action->trigger(); }, where);
    }
  }

  void WalkMenusAndBars() {
    for (QAction* top : Frame().menuBar()->actions()) WalkMenu(top->menu(), top->text());
    for (QToolBar* bar : Frame().findChildren<QToolBar*>()) {
      if (!bar->isVisible()) continue;
      for (QAction* action : bar->actions()) {
        if (action->isSeparator()) continue;
        QWidget* button = bar->widgetForAction(action);
        ASSERT_NE(button, nullptr) << action->text().toStdString();
        ExpectRuns(action, [button] { QTest::mouseClick(button, Qt::LeftButton); },
                   bar->windowTitle() + " bar");
      }
    }
    for (QMenu* popup : {Frame().ViewChoiceMenu(), Frame().PrintChoiceMenu(),
                         Frame().PreviewChoiceMenu()}) {
      WalkMenu(popup, popup->title());
    }
  }

  void Click(CMyButton* button, const QString& where) {
    ASSERT_TRUE(button->isEnabled()) << where.toStdString();
    ExpectRuns(button->Action(), [button] { QTest::mouseClick(button, Qt::LeftButton); }, where);
  }

  // Each stage button, then every button of the page it brings up.
  void WalkPanels() {
    Frame().ToolPanel()->SetAnimation(false);
    for (CMyButton* stage : Frame().TaskBar()->Buttons()) {
      Click(stage, "task bar " + stage->Caption());
      for (CMyButton* button : Frame().ToolPanel()->Buttons()) {
        Click(button, Frame().ToolPanel()->PageName() + " page " + button->Caption());
      }
    }
    for (CMyButton* button : Frame().ToolPanel()->ToolButtons()) Click(button, "panel tools");
  }

  // Switches the style through the Options > Interface menu with the real command.
  void SwitchStyle() {
    app->Commands().Add(originals_[cmd::kStandardInterface]);
    Frame().Actions().Action(cmd::kStandardInterface)->trigger();
    Command counted = originals_[cmd::kStandardInterface];
    counted.run = [this] { ++runs_[cmd::kStandardInterface]; };
    app->Commands().Add(counted);
  }

  std::map<CommandId, Command> originals_;
  std::map<CommandId, int> runs_;
  std::set<CommandId> reached_;
};

TEST_F(WidgetWalkTest, EveryMenuBarAndPanelEntryRunsItsCommandInBothStyles) {
  ASSERT_FALSE(Frame().StandardInterface());
  WalkMenusAndBars();
  WalkPanels();
  SwitchStyle();
  ASSERT_TRUE(Frame().StandardInterface());
  EXPECT_TRUE(Frame().StandardBar()->isVisible());
  WalkMenusAndBars();
  // Every command of the table has a widget that runs it; the recent
  // projects show only as far as there are any.
  for (CommandId id : app->Commands().Ids()) {
    bool unusedRecent = id > cmd::kRecentFile1 && id < cmd::kRecentFile1 + cmd::kRecentFileCount;
    if (id == cmd::kRecentFile1 || unusedRecent) continue;
    EXPECT_TRUE(reached_.count(id)) << "no widget runs command " << id;
  }
}

TEST_F(WidgetWalkTest, EveryShortcutRunsItsCommandOnceAndNoShortcutIsShared) {
  Frame().activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
  std::map<QKeySequence, CommandId> owners;
  int pressed = 0;
  for (QAction* action : Frame().actions()) {
    for (const QKeySequence& sequence : action->shortcuts()) {
      auto [it, fresh] = owners.emplace(sequence, action->data().toInt());
      EXPECT_TRUE(fresh) << sequence.toString().toStdString() << " belongs to commands "
                         << it->second << " and " << action->data().toInt();
      QKeyCombination key = sequence[0];
      ExpectRuns(action,
                 [this, key] { QTest::keyClick(&Frame(), key.key(), key.keyboardModifiers()); },
                 "shortcut " + sequence.toString());
      ++pressed;
    }
  }
  // New, open, save, undo, redo, the picture, zoom and exit at the least.
  EXPECT_GE(pressed, 12);
}

}  // namespace
}  // namespace tintara::test
