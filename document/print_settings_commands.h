// "Print setup": the "How to print" dialog on the print settings the program
// runs with. The program adds the printer set-up behind its "&Printer..."
// button; without a printer the button does nothing.
#pragma once

#include <functional>

#include "document/command_table.h"
#include "ports/dialogs.h"
#include "storage/app_settings.h"

namespace tintara {

class CTessel20Doc;
struct DocumentEnvironment;

PrintSetupChoice PrintSetupOf(const AppSettings& app);
void StorePrintSetup(AppSettings& app, const PrintSetupChoice& choice);

// The print's sheets become the pattern's, kept at once: done when a pattern
// is made and when its size is confirmed, so that a print over other sheets
// is only ever the user's own choice in "How to print".
void FollowPatternSheets(DocumentEnvironment& env);

// Asks "How to print" and keeps the answer; false on Cancel.
bool AskHowToPrint(DocumentEnvironment& env, const std::function<void()>& printerSetup);

void RegisterPrintSettingsCommands(CommandTable& table, CTessel20Doc& doc);

}  // namespace tintara
