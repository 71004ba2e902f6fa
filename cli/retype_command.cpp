// retype PROJECT.mop --type N -o OUT.mop: another type of colour identification.
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
  std::optional<int> type = typeText ? ParseInt(*typeText, 0, 6) : std::nullopt;
  if (!type) return ReportUsage("retype: --type N is required, N a pattern type 0..6");
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("retype: -o OUT.mop is required");
  if (!IsProjectPath(*output)) return ReportUsage("retype: the project file must end in .mop");

  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !context->Start() || !context->OpenProjectFile(parsed.positional[0])) {
    return kExitError;
  }
  context->Ui().StartOperation();
  size_t from = context->Ui().messages.size();
  bool changed = context->Doc().ChangePatternType(*type);
  context->Ui().FinishLine();
  if (!changed) {
    ReportError(context->ShownErrorOr(from, "the pattern could not be redrawn"));
    return kExitError;
  }
  return context->SaveProjectFile(*output) ? kExitOk : kExitError;
}

}  // namespace tintara::cli
