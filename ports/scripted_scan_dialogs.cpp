// "TWAIN Settings" and "Scan Settings" answered from a script.
#include <algorithm>
#include <array>

#include "ports/scripted_dialogs.h"

namespace tintara {

namespace {

constexpr char kTwainSettings[] = "TWAIN Settings";
constexpr char kScanSettings[] = "Scan Settings";

std::optional<double> ScriptNumber(const ScriptValue& value) {
  if (const double* d = std::get_if<double>(&value.value)) return *d;
  if (std::optional<int64_t> i = value.AsInt()) return static_cast<double>(*i);
  return std::nullopt;
}

// Applies a "Scan Settings" answer; the reason when the dialog would not take it.
std::optional<std::string> ApplyScanAnswer(const ScriptValue& answer,
                                           const ScanCapabilities& offered, ScanOptions& chosen) {
  if (const ScriptValue* resolution = answer.Find("resolution")) {
    std::optional<int64_t> dpi = resolution->AsInt();
    if (!dpi || std::find(offered.resolutions.begin(), offered.resolutions.end(), *dpi) ==
                    offered.resolutions.end()) {
      return "resolution must be one the device offers";
    }
    chosen.resolution = static_cast<int>(*dpi);
  }
  if (const ScriptValue* mode = answer.Find("mode")) {
    std::optional<std::string> word = mode->AsString();
    if (!word || (*word != "color" && *word != "gray") ||
        (*word == "color" ? !offered.hasColor : !offered.hasGray)) {
      return "mode must be color or gray, as the device offers";
    }
    chosen.color = *word == "color";
  }
  if (const ScriptValue* area = answer.Find("area")) {
    const ScriptValue::List* list = area->AsList();
    std::array<double, 4> mm{};
    bool ok = list != nullptr && list->size() == 4;
    for (size_t i = 0; ok && i < 4; ++i) {
      std::optional<double> number = ScriptNumber((*list)[i]);
      ok = number && *number >= 0;
      if (ok) mm[i] = *number;
    }
    if (!ok || mm[0] + mm[2] > offered.maxWidth || mm[1] + mm[3] > offered.maxHeight) {
      return "area must be [left, top, width, height] in millimetres inside the device's area";
    }
    chosen.area = {mm[0], mm[1], mm[2], mm[3]};
  }
  if (const ScriptValue* preview = answer.Find("preview")) {
    const bool* on = std::get_if<bool>(&preview->value);
    if (on == nullptr || (*on && !offered.hasPreview)) return "preview must be true or false";
    chosen.preview = *on;
  }
  return std::nullopt;
}

}  // namespace

std::optional<TwainSourceNames> ScriptedDialogs::TwainSettings(
    const std::vector<std::string>& sources, const TwainSourceNames& stored,
    std::optional<DeviceKind> onlyKind) {
  std::optional<ScriptValue> answer = Take(kTwainSettings);
  if (!answer) return std::nullopt;
  if (answer->AsObject() == nullptr) {
    Refuse(kTwainSettings, "expected {\"scanner\": NAME, \"camera\": NAME, \"other\": NAME}");
    return std::nullopt;
  }
  TwainSourceNames chosen = stored;
  const std::array<std::pair<const char*, std::string*>, 3> lists = {
      {{"scanner", &chosen.scanner}, {"camera", &chosen.camera}, {"other", &chosen.other}}};
  for (size_t kind = 0; kind < lists.size(); ++kind) {
    const auto& [key, name] = lists[kind];
    const bool enabled = !onlyKind || static_cast<size_t>(*onlyKind) == kind;
    const bool listed = std::find(sources.begin(), sources.end(), *name) != sources.end();
    // An enabled list shows its stored source, else the first one.
    if (enabled && !listed && !sources.empty()) *name = sources.front();
    const ScriptValue* value = answer->Find(key);
    if (value == nullptr) continue;
    std::optional<std::string> text = value->AsString();
    if (!enabled || !text || std::find(sources.begin(), sources.end(), *text) == sources.end()) {
      Refuse(kTwainSettings, std::string(key) + " must be a source of an enabled list");
      return std::nullopt;
    }
    *name = *text;
  }
  return chosen;
}

std::optional<ScanOptions> ScriptedDialogs::ScanSettings(const std::string& /*device*/,
                                                        const ScanCapabilities& offered,
                                                        const ScanOptions& initial) {
  std::optional<ScriptValue> answer = Take(kScanSettings);
  if (!answer) return std::nullopt;
  if (answer->AsObject() == nullptr) {
    Refuse(kScanSettings, "expected {\"resolution\": DPI, \"mode\": \"color\"|\"gray\", ...}");
    return std::nullopt;
  }
  ScanOptions chosen = initial;
  if (std::optional<std::string> why = ApplyScanAnswer(*answer, offered, chosen)) {
    Refuse(kScanSettings, *why);
    return std::nullopt;
  }
  return chosen;
}

}  // namespace tintara
