#include <gtest/gtest.h>

#include <QProcess>

#include "app/command_line.h"
#include "tests/support/temp_dir.h"

namespace tintara {
namespace {

struct Finished {
  int exitCode = -1;
  QString out;
  QString err;
};

// The real program with no display at all, as from a plain terminal.
Finished RunProgram(const QStringList& arguments) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(name);
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(QString::fromStdString((test::ProgramFolder() / "tintara").string()), arguments);
  Finished finished;
  if (!process.waitForFinished(30000)) {
    process.kill();
    process.waitForFinished();
    return finished;
  }
  finished.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  finished.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  finished.err = QString::fromLocal8Bit(process.readAllStandardError());
  return finished;
}

TEST(ProgramCommandLine, HelpAndVersionPrintAndExitWithoutADisplay) {
  for (const char* help : {"--help", "-h"}) {
    Finished run = RunProgram({help});
    EXPECT_EQ(run.exitCode, 0) << help << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Usage: tintara")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("--settings")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("--version")) << run.out.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
  }
  Finished version = RunProgram({"--version"});
  EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
  EXPECT_EQ(version.out, "Tintara 2.0\n");
  // Asked for beside other words, the answer is the same.
  EXPECT_EQ(RunProgram({"--settings", "x.ini", "photo.jpg", "--version"}).out, "Tintara 2.0\n");
  EXPECT_FALSE(InformationRequested({"--settings", "a.ini", "photo.jpg"}).has_value());
}

}  // namespace
}  // namespace tintara
