#include "app/command_line.h"

namespace tintara {

QString UsageText() {
  return QStringLiteral(
      "Usage: tintara [--settings FILE.ini] [PROJECT.mop | PICTURE]\n"
      "Turns a photo into a numbered painting pattern.\n"
      "\n"
      "  PROJECT.mop          a project to open\n"
      "  PICTURE              a picture to load as a new project\n"
      "  --settings FILE.ini  keep the settings in this INI file instead of the user's\n"
      "  -h, --help           show this help and exit\n"
      "  -v, --version        show the version and exit\n"
      "\n"
      "Without a display, use tintara-cli.\n");
}

QString VersionText() { return QStringLiteral("Tintara 2.0\n"); }

std::optional<QString> InformationRequested(const QStringList& arguments) {
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) return UsageText();
    if (argument == QLatin1String("--version") || argument == QLatin1String("-v")) {
      return VersionText();
    }
  }
  return std::nullopt;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  CommandLine line;
  for (int i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--settings")) {
      if (i + 1 >= arguments.size()) {
        line.error = QStringLiteral("--settings needs the path of an INI file.");
        return line;
      }
      line.settingsFile = arguments[++i];
    } else if (argument.startsWith(QLatin1String("--settings="))) {
      line.settingsFile = argument.mid(11);
    } else if (argument.startsWith(QLatin1String("--"))) {
      line.error = QStringLiteral("Unknown option %1.").arg(argument);
      return line;
    } else if (line.fileToOpen.isEmpty()) {
      line.fileToOpen = argument;
    } else {
      line.error = QStringLiteral("Only one file can be opened at a time.");
      return line;
    }
  }
  return line;
}

}  // namespace tintara
