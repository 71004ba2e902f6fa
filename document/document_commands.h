// The document's commands in the command table.
#pragma once

namespace tintara {

class CommandTable;
class CTessel20Doc;

// Undo and redo, picture editing, what is displayed, the stages and "Create
// drawing pattern".
void RegisterDocumentCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
