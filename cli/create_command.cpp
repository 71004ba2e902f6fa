// create PICTURE -o PROJECT.mop: the picture as "Load picture from disk" takes
// it, "Create drawing pattern" with the settings, the project and any extras.
#include "cli/failure_reasons.h"
#include "cli/outputs.h"
#include "cli/scanning.h"
#include "cli/subcommands.h"
#include "document/command_ids.h"

namespace tintara::cli {

namespace {

bool WriteExtras(const ParsedArgs& parsed, CliContext& context) {
  CTessel20Doc& doc = context.Doc();
  const AppSettings& app = context.Environment().app;
  if (auto path = parsed.Value("--pattern-png")) {
    if (!WritePng(doc.patternImage.get(), *path, "painting pattern")) return false;
  }
  if (auto path = parsed.Value("--converted-png")) {
    if (!WritePng(doc.convertedPicture.get(), *path, "converted picture")) return false;
  }
  if (auto path = parsed.Value("--key-pdf")) {
    if (!WriteKeyPages(doc, doc.convertedPicture != nullptr, PageSetupOf(app, app.page.pageCount + 1), *path)) return false;
  }
  if (auto path = parsed.Value("--pdf")) {
    // The pattern was sized for (pages + 1)² sheets; it is printed on as many.
    PdfPageSetup setup = PageSetupOf(app, app.page.pageCount + 1, doc.patternImage.get());
    if (!WritePicturePages(doc.patternImage.get(), setup, *path, "painting pattern",
                           doc.indexImage.get())) {
      return false;
    }
  }
  return true;
}

}  // namespace

int RunCreate(Words words) {
  const Subcommand& self = SubcommandNamed("create");
  std::vector<OptionDef> options = PatternSettingOptions();
  options.insert(options.end(), {{"--output", true, "-o"},
                                 {"--pattern-png", true},
                                 {"--converted-png", true},
                                 {"--key-pdf", true},
                                 {"--pdf", true},
                                 {"--scan", false},
                                 {"--device", true}});
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words, options, parsed, common); status >= 0) {
    return status;
  }
  const bool scan = parsed.Has("--scan");
  if (parsed.positional.size() != (scan ? 0u : 1u)) {
    return ReportUsage(scan ? "create: --scan takes no PICTURE" : "create: give exactly one PICTURE");
  }
  if (!scan && parsed.Has("--device")) return ReportUsage("create: --device goes with --scan");
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("create: -o PROJECT.mop is required");
  if (!IsProjectPath(*output)) return ReportUsage("create: the project file must end in .mop");

  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context) return kExitError;
  if (!ApplyPatternSettingOptions(parsed, *context)) return kExitUsage;
  if (!CheckCanSave(*output) || !context->Start()) return kExitError;
  if (scan) {
    SaneScannerLibrary library;
    std::optional<std::string> scanned =
        ScanToTemporaryFile(library, {parsed.Value("--device"), {}, {}}, *context);
    if (!scanned || !context->AcquirePicture(*scanned)) return kExitError;
  } else if (!context->LoadPicture(parsed.positional[0])) {
    return kExitError;
  }

  // The picture goes into the project unchanged: it compresses while the pattern is made.
  EarlyPictureRecord early(context->Doc().initialPicture, PictureMemoryBudget(context->Settings()));
  context->Ui().StartOperation("making the pattern");
  size_t from = context->Ui().messages.size();
  context->Commands().Run(cmd::kCreateDrawingPattern);
  if (!context->Doc().HasPattern()) {
    context->Ui().FinishLine();
    ReportError(context->ShownErrorOr(
        from, PatternFailureText(context->Doc(), context->Environment())));
    return kExitError;
  }
  context->Ui().FinishOperation();
  if (!context->SaveProjectFile(*output, &early)) return kExitError;
  return WriteExtras(parsed, *context) ? kExitOk : kExitError;
}

}  // namespace tintara::cli
