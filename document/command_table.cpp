#include "document/command_table.h"

namespace tintara {

void CommandTable::Add(Command command) {
  CommandId id = command.id;
  commands_.insert_or_assign(id, std::move(command));
}

const Command* CommandTable::Find(CommandId id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : &it->second;
}

const Command* CommandTable::FindByText(std::string_view text) const {
  for (const auto& [id, command] : commands_) {
    if (command.text == text) return &command;
  }
  return nullptr;
}

bool CommandTable::IsEnabled(CommandId id) const {
  const Command* command = Find(id);
  return command != nullptr && (!command->enabled || command->enabled());
}

bool CommandTable::IsChecked(CommandId id) const {
  const Command* command = Find(id);
  return command != nullptr && command->checked && command->checked();
}

bool CommandTable::Run(CommandId id) const {
  if (!IsEnabled(id)) return false;
  const Command* command = Find(id);
  if (command->run) command->run();
  return true;
}

std::vector<CommandId> CommandTable::Ids() const {
  std::vector<CommandId> ids;
  ids.reserve(commands_.size());
  for (const auto& entry : commands_) ids.push_back(entry.first);
  return ids;
}

}  // namespace tintara
