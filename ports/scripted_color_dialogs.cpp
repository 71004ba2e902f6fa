// The colour dialogs answered from a script: "Colors" and "Select color".
#include <algorithm>

#include "colors/color_selector.h"
#include "colors/colors_editor.h"
#include "colors/file_names.h"
#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kColors[] = "Colors";
constexpr char kSelectColor[] = "Select color";

// Position in `colors` of the colour a script names: a catalogue number or a
// colour name (without regard to case); -1 when none matches.
int FindNamedColor(const std::vector<CFlossColor>& colors, const ScriptValue& value) {
  std::optional<int> number = ScriptInt(value, -1, 1 << 30);
  std::optional<std::string> name = value.AsString();
  for (size_t i = 0; i < colors.size(); ++i) {
    if (number && colors[i].catalogNumber == *number) return int(i);
    if (name && EqualsIgnoreCase(colors[i].colorName, *name)) return int(i);
  }
  return -1;
}

// Applies one list of colours ("add" or "delete"); the reason when a colour
// is not there.
std::optional<std::string> ApplyColorList(ColorsEditor& editor, const ScriptValue* list,
                                          bool adding) {
  if (list == nullptr) return std::nullopt;
  const char* key = adding ? "add" : "delete";
  if (list->AsList() == nullptr) return std::string(key) + " must be a list";
  for (const ScriptValue& item : *list->AsList()) {
    if (adding) {
      const BrandPalette* brand = editor.Brand();
      int found = brand != nullptr ? FindNamedColor(brand->Colors(), item) : -1;
      if (found < 0) return "no such colour in the brand to add";
      // A full palette or a colour already there changes nothing, as in the dialog.
      if (editor.CanAdd()) editor.Add(brand->Colors()[size_t(found)]);
    } else {
      int found = FindNamedColor(editor.Palette(), item);
      if (found < 0) return "no such colour in the palette to delete";
      editor.Delete(found);
    }
  }
  return std::nullopt;
}

// Presses what a "Colors" answer names, in the dialog's order: number,
// brand, rebuild, deletions, additions. The reason when a field is refused.
std::optional<std::string> ApplyColorsAnswer(ColorsEditor& editor, const ScriptValue& answer) {
  if (const ScriptValue* colors = answer.Find("colors")) {
    std::optional<int> number = ScriptInt(*colors, 0, 9999);
    if (!number) return "colors must be an integer";
    editor.SetNumber(*number);
  }
  if (const ScriptValue* brand = answer.Find("brand")) {
    std::optional<std::string> name = brand->AsString();
    int index = name ? editor.FindBrandByName(*name) : -1;
    if (index < 0) return "no brand of that name";
    editor.SelectBrand(index);
  }
  if (const ScriptValue* match = answer.Find("match")) {
    std::optional<std::string> way = match->AsString();
    if (way != "classic" && way != "closest") return "match must be \"classic\" or \"closest\"";
    editor.SetChoice(way == "closest" ? PaintChoice::kClosest : PaintChoice::kClassic);
  }
  if (const ScriptValue* build = answer.Find("build")) {
    std::optional<std::string> source = build->AsString();
    if (source == "picture") {
      if (!editor.HasPicture()) return "build \"picture\" needs a picture";
      editor.BuildForPicture();
    } else if (source == "brand") {
      editor.BuildForBrand();
    } else {
      return "build must be \"picture\" or \"brand\"";
    }
  }
  if (auto why = ApplyColorList(editor, answer.Find("delete"), false)) return why;
  return ApplyColorList(editor, answer.Find("add"), true);
}

}  // namespace

bool ScriptedDialogs::EditColors(ColorsEditor& editor) {
  std::optional<ScriptValue> answer = Take(kColors);
  if (!answer) return false;
  if (answer->AsObject() == nullptr) {
    Refuse(kColors, "expected {\"brand\", \"colors\", \"match\", \"build\", \"add\", \"delete\"}");
    return false;
  }
  if (std::optional<std::string> why = ApplyColorsAnswer(editor, *answer)) {
    Refuse(kColors, *why);
    return false;
  }
  return true;
}

bool ScriptedDialogs::SelectColor(ColorSelector& selector) {
  std::optional<ScriptValue> answer = Take(kSelectColor);
  if (!answer) return false;
  int position = -1;
  if (answer->AsObject() != nullptr) {
    if (const ScriptValue* brand = answer->Find("brand")) {
      std::optional<std::string> name = brand->AsString();
      int index = name ? selector.FindBrandByName(*name) : -1;
      if (index < 0) {
        Refuse(kSelectColor, "no brand of that name");
        return false;
      }
      selector.ShowBrand(index);
    } else if (!selector.ShowingBrand()) {
      selector.ShowBrand(std::max(selector.SelectedBrand(), 0));
    }
    const ScriptValue* number = answer->Find("number");
    position = number != nullptr ? FindNamedColor(selector.Shown(), *number) : -1;
  } else if (std::optional<int> index = ScriptInt(*answer, 0, 1 << 30)) {
    position = *index < int(selector.Shown().size()) ? *index : -1;
  }
  if (position < 0) {
    Refuse(kSelectColor, "expected a position in the list or {\"brand\", \"number\"}");
    return false;
  }
  return selector.Accept(position) == ColorSelector::Result::kChosen;
}

}  // namespace tintara
