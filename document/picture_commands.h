// Commands that change the picture being edited, each one picture undo step.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

// "Reduce number of colors" and "Reduce number of colors with optimization".
void RegisterPictureCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
