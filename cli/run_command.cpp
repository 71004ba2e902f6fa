// run: commands of the command table, in order, with scripted answers.
#include <algorithm>
#include <cstdio>

#include "cli/answers_json.h"
#include "cli/command_names.h"
#include "cli/gestures.h"
#include "cli/subcommands.h"
#include "colors/file_names.h"

namespace tintara::cli {

namespace {

std::string Describe(const Command& command) {
  return "\"" + command.text + "\" (" + std::to_string(command.id) + ")";
}

// Runs one command; false with the error reported.
bool RunOne(CliContext& context, const Command& command) {
  if (!context.Commands().IsEnabled(command.id)) {
    ReportError("command " + Describe(command) + " is disabled");
    return false;
  }
  context.Ui().StartOperation(command.text.substr(0, command.text.find('\t')));
  size_t messages = context.Ui().messages.size();
  size_t refused = context.DialogPort().refused.size();
  context.DialogPort().SetCommandKeys(AnswerKeysOf(command));
  context.Commands().Run(command.id);
  context.DialogPort().SetCommandKeys({});
  if (context.DialogPort().refused.size() > refused) {
    context.Ui().FinishLine();
    ReportError("command " + Describe(command) + ": answer refused for " +
                context.DialogPort().refused.back());
    return false;
  }
  if (std::optional<std::string> error = context.Ui().ErrorSince(messages)) {
    context.Ui().FinishLine();
    ReportError("command " + Describe(command) + ": " + *error);
    return false;
  }
  context.Ui().FinishOperation();
  return true;
}

}  // namespace

namespace {

// A scripted answer no question took is most likely a misspelt caption.
void NoteUnusedAnswers(CliContext& context) {
  for (const ScriptedAnswers::Unused& unused : context.Answers().Left()) {
    std::string key = unused.key;
    for (size_t at = key.find('\n'); at != std::string::npos; at = key.find('\n', at + 2)) {
      key.replace(at, 1, "\\n");
    }
    context.Ui().StatusNote("answer " + std::to_string(unused.position) + " of " +
                            std::to_string(unused.given) + " for \"" + key +
                            "\" was never used");
  }
}

}  // namespace

int RunRun(Words words) {
  const Subcommand& self = SubcommandNamed("run");
  ParsedArgs parsed;
  CommonOptions common;
  int status = ParseSubcommand(
      self, words, {{"--output", true, "-o"}, {"--picture", true}, {"--answers", true}}, parsed,
      common);
  if (status >= 0) return status;
  std::optional<std::string> output = parsed.Value("--output");
  if (!output) return ReportUsage("run: -o OUT.mop is required");
  if (!IsProjectPath(*output)) return ReportUsage("run: the project file must end in .mop");
  std::optional<std::string> picture = parsed.Value("--picture");
  std::vector<std::string> commandWords = parsed.positional;
  std::optional<std::string> project;
  if (!picture) {
    if (commandWords.empty()) return ReportUsage("run: give PROJECT.mop or --picture FILE");
    project = commandWords.front();
    commandWords.erase(commandWords.begin());
  } else if (!commandWords.empty() && IsProjectPath(commandWords.front())) {
    return ReportUsage("run: give either PROJECT.mop or --picture FILE, not both");
  }

  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !CheckCanSave(*output)) return kExitError;
  if (auto answers = parsed.Value("--answers")) {
    std::string error;
    if (!LoadAnswersFile(*answers, context->Answers(), error)) {
      ReportError(error);
      return kExitError;
    }
  }
  if (!context->Start()) return kExitError;
  // Every command and gesture is known before the first one runs.
  struct Step {
    const Command* command = nullptr;
    Gesture gesture;
  };
  std::vector<Step> steps;
  for (const std::string& word : commandWords) {
    Step step;
    std::string error;
    GestureWord kind = ParseGestureWord(word, step.gesture, error);
    if (kind == GestureWord::kBad) return ReportUsage("run: '" + word + "': " + error);
    if (kind == GestureWord::kGesture) {
      steps.push_back(std::move(step));
      continue;
    }
    const Command* command = FindCommandNamed(context->Commands(), word);
    if (command == nullptr) {
      std::string hint;
      const bool number = std::all_of(word.begin(), word.end(),
                                      [](char c) { return c >= '0' && c <= '9'; });
      if (const Command* closest = number ? nullptr : ClosestCommand(context->Commands(), word)) {
        hint = "; did you mean " + Describe(*closest) + "?";
      }
      return ReportUsage("run: no command '" + word + "'" + hint +
                         " (tintara-cli commands lists them)");
    }
    step.command = command;
    steps.push_back(std::move(step));
  }
  bool loaded = project ? context->OpenProjectFile(*project) : context->LoadPicture(*picture);
  if (!loaded) return kExitError;
  GesturePlayer player(context->Doc(), context->Selection(), context->Drawing());
  for (const Step& step : steps) {
    if (step.command != nullptr) {
      if (!RunOne(*context, *step.command)) return kExitError;
    } else if (!player.Play(step.gesture)) {
      if (step.gesture.kind == Gesture::Kind::kSet) {
        return ReportUsage("run: '" + step.gesture.word + "' is out of range for the project");
      }
      return ReportUsage("run: no tool takes '" + step.gesture.word +
                         "' (run 32773 first for the selection tool)");
    }
  }
  NoteUnusedAnswers(*context);
  return context->SaveProjectFile(*output) ? kExitOk : kExitError;
}

}  // namespace tintara::cli
