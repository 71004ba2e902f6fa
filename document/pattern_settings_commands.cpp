// "Size of painting pattern" and "Type of color identification": the two
// pattern settings chosen in a dialog of their own.
#include "colors/pattern_type_list.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/pattern_commands.h"
#include "document/print_settings_commands.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/printer_info.h"
#include "storage/app_settings.h"

namespace tintara {

namespace {

bool PrinterAvailable(const DocumentEnvironment& env) {
  return env.printer != nullptr && env.printer->DefaultPrinterPrintable().has_value();
}

// The page settings the pattern is really made with: without a printer, the
// custom one whatever is stored.
PatternPageSettings EffectivePageSettings(const DocumentEnvironment& env) {
  PatternPageSettings page = env.app.page;
  if (!PrinterAvailable(env)) page.useDefaultPrinter = 0;
  return page;
}

}  // namespace

std::optional<PatternPageSettings> CTessel20Doc::AskPatternSize() {
  return DialogPort().ChoosePatternSize(EffectivePageSettings(env_), PrinterAvailable(env_));
}

bool CTessel20Doc::ApplyPatternSize(const PatternPageSettings& chosen) {
  // OK on what the dialog showed is no change, even where the stored choice
  // named a printer that is not there.
  bool changed = PageSettingsChanged(EffectivePageSettings(env_), chosen);
  env_.app.page = chosen;
  WritePageSettings(env_.settings, chosen);
  FollowPatternSheets(env_);
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
