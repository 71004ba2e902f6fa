// Commands on the finished pattern as a whole or on one of its areas.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

// "Remove small areas from painting pattern", "Select one area" and "Color of
// borders and digits".
void RegisterPatternCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
