#include <QApplication>
#include <cstdio>
#include <optional>

#include "app/command_line.h"
#include "app/tessel20_app.h"

int main(int argc, char** argv) {
  // Answered before any window system is touched, so that they work without a display.
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (std::optional<QString> answer = tintara::InformationRequested(arguments)) {
    std::fputs(qPrintable(*answer), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("TAVEN Imaging Tintara"));
  QApplication::setApplicationName(QStringLiteral("Tintara 2.0"));
  QApplication::setApplicationVersion(QStringLiteral("2.0"));
  tintara::CommandLine line = tintara::ParseCommandLine(QApplication::arguments().mid(1));
  if (!line.error.isEmpty()) {
    std::fprintf(stderr, "tintara: %s\nUsage: tintara [--settings FILE.ini] [PROJECT.mop | PICTURE]\n",
                 qPrintable(line.error));
    return 2;
  }
  tintara::AppOptions options;
  options.programPath = QApplication::applicationFilePath();
  options.settingsFile = line.settingsFile;
  options.fileToOpen = line.fileToOpen;
  tintara::CTessel20App app(options);
  switch (app.Start()) {
    case tintara::StartResult::kCancelled: return 0;
    case tintara::StartResult::kFailed: return 1;
    case tintara::StartResult::kRunning: break;
  }
  int result = QApplication::exec();
  app.Exit();
  return result;
}
