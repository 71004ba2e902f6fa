// retype PROJECT.mop --type TYPE -o OUT.mop: another type of colour identification.
#include "cli/option_values.h"
#include "cli/subcommands.h"

namespace tintara::cli {

int RunRetype(Words words) {
  const Subcommand& self = SubcommandNamed("retype");
  ParsedArgs parsed;
  CommonOptions common;
  int status =
      ParseSubcommand(self, words, {{"--type", true}, {"--output", true, "-o"}}, parsed, common);
  if (status >= 0) return status;
  if (parsed.positional.size() != 1) return ReportUsage("retype: give exactly one PROJECT.mop");
  std::optional<std::string> typeText = parsed.Value("--type");
  if (!typeText) {
    return ReportUsage("retype: --type is required: numbers, patterns, borders or a number 0..6");
  }
  std::string error;
  std::optional<int> type = ReadPatternType(*typeText, error);
  if (!type) return ReportUsage("retype: --type: " + error);
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("retype: -o OUT.mop is required");
  if (!IsProjectPath(*output)) return ReportUsage("retype: the project file must end in .mop");

  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !CheckCanSave(*output) || !context->Start() ||
      !context->OpenProjectFile(parsed.positional[0])) {
    return kExitError;
  }
  context->Ui().StartOperation("redrawing the pattern");
  size_t from = context->Ui().messages.size();
  if (!context->Doc().ChangePatternType(*type)) {
    context->Ui().FinishLine();
    ReportError(context->ShownErrorOr(from, "the pattern could not be redrawn"));
    return kExitError;
  }
  context->Ui().FinishOperation();
  return context->SaveProjectFile(*output) ? kExitOk : kExitError;
}

}  // namespace tintara::cli
