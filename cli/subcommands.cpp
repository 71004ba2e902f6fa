#include "cli/subcommands.h"

#include <cstdio>
#include <cstring>

namespace tintara::cli {

namespace {

const Subcommand kSubcommands[] = {
    {"create",
     "create PICTURE -o PROJECT.mop [options]\n"
     "create --scan [--device NAME] -o PROJECT.mop [options]\n"
     "    Makes a painting pattern from a picture and writes the project; with\n"
     "    --scan the picture comes from a scanner or camera (the stored scanner,\n"
     "    else the first device found, with the settings chosen last for it).\n"
     "    --pattern-png F, --converted-png F  also write those pictures as PNG\n"
     "    --key-pdf F, --pdf F                also write the colour key, the pattern pages\n"
     "    --colors N (2..256)  --brand NAME-OR-FILE\n"
     "    --type numbers|patterns|borders (or a number 0..6)\n"
     "    --pages N (pages per side, 1..10)  --paper letter|legal|executive|a4|a5|a3|a2|tabloid\n"
     "    --dpi 150|300|600|1200|2400|4800  --landscape  --percent P\n"
     "    --border-color RRGGBB  --default-printer\n"
     "    --min-area-mm D  merge areas narrower than D mm once printed into the\n"
     "                     closest neighbouring paint; numbers only where they fit\n"
     "                     (default 2.5; 0: no merging, numbers by the grid)\n"
     "    --orientation portrait|landscape|auto  (auto, the default: the page turned\n"
     "                     to suit the picture)\n"
     "    --match classic|closest  (closest, the default: the paints that look most\n"
     "                     like the picture; classic: the picture's own colours)\n"
     "    Each option overrides its setting for this run only.",
     RunCreate},
    {"info", "info PROJECT.mop [--json]\n    What the project holds.", RunInfo},
    {"export",
     "export PROJECT.mop [--initial F] [--converted F] [--pattern F] [--index F]\n"
     "      [--svg F.svg [--svg-style outline|filled] [--svg-smooth] [--fit-numbers]]\n"
     "    Writes the project's pictures as lossless PNG files, and the pattern as an\n"
     "    SVG drawing: white areas to paint on (outline, the default) or each area\n"
     "    in its paint (filled); --svg-smooth softens the staircases of the outlines;\n"
     "    --fit-numbers places the numbers where they fit, as create --min-area-mm does.",
     RunExport},
    {"retype",
     "retype PROJECT.mop --type numbers|patterns|borders -o OUT.mop\n"
     "    Changes the type of colour identification and redraws the pattern\n"
     "    (a number 0..6 is taken too).",
     RunRetype},
    {"print",
     "print PROJECT.mop --what initial|converted|pattern|key|shopping-list [--pages-per-side N]\n"
     "      [--vector [--fit-numbers]] -o OUT.pdf|OUT.csv\n"
     "    Writes the printed pages as PDF; the shopping list (paint per colour) as CSV.\n"
     "    --vector draws the pattern as outlines with the numbers as text, a page per sheet.",
     RunPrint},
    {"palettes", "palettes\n    Lists the brand palettes: file, brand name, number of colours.",
     RunPalettes},
    {"run",
     "run PROJECT.mop -o OUT.mop [--answers FILE.json] COMMAND...\n"
     "run --picture FILE -o OUT.mop [--answers FILE.json] COMMAND...\n"
     "    Runs commands in order, answering dialogs and questions from the\n"
     "    answers file, then saves the project. A command is named by its number\n"
     "    or its text in any letter case (\"&\", a shortcut after a tab and a\n"
     "    trailing \"...\" may be given or left out).\n"
     "    Beside commands, gesture words drive the mouse tools as in the window,\n"
     "    at zoom 100 % with no scrolling (a window pixel is a picture pixel, y\n"
     "    counting down from the top row):\n"
     "      click@X,Y  dblclick@X,Y  drag@X0,Y0/X1,Y1[/X2,Y2...]\n"
     "    (a drag presses at the first point, moves through the middle ones and\n"
     "    releases at the last); a shift+ or ctrl+ prefix holds that key.\n"
     "    set:NAME=VALUE sets a tool's state: select.shape=rectangle|ellipse|\n"
     "    polygon|freehand|move, select.mode=new|add|subtract, select.square=0|1,\n"
     "    select.size=0|1, select.width=N, select.height=N (N 0..999, window pixels).\n"
     "    A gesture no tool takes is an error: run 32773 (\"Select a region on the\n"
     "    picture\") before selection gestures.",
     RunRun},
    {"commands",
     "commands [PROJECT.mop] [--json]\n"
     "    Lists every command: number, text, and whether it is enabled (for the\n"
     "    project when one is given, else for an empty project).",
     RunCommands},
    {"devices",
     "devices\n"
     "    Lists the scanners and cameras found: name, vendor, model and kind\n"
     "    (scanner, camera or other), tab-separated, one a line.",
     RunDevices},
    {"scan",
     "scan [--device NAME] [--resolution DPI] [--mode color|gray] -o PICTURE.png\n"
     "    Acquires one picture from a scanner or camera (the stored scanner, else\n"
     "    the first device found) and writes it.",
     RunScan},
};

}  // namespace

std::span<const Subcommand> Subcommands() { return kSubcommands; }

const Subcommand& SubcommandNamed(const char* name) {
  for (const Subcommand& command : kSubcommands) {
    if (std::strcmp(command.name, name) == 0) return command;
  }
  return kSubcommands[0];
}

int ParseSubcommand(const Subcommand& command, Words words, std::vector<OptionDef> options,
                    ParsedArgs& parsed, CommonOptions& common) {
  options.push_back({"--settings", true});
  options.push_back({"--save-settings", false});
  options.push_back({"--quiet", false, "-q"});
  options.push_back({"--help", false, "-h"});
  std::string error;
  if (!ParseArgs(words, options, parsed, error)) {
    return ReportUsage(std::string(command.name) + ": " + error);
  }
  if (parsed.Has("--help")) {
    std::printf("usage: tintara-cli %s\n"
                "    --settings FILE  an INI file with the settings' sections and keys\n"
                "    --save-settings  write back the settings the commands change\n"
                "    --quiet          no progress on standard error\n",
                command.usage);
    return kExitOk;
  }
  common.settingsFile = parsed.Value("--settings");
  common.quiet = parsed.Has("--quiet");
  common.saveSettings = parsed.Has("--save-settings");
  return -1;
}

}  // namespace tintara::cli
