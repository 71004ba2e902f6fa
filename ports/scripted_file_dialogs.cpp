// File choosers answered from the script, by caption or by the command's text.
#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr const char* kSavePatternSvg = "Save pattern as SVG";

}  // namespace

std::optional<ScriptValue> ScriptedDialogs::TakeFileAnswer(const std::string& caption) {
  if (std::optional<ScriptValue> answer = Take(caption)) return answer;
  for (const std::string& key : commandKeys_) {
    if (key == caption) continue;
    if (std::optional<ScriptValue> answer = answers_.Take(key)) return answer;
  }
  return std::nullopt;
}

std::optional<std::string> ScriptedDialogs::ChooseFile(const std::string& caption) {
  std::optional<ScriptValue> answer = TakeFileAnswer(caption);
  if (!answer) return std::nullopt;
  std::optional<std::string> path = answer->AsString();
  if (const ScriptValue* file = answer->Find("file"); !path && file != nullptr) {
    path = file->AsString();
  }
  if (!path || path->empty()) {
    Refuse(caption, "expected a file's path or {\"file\": PATH}");
    return std::nullopt;
  }
  return path;
}

std::optional<SvgFileChoice> ScriptedDialogs::SavePatternSvg(const std::string& /*startPath*/) {
  std::optional<ScriptValue> answer = TakeFileAnswer(kSavePatternSvg);
  if (!answer) return std::nullopt;
  SvgFileChoice choice;
  if (std::optional<std::string> path = answer->AsString()) {
    choice.path = *path;
  } else if (answer->AsObject() != nullptr) {
    const ScriptValue* file = answer->Find("file");
    const ScriptValue* style = answer->Find("style");
    std::optional<std::string> path = file != nullptr ? file->AsString() : std::nullopt;
    std::optional<std::string> named = style != nullptr ? style->AsString() : "outline";
    if (path && named && (*named == "outline" || *named == "filled")) {
      choice.path = *path;
      choice.filled = *named == "filled";
    }
  }
  if (choice.path.empty()) {
    Refuse(kSavePatternSvg,
           "expected a file's path or {\"file\": PATH, \"style\": \"outline\"|\"filled\"}");
    return std::nullopt;
  }
  return choice;
}

}  // namespace tintara
