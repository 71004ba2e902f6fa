// Settings held in memory only: for work that must not touch the user's
// store (a worker thread's reader, benchmarks).
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "ports/settings_store.h"

namespace tintara {

class MemorySettingsStore : public SettingsStore {
 public:
  bool Contains(std::string_view section, std::string_view key) const override {
    return values_.count(Key(section, key)) != 0;
  }
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override {
    auto found = values_.find(Key(section, key));
    return found == values_.end() ? defaultValue : std::stoi(found->second);
  }
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override {
    auto found = values_.find(Key(section, key));
    return found == values_.end() ? defaultValue : found->second;
  }
  void WriteInt(std::string_view section, std::string_view key, int value) override {
    values_[Key(section, key)] = std::to_string(value);
  }
  void WriteString(std::string_view section, std::string_view key,
                   const std::string& value) override {
    values_[Key(section, key)] = value;
  }
  void Remove(std::string_view section, std::string_view key) override {
    values_.erase(Key(section, key));
  }

 private:
  static std::string Key(std::string_view section, std::string_view key) {
    return std::string(section) + '/' + std::string(key);
  }
  std::map<std::string, std::string> values_;
};

}  // namespace tintara
