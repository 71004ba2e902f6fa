// What a poppler tool (pdftotext, pdfinfo, pdfimages) prints for a file.
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace tintara::test {

// Empty when the tool is missing or does not finish within a minute.
inline QString Poppler(const QString& tool, const QStringList& arguments) {
  QProcess process;
  process.start(tool, arguments);
  if (!process.waitForFinished(60000)) return {};
  return QString::fromUtf8(process.readAllStandardOutput());
}

}  // namespace tintara::test
