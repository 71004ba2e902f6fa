// Select All, Select None, Select Invert, and "Select..." handing the mouse
// to the selection tool.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;
class SelectionTool;

// Whether the picture the selection commands work on exists: the converted
// picture outside the initial view, else the initial picture.
bool SelectablePictureShown(const CTessel20Doc& doc);

void RegisterSelectionCommands(CommandTable& table, CTessel20Doc& doc, SelectionTool& tool);

}  // namespace tintara
