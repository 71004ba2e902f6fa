// Alt and a letter reach one item only: within every menu of the menu bar (in
// both interface styles) and within every window the menus open, the visible
// items' underlined letters differ.
#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <map>

#include "app/command_actions.h"
#include "app/wizard_dialog.h"
#include "tests/app/app_fixture.h"

namespace tintara::test {
namespace {

// The letter after a lone '&', lower-cased; none for "&&" or no '&'.
QChar Mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return text[i + 1].toLower();
  }
  return {};
}

// "where: 'x' on A and B" for each letter used twice among `texts`.
std::vector<std::string> Duplicates(const QStringList& texts, const QString& where) {
  std::map<QChar, QStringList> byLetter;
  for (const QString& text : texts) {
    if (QChar letter = Mnemonic(text); !letter.isNull()) byLetter[letter] << text;
  }
  std::vector<std::string> found;
  for (const auto& [letter, owners] : byLetter) {
    if (owners.size() < 2) continue;
    found.push_back(QStringLiteral("%1: '%2' on %3")
                        .arg(where, letter, owners.join(QStringLiteral(" and ")))
                        .toStdString());
  }
  return found;
}

void CollectMenu(const QMenu* menu, const QString& where, std::vector<std::string>& found) {
  QStringList texts;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    texts << action->text();
    if (action->menu() != nullptr) {
      CollectMenu(action->menu(), where + " > " + action->text(), found);
    }
  }
  std::vector<std::string> here = Duplicates(texts, where);
  found.insert(found.end(), here.begin(), here.end());
}

// The texts a user reaches with Alt in one window: its shown buttons, the
// labels that lead to a field, group titles and tab names.
QStringList WindowTexts(const QWidget* window) {
  QStringList texts;
  auto shown = [window](const QWidget* widget) { return widget->isVisibleTo(window); };
  for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    if (shown(button)) texts << button->text();
  }
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (shown(label) && label->buddy() != nullptr) texts << label->text();
  }
  for (const QGroupBox* group : window->findChildren<QGroupBox*>()) {
    if (shown(group)) texts << group->title();
  }
  for (const QTabBar* tabs : window->findChildren<QTabBar*>()) {
    if (!shown(tabs)) continue;
    for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
  }
  return texts;
}

class MnemonicsTest : public ::testing::Test, public AppFixture {
 protected:
  void SetUp() override {
    ASSERT_EQ(Start(), StartResult::kRunning);
    ASSERT_TRUE(app->LoadPictureFile(WritePicture("photo.png", 90, 60)));
    ASSERT_TRUE(app->Dispatch(cmd::kFinishPictureEditing));
    ASSERT_TRUE(app->Dispatch(cmd::kCreateDrawingPattern));
    ASSERT_TRUE(Doc().HasPattern());
  }
  std::vector<std::string> MenuDuplicates(const QString& style) {
    std::vector<std::string> found;
    QStringList titles;
    for (QAction* top : Frame().menuBar()->actions()) {
      titles << top->text();
      Frame().UpdateActions();
      CollectMenu(top->menu(), style + " " + top->text(), found);
    }
    std::vector<std::string> bar = Duplicates(titles, style + " menu bar");
    found.insert(found.end(), bar.begin(), bar.end());
    return found;
  }
  // Every item that opens a window ("...") opened and closed again; each
  // window that comes up on the way is checked.
  std::vector<std::string> DialogDuplicates() {
    std::vector<std::string> found;
    for (QAction* top : Frame().menuBar()->actions()) WalkForDialogs(top->menu(), found);
    return found;
  }
  void WalkForDialogs(QMenu* menu, std::vector<std::string>& found) {
    for (QAction* action : menu->actions()) {
      if (action->menu() != nullptr) {
        WalkForDialogs(action->menu(), found);
        continue;
      }
      Frame().UpdateActions();
      if (!action->text().endsWith("...") || !action->isEnabled() || !action->isVisible()) continue;
      // Project files and pictures come from the system's file window; the
      // devices take seconds to be looked for.
      const CommandId id = action->data().toInt();
      if (action->text().contains("Open") || action->text().contains("Save") ||
          action->text().contains("Load") || id == cmd::kLaunchWizard ||
          id == cmd::kAcquireScanner || id == cmd::kAcquireCamera || id == cmd::kAcquireOther ||
          id == cmd::kTwainOptions) {
        continue;
      }
      auto check = [&found, &action](QWidget* modal) {
        if (qobject_cast<QFileDialog*>(modal) == nullptr) {
          std::vector<std::string> here =
              Duplicates(WindowTexts(modal), action->text() + " > " + modal->windowTitle());
          found.insert(found.end(), here.begin(), here.end());
          ++checked;
        }
        if (auto* dialog = qobject_cast<QDialog*>(modal)) return dialog->reject();
        modal->close();
      };
      ModalScript answers({check, check, check});
      action->trigger();
      QApplication::processEvents();
      // Windows that stay open beside the main window (Select Region).
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window == &Frame() || !window->isVisible() || window->isModal()) continue;
        if (qobject_cast<QMenu*>(window) != nullptr) continue;
        std::vector<std::string> here =
            Duplicates(WindowTexts(window), action->text() + " > " + window->windowTitle());
        found.insert(found.end(), here.begin(), here.end());
        window->close();
      }
      // Nothing stays open to take the mouse from later tests (the About
      // window waits for a click anywhere).
      while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
  }
  static inline int checked = 0;
};

TEST_F(MnemonicsTest, EveryMenuOfBothInterfacesUsesEachLetterOnce) {
  std::vector<std::string> found = MenuDuplicates("guided");
  Choose("&Options", "&Standard interface");
  ASSERT_TRUE(Frame().menuBar()->isVisible());
  std::vector<std::string> standard = MenuDuplicates("standard");
  found.insert(found.end(), standard.begin(), standard.end());
  for (const std::string& duplicate : found) ADD_FAILURE() << duplicate;
}

TEST_F(MnemonicsTest, EveryWindowTheMenusOpenUsesEachLetterOnce) {
  checked = 0;
  for (const std::string& duplicate : DialogDuplicates()) ADD_FAILURE() << duplicate;
  // The picture's own dialogs while it is edited.
  ASSERT_TRUE(app->Dispatch(cmd::kStartPictureEditing));
  for (const std::string& duplicate : DialogDuplicates()) ADD_FAILURE() << duplicate;
  // The walk reached the dialogs, not only the menus.
  EXPECT_GE(checked, 10);

  // The wizard and the first-start question.
  std::vector<std::string> found;
  {
    bool seen = false;
    // The walk changed the project: the question to save it comes first.
    auto look = [&](QWidget* modal) {
      auto* wizard = qobject_cast<WizardDialog*>(modal);
      if (wizard == nullptr) return PressMessageButton(modal, kResultNo);
      seen = true;
      found = Duplicates(WindowTexts(wizard), wizard->windowTitle());
      wizard->CloseButton()->click();
    };
    ModalScript answers({look, look});
    Choose("&File", "Wi&zard...");
    ASSERT_TRUE(seen);
  }
  for (const std::string& duplicate : found) ADD_FAILURE() << duplicate;
}

}  // namespace
}  // namespace tintara::test
