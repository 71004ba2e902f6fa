#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kInsertPicture[] = "Insert picture from file";

}  // namespace

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
