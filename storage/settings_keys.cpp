#include "storage/settings_keys.h"

namespace tintara {

std::string NumberedKey(Setting setting, int number) {
  std::string_view pattern = KeyOf(setting).key;
  size_t mark = pattern.find("%d");
  if (mark == std::string_view::npos) return std::string(pattern);
  return std::string(pattern.substr(0, mark)) + std::to_string(number) +
         std::string(pattern.substr(mark + 2));
}

int ReadSetting(const SettingsStore& store, Setting setting) {
  return ReadSetting(store, setting, KeyOf(setting).intDefault);
}

std::string ReadSettingText(const SettingsStore& store, Setting setting) {
  return ReadSettingText(store, setting, std::string(KeyOf(setting).textDefault));
}

int ReadSetting(const SettingsStore& store, Setting setting, int defaultValue) {
  const SettingKey& key = KeyOf(setting);
  int value = store.ReadInt(key.section, key.key, defaultValue);
  return IsInRange(setting, value) ? value : defaultValue;
}

std::string ReadSettingText(const SettingsStore& store, Setting setting,
                            const std::string& defaultValue) {
  const SettingKey& key = KeyOf(setting);
  return store.ReadString(key.section, key.key, defaultValue);
}

bool IsInRange(Setting setting, int value) {
  const SettingKey& key = KeyOf(setting);
  return key.type != SettingType::kInteger || (value >= key.minValue && value <= key.maxValue);
}

bool HasSetting(const SettingsStore& store, Setting setting) {
  const SettingKey& key = KeyOf(setting);
  return store.Contains(key.section, key.key);
}

void WriteSetting(SettingsStore& store, Setting setting, int value) {
  const SettingKey& key = KeyOf(setting);
  store.WriteInt(key.section, key.key, value);
}

void WriteSettingText(SettingsStore& store, Setting setting, const std::string& value) {
  const SettingKey& key = KeyOf(setting);
  store.WriteString(key.section, key.key, value);
}

}  // namespace tintara
