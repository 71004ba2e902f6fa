#include "platform/qt_settings_store.h"

namespace tintara {

namespace {

QString KeyPath(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), qsizetype(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(key.data(), qsizetype(key.size()));
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QStringLiteral("TAVEN Imaging Tintara"),
                                            QStringLiteral("Tintara 2.0"))) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(std::make_unique<QSettings>(iniPath, QSettings::IniFormat)) {}

bool QtSettingsStore::Contains(std::string_view section, std::string_view key) const {
  return settings_->contains(KeyPath(section, key));
}

int QtSettingsStore::ReadInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
  QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  int number = value.toInt(&ok);
  return ok ? number : defaultValue;
}

std::string QtSettingsStore::ReadString(std::string_view section, std::string_view key,
                                        const std::string& defaultValue) const {
  QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return defaultValue;
  return value.toString().toStdString();
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  settings_->setValue(KeyPath(section, key), value);
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view key,
                                  const std::string& value) {
  settings_->setValue(KeyPath(section, key), QString::fromStdString(value));
}

void QtSettingsStore::Remove(std::string_view section, std::string_view key) {
  settings_->remove(KeyPath(section, key));
}

void QtSettingsStore::Flush() { settings_->sync(); }

}  // namespace tintara
