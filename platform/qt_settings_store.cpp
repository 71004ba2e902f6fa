#include "platform/qt_settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "storage/memory_budget.h"

namespace tintara {

namespace {

QString KeyPath(std::string_view section, std::string_view key) {
  return QString::fromUtf8(section.data(), qsizetype(section.size())) + QLatin1Char('/') +
         QString::fromUtf8(key.data(), qsizetype(key.size()));
}

const QString kOrganisation = QStringLiteral("TAVEN Imaging Tintara");
const QString kApplication = QStringLiteral("Tintara 2.0");

// Where QSettings keeps the user's store on this system.
QString UserStorePath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
         kOrganisation + QLatin1Char('/') + kApplication + QStringLiteral(".conf");
}

}  // namespace

QtSettingsStore::QtSettingsStore() {
  if (MayRead(UserStorePath())) settings_ = std::make_unique<QSettings>(kOrganisation, kApplication);
}

QtSettingsStore::QtSettingsStore(const QString& iniPath) {
  if (MayRead(iniPath)) settings_ = std::make_unique<QSettings>(iniPath, QSettings::IniFormat);
}

bool QtSettingsStore::MayRead(const QString& path) {
  QFileInfo file(path);
  if (!file.isFile() || file.size() <= kMaxSettingsFileBytes) return true;
  refusal_ = "The settings file " + QDir::toNativeSeparators(path).toStdString() + " is larger than " +
             MemoryAmountText(uint64_t(kMaxSettingsFileBytes)) +
             " and was not read: the default settings are used.";
  return false;
}

bool QtSettingsStore::Contains(std::string_view section, std::string_view key) const {
  if (!settings_) return inMemory_.Contains(section, key);
  return settings_->contains(KeyPath(section, key));
}

int QtSettingsStore::ReadInt(std::string_view section, std::string_view key,
                             int defaultValue) const {
  if (!settings_) return inMemory_.ReadInt(section, key, defaultValue);
  QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return defaultValue;
  bool ok = false;
  int number = value.toInt(&ok);
  return ok ? number : defaultValue;
}

std::string QtSettingsStore::ReadString(std::string_view section, std::string_view key,
                                        const std::string& defaultValue) const {
  if (!settings_) return inMemory_.ReadString(section, key, defaultValue);
  QVariant value = settings_->value(KeyPath(section, key));
  if (!value.isValid()) return defaultValue;
  return value.toString().toStdString();
}

void QtSettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
  if (!settings_) return inMemory_.WriteInt(section, key, value);
  settings_->setValue(KeyPath(section, key), value);
}

void QtSettingsStore::WriteString(std::string_view section, std::string_view key,
                                  const std::string& value) {
  if (!settings_) return inMemory_.WriteString(section, key, value);
  settings_->setValue(KeyPath(section, key), QString::fromStdString(value));
}

void QtSettingsStore::Remove(std::string_view section, std::string_view key) {
  if (!settings_) return inMemory_.Remove(section, key);
  settings_->remove(KeyPath(section, key));
}

void QtSettingsStore::Flush() {
  if (settings_) settings_->sync();
}

}  // namespace tintara
