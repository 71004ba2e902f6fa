// Runs the built tintara-cli (it sits beside the test program) with no
// display and no Qt platform chosen, as a batch job would.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <fstream>
#include <string>

#include "platform/picture_files.h"
#include "storage/project_file.h"
#include "tests/support/project_reading.h"
#include "tests/support/synthetic_images.h"
#include "tests/support/temp_dir.h"

namespace tintara::test {

struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
  // Lines on standard error that are not progress or notes.
  QStringList ErrorLines() const {
    QStringList lines;
    for (const QString& line : err.split('\n', Qt::SkipEmptyParts)) {
      if (!line.startsWith("progress ") && !line.startsWith("note: ")) lines << line;
    }
    return lines;
  }
  // The "note: " lines on standard error, without the prefix.
  QStringList NoteLines() const {
    QStringList lines;
    for (const QString& line : err.split('\n', Qt::SkipEmptyParts)) {
      if (line.startsWith("note: ")) lines << line.mid(6);
    }
    return lines;
  }
};

class CliTest : public ::testing::Test {
 protected:
  CliTest() {
    // 150 dpi keeps patterns small; the classic paints, unmerged on the page as
    // set, are what the exact outputs here were made with.
    std::ofstream(Path("settings.ini"))
        << "[SETTINGS]\nPRNRES=0\nCOLORMATCH=0\nMERGESMALLAREAS=0\nAUTOORIENT=0\n";
    environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", QString::fromStdString(Path("config")));
    environment.insert("HOME", QString::fromStdString(dir.Path().string()));
  }

  std::string Path(const std::string& name) const { return dir.File(name); }
  QString Q(const std::string& name) const { return QString::fromStdString(Path(name)); }

  // Runs with the test's settings file unless `withSettings` is false.
  CliResult Run(QStringList arguments, bool withSettings = true) {
    if (withSettings && arguments.size() > 0) {
      arguments.insert(1, Q("settings.ini"));
      arguments.insert(1, "--settings");
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString((ProgramFolder() / "tintara-cli").string()), arguments);
    CliResult result;
    if (!process.waitForFinished(120000)) {
      ADD_FAILURE() << "tintara-cli did not finish";
      process.kill();
      process.waitForFinished();
      return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
  }

  // A photo-like picture saved as PNG at 300 dpi; returns what was saved.
  QImage WritePicture(const std::string& name, int width, int height, uint32_t seed = 1) {
    QImage image = ImageToQImage(*MakePhoto(width, height, seed)).convertToFormat(QImage::Format_RGB32);
    image.setDotsPerMeterX(11811);
    image.setDotsPerMeterY(11811);
    EXPECT_TRUE(image.save(Q(name)));
    return image;
  }

  // `create` of a small picture with a few settings given; the project's path.
  std::string CreateProject(const std::string& name = "project.mop") {
    photo = WritePicture("photo.png", 120, 80);
    CliResult result = Run({"create", Q("photo.png"), "-o", Q(name), "--colors", "8", "--brand",
                            "GoldenHeavyBody", "--type", "5", "--border-color", "102030"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    return Path(name);
  }

  QJsonObject Info(const std::string& project) {
    CliResult result = Run({"info", QString::fromStdString(project), "--json"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    QJsonParseError error;
    QJsonDocument json = QJsonDocument::fromJson(result.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << result.out.toStdString();
    return json.object();
  }

  // The project as the program reads it.
  ProjectData Read(const std::string& project) { return ReadProjectAt(project); }

  std::string SettingsText() const {
    std::ifstream in(Path("settings.ini"));
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  TempDir dir;
  QProcessEnvironment environment;
  QImage photo;  // the picture CreateProject made its project from
};

// Pages of a PDF file written by Qt: its page objects.
inline int PdfPageCount(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return -1;
  QByteArray bytes = file.readAll();
  int pages = 0;
  for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1)) {
    if (bytes.mid(at + 11, 1) != "s") ++pages;
  }
  return pages;
}

}  // namespace tintara::test
