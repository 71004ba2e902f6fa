#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kInsertPicture[] = "Insert picture from file";
constexpr char kAddText[] = "Add text";

}  // namespace

std::optional<std::string> ScriptedDialogs::AddText(TextFont& font) {
  std::optional<ScriptValue> answer = Take(kAddText);
  if (!answer) return std::nullopt;
  if (std::optional<std::string> text = answer->AsString()) return text;
  const ScriptValue* text = answer->Find("text");
  std::optional<std::string> typed = text != nullptr ? text->AsString() : std::nullopt;
  const ScriptValue* family = answer->Find("font");
  const ScriptValue* size = answer->Find("size");
  std::optional<std::string> familyName = family != nullptr ? family->AsString() : std::nullopt;
  std::optional<int> points = size != nullptr ? ScriptInt(*size, 1, 1638) : std::nullopt;
  if (!typed || (family != nullptr && !familyName) || (size != nullptr && !points)) {
    Refuse(kAddText, "expected a text or {\"text\": TEXT, \"font\": FAMILY, \"size\": 1..1638}");
    return std::nullopt;
  }
  if (familyName) font.family = *familyName;
  if (points) font.pointSize = *points;
  return typed;
}

std::optional<InsertedPictureChoice> ScriptedDialogs::ChooseInsertedPicture() {
  std::optional<ScriptValue> answer = Take(kInsertPicture);
  if (!answer) return std::nullopt;
  InsertedPictureChoice choice;
  if (std::optional<std::string> path = answer->AsString()) {
    choice.path = *path;
  } else if (answer->AsObject() != nullptr) {
    const ScriptValue* file = answer->Find("file");
    const ScriptValue* ctrl = answer->Find("ctrl");
    std::optional<std::string> path = file != nullptr ? file->AsString() : std::nullopt;
    const bool* held = ctrl != nullptr ? std::get_if<bool>(&ctrl->value) : nullptr;
    if (path) choice.path = *path;
    if (held != nullptr) choice.keepProportions = *held;
    if (ctrl != nullptr && held == nullptr) choice.path.clear();
  }
  if (choice.path.empty()) {
    Refuse(kInsertPicture, "expected a file's path or {\"file\": PATH, \"ctrl\": true|false}");
    return std::nullopt;
  }
  return choice;
}

}  // namespace tintara
