// export PROJECT.mop: the project's pictures as lossless PNG files, the
// pattern as an SVG drawing.
#include "cli/outputs.h"
#include "cli/subcommands.h"
#include "storage/memory_budget.h"

namespace tintara::cli {

int RunExport(Words words) {
  const Subcommand& self = SubcommandNamed("export");
  ParsedArgs parsed;
  CommonOptions common;
  int status = ParseSubcommand(
      self, words, {{"--initial", true},
             {"--converted", true},
             {"--pattern", true},
             {"--index", true},
             {"--svg", true},
             {"--svg-style", true},
             {"--svg-smooth", false},
             {"--fit-numbers", false}},
      parsed, common);
  if (status >= 0) return status;
  if (parsed.positional.size() != 1) return ReportUsage("export: give exactly one PROJECT.mop");
  if (!parsed.Has("--initial") && !parsed.Has("--converted") && !parsed.Has("--pattern") &&
      !parsed.Has("--index") && !parsed.Has("--svg")) {
    return ReportUsage(
        "export: name at least one of --initial, --converted, --pattern, --index, --svg");
  }
  std::optional<SvgStyle> style = SvgStyle::kOutline;
  if (auto name = parsed.Value("--svg-style")) {
    if (!parsed.Has("--svg")) return ReportUsage("export: --svg-style needs --svg");
    style = SvgStyleNamed(*name);
    if (!style) return ReportUsage("export: --svg-style outline|filled, not " + *name);
  }
  // Only the pictures asked for are inflated; the drawing needs the pattern's.
  unsigned wanted = 0;
  if (parsed.Has("--initial")) wanted |= kWantInitial;
  if (parsed.Has("--converted")) wanted |= kWantConverted;
  if (parsed.Has("--pattern")) wanted |= kWantPattern;
  if (parsed.Has("--index")) wanted |= kWantIndex;
  if (parsed.Has("--svg")) wanted |= kWantConverted | kWantIndex | kWantPattern;
  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !context->Start() ||
      !context->ReadProjectFile(parsed.positional[0], nullptr, wanted)) {
    return kExitError;
  }
  const CTessel20Doc& doc = context->Doc();
  struct Output {
    const char* option;
    const ImageBuffer* image;
    const char* what;
  };
  const Output outputs[] = {
      {"--initial", doc.initialPicture.get(), "initial picture"},
      {"--converted", doc.convertedPicture.get(), "converted picture"},
      {"--pattern", doc.patternImage.get(), "painting pattern"},
      {"--index", doc.indexImage.get(), "colour-index image"},
  };
  for (const Output& output : outputs) {
    std::optional<std::string> path = parsed.Value(output.option);
    if (path && !WritePng(output.image, *path, output.what)) return kExitError;
  }
  if (parsed.Has("--svg-smooth") && !parsed.Has("--svg")) {
    return ReportUsage("export: --svg-smooth needs --svg");
  }
  if (parsed.Has("--fit-numbers") && !parsed.Has("--svg")) {
    return ReportUsage("export: --fit-numbers needs --svg");
  }
  // The project does not record how its numbers were placed: a pattern made
  // with --min-area-mm is drawn with numbers that fit only when asked again.
  AppSettings& app = context->Environment().app;
  if (parsed.Has("--fit-numbers")) app.mergeSmallAreas = 1;
  if (auto path = parsed.Value("--svg")) {
    if (!WriteSvg(doc, app, *style, parsed.Has("--svg-smooth"),
                  PictureMemoryBudget(context->Settings()), *path)) {
      return kExitError;
    }
  }
  return kExitOk;
}

}  // namespace tintara::cli
