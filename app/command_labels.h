// How commands read in menus: texts with their access keys, and shortcuts.
#pragma once

#include <QKeySequence>
#include <QString>
#include <string>

#include "document/command_ids.h"

namespace tintara {

// The menu text of a command; commands without one of their own use their
// command text.
QString MenuTextOf(CommandId id, const std::string& commandText);
QKeySequence ShortcutOf(CommandId id);

}  // namespace tintara
