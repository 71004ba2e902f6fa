#include "app/command_line.h"

namespace tintara {

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
