#include "document/pattern_svg_command.h"

#include "colors/file_names.h"
#include "document/command_table.h"
#include "document/document_environment.h"
#include "document/pattern_svg.h"
#include "document/tessel_doc.h"
#include "ports/dialogs.h"
#include "storage/memory_budget.h"

namespace tintara {

void RegisterPatternSvgCommand(CommandTable& table, CTessel20Doc& doc) {
  table.Add({cmd::kSavePatternSvg, "Save pattern as SVG...", [&doc] { SavePatternAsSvg(doc); },
             [&doc] { return doc.indexImage && doc.convertedPicture; }, {}});
}

void SavePatternAsSvg(CTessel20Doc& doc) {
  if (!doc.indexImage || !doc.convertedPicture) return;
  DocumentEnvironment& env = doc.Environment();
  const std::string name = FileTitle(!doc.pathName.empty() ? doc.pathName : doc.title);
  std::optional<SvgFileChoice> choice =
      env.dialogs.SavePatternSvg(JoinPath(env.app.patternsFolder, name + ".svg"));
  if (!choice || choice->path.empty()) return;
  std::string path = choice->path;
  if (!EndsWithIgnoreCase(path, ".svg")) path += ".svg";
  std::string error;
  {
    WaitCursor wait(env.ui);
    PatternSvgInput input =
        PatternSvgInputOf(doc, env.app, choice->filled ? SvgStyle::kFilled : SvgStyle::kOutline);
    input.memoryBudget = PictureMemoryBudget(env.settings);
    error = WritePatternSvgFile(input, path);
  }
  if (!error.empty()) {
    env.ui.Message("Cannot write " + path + ": " + error, MessageIcon::kError);
    return;
  }
  env.app.patternsFolder = FolderOf(path);
}

}  // namespace tintara
