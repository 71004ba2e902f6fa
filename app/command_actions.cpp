#include "app/command_actions.h"

#include <QWidget>

#include "app/command_icons.h"
#include "app/command_labels.h"

namespace tintara {

CommandActions::CommandActions(const CommandTable& table, QWidget* owner)
    : QObject(owner), table_(table), owner_(owner) {
  Sync();
}

void CommandActions::Sync() {
  for (CommandId id : table_.Ids()) {
    if (actions_.count(id) != 0) continue;
    const Command* command = table_.Find(id);
    auto* action = new QAction(MenuTextOf(id, command->text), this);
    QString tip = QString::fromStdString(command->text);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setIcon(CommandIcon(id));
    action->setIconVisibleInMenu(false);
    action->setShortcut(ShortcutOf(id));
    action->setCheckable(static_cast<bool>(command->checked));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] {
      // A checkable action flips itself on a click; the command decides.
      if (QAction* self = Action(id); self->isCheckable()) self->setChecked(table_.IsChecked(id));
      emit triggered(id);
    });
    owner_->addAction(action);
    actions_[id] = action;
  }
}

QAction* CommandActions::Action(CommandId id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CommandActions::Update() {
  for (auto& [id, action] : actions_) {
    action->setEnabled(table_.IsEnabled(id));
    if (action->isCheckable()) action->setChecked(table_.IsChecked(id));
  }
}

}  // namespace tintara
