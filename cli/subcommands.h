// The subcommands of tintara-cli, each in its own file, and what they share
// to read their command lines.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/cli_args.h"
#include "cli/cli_context.h"

namespace tintara::cli {

using Words = std::span<const std::string>;

struct Subcommand {
  const char* name;
  const char* usage;  // shown by --help
  int (*run)(Words words);
};

// Every subcommand in the order --help lists them.
std::span<const Subcommand> Subcommands();

int RunCreate(Words words);
int RunInfo(Words words);
int RunExport(Words words);
int RunRetype(Words words);
int RunPrint(Words words);
int RunPalettes(Words words);
int RunRun(Words words);
int RunCommands(Words words);
int RunDevices(Words words);
int RunScan(Words words);

// Parses a subcommand's words with its own options plus --settings, --quiet
// and --help. Returns -1 to go on; otherwise the exit status (--help printed,
// or a usage error reported).
int ParseSubcommand(const Subcommand& command, Words words, std::vector<OptionDef> options,
                    ParsedArgs& parsed, CommonOptions& common);
const Subcommand& SubcommandNamed(const char* name);

// Options that every subcommand which makes or changes a project accepts to
// set the pattern settings for this run.
std::vector<OptionDef> PatternSettingOptions();
// Lays the given pattern-setting options over the settings; false with the
// usage error reported for a bad value.
bool ApplyPatternSettingOptions(const ParsedArgs& parsed, CliContext& context);

}  // namespace tintara::cli
