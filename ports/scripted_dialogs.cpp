#include "ports/scripted_dialogs.h"

#include <cmath>

namespace tintara {

namespace {

constexpr char kPosterize[] = "Posterize";
constexpr char kReduceColors[] = "Reduce colors";
constexpr char kBorderColor[] = "Color of borders and digits";

}  // namespace

std::optional<uint32_t> ScriptColor(const ScriptValue& value) {
  const ScriptValue::List* list = value.AsList();
  if (list == nullptr || list->size() != 3) return std::nullopt;
  uint32_t packed = 0;
  for (size_t i = 0; i < 3; ++i) {
    std::optional<int> channel = ScriptInt((*list)[i], 0, 255);
    if (!channel) return std::nullopt;
    packed |= uint32_t(*channel) << (8 * i);
  }
  return packed;
}

std::optional<int> ScriptInt(const ScriptValue& value, int lo, int hi) {
  // Only whole numbers: a fraction is not what a spin control gives.
  if (const auto* d = std::get_if<double>(&value.value);
      d != nullptr && (!std::isfinite(*d) || std::floor(*d) != *d)) {
    return std::nullopt;
  }
  if (std::holds_alternative<bool>(value.value)) return std::nullopt;
  std::optional<int64_t> number = value.AsInt();
  if (!number || *number < lo || *number > hi) return std::nullopt;
  return int(*number);
}

std::optional<ScriptValue> ScriptedDialogs::Take(const std::string& caption) {
  opened.push_back(caption);
  return answers_.Take(caption);
}

void ScriptedDialogs::Refuse(const std::string& caption, const std::string& why) {
  refused.push_back("\"" + caption + "\": " + why);
}

std::optional<std::string> ScriptedDialogs::ChoosePaletteFile(NameListChooser& chooser) {
  const std::string caption = chooser.Title();
  opened.push_back(caption);
  // The dialog stays open until a name is accepted or the answers run out.
  while (std::optional<ScriptValue> answer = answers_.Take(caption)) {
    if (const ScriptValue* name = answer->Find("delete")) {
      if (auto text = name->AsString(); !text || !chooser.Delete(*text)) {
        Refuse(caption, "nothing to delete by that name");
      }
      continue;
    }
    std::optional<std::string> name = answer->AsString();
    if (!name) {
      Refuse(caption, "expected a name");
      continue;
    }
    if (std::optional<std::string> chosen = chooser.Accept(*name)) return chosen;
  }
  return std::nullopt;
}

std::optional<PosterizeLevels> ScriptedDialogs::Posterize(
    const PosterizeLevels& initial, const std::function<void(const PosterizeLevels&)>& changed) {
  std::optional<ScriptValue> answer = Take(kPosterize);
  if (!answer) return std::nullopt;
  if (answer->AsObject() == nullptr) {
    Refuse(kPosterize, "expected {\"red\": R, \"green\": G, \"blue\": B}");
    return std::nullopt;
  }
  PosterizeLevels levels = initial;
  for (auto [key, field] : {std::pair{"red", &levels.red}, std::pair{"green", &levels.green},
                            std::pair{"blue", &levels.blue}}) {
    const ScriptValue* value = answer->Find(key);
    if (value == nullptr) continue;
    std::optional<int> level = ScriptInt(*value, 1, 256);
    if (!level) {
      Refuse(kPosterize, std::string(key) + " must be an integer 1..256");
      return std::nullopt;
    }
    *field = *level;
  }
  if (changed) changed(levels);
  return levels;
}

std::optional<int> ScriptedDialogs::ReduceColors(int /*initial*/) {
  std::optional<ScriptValue> answer = Take(kReduceColors);
  if (!answer) return std::nullopt;
  std::optional<int> count = ScriptInt(*answer, 2, 256);
  if (!count) Refuse(kReduceColors, "expected an integer 2..256");
  return count;
}

std::optional<uint32_t> ScriptedDialogs::ChooseBorderColor(uint32_t /*current*/,
                                                           bool /*standardInterface*/) {
  std::optional<ScriptValue> answer = Take(kBorderColor);
  if (!answer) return std::nullopt;
  std::optional<uint32_t> color = ScriptColor(*answer);
  if (!color) Refuse(kBorderColor, "expected [red, green, blue], each 0..255");
  return color;
}

}  // namespace tintara
