// SettingsStore on QSettings: the per-user store of the program, or an INI file.
#pragma once

#include <QSettings>
#include <QString>
#include <memory>
#include <string>

#include "ports/memory_settings_store.h"
#include "ports/settings_store.h"

namespace tintara {

// Settings files hold a few kilobytes; one larger than this is not read at
// all (QSettings keeps a whole file in memory, several times over).
constexpr qint64 kMaxSettingsFileBytes = qint64(1) << 20;

class QtSettingsStore : public SettingsStore {
 public:
  // The user's store: organisation "TAVEN Imaging Tintara", application "Tintara 2.0".
  QtSettingsStore();
  // An INI file with the same sections and keys.
  explicit QtSettingsStore(const QString& iniPath);

  // Set when the file was larger than kMaxSettingsFileBytes: what the user is
  // told. The store then starts from the defaults, keeps what is written in
  // memory and never writes over the file.
  const std::string& RefusalText() const { return refusal_; }

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
  // False, with the refusal set, when `path` is too large to read.
  bool MayRead(const QString& path);

  std::unique_ptr<QSettings> settings_;
  MemorySettingsStore inMemory_;  // in place of a refused file
  std::string refusal_;
};

}  // namespace tintara
