#include "document/print_settings_commands.h"

#include <algorithm>

#include "colors/page_settings.h"
#include "document/command_ids.h"
#include "document/document_environment.h"
#include "document/tessel_doc.h"
#include "storage/settings_keys.h"

namespace tintara {

PrintSetupChoice PrintSetupOf(const AppSettings& app) {
  PrintSetupChoice choice;
  choice.pagesPerSide = std::clamp(app.printFit, 1, kMaxPagesPerSide);
  choice.sheetColors = app.printSheetColors != 0;
  choice.overlapMm = app.printOverlapMm;
  choice.registrationMarks = app.printMarks != 0;
  choice.shoppingList = app.printShoppingList != 0;
  choice.coverageMicrolitres = app.printCoverageMicrolitres;
  choice.coats = app.printCoats;
  choice.potMillilitres = app.printPotMillilitres;
  return choice;
}

void StorePrintSetup(AppSettings& app, const PrintSetupChoice& choice) {
  app.printFit = choice.pagesPerSide;
  app.printSheetColors = choice.sheetColors ? 1 : 0;
  app.printOverlapMm = choice.overlapMm;
  app.printMarks = choice.registrationMarks ? 1 : 0;
  app.printShoppingList = choice.shoppingList ? 1 : 0;
  app.printCoverageMicrolitres = choice.coverageMicrolitres;
  app.printCoats = choice.coats;
  app.printPotMillilitres = choice.potMillilitres;
}

void FollowPatternSheets(DocumentEnvironment& env) {
  const int sheets = PatternSheetsPerSide(env.app.page);
  if (env.app.printFit == sheets && HasSetting(env.settings, Setting::kPrintFit)) return;
  env.app.printFit = sheets;
  WriteSetting(env.settings, Setting::kPrintFit, sheets);
}

bool AskHowToPrint(DocumentEnvironment& env, const std::function<void()>& printerSetup) {
  std::optional<PrintSetupChoice> chosen = env.dialogs.HowToPrint(PrintSetupOf(env.app),
                                                                  printerSetup);
  if (!chosen) return false;
  StorePrintSetup(env.app, *chosen);
  // Kept at once, as the page settings are: a batch run never writes the
  // whole settings back.
  for (auto [key, value] : {std::pair{Setting::kPrintFit, env.app.printFit},
                            std::pair{Setting::kPrintSheetColors, env.app.printSheetColors},
                            std::pair{Setting::kPrintOverlap, env.app.printOverlapMm},
                            std::pair{Setting::kPrintMarks, env.app.printMarks},
                            std::pair{Setting::kPrintShoppingList, env.app.printShoppingList},
                            std::pair{Setting::kPrintCoverage, env.app.printCoverageMicrolitres},
                            std::pair{Setting::kPrintCoats, env.app.printCoats},
                            std::pair{Setting::kPrintPotSize, env.app.printPotMillilitres}}) {
    WriteSetting(env.settings, key, value);
  }
  return true;
}

void RegisterPrintSettingsCommands(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kPrintSetup, "Print setup",
             [&doc] { AskHowToPrint(doc.Environment(), {}); }, {}, {}});
}

}  // namespace tintara
