// The menu text of every command that has one, with its access-key "&". The
// menus show these, and the command-line tool accepts them as the command's
// name, so a command is known by one text wherever the user meets it.
#pragma once

#include <vector>

#include "document/command_ids.h"

namespace tintara {

struct CommandMenuText {
  CommandId id = 0;
  const char* text = nullptr;
};

const std::vector<CommandMenuText>& CommandMenuTexts();
// The command's menu text, or null when the menu shows the table's own text.
const char* MenuTextOf(CommandId id);

}  // namespace tintara
