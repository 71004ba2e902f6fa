// The program's command line: an optional project or picture to open, and
// "--settings FILE.ini" to keep the settings in an INI file instead of the
// user's store (used by tests and for portable set-ups).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tintara {

struct CommandLine {
  QString settingsFile;  // empty: the user's store
  QString fileToOpen;    // empty: none
  QString error;         // non-empty: the arguments could not be understood
};

// What --help prints, and --version.
QString UsageText();
QString VersionText();
// The usage or the version text when the raw arguments ask for one (the
// first such word wins), whatever else they hold.
std::optional<QString> InformationRequested(const QStringList& arguments);

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace tintara
