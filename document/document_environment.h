// What the document reaches outside itself: the user (UiHost, Dialogs), the
// settings, the application-wide state it reads and sets, and the services of
// the layers around it. The application object owns it and keeps its values
// current; tests fill it directly.
#pragma once

#include <functional>
#include <string>

#include <utility>
#include "ports/ui_host.h"

namespace tintara {

class Dialogs;
class SettingsStore;
class PrinterInfo;
class FilterSite;
class CTessel20Doc;

struct DocumentEnvironment {
  DocumentEnvironment(UiHost& uiHost, Dialogs& dialogPort, SettingsStore& settingsStore)
      : ui(uiHost), dialogs(dialogPort), settings(settingsStore) {}

  UiHost& ui;
  Dialogs& dialogs;
  SettingsStore& settings;

  // Application-wide state.
  bool patternEditing = false;     // the user works on the painting pattern
  bool standardInterface = false;  // menus and tool bars instead of stage panels
  bool graphicalToolbars = true;   // stage panels shown
  bool autoPaletteWindow = true;   // open the colour palette window after a pattern is made
  bool autoNavigator = true;       // likewise the navigator
  int colorCorrectionPercent = 100;
  // Printer dots of the whole pattern (width, height) for the current page settings.
  std::function<std::pair<int, int>()> pagePixelSize;
  ProgressCounters progress;
  std::string programFolder;

  FilterSite* filters = nullptr;
  const PrinterInfo* printer = nullptr;

  // The Save command of the shell (asks for a name when the project has none);
  // false when nothing was saved.
  std::function<bool(CTessel20Doc&)> saveProject;
  // Called after a project was opened or saved, to keep the recent-project
  // settings (the storage layer installs them).
  std::function<void(const std::string&)> projectOpened;
  std::function<void(const std::string&)> projectSaved;
};

}  // namespace tintara
