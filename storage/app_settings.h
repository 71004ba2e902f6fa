// The application's start-up settings: read once when the program starts,
// written back when it ends.
#pragma once

#include <optional>
#include <string>

#include "colors/page_settings.h"
#include "ports/settings_store.h"

namespace tintara {

struct AppSettings {
  // PATHS: the projects folder and the folders last used for pictures,
  // converted pictures and painting patterns.
  std::string projectsFolder;
  std::string imagesFolder;
  std::string convertedFolder;
  std::string patternsFolder;
  // INTERFACE
  int animation = 1;
  int menu = 1;
  int graph = 1;
  std::optional<int> winInterface;  // not set: the interface question is asked
  int prefUnits = 0;                // 0 centimetres, otherwise inches
  int autoSave = 0;
  int colorCorrectionPercent = 100;
  int colorMatch = 1;  // a PaintChoice: how paints are chosen for a picture
  int listView = 1;
  // Pattern creation merges areas narrower than minAreaDiameter tenths of a
  // millimetre once printed, and numbers go only where they fit.
  int mergeSmallAreas = 1;
  int minAreaDiameter = 25;
  PatternPageSettings page;
  // Read once the main window exists.
  int selectorPosX = 10;
  int selectorPosY = 10;
  bool selectorPlaced = false;  // the position above was stored
  std::string twainScanner;
  std::string twainCamera;
  std::string twainOther;
  int printFit = 1;
  int printSeparate = 0;
  int printMarkEach = 10;
  int printMarksDigits = 1;
  int printShoppingList = 0;
  int printCoverageMicrolitres = 100;  // per 10 cm², one coat
  int printCoats = 2;
  int printPotMillilitres = 20;
  int printSheetColors = 0;
  int printOverlapMm = 0;
  int printMarks = 0;
  int showColorsPalette = 1;
  int showNavigator = 1;

  // PATHS (with their defaults, creating missing folders), INTERFACE,
  // AUTOSAVE, COLORCORRECTION, COLORSSELECTION and the page settings. The
  // projects folder defaults to `defaultProjectsFolder` (a folder the user
  // may write: the program's own folder may not be), the picture folders to it.
  void ReadStartup(const SettingsStore& store, const std::string& defaultProjectsFolder);
  // SELECTOR, TWAIN, PRINT and PALETTES.
  void ReadAfterMainWindow(const SettingsStore& store);
  void ReadAll(const SettingsStore& store, const std::string& defaultProjectsFolder);
  // Everything above, in the order of the exit; an unset WININTERFACE stays unset.
  void WriteAll(SettingsStore& store) const;

  // With both the menu and the tool bars off nothing could be used: the menu
  // comes back.
  void EnsureMenuOrToolbars();
};

PatternPageSettings ReadPageSettings(const SettingsStore& store);
void WritePageSettings(SettingsStore& store, const PatternPageSettings& page);

// Drive and folder of the program file, with a trailing separator.
std::string ProgramFolderOf(const std::string& programPath);
// The program's own settings file: its path with the extension ".INI".
std::string ProgramIniPath(const std::string& programPath);
// "CONVERT.INI" in the program folder.
std::string ConvertIniPath(const std::string& programFolder);
// `preferred` when its folder is writable, else the same file name in
// `fallbackFolder` (the user's configuration folder).
std::string WritableIniPath(const std::string& preferred, const std::string& fallbackFolder);

}  // namespace tintara
