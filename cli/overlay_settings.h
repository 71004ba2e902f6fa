// The settings of one run: values given on the command line lie over the
// settings store. Reads see the overrides first; writes to an overridden key
// stay in the overlay, so a run-only choice is never written back, while
// every other write reaches the store.
#pragma once

#include <map>
#include <string>
#include <variant>

#include "ports/settings_store.h"

namespace tintara::cli {

class OverlaySettingsStore : public SettingsStore {
 public:
  explicit OverlaySettingsStore(SettingsStore& base) : base_(base) {}

  void OverrideInt(std::string_view section, std::string_view key, int value);
  void OverrideString(std::string_view section, std::string_view key, const std::string& value);

  bool Contains(std::string_view section, std::string_view key) const override;
  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& defaultValue) const override;
  void WriteInt(std::string_view section, std::string_view key, int value) override;
  void WriteString(std::string_view section, std::string_view key,
                   const std::string& value) override;
  void Remove(std::string_view section, std::string_view key) override;
  void Flush() override { base_.Flush(); }

 private:
  using Value = std::variant<int, std::string>;
  static std::string Key(std::string_view section, std::string_view key);
  const Value* Find(std::string_view section, std::string_view key) const;

  SettingsStore& base_;
  std::map<std::string, Value> overrides_;
};

}  // namespace tintara::cli
