// The picture-editing submenus: their items carry the short captions of the
// pop-up ("Left 90", "Lighter", ...) and run the commands' own actions.
#include <QCursor>
#include <QMenu>

#include "app/command_actions.h"
#include "app/command_catalog.h"
#include "app/main_frame.h"

namespace tintara {

namespace {

struct PopupEntry {
  const char* name;
  const char* title;  // inside the Edit menu
  Place place;
  bool rightAligned;
};

constexpr PopupEntry kPopups[] = {
    {"Rotate", "&Rotate", Place::kRotatePopup, false},
    {"Filters", "F&ilters", Place::kFilterPopup, true},
    {"Size", "Si&ze", Place::kSizePopup, true},
};

}  // namespace

void CMainFrame::BuildPicturePopups(QMenu* editMenu) {
  editMenu->addSeparator();
  for (const PopupEntry& popup : kPopups) {
    auto* menu = new QMenu(QString::fromUtf8(popup.title), this);
    menu->setObjectName(QString::fromUtf8(popup.name));
    int group = -1;
    for (const PanelButton& button : PanelButtonsAt(popup.place)) {
      QAction* command = actions_->Action(button.id);
      if (command == nullptr) continue;
      const CommandEntry* entry = FindCommandEntry(button.id);
      int spotGroup = 0;
      for (const Spot& spot : entry->spots) {
        if (spot.place == popup.place) spotGroup = spot.group;
      }
      if (group >= 0 && spotGroup != group) menu->addSeparator();
      group = spotGroup;
      QAction* item = menu->addAction(command->icon(), QString::fromUtf8(button.caption));
      item->setData(button.id);
      connect(item, &QAction::triggered, command, &QAction::trigger);
      item->setEnabled(command->isEnabled());
      connect(command, &QAction::enabledChanged, item, &QAction::setEnabled);
    }
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateActions);
    editMenu->addMenu(menu);
    picturePopups_[popup.name] = menu;
  }
}

QMenu* CMainFrame::PicturePopup(const std::string& name) const {
  auto found = picturePopups_.find(name);
  return found != picturePopups_.end() ? found->second : nullptr;
}

void CMainFrame::PopupPictureMenu(const std::string& name) {
  QMenu* menu = PicturePopup(name);
  if (menu == nullptr) return;
  QPoint at = QCursor::pos();
  for (const PopupEntry& popup : kPopups) {
    if (popup.name == name && popup.rightAligned) at.rx() -= menu->sizeHint().width();
  }
  menu->popup(at);
}

}  // namespace tintara
