// Every settings key of the program in one table: section, key, type and
// default. Depends on nothing but the settings port, so every layer may use it.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <string>
#include <string_view>

#include "ports/settings_store.h"

namespace tintara {

enum class Setting : int {
  kPathsProjects,
  kPathsImages,
  kPathsConverted,
  kPathsPatterns,
  kInterfaceAnimation,
  kInterfaceMenu,
  kInterfaceGraph,
  kInterfaceWinInterface,
  kInterfacePrefUnits,
  kAutoSave,
  kColorCorrectionPercent,
  kColorsSelectionListView,
  kPageCount,
  kUseDefaultPrinter,
  kPaperSize,
  kPrintResolution,
  kOrientation,
  kPatternType,
  kBorderColor,
  kAuxRed,
  kAuxGreen,
  kAuxBlue,
  kCurrentColor,
  kPenWidth,
  kPenShape,
  kCurrentBrandColor,
  kBrand,
  kNeededNumColors,
  kSelectorPosX,
  kSelectorPosY,
  kTwainScanner,
  kTwainCamera,
  kTwainOther,
  kPrintFit,
  kPrintSeparate,
  kPrintMarkEach,
  kPrintMarksDigits,
  kPrintShoppingList,  // the material list also says how much paint to buy
  kPrintCoverage,      // microlitres of paint per 10 cm² for one coat
  kPrintCoats,
  kPrintPotSize,       // millilitres in one pot
  kPrintSheetColors,   // each sheet lists the colour numbers it holds
  kPrintOverlap,       // millimetres each sheet repeats of its neighbours
  kPrintMarks,         // registration marks at the sheets' corners
  kShowColorsPalette,
  kShowNavigator,
  kColorsPalettePosX,
  kColorsPalettePosY,
  kNavigatorPosX,
  kNavigatorPosY,
  kTilesPalettePosX,
  kTilesPalettePosY,
  kReduceColorsNumColors,
  kPictureMemoryLimit,  // MiB the pictures of one project may take together
  kWizardShowOnStart,
  kWizardLastProject,
  kWizardRecentProject,  // key "LAST%d", numbered from 0
  kRecentFile,           // the shell's own list: key "File%d", numbered from 1
  kConvertOpenDir,       // in "CONVERT.INI"
  kConvertSaveDir,       // in "CONVERT.INI"
  kMergeSmallAreas,      // 1: pattern creation merges areas too small to paint
  kMinAreaDiameter,      // their smallest printed width, in tenths of a millimetre
  kColorMatch,           // 0 the picture's colours as paints, 1 the paints closest to it
  kAutoOrientation,      // 1: the page turns to suit the picture
  kCount,
};

enum class SettingType { kInteger, kString };

enum class SettingDefault {
  kFixed,    // the table's value
  kDerived,  // computed from the program folder (the PATHS keys)
  kNone,     // a missing key stays missing
};

enum class SettingFile { kStore, kConvertIni };

struct SettingKey {
  Setting id;
  std::string_view section;
  std::string_view key;
  SettingType type;
  SettingDefault defaultKind;
  int intDefault;
  // The values the program's own dialogs could store; anything else read from
  // the store counts as missing (text keys: unused).
  int minValue;
  int maxValue;
  std::string_view textDefault;
  SettingFile file = SettingFile::kStore;
};

namespace settings_table {

using enum Setting;
constexpr SettingType kInt = SettingType::kInteger;
constexpr SettingType kText = SettingType::kString;
constexpr SettingDefault kFixed = SettingDefault::kFixed;
constexpr SettingDefault kDerived = SettingDefault::kDerived;
constexpr SettingDefault kNone = SettingDefault::kNone;
constexpr int kScreenSpan = 1 << 20;  // window positions: any desktop, none absurd

inline constexpr std::array<SettingKey, size_t(Setting::kCount)> kTable{{
    {kPathsProjects, "PATHS", "PROJECTS", kText, kDerived, 0, 0, 0, ""},
    {kPathsImages, "PATHS", "IMAGES", kText, kDerived, 0, 0, 0, ""},
    {kPathsConverted, "PATHS", "CONVERTED", kText, kDerived, 0, 0, 0, ""},
    {kPathsPatterns, "PATHS", "PATTERNS", kText, kDerived, 0, 0, 0, ""},
    {kInterfaceAnimation, "INTERFACE", "ANIMATION", kInt, kFixed, 1, 0, 1, ""},
    {kInterfaceMenu, "INTERFACE", "MENU", kInt, kFixed, 1, 0, 1, ""},
    {kInterfaceGraph, "INTERFACE", "GRAPH", kInt, kFixed, 1, 0, 1, ""},
    {kInterfaceWinInterface, "INTERFACE", "WININTERFACE", kInt, kNone, 0, 0, 1, ""},
    {kInterfacePrefUnits, "INTERFACE", "PREFUNITS", kInt, kFixed, 0, INT_MIN, INT_MAX, ""},
    {kAutoSave, "AUTOSAVE", "AUTOSAVE", kInt, kFixed, 0, 0, 1, ""},
    {kColorCorrectionPercent, "COLORCORRECTION", "PERCENT", kInt, kFixed, 100, 0, 10000, ""},
    {kColorsSelectionListView, "COLORSSELECTION", "LISTVIEW", kInt, kFixed, 1, 0, 1, ""},
    {kPageCount, "SETTINGS", "NUMPAGES", kInt, kFixed, 0, 0, 9, ""},
    {kUseDefaultPrinter, "SETTINGS", "USECURPRN", kInt, kFixed, 1, 0, 1, ""},
    {kPaperSize, "SETTINGS", "PRNPAGESIZE", kInt, kFixed, 3, 0, 7, ""},
    {kPrintResolution, "SETTINGS", "PRNRES", kInt, kFixed, 2, 0, 5, ""},
    {kOrientation, "SETTINGS", "PRNORIENT", kInt, kFixed, 0, 0, 1, ""},
    {kPatternType, "SETTINGS", "TESSELMETHOD", kInt, kFixed, 5, 0, 6, ""},
    {kBorderColor, "SETTINGS", "BORDERCOLOR", kInt, kFixed, 0x808080, 0, 0xFFFFFF, ""},
    {kAuxRed, "SETTINGS", "UGR", kInt, kFixed, 255, 0, 255, ""},
    {kAuxGreen, "SETTINGS", "UGG", kInt, kFixed, 232, 0, 255, ""},
    {kAuxBlue, "SETTINGS", "UGB", kInt, kFixed, 196, 0, 255, ""},
    {kCurrentColor, "SETTINGS", "CURCOLOR", kInt, kFixed, 0, 0, 255, ""},
    {kPenWidth, "SETTINGS", "PENWIDTH", kInt, kFixed, 1, 0, 7, ""},
    {kPenShape, "SETTINGS", "PENSHAPE", kInt, kFixed, 1, 0, 1, ""},
    {kCurrentBrandColor, "SETTINGS", "CURBRANDCOLOR", kInt, kFixed, -1, -1, 0xFFFF, ""},
    {kBrand, "SETTINGS", "BRAND", kText, kFixed, 0, 0, 0, ""},
    {kNeededNumColors, "SETTINGS", "NEEDEDNUMCOLORS", kInt, kFixed, 32, 2, 256, ""},
    {kSelectorPosX, "SELECTOR", "POSX", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kSelectorPosY, "SELECTOR", "POSY", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kTwainScanner, "TWAIN", "SCANNER", kText, kFixed, 0, 0, 0, ""},
    {kTwainCamera, "TWAIN", "CAMERA", kText, kFixed, 0, 0, 0, ""},
    {kTwainOther, "TWAIN", "OTHER", kText, kFixed, 0, 0, 0, ""},
    {kPrintFit, "PRINT", "FIT", kInt, kFixed, 1, 0, 10, ""},
    {kPrintSeparate, "PRINT", "SEPARATE", kInt, kFixed, 0, INT_MIN, INT_MAX, ""},
    {kPrintMarkEach, "PRINT", "MARKEACH", kInt, kFixed, 10, INT_MIN, INT_MAX, ""},
    {kPrintMarksDigits, "PRINT", "PRINTMARKSDIGITS", kInt, kFixed, 1, INT_MIN, INT_MAX, ""},
    {kPrintShoppingList, "PRINT", "SHOPPINGLIST", kInt, kFixed, 0, 0, 1, ""},
    {kPrintCoverage, "PRINT", "COVERAGEUL", kInt, kFixed, 100, 1, 100000, ""},
    {kPrintCoats, "PRINT", "COATS", kInt, kFixed, 2, 1, 20, ""},
    {kPrintPotSize, "PRINT", "POTML", kInt, kFixed, 20, 1, 100000, ""},
    {kPrintSheetColors, "PRINT", "SHEETCOLORS", kInt, kFixed, 0, 0, 1, ""},
    {kPrintOverlap, "PRINT", "OVERLAPMM", kInt, kFixed, 0, 0, 15, ""},
    {kPrintMarks, "PRINT", "REGMARKS", kInt, kFixed, 0, 0, 1, ""},
    {kShowColorsPalette, "PALETTES", "COLORS", kInt, kFixed, 1, 0, 1, ""},
    {kShowNavigator, "PALETTES", "NAVIGATOR", kInt, kFixed, 1, 0, 1, ""},
    {kColorsPalettePosX, "COLORSPAL", "POSX", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kColorsPalettePosY, "COLORSPAL", "POSY", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kNavigatorPosX, "NAVIGATORPAL", "POSX", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kNavigatorPosY, "NAVIGATORPAL", "POSY", kInt, kFixed, 10, -kScreenSpan, kScreenSpan, ""},
    {kTilesPalettePosX, "TESSELSSPAL", "POSX", kInt, kNone, 0, -kScreenSpan, kScreenSpan, ""},
    {kTilesPalettePosY, "TESSELSSPAL", "POSY", kInt, kNone, 0, -kScreenSpan, kScreenSpan, ""},
    {kReduceColorsNumColors, "REDUCECOLORS", "NUMCOLORS", kInt, kFixed, 32, 2, 256, ""},
    {kPictureMemoryLimit, "MEMORY", "PICTURESMB", kInt, kFixed, 2048, 64, 1 << 20, ""},
    // 0 when read at start-up; the wizard's own check box reads it with 1.
    {kWizardShowOnStart, "WIZARD", "SHOWONSTART", kInt, kFixed, 0, 0, 1, ""},
    {kWizardLastProject, "WIZARD", "LASTPROJECT", kText, kFixed, 0, 0, 0, ""},
    {kWizardRecentProject, "WIZARD", "LAST%d", kText, kFixed, 0, 0, 0, ""},
    {kRecentFile, "Recent File List", "File%d", kText, kFixed, 0, 0, 0, ""},
    {kConvertOpenDir, "Settings", "OpenDir", kText, kFixed, 0, 0, 0, "", SettingFile::kConvertIni},
    {kConvertSaveDir, "Settings", "SaveDir", kText, kFixed, 0, 0, 0, "", SettingFile::kConvertIni},
    {kMergeSmallAreas, "SETTINGS", "MERGESMALLAREAS", kInt, kFixed, 1, 0, 1, ""},
    {kMinAreaDiameter, "SETTINGS", "MINAREADIAMETER", kInt, kFixed, 25, 1, 1000, ""},
    {kColorMatch, "SETTINGS", "COLORMATCH", kInt, kFixed, 1, 0, 1, ""},
    {kAutoOrientation, "SETTINGS", "AUTOORIENT", kInt, kFixed, 1, 0, 1, ""},
}};

constexpr bool EveryDefaultInRange() {
  for (const SettingKey& key : kTable) {
    if (key.type == kInt && key.defaultKind == kFixed &&
        (key.intDefault < key.minValue || key.intDefault > key.maxValue)) {
      return false;
    }
  }
  return true;
}
static_assert(EveryDefaultInRange(), "a default must be a value the key accepts");

constexpr bool EveryRowInItsPlace() {
  for (size_t i = 0; i < kTable.size(); ++i) {
    if (size_t(kTable[i].id) != i) return false;
  }
  return true;
}
static_assert(EveryRowInItsPlace(), "settings table rows must follow the Setting order");

}  // namespace settings_table

constexpr const SettingKey& KeyOf(Setting setting) {
  return settings_table::kTable[size_t(setting)];
}
constexpr const auto& AllSettingKeys() { return settings_table::kTable; }

// The key name of a numbered key ("LAST%d", "File%d").
std::string NumberedKey(Setting setting, int number);

// Reads with the table's default. An integer key without a default reads as 0.
// A stored integer outside the key's range reads as the default.
int ReadSetting(const SettingsStore& store, Setting setting);
std::string ReadSettingText(const SettingsStore& store, Setting setting);
// Reads with another default (the wizard's SHOWONSTART, derived folders).
int ReadSetting(const SettingsStore& store, Setting setting, int defaultValue);
std::string ReadSettingText(const SettingsStore& store, Setting setting,
                            const std::string& defaultValue);
bool HasSetting(const SettingsStore& store, Setting setting);
void WriteSetting(SettingsStore& store, Setting setting, int value);
// Whether the key accepts the value.
bool IsInRange(Setting setting, int value);
void WriteSettingText(SettingsStore& store, Setting setting, const std::string& value);

}  // namespace tintara
