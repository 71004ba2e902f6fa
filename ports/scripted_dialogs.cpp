#include "ports/scripted_dialogs.h"

#include <cmath>

#include "colors/page_settings.h"
#include "colors/pattern_type_list.h"

namespace tintara {

namespace {

constexpr char kPosterize[] = "Posterize";
constexpr char kReduceColors[] = "Reduce colors";
constexpr char kBorderColor[] = "Color of borders and digits";
constexpr char kPatternSize[] = "Size of Painting Pattern";
constexpr char kPatternType[] = "Type of pattern";

// The dialog lists 1 page, 2x2 and 3x3.
constexpr int kOfferedPagesPerSide = 3;

// The index of `name` among `names`, or nothing.
template <size_t N>
std::optional<int> IndexOf(const ScriptValue& value, const char* const (&names)[N]) {
  std::optional<std::string> text = value.AsString();
  for (size_t i = 0; text && i < N; ++i) {
    if (*text == names[i]) return int(i);
  }
  return std::nullopt;
}

std::optional<int> ResolutionIndex(const ScriptValue& value) {
  std::optional<int> dpi = ScriptInt(value, 1, 1 << 20);
  for (size_t i = 0; dpi && i < PrintResolutions().size(); ++i) {
    if (PrintResolutions()[i].dotsPerInch == *dpi) return int(i);
  }
  return std::nullopt;
}

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

namespace {

// Applies the fields of a "Size of Painting Pattern" answer; the reason when
// the dialog would not take one of them.
std::optional<std::string> ApplySizeAnswer(const ScriptValue& answer, bool defaultPrinterAvailable,
                                           PatternPageSettings& chosen) {
  if (const ScriptValue* paper = answer.Find("paper")) {
    std::optional<std::string> word = paper->AsString();
    std::optional<int> index = word ? PaperSizeNamed(*word) : std::nullopt;
    if (!index) return "paper must be " + PaperSizeWords(", ", " or ");
    chosen.paperSize = *index;
  }
  if (const ScriptValue* landscape = answer.Find("landscape")) {
    const bool* on = std::get_if<bool>(&landscape->value);
    if (on == nullptr) return "landscape must be true or false";
    chosen.orientation = *on ? 1 : 0;
  }
  if (const ScriptValue* turn = answer.Find("turn")) {
    const bool* on = std::get_if<bool>(&turn->value);
    if (on == nullptr) return "turn must be true or false";
    chosen.autoOrientation = *on ? 1 : 0;
  }
  if (const ScriptValue* pages = answer.Find("pages")) {
    std::optional<int> perSide = ScriptInt(*pages, 1, kOfferedPagesPerSide);
    if (!perSide) return "pages must be 1, 2 or 3 (per side)";
    chosen.pageCount = *perSide - 1;
  }
  if (const ScriptValue* printer = answer.Find("printer")) {
    constexpr const char* kPrinters[] = {"custom", "default"};
    std::optional<int> index = IndexOf(*printer, kPrinters);
    if (!index) return "printer must be default or custom";
    if (*index == 1 && !defaultPrinterAvailable) return "no default printer: printer must be custom";
    chosen.useDefaultPrinter = *index;
  }
  if (const ScriptValue* dpi = answer.Find("dpi")) {
    std::optional<int> index = ResolutionIndex(*dpi);
    if (!index) return "dpi must be 150, 300, 600, 1200, 2400 or 4800";
    chosen.printResolution = *index;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PatternPageSettings> ScriptedDialogs::ChoosePatternSize(
    const PatternPageSettings& current, bool defaultPrinterAvailable) {
  std::optional<ScriptValue> answer = Take(kPatternSize);
  if (!answer) return std::nullopt;
  if (answer->AsObject() == nullptr) {
    Refuse(kPatternSize, "expected {\"paper\", \"landscape\", \"pages\", \"printer\", \"dpi\", \"turn\"}");
    return std::nullopt;
  }
  PatternPageSettings chosen = current;
  if (std::optional<std::string> why = ApplySizeAnswer(*answer, defaultPrinterAvailable, chosen)) {
    Refuse(kPatternSize, *why);
    return std::nullopt;
  }
  return chosen;
}

std::optional<int> ScriptedDialogs::ChoosePatternType(int /*listPosition*/) {
  std::optional<ScriptValue> answer = Take(kPatternType);
  if (!answer) return std::nullopt;
  std::optional<int> position = ScriptInt(*answer, 0, int(kPatternTypeChoices.size()) - 1);
  if (!position) Refuse(kPatternType, "expected a list position 0..2");
  return position;
}

}  // namespace tintara
