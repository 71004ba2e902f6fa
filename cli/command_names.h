// Commands named on the command line: by number, or by their text in the
// table or in the menu, in any letter case, with or without the menu's "&"
// marks, a tab-separated shortcut and a trailing "...".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "document/command_table.h"

namespace tintara::cli {

// The text reduced to what a user would type: no "&", nothing from a tab on,
// no trailing "...", lower case, surrounding blanks dropped.
std::string PlainCommandName(std::string_view text);

// The keys under which an answers file may answer the command's file
// dialogs: its menu text and its table text, each without "&", a shortcut
// or a trailing "...", letter case kept.
std::vector<std::string> AnswerKeysOf(const Command& command);

// The command `word` names, or null. The table's texts come before the menu's.
const Command* FindCommandNamed(const CommandTable& table, const std::string& word);

// The command whose plain name, or its start, is closest to the plain `word`
// (fewest letter edits), or null when the table is empty.
const Command* ClosestCommand(const CommandTable& table, const std::string& word);

}  // namespace tintara::cli
