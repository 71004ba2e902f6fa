// Commands on the finished pattern as a whole or on one of its areas.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

// "Remove small areas from painting pattern", "Select one area", "Color of
// borders and digits", and the two pattern settings below.
void RegisterPatternCommands(CommandTable& table, CTessel20Doc& doc);

// "Size of painting pattern" and "Type of color identification".
void RegisterPatternSettingsCommands(CommandTable& table, CTessel20Doc& doc);

// "Painting Colors", "Current color for painting" and "Show/hide color palette".
void RegisterColorCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
