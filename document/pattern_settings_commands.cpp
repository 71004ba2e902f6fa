// "Size of painting pattern" and "Type of color identification": the two
// pattern settings chosen in a dialog of their own.
#include "colors/pattern_type_list.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/pattern_commands.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/printer_info.h"
#include "storage/app_settings.h"

namespace tintara {

std::optional<PatternPageSettings> CTessel20Doc::AskPatternSize() {
  bool printerAvailable =
      env_.printer != nullptr && env_.printer->DefaultPrinterPrintable().has_value();
  PatternPageSettings current = env_.app.page;
  // Without a printer the pattern is made for the custom one; the dialog shows it so.
  if (!printerAvailable) current.useDefaultPrinter = 0;
  return DialogPort().ChoosePatternSize(current, printerAvailable);
}

bool CTessel20Doc::ApplyPatternSize(const PatternPageSettings& chosen) {
  bool changed = PageSettingsChanged(env_.app.page, chosen);
  env_.app.page = chosen;
  WritePageSettings(env_.settings, chosen);
  if (!changed || !convertedPicture) return false;
  CreateDrawingPatternCommand();
  return true;
}

void CTessel20Doc::PatternTypeCommand() {
  std::optional<int> position =
      DialogPort().ChoosePatternType(PatternTypeListPosition(params.patternType));
  if (!position) return;
  std::optional<int32_t> type = PatternTypeAt(*position);
  if (type) ChangePatternType(*type);
}

void RegisterPatternSettingsCommands(CommandTable& table, CTessel20Doc& doc) {
  auto notEditing = [&doc] { return !doc.pictureEditing; };
  table.Add({cmd::kPatternSize, "Size of painting pattern",
             [&doc] {
               if (std::optional<PatternPageSettings> chosen = doc.AskPatternSize()) {
                 doc.ApplyPatternSize(*chosen);
               }
             },
             notEditing, {}});
  table.Add({cmd::kPatternTypeChoice, "Type of color identification",
             [&doc] { doc.PatternTypeCommand(); }, notEditing, {}});
}

}  // namespace tintara
