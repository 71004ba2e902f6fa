// "Adjust Image" and "Filter Image" answered from a script: the buttons
// pressed, in order.
#include <algorithm>
#include <span>

#include "editing/picture_panel.h"
#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

struct NamedAction {
  const char* caption;
  PanelAction action;
};

constexpr NamedAction kAdjust[] = {
    {"Rotate Left 90", PanelAction::kRotateLeft},
    {"Rotate Right 90", PanelAction::kRotateRight},
    {"Rotate By Degree...", PanelAction::kRotateByDegree},
    {"Flip Horizontal", PanelAction::kFlipHorizontal},
    {"Flip Vertical", PanelAction::kFlipVertical},
    {"Flip Both", PanelAction::kFlipBoth},
};

constexpr NamedAction kFilter[] = {
    {"Lighter", PanelAction::kLighter},
    {"Darker", PanelAction::kDarker},
    {"More Contrast", PanelAction::kMoreContrast},
    {"Less Contrast", PanelAction::kLessContrast},
    {"Sharpen", PanelAction::kSharpen},
    {"Smooth", PanelAction::kSmooth},
    {"Smart Tune...", PanelAction::kSmartTune},
    {"Posterize...", PanelAction::kPosterize},
    {"Reduce Colors...", PanelAction::kReduceColors},
};

// Presses one scripted button; false when the panel closed.
bool Press(PicturePanel& panel, const std::string& button, bool filters, bool* handedOver) {
  if (button == "Next >") {
    panel.HandOver();
    *handedOver = true;
    return false;
  }
  if (button == "Close") return !panel.Close();
  if (button == "Undo") panel.Undo();
  if (button == "Redo") panel.Redo();
  if (button == "Reset") panel.Reset();
  for (const NamedAction& named : filters ? std::span<const NamedAction>(kFilter)
                                          : std::span<const NamedAction>(kAdjust)) {
    if (button == named.caption) panel.Run(named.action);
  }
  return true;
}

std::optional<BoxRect> CropBox(const ScriptValue& value) {
  const ScriptValue::List* list = value.AsList();
  if (list == nullptr || list->size() != 4) return std::nullopt;
  int32_t parts[4];
  for (size_t i = 0; i < 4; ++i) {
    std::optional<int> part = ScriptInt((*list)[i], 0, 1 << 30);
    if (!part) return std::nullopt;
    parts[i] = *part;
  }
  return BoxRect{parts[0], parts[1], parts[2], parts[3]};
}

bool KnownButton(const std::string& button, bool filters) {
  for (const char* common : {"Next >", "Close", "Undo", "Redo", "Reset"}) {
    if (button == common) return true;
  }
  auto named =
      filters ? std::span<const NamedAction>(kFilter) : std::span<const NamedAction>(kAdjust);
  return std::any_of(named.begin(), named.end(),
                     [&](const NamedAction& n) { return button == n.caption; });
}

}  // namespace

bool ScriptedDialogs::ShowPicturePanel(PicturePanel& panel, bool filters) {
  const std::string caption = filters ? "Filter Image" : "Adjust Image";
  std::optional<ScriptValue> answer = Take(caption);
  if (!answer) return false;
  const ScriptValue::List* presses = answer->AsList();
  if (presses == nullptr) {
    Refuse(caption, "expected a list of buttons");
    return false;
  }
  bool handedOver = false;
  for (const ScriptValue& press : *presses) {
    if (const ScriptValue* crop = press.Find("crop"); crop != nullptr && !filters) {
      std::optional<BoxRect> box = CropBox(*crop);
      if (!box) {
        Refuse(caption, "crop must be [x, y, width, height]");
        return false;
      }
      panel.Crop(*box);
      continue;
    }
    std::optional<std::string> button = press.AsString();
    if (!button || !KnownButton(*button, filters)) {
      Refuse(caption, "no such button: " + button.value_or("?"));
      return false;
    }
    if (!Press(panel, *button, filters, &handedOver)) return handedOver;
  }
  // The script ran out: the window is closed as with "Close", once; a
  // Cancel there leaves nothing more to press, so the panel goes anyway.
  panel.Close();
  return false;
}

}  // namespace tintara
