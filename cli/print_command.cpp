// print PROJECT.mop --what KIND -o OUT.pdf: the printed pages as PDF, or the
// paint to buy as CSV.
#include <algorithm>
#include <array>

#include "cli/outputs.h"
#include "cli/option_values.h"
#include "cli/subcommands.h"
#include "colors/page_settings.h"
#include "storage/memory_budget.h"

namespace tintara::cli {

int RunPrint(Words words) {
  const Subcommand& self = SubcommandNamed("print");
  ParsedArgs parsed;
  CommonOptions common;
  int status = ParseSubcommand(
      self, words, {{"--what", true},
             {"--pages-per-side", true},
             {"--vector", false},
             {"--fit-numbers", false},
             {"--output", true, "-o"}},
      parsed, common);
  if (status >= 0) return status;
  if (parsed.positional.size() != 1) return ReportUsage("print: give exactly one PROJECT.mop");
  const std::array<std::string, 5> kinds = {"initial", "converted", "pattern", "key",
                                            "shopping-list"};
  std::optional<std::string> what = parsed.Value("--what");
  auto kind = what ? std::find(kinds.begin(), kinds.end(), *what) : kinds.end();
  if (kind == kinds.end()) return ReportUsage("print: --what initial|converted|pattern|key|shopping-list is required");
  std::optional<int> pagesPerSide;
  if (auto text = parsed.Value("--pages-per-side")) {
    int pages = 0;
    std::string error;
    if (!ReadIntOption(*text, 1, kMaxPagesPerSide, pages, error)) {
      return ReportUsage("print: --pages-per-side: " + error);
    }
    pagesPerSide = pages;
  }
  const bool vector = parsed.Has("--vector");
  if (vector && *kind != "pattern") return ReportUsage("print: --vector draws only --what pattern");
  if (parsed.Has("--fit-numbers") && !vector) return ReportUsage("print: --fit-numbers needs --vector");
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("print: -o OUT.pdf is required");

  // Only the pictures this print draws from are inflated: the key, the
  // shopping list and the drawn outlines need the index image alone.
  const std::array<unsigned, 5> needs = {kWantInitial, kWantConverted | kWantIndex,
                                         vector ? kWantIndex : kWantPattern | kWantIndex,
                                         kWantIndex, kWantIndex};
  std::unique_ptr<CliContext> context = CliContext::Create(common);
  ProjectReadResult read;
  if (!context || !context->Start() ||
      !context->ReadProjectFile(parsed.positional[0], &read, needs[size_t(kind - kinds.begin())])) {
    return kExitError;
  }
  const CTessel20Doc& doc = context->Doc();
  AppSettings& app = context->Environment().app;
  // As in export: numbers that fit, as a pattern made with --min-area-mm has them.
  if (parsed.Has("--fit-numbers")) app.mergeSmallAreas = 1;
  // Pages per side of a picture print: the option, else the "How to print" setting.
  int n = pagesPerSide.value_or(std::clamp(app.printFit, 1, kMaxPagesPerSide));
  bool ok;
  switch (kind - kinds.begin()) {
    case 0: ok = WritePicturePages(doc.initialPicture.get(), PageSetupOf(app, n), *output, "initial picture"); break;
    case 1: ok = WritePicturePages(doc.convertedPicture.get(), PageSetupOf(app, n), *output, "converted picture", doc.indexImage.get()); break;
    case 2:
      if (vector) {
        ok = WriteVectorPages(doc, read.hasPattern, app, PageSetupOf(app, n), PictureMemoryBudget(context->Settings()),
                              *output);
        break;
      }
      ok = WritePicturePages(doc.patternImage.get(), PageSetupOf(app, n, doc.patternImage.get()), *output, "painting pattern", doc.indexImage.get()); break;
    case 3: ok = WriteKeyPages(doc, read.hasPattern, PageSetupOf(app, n), *output); break;
    default: ok = WriteShoppingList(doc, read.hasPattern, PageSetupOf(app, n), *output); break;
  }
  return ok ? kExitOk : kExitError;
}

}  // namespace tintara::cli
