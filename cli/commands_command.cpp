// commands [PROJECT.mop] [--json]: the command table, so that run can be scripted.
#include <cstdio>

#include "cli/json_writer.h"
#include "cli/subcommands.h"

namespace tintara::cli {

namespace {

void PrintJson(const CommandTable& table) {
  JsonWriter json;
  json.BeginArray();
  for (CommandId id : table.Ids()) {
    json.BeginObject();
    json.Key("number").Number(id).Key("text").String(table.Find(id)->text);
    json.Key("enabled").Bool(table.IsEnabled(id));
    json.EndObject();
  }
  json.EndArray();
  std::printf("%s\n", json.Text().c_str());
}

void PrintText(const CommandTable& table) {
  for (CommandId id : table.Ids()) {
    std::string text = table.Find(id)->text;
    for (char& c : text) c = c == '\t' ? ' ' : c;  // the columns are tab-separated
    std::printf("%d\t%s\t%s\n", id, text.c_str(),
                table.IsEnabled(id) ? "enabled" : "disabled");
  }
}

}  // namespace

int RunCommands(Words words) {
  const Subcommand& self = SubcommandNamed("commands");
  ParsedArgs parsed;
  CommonOptions common;
  if (int status = ParseSubcommand(self, words, {{"--json", false}}, parsed, common); status >= 0) {
    return status;
  }
  if (parsed.positional.size() > 1) return ReportUsage("commands: give at most one PROJECT.mop");
  std::unique_ptr<CliContext> context = CliContext::Create(common);
  if (!context || !context->Start()) return kExitError;
  // Opened as run opens it, so that what is enabled here is enabled there.
  if (!parsed.positional.empty() && !context->OpenProjectFile(parsed.positional[0])) {
    return kExitError;
  }
  if (parsed.Has("--json")) {
    PrintJson(context->Commands());
  } else {
    PrintText(context->Commands());
  }
  return kExitOk;
}

}  // namespace tintara::cli
