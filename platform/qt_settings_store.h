// SettingsStore on QSettings: the per-user store of the program, or an INI file.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>

#include "ports/settings_store.h"

namespace tintara {

class QtSettingsStore : public SettingsStore {
 public:
  // The user's store: organisation "TAVEN Imaging Tintara", application "Tintara 2.0".
  QtSettingsStore();
  // An INI file with the same sections and keys.
  explicit QtSettingsStore(const QString& iniPath);

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
  std::unique_ptr<QSettings> settings_;
};

}  // namespace tintara
