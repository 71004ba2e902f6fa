// The picture-editing dialogs answered from a script: "Rotate picture",
// "Resize", "Smart Tune" and the background colour choosers.
#include "editing/resize_form.h"
#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kRotate[] = "Rotate picture";
constexpr char kResize[] = "Resize";
constexpr char kSmartTune[] = "Smart Tune";

// The text a script's number stands for in an entry field.
std::optional<std::string> FieldText(const ScriptValue& value) {
  if (std::optional<int> number = ScriptInt(value, -(1 << 30), 1 << 30)) {
    return std::to_string(*number);
  }
  return value.AsString();
}

}  // namespace

std::optional<RotateAnswer> ScriptedDialogs::RotatePicture() {
  std::optional<ScriptValue> answer = Take(kRotate);
  if (!answer) return std::nullopt;
  const ScriptValue* angle = answer->Find("angle");
  std::optional<int> degrees = angle != nullptr ? ScriptInt(*angle, 0, 360) : std::nullopt;
  if (!degrees) {
    Refuse(kRotate, "expected {\"angle\": 0..360, \"direction\": \"right\"|\"left\"}");
    return std::nullopt;
  }
  RotateAnswer result{*degrees, false};
  if (const ScriptValue* direction = answer->Find("direction")) {
    std::optional<std::string> text = direction->AsString();
    if (!text || (*text != "left" && *text != "right")) {
      Refuse(kRotate, "direction must be right or left");
      return std::nullopt;
    }
    result.left = *text == "left";
  }
  return result;
}

bool ScriptedDialogs::ResizePicture(ResizeForm& form) {
  std::optional<ScriptValue> answer = Take(kResize);
  if (!answer) return false;
  if (answer->AsObject() == nullptr) {
    Refuse(kResize, "expected {\"width\": W, \"height\": H}");
    return false;
  }
  if (const ScriptValue* aspect = answer->Find("aspect")) {
    const bool* on = std::get_if<bool>(&aspect->value);
    if (on == nullptr) {
      Refuse(kResize, "aspect must be true or false");
      return false;
    }
    form.SetKeepAspect(*on);
  }
  for (auto [key, type] : {std::pair{"width", &ResizeForm::TypeWidth},
                           std::pair{"height", &ResizeForm::TypeHeight}}) {
    const ScriptValue* value = answer->Find(key);
    if (value == nullptr) continue;
    std::optional<std::string> text = FieldText(*value);
    if (!text) {
      Refuse(kResize, std::string(key) + ": " + "Please enter an integer.");
      return false;
    }
    (form.*type)(*text);
  }
  ResizeForm::Refusal refusal;
  if (!form.Accept(&refusal)) {
    Refuse(kResize, std::string(refusal.widthField ? "width" : "height") + ": " + refusal.message);
    return false;
  }
  return true;
}

std::optional<int> ScriptedDialogs::SmartTune(const std::vector<std::string>& methods,
                                              const std::function<void(int)>& changed) {
  std::optional<ScriptValue> answer = Take(kSmartTune);
  if (!answer) return std::nullopt;
  std::optional<std::string> name = answer->AsString();
  for (size_t i = 0; name && i < methods.size(); ++i) {
    if (methods[i] != *name) continue;
    if (changed) changed(int(i));
    return int(i);
  }
  std::string known;
  for (const std::string& method : methods) known += (known.empty() ? "" : ", ") + method;
  Refuse(kSmartTune, "expected one of " + known);
  return std::nullopt;
}

std::optional<uint32_t> ScriptedDialogs::ChooseBackgroundColor(const std::string& caption) {
  std::optional<ScriptValue> answer = Take(caption);
  if (!answer) return std::nullopt;
  std::optional<uint32_t> color = ScriptColor(*answer);
  if (!color) Refuse(caption, "expected [red, green, blue], each 0..255");
  return color;
}

}  // namespace tintara
