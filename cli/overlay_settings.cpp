#include "cli/overlay_settings.h"

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
  return Find(section, key) != nullptr || base_.Contains(section, key);
}

int OverlaySettingsStore::ReadInt(std::string_view section, std::string_view key,
                                  int defaultValue) const {
  if (const Value* value = Find(section, key)) {
    if (const int* number = std::get_if<int>(value)) return *number;
    return defaultValue;
  }
  return base_.ReadInt(section, key, defaultValue);
}

std::string OverlaySettingsStore::ReadString(std::string_view section, std::string_view key,
                                             const std::string& defaultValue) const {
  if (const Value* value = Find(section, key)) {
    if (const std::string* text = std::get_if<std::string>(value)) return *text;
    return std::to_string(std::get<int>(*value));
  }
  return base_.ReadString(section, key, defaultValue);
}

void OverlaySettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  auto it = overrides_.find(Key(section, key));
  if (it != overrides_.end()) {
    it->second = value;
  } else {
    base_.WriteInt(section, key, value);
  }
}

void OverlaySettingsStore::WriteString(std::string_view section, std::string_view key,
                                       const std::string& value) {
  auto it = overrides_.find(Key(section, key));
  if (it != overrides_.end()) {
    it->second = value;
  } else {
    base_.WriteString(section, key, value);
  }
}

void OverlaySettingsStore::Remove(std::string_view section, std::string_view key) {
  if (overrides_.erase(Key(section, key)) == 0) base_.Remove(section, key);
}

}  // namespace tintara::cli
