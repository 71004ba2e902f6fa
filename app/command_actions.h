// One QAction per command of the command table. Menus, tool bars, stage
// panels and the context menu all show these actions, so one refresh keeps
// every control's enabled and checked state current.
#pragma once

#include <QAction>
#include <QObject>
#include <map>

#include "document/command_table.h"

namespace tintara {

class CommandActions : public QObject {
  Q_OBJECT

 public:
  // `owner` receives every action, so that shortcuts work with the menu hidden.
  CommandActions(const CommandTable& table, QWidget* owner);

  // Makes actions for commands added to the table since the last call.
  void Sync();
  // The action of a command, or null when the table has no such command.
  QAction* Action(CommandId id) const;
  // Enabled and checked states from the table.
  void Update();

 signals:
  void triggered(tintara::CommandId id);

 private:
  const CommandTable& table_;
  QWidget* owner_;
  std::map<CommandId, QAction*> actions_;
};

}  // namespace tintara
