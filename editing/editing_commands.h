// The transforms and adjustments of the picture being edited, each one
// picture undo step, and the three submenus that offer them.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

void RegisterEditingCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
