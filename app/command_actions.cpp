#include "app/command_actions.h"

#include <QWidget>

#include "app/command_catalog.h"
#include "app/command_icons.h"

namespace tintara {

CommandActions::CommandActions(const CommandTable& table, QWidget* owner)
    : QObject(owner), table_(table), owner_(owner) {
  Sync();
}

namespace {

// The menu text of a command: the catalogue's, else the table's own text.
QString MenuText(const CommandEntry* entry, const Command& command) {
  if (entry != nullptr && entry->menuText != nullptr) return QString::fromUtf8(entry->menuText);
  return QString::fromStdString(command.text);
}

QList<QKeySequence> Shortcuts(const CommandEntry* entry) {
  if (entry == nullptr || entry->shortcuts == nullptr) return {};
  return QKeySequence::listFromString(QString::fromLatin1(entry->shortcuts),
                                      QKeySequence::PortableText);
}

}  // namespace

void CommandActions::Sync() {
  for (CommandId id : table_.Ids()) {
    if (actions_.count(id) != 0) continue;
    const Command* command = table_.Find(id);
    const CommandEntry* entry = FindCommandEntry(id);
    auto* action = new QAction(MenuText(entry, *command), this);
    QString tip = QString::fromStdString(command->text);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    action->setIcon(CommandIcon(id));
    action->setIconVisibleInMenu(false);
    action->setShortcuts(Shortcuts(entry));
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
