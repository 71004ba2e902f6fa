#include "platform/private_profile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tintara {

QString PrivateProfilePath(const QString& programFolder, const QString& fileName) {
  QFileInfo beside(QDir(programFolder).filePath(fileName));
  bool writable = beside.exists() ? beside.isWritable() : QFileInfo(programFolder).isWritable();
  if (writable) return beside.filePath();
  QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  QDir folder(QDir(config).filePath(QStringLiteral("Tintara")));
  folder.mkpath(QStringLiteral("."));
  return folder.filePath(fileName);
}

}  // namespace tintara
