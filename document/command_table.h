// Every command of the program by number: what it does, when it is enabled
// and when it shows checked. Menus, tool bars, stage panels, the command-line
// tool and the tests all go through this one table.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "document/command_ids.h"

namespace tintara {

struct Command {
  CommandId id = 0;
  std::string text;  // menu text or tool tip
  std::function<void()> run;
  std::function<bool()> enabled;  // empty: always enabled
  std::function<bool()> checked;  // empty: never checked
};

class CommandTable {
 public:
  // Replaces a command of the same number.
  void Add(Command command);
  const Command* Find(CommandId id) const;
  // The command whose text is exactly `text`, if any.
  const Command* FindByText(std::string_view text) const;

  bool IsEnabled(CommandId id) const;
  bool IsChecked(CommandId id) const;
  // Runs an enabled command; false when it is unknown or disabled.
  bool Run(CommandId id) const;

  std::vector<CommandId> Ids() const;

 private:
  std::map<CommandId, Command> commands_;
};

}  // namespace tintara
