// The settings of one run: values given on the command line lie over the
// settings store. Reads see the overlay first. A run-only value given on the
// command line is never written back. Other writes (choices the program
// keeps, the recent projects) stay in the overlay too unless the run may
// save settings, so that one run never changes the next.
#pragma once

#include <map>
#include <string>
#include <variant>

#include "ports/settings_store.h"

namespace tintara::cli {

class OverlaySettingsStore : public SettingsStore {
 public:
  // `writeThrough`: the program's own writes reach `base` (--save-settings).
  explicit OverlaySettingsStore(SettingsStore& base, bool writeThrough = false)
      : base_(base), writeThrough_(writeThrough) {}

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
  void Flush() override;

 private:
  // std::monostate: removed during this run.
  using Value = std::variant<std::monostate, int, std::string>;
  static std::string Key(std::string_view section, std::string_view key);
  const Value* Find(std::string_view section, std::string_view key) const;
  // Keeps `value` in the overlay when the key is overridden or nothing may be
  // written; true when it was kept.
  bool KeepInOverlay(std::string_view section, std::string_view key, Value value);

  SettingsStore& base_;
  bool writeThrough_;
  std::map<std::string, Value> overrides_;
};

}  // namespace tintara::cli
