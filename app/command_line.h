// The program's command line: an optional project or picture to open, and
// "--settings FILE.ini" to keep the settings in an INI file instead of the
// user's store (used by tests and for portable set-ups).
#pragma once

#include <QString>
#include <QStringList>

namespace tintara {

struct CommandLine {
  QString settingsFile;  // empty: the user's store
  QString fileToOpen;    // empty: none
  QString error;         // non-empty: the arguments could not be understood
};

// `arguments` without the program name.
CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace tintara
