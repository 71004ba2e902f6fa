// "Save pattern as SVG...": the file is asked through the Dialogs port, so the
// program and the command-line tool save the same drawing the same way.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

// Enabled once the document has a pattern with its converted picture.
void RegisterPatternSvgCommand(CommandTable& table, CTessel20Doc& doc);
// Asks for the file and writes it; a failure is told through the UiHost.
void SavePatternAsSvg(CTessel20Doc& doc);

}  // namespace tintara
