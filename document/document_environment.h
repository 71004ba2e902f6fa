// What the document reaches outside itself: the user (UiHost, Dialogs), the
// settings, the application-wide state it reads and sets, and the services of
// the layers around it. The application object owns it and keeps its values
// current; tests fill it directly.
#pragma once

#include <functional>
#include <string>

#include <utility>
#include "ports/ui_host.h"
#include "storage/app_settings.h"

namespace tintara {

class Dialogs;
class SettingsStore;
class PrinterInfo;
class FilterSite;
class CTessel20Doc;
class TextRasterizer;

struct DocumentEnvironment {
  DocumentEnvironment(UiHost& uiHost, Dialogs& dialogPort, SettingsStore& settingsStore)
      : ui(uiHost), dialogs(dialogPort), settings(settingsStore) {}

  UiHost& ui;
  Dialogs& dialogs;
  SettingsStore& settings;

  // The application's settings while it runs; the one copy every part reads.
  AppSettings app;
  // Application-wide state.
  bool patternEditing = false;  // the user works on the painting pattern
  ProgressCounters progress;
  std::string programFolder;

  FilterSite* filters = nullptr;
  const PrinterInfo* printer = nullptr;
  // Draws the text placed on the pattern; null where no fonts are available.
  TextRasterizer* textRasterizer = nullptr;

  bool StandardInterface() const { return app.winInterface.value_or(0) == 1; }
  bool GraphicalToolbars() const { return app.graph != 0; }
  bool AutoPaletteWindow() const { return app.showColorsPalette != 0; }
  bool AutoNavigator() const { return app.showNavigator != 0; }

  // The Save command of the shell (asks for a name when the project has none);
  // false when nothing was saved.
  std::function<bool(CTessel20Doc&)> saveProject;
  // Called after a project was opened or saved, to keep the recent-project
  // settings (the storage layer installs them).
  std::function<void(const std::string&)> projectOpened;
  std::function<void(const std::string&)> projectSaved;
};

}  // namespace tintara
