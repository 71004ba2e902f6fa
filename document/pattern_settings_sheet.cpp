#include "document/pattern_settings_sheet.h"

#include "colors/colors_editor.h"
#include "colors/pattern_type_list.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "ports/printer_info.h"
#include "storage/settings_keys.h"

namespace tintara {

std::optional<PatternSettingsAnswer> AskPatternSettings(CTessel20Doc& doc) {
  DocumentEnvironment& env = doc.Environment();
  ColorsEditor editor(doc.params, doc.initialPicture.get(),
                      ColorsContext{env.programFolder, env.app.colorCorrectionPercent, env.ui,
                                    env.dialogs});
  editor.detailsView = env.app.listView != 0;
  editor.shares = doc.ColorShares();
  PatternSheetPages pages;
  pages.defaultPrinterAvailable =
      env.printer != nullptr && env.printer->DefaultPrinterPrintable().has_value();
  pages.page = env.app.page;
  // Without a printer the pattern is made for the custom one whatever is stored.
  if (!pages.defaultPrinterAvailable) pages.page.useDefaultPrinter = 0;
  pages.typePosition = PatternTypeListPosition(doc.params.patternType);
  if (!doc.DialogPort().PatternSettings(editor, pages)) return std::nullopt;
  env.app.listView = editor.detailsView ? 1 : 0;
  WriteSetting(env.settings, Setting::kColorsSelectionListView, env.app.listView);
  PatternSettingsAnswer answer{editor.Params(), pages.page, doc.params.patternType};
  if (std::optional<int32_t> type = PatternTypeAt(pages.typePosition)) answer.patternType = *type;
  return answer;
}

void ApplyPatternSettings(CTessel20Doc& doc, PatternSettingsAnswer answer) {
  doc.ApplyPaintingColors(std::move(answer.colors));
  doc.ApplyPatternSize(answer.page);
  doc.ChangePatternType(answer.patternType);
}

}  // namespace tintara
