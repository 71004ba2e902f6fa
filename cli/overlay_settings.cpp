#include "cli/overlay_settings.h"

#include <charconv>

namespace tintara::cli {

std::string OverlaySettingsStore::Key(std::string_view section, std::string_view key) {
  return std::string(section) + '/' + std::string(key);
}

const OverlaySettingsStore::Value* OverlaySettingsStore::Find(std::string_view section,
                                                              std::string_view key) const {
  auto it = overrides_.find(Key(section, key));
  return it == overrides_.end() ? nullptr : &it->second;
}

void OverlaySettingsStore::OverrideInt(std::string_view section, std::string_view key, int value) {
  overrides_[Key(section, key)] = value;
}

void OverlaySettingsStore::OverrideString(std::string_view section, std::string_view key,
                                          const std::string& value) {
  overrides_[Key(section, key)] = value;
}

bool OverlaySettingsStore::Contains(std::string_view section, std::string_view key) const {
  if (const Value* value = Find(section, key)) {
    return !std::holds_alternative<std::monostate>(*value);
  }
  return base_.Contains(section, key);
}

int OverlaySettingsStore::ReadInt(std::string_view section, std::string_view key,
                                  int defaultValue) const {
  if (const Value* value = Find(section, key)) {
    if (const int* number = std::get_if<int>(value)) return *number;
    // A text kept by the program reads as its number, as the store would read it.
    if (const std::string* text = std::get_if<std::string>(value)) {
      int number = 0;
      const char* end = text->data() + text->size();
      auto [next, code] = std::from_chars(text->data(), end, number);
      if (!text->empty() && code == std::errc() && next == end) return number;
    }
    return defaultValue;
  }
  return base_.ReadInt(section, key, defaultValue);
}

std::string OverlaySettingsStore::ReadString(std::string_view section, std::string_view key,
                                             const std::string& defaultValue) const {
  if (const Value* value = Find(section, key)) {
    if (const std::string* text = std::get_if<std::string>(value)) return *text;
    if (const int* number = std::get_if<int>(value)) return std::to_string(*number);
    return defaultValue;
  }
  return base_.ReadString(section, key, defaultValue);
}

bool OverlaySettingsStore::KeepInOverlay(std::string_view section, std::string_view key,
                                         Value value) {
  auto it = overrides_.find(Key(section, key));
  if (it != overrides_.end()) {
    it->second = std::move(value);
    return true;
  }
  if (writeThrough_) return false;
  overrides_.emplace(Key(section, key), std::move(value));
  return true;
}

void OverlaySettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  if (!KeepInOverlay(section, key, value)) base_.WriteInt(section, key, value);
}

void OverlaySettingsStore::WriteString(std::string_view section, std::string_view key,
                                       const std::string& value) {
  if (!KeepInOverlay(section, key, value)) base_.WriteString(section, key, value);
}

void OverlaySettingsStore::Remove(std::string_view section, std::string_view key) {
  if (!KeepInOverlay(section, key, std::monostate{})) base_.Remove(section, key);
}

void OverlaySettingsStore::Flush() {
  if (writeThrough_) base_.Flush();
}

}  // namespace tintara::cli
