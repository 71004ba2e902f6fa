#include "storage/app_settings.h"

#include <filesystem>
#include <unistd.h>

#include "colors/file_names.h"
#include "storage/settings_keys.h"

namespace tintara {

namespace {

void CreateFolderQuietly(const std::string& folder) {
  std::error_code ignored;
  if (!folder.empty() && !std::filesystem::exists(folder, ignored)) {
    std::filesystem::create_directory(folder, ignored);
  }
}

std::string TextOrDefault(const SettingsStore& store, Setting setting,
                          const std::string& fallback) {
  std::string value = ReadSettingText(store, setting);
  return value.empty() ? fallback : value;
}

}  // namespace

void AppSettings::ReadStartup(const SettingsStore& store,
                              const std::string& defaultProjectsFolder) {
  projectsFolder = TextOrDefault(store, Setting::kPathsProjects, defaultProjectsFolder);
  if (projectsFolder == defaultProjectsFolder) {
    // The user's documents folder may itself be missing on a new account.
    std::error_code ignored;
    std::filesystem::create_directories(projectsFolder, ignored);
  }
  const std::string underProjects = WithTrailingSeparator(projectsFolder);
  imagesFolder = TextOrDefault(store, Setting::kPathsImages, underProjects);
  convertedFolder = TextOrDefault(store, Setting::kPathsConverted, underProjects);
  patternsFolder = TextOrDefault(store, Setting::kPathsPatterns, underProjects);
  CreateFolderQuietly(imagesFolder);
  CreateFolderQuietly(convertedFolder);
  CreateFolderQuietly(patternsFolder);

  animation = ReadSetting(store, Setting::kInterfaceAnimation);
  menu = ReadSetting(store, Setting::kInterfaceMenu);
  graph = ReadSetting(store, Setting::kInterfaceGraph);
  winInterface.reset();
  if (HasSetting(store, Setting::kInterfaceWinInterface)) {
    winInterface = ReadSetting(store, Setting::kInterfaceWinInterface);
  }
  prefUnits = ReadSetting(store, Setting::kInterfacePrefUnits);
  EnsureMenuOrToolbars();
  autoSave = ReadSetting(store, Setting::kAutoSave);
  colorCorrectionPercent = ReadSetting(store, Setting::kColorCorrectionPercent);
  colorMatch = ReadSetting(store, Setting::kColorMatch);
  listView = ReadSetting(store, Setting::kColorsSelectionListView);
  page = ReadPageSettings(store);
}

void AppSettings::ReadAfterMainWindow(const SettingsStore& store) {
  selectorPosX = ReadSetting(store, Setting::kSelectorPosX);
  selectorPosY = ReadSetting(store, Setting::kSelectorPosY);
  selectorPlaced = HasSetting(store, Setting::kSelectorPosX);
  twainScanner = ReadSettingText(store, Setting::kTwainScanner);
  twainCamera = ReadSettingText(store, Setting::kTwainCamera);
  twainOther = ReadSettingText(store, Setting::kTwainOther);
  // Sheets never chosen for printing are those the pattern is made for.
  printFit = HasSetting(store, Setting::kPrintFit) ? ReadSetting(store, Setting::kPrintFit)
                                                   : PatternSheetsPerSide(page);
  if (printFit == 0) printFit = 1;
  printSeparate = ReadSetting(store, Setting::kPrintSeparate);
  printMarkEach = ReadSetting(store, Setting::kPrintMarkEach);
  if (printMarkEach == 0) printMarkEach = 10;
  printMarksDigits = ReadSetting(store, Setting::kPrintMarksDigits);
  printShoppingList = ReadSetting(store, Setting::kPrintShoppingList);
  printCoverageMicrolitres = ReadSetting(store, Setting::kPrintCoverage);
  printCoats = ReadSetting(store, Setting::kPrintCoats);
  printPotMillilitres = ReadSetting(store, Setting::kPrintPotSize);
  printSheetColors = ReadSetting(store, Setting::kPrintSheetColors);
  printOverlapMm = ReadSetting(store, Setting::kPrintOverlap);
  printMarks = ReadSetting(store, Setting::kPrintMarks);
  showColorsPalette = ReadSetting(store, Setting::kShowColorsPalette);
  showNavigator = ReadSetting(store, Setting::kShowNavigator);
  mergeSmallAreas = ReadSetting(store, Setting::kMergeSmallAreas);
  minAreaDiameter = ReadSetting(store, Setting::kMinAreaDiameter);
}

void AppSettings::ReadAll(const SettingsStore& store, const std::string& defaultProjectsFolder) {
  ReadStartup(store, defaultProjectsFolder);
  ReadAfterMainWindow(store);
}

void AppSettings::WriteAll(SettingsStore& store) const {
  WriteSetting(store, Setting::kInterfacePrefUnits, prefUnits);
  WriteSetting(store, Setting::kAutoSave, autoSave);
  // An unplaced window keeps opening beside the canvas.
  if (selectorPlaced) {
    WriteSetting(store, Setting::kSelectorPosX, selectorPosX);
    WriteSetting(store, Setting::kSelectorPosY, selectorPosY);
  }
  WriteSetting(store, Setting::kInterfaceAnimation, animation);
  WriteSetting(store, Setting::kInterfaceMenu, menu);
  WriteSetting(store, Setting::kInterfaceGraph, graph);
  if (winInterface) WriteSetting(store, Setting::kInterfaceWinInterface, *winInterface);
  WriteSettingText(store, Setting::kTwainScanner, twainScanner);
  WriteSettingText(store, Setting::kTwainCamera, twainCamera);
  WriteSettingText(store, Setting::kTwainOther, twainOther);
  WriteSetting(store, Setting::kPrintFit, printFit);
  WriteSetting(store, Setting::kPrintSeparate, printSeparate);
  WriteSetting(store, Setting::kPrintMarkEach, printMarkEach);
  WriteSetting(store, Setting::kPrintMarksDigits, printMarksDigits);
  WriteSetting(store, Setting::kPrintShoppingList, printShoppingList);
  WriteSetting(store, Setting::kPrintCoverage, printCoverageMicrolitres);
  WriteSetting(store, Setting::kPrintCoats, printCoats);
  WriteSetting(store, Setting::kPrintPotSize, printPotMillilitres);
  WriteSetting(store, Setting::kPrintSheetColors, printSheetColors);
  WriteSetting(store, Setting::kPrintOverlap, printOverlapMm);
  WriteSetting(store, Setting::kPrintMarks, printMarks);
  WriteSetting(store, Setting::kShowColorsPalette, showColorsPalette);
  WriteSetting(store, Setting::kShowNavigator, showNavigator);
  WriteSetting(store, Setting::kColorCorrectionPercent, colorCorrectionPercent);
  WriteSetting(store, Setting::kColorMatch, colorMatch);
  WriteSetting(store, Setting::kColorsSelectionListView, listView);
  WriteSetting(store, Setting::kMergeSmallAreas, mergeSmallAreas);
  WriteSetting(store, Setting::kMinAreaDiameter, minAreaDiameter);
  WritePageSettings(store, page);
  WriteSettingText(store, Setting::kPathsProjects, projectsFolder);
  WriteSettingText(store, Setting::kPathsImages, imagesFolder);
  WriteSettingText(store, Setting::kPathsConverted, convertedFolder);
  WriteSettingText(store, Setting::kPathsPatterns, patternsFolder);
  store.Flush();
}

void AppSettings::EnsureMenuOrToolbars() {
  if (menu == 0 && graph == 0) menu = 1;
}

PatternPageSettings ReadPageSettings(const SettingsStore& store) {
  PatternPageSettings page;
  page.pageCount = ReadSetting(store, Setting::kPageCount);
  page.useDefaultPrinter = ReadSetting(store, Setting::kUseDefaultPrinter);
  page.paperSize = ReadSetting(store, Setting::kPaperSize);
  page.printResolution = ReadSetting(store, Setting::kPrintResolution);
  page.orientation = ReadSetting(store, Setting::kOrientation);
  page.autoOrientation = ReadSetting(store, Setting::kAutoOrientation);
  return page;
}

void WritePageSettings(SettingsStore& store, const PatternPageSettings& page) {
  WriteSetting(store, Setting::kPageCount, page.pageCount);
  WriteSetting(store, Setting::kUseDefaultPrinter, page.useDefaultPrinter);
  WriteSetting(store, Setting::kPaperSize, page.paperSize);
  WriteSetting(store, Setting::kPrintResolution, page.printResolution);
  WriteSetting(store, Setting::kOrientation, page.orientation);
  WriteSetting(store, Setting::kAutoOrientation, page.autoOrientation);
}

std::string ProgramFolderOf(const std::string& programPath) {
  return WithTrailingSeparator(FolderOf(programPath));
}

std::string ProgramIniPath(const std::string& programPath) {
  std::string name = FileNameOf(programPath);
  size_t dot = name.rfind('.');
  std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
  return programPath.substr(0, programPath.size() - name.size()) + stem + ".INI";
}

std::string ConvertIniPath(const std::string& programFolder) {
  return JoinPath(programFolder, "CONVERT.INI");
}

std::string WritableIniPath(const std::string& preferred, const std::string& fallbackFolder) {
  std::string folder = FolderOf(preferred);
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK) == 0) return preferred;
  return JoinPath(fallbackFolder, FileNameOf(preferred));
}

}  // namespace tintara
