#include "app/command_catalog.h"

#include <algorithm>

#include "document/command_menu_texts.h"

namespace tintara {

namespace {

using P = Place;

std::vector<CommandEntry> MakeCatalog() {
  std::vector<CommandEntry> entries = {
      // Selections; "Select" leads the picture and pattern pages.
      {cmd::kSelectRegion, nullptr, nullptr, Glyph::kSelectRegion,
       {{P::kEditMenu, 3}, {P::kStandardBar, 2}, {P::kPicturePage, 0, "Select"},
        {P::kPatternPage, 0, "Select"}}},
      {cmd::kSelectAll, "Ctrl+A", "edit-select-all", Glyph::kSelectAll, {{P::kEditMenu, 3}}},
      {cmd::kSelectNone, "Ctrl+R", nullptr, Glyph::kSelectNone, {{P::kEditMenu, 3}}},
      {cmd::kSelectInvert, "Ctrl+I", nullptr, Glyph::kSelectInvert, {{P::kEditMenu, 3}}},

      // Files.
      {cmd::kNewProject, "Ctrl+N", "document-new", Glyph::kNew, {{P::kFileMenu, 0}}},
      {cmd::kOpenProject, "Ctrl+O", "document-open", Glyph::kOpen,
       {{P::kFileMenu, 0}, {P::kStandardBar, 0}, {P::kStartPage, 0, "Open"}}},
      {cmd::kLoadPicture, "Ctrl+L", "document-import", Glyph::kLoadPicture,
       {{P::kFileMenu, 1}, {P::kStandardBar, 0}, {P::kStartPage, 0, "Load Picture"}}},
      {cmd::kSaveProject, "Ctrl+S", "document-save", Glyph::kSave,
       {{P::kFileMenu, 0}, {P::kStandardBar, 0}, {P::kFinishPage, 0, "Save"}}},
      {cmd::kSaveProjectAs, "Ctrl+Shift+S", "document-save-as", Glyph::kSaveAs,
       {{P::kFileMenu, 0}}},
      {cmd::kPastePicture, "Ctrl+V", "edit-paste", Glyph::kPaste,
       {{P::kFileMenu, 1}, {P::kStartPage, 0, "Paste"}}},
      {cmd::kAcquireScanner, nullptr, "scanner", Glyph::kScanner,
       {{P::kFileMenu, 1}, {P::kStartPage, 0, "Use Scanner"}}},
      {cmd::kAcquireCamera, nullptr, "camera-photo",
       Glyph::kCamera, {{P::kFileMenu, 1}, {P::kStartPage, 0, "Use Camera"}}},
      {cmd::kAcquireOther, nullptr, nullptr,
       Glyph::kOtherDevice, {{P::kFileMenu, 1}, {P::kStartPage, 0, "TWAIN"}}},
      {cmd::kTwainOptions, nullptr, nullptr, Glyph::kDeviceSettings, {{P::kFileMenu, 1}}},
      {cmd::kSavePictureAs, nullptr, nullptr, Glyph::kSavePicture,
       {{P::kFileMenu, 2}, {P::kPictureBar, 1}, {P::kPicturePage, 1, "Save As"}}},
      {cmd::kSaveConvertedAs, nullptr, nullptr, Glyph::kSaveConverted, {{P::kFileMenu, 2}}},
      {cmd::kSavePatternAs, nullptr, nullptr, Glyph::kSavePattern, {{P::kFileMenu, 2}}},
      {cmd::kSaveCurrentView, nullptr, nullptr, Glyph::kSaveView, {{P::kFileMenu, 2}}},
      {cmd::kSaveColorKey, nullptr, nullptr, Glyph::kColorKey, {{P::kFileMenu, 2}}},
      // Printing; "Print" and "Print Preview" pop up what to print.
      {cmd::kPrint, nullptr, "document-print", Glyph::kPrint,
       {{P::kStandardBar, 5}, {P::kFinishPage, 0, "Print"}}},
      {cmd::kPrintSetup, nullptr, nullptr, Glyph::kPrintSetup,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Print Setup"}}},
      {cmd::kPrintPreview, nullptr, "document-print-preview",
       Glyph::kPrintPreview, {{P::kStandardBar, 5}, {P::kFinishPage, 0, "Print Preview"}}},
      {cmd::kSaveAsPdf, nullptr, nullptr, Glyph::kSavePdf,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Save as PDF"}}},
      {cmd::kSavePatternSvg, nullptr, nullptr, Glyph::kSaveSvg,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Save as SVG"}}},
      {cmd::kPrintInitialPicture, nullptr, nullptr, Glyph::kNone, {{P::kPrintChoice, 0}}},
      {cmd::kPrintConvertedPicture, nullptr, nullptr, Glyph::kNone, {{P::kPrintChoice, 0}}},
      {cmd::kPrintPaintingPattern, nullptr, nullptr, Glyph::kNone, {{P::kPrintChoice, 0}}},
      {cmd::kPrintMaterialList, nullptr, nullptr, Glyph::kNone, {{P::kPrintChoice, 1}}},
      {cmd::kPreviewInitialPicture, nullptr, nullptr, Glyph::kNone, {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewConvertedPicture, nullptr, nullptr, Glyph::kNone, {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewPaintingPattern, nullptr, nullptr, Glyph::kNone, {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewMaterialList, nullptr, nullptr, Glyph::kNone, {{P::kPreviewChoice, 1}}},
      {cmd::kPictureInformation, nullptr, "document-properties", Glyph::kInfo, {{P::kFileMenu, 3}}},
      // The recent projects come here (below).
      {cmd::kExit, "Alt+F4", "application-exit", Glyph::kExit,
       {{P::kFileMenu, 5}, {P::kFinishPage, 0, "Exit"}}},

      // Undo and picture editing.
      {cmd::kUndo, "Ctrl+Z", "edit-undo", Glyph::kUndo,
       {{P::kEditMenu, 0}, {P::kStandardBar, 1}, {P::kContextMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kRedo, "Ctrl+Y; Ctrl+Shift+Z", "edit-redo", Glyph::kRedo,
       {{P::kEditMenu, 0}, {P::kStandardBar, 1}, {P::kContextMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kOptions, nullptr, "preferences-system", Glyph::kOptions,
       {{P::kOptionsMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kStartPictureEditing, nullptr, nullptr, Glyph::kEditPicture,
       {{P::kEditMenu, 1}, {P::kStandardBar, 2}}},
      {cmd::kReduceColorLevels, nullptr, nullptr, Glyph::kPosterize,
       {{P::kEditMenu, 2}, {P::kPictureBar, 0}, {P::kFilterPopup, 1, "Posterize..."}}},
      {cmd::kReduceColorsOptimized, nullptr, nullptr, Glyph::kReduceColors,
       {{P::kEditMenu, 2}, {P::kPictureBar, 0}, {P::kFilterPopup, 1, "Reduce Colors..."}}},
      {cmd::kRotatePopup, nullptr, nullptr, Glyph::kRotateMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Rotate"}}},
      {cmd::kFilterPopup, nullptr, nullptr, Glyph::kFilterMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Filter"}}},
      {cmd::kSizePopup, nullptr, nullptr, Glyph::kSizeMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Size"}}},
      {cmd::kRotateLeft, nullptr, "object-rotate-left",
       Glyph::kRotateLeft, {{P::kRotatePopup, 0, "Left 90"}}},
      {cmd::kRotateRight, nullptr, "object-rotate-right",
       Glyph::kRotateRight, {{P::kRotatePopup, 0, "Right 90"}}},
      {cmd::kRotateByAngle, nullptr, nullptr, Glyph::kRotateMenu,
       {{P::kRotatePopup, 0, "By Degree..."}}},
      {cmd::kFlipHorizontal, nullptr, "object-flip-horizontal",
       Glyph::kFlipHorizontal, {{P::kRotatePopup, 1, "Flip Horizontal"}}},
      {cmd::kFlipVertical, nullptr, "object-flip-vertical", Glyph::kFlipVertical,
       {{P::kRotatePopup, 1, "Flip Vertical"}}},
      {cmd::kFlipBoth, nullptr, nullptr, Glyph::kFlipBoth, {{P::kRotatePopup, 1, "Flip Both"}}},
      {cmd::kSmartTune, nullptr, nullptr, Glyph::kSmartTune,
       {{P::kFilterPopup, 0, "Smart Tune..."}}},
      {cmd::kLighter, nullptr, nullptr, Glyph::kLighter, {{P::kFilterPopup, 0, "Lighter"}}},
      {cmd::kDarker, nullptr, nullptr, Glyph::kDarker, {{P::kFilterPopup, 0, "Darker"}}},
      {cmd::kMoreContrast, nullptr, nullptr, Glyph::kMoreContrast,
       {{P::kFilterPopup, 0, "More Contrast"}}},
      {cmd::kLessContrast, nullptr, nullptr, Glyph::kLessContrast,
       {{P::kFilterPopup, 0, "Less Contrast"}}},
      {cmd::kSharpen, nullptr, nullptr, Glyph::kSharpen, {{P::kFilterPopup, 2, "Sharpen"}}},
      {cmd::kSmooth, nullptr, nullptr, Glyph::kSmooth, {{P::kFilterPopup, 2, "Smooth"}}},
      {cmd::kCropToSelection, nullptr, nullptr, Glyph::kCrop,
       {{P::kSizePopup, 0, "Crop To  Selection"}}},
      {cmd::kResizePicture, nullptr, nullptr, Glyph::kSizeMenu, {{P::kSizePopup, 0, "Resize..."}}},
      {cmd::kAdjustImagePanel, nullptr, nullptr, Glyph::kAdjustPanel, {{P::kEditMenu, 3}}},
      {cmd::kFilterImagePanel, nullptr, nullptr, Glyph::kFilterPanel, {{P::kEditMenu, 3}}},
      {cmd::kFinishPictureEditing, nullptr, nullptr,
       Glyph::kFinishEditing, {{P::kEditMenu, 1}, {P::kPictureBar, 2}}},
      {cmd::kUndoAllPictureEdits, nullptr, nullptr, Glyph::kReset,
       {{P::kEditMenu, 1}, {P::kPictureBar, 1}, {P::kPicturePage, 0, "Reset"}}},

      // Viewing.
      {cmd::kZoomIn, "Ctrl++; Ctrl+=", "zoom-in", Glyph::kZoomIn,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kZoomOut, "Ctrl+-", "zoom-out", Glyph::kZoomOut,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kActualSize, "Ctrl+0", "zoom-original", Glyph::kActualSize,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kFitToWindow, "Ctrl+9", "zoom-fit-best", Glyph::kFitToWindow,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kViewInitialPicture, nullptr, nullptr, Glyph::kViewInitial,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kViewConvertedPicture, nullptr, nullptr, Glyph::kViewConverted,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kViewPaintingPattern, nullptr, nullptr, Glyph::kViewPattern,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kWhatToDisplay, nullptr, nullptr, Glyph::kDisplay, {{P::kSettingsPage, 1, "Display"}}},
      {cmd::kWhatToView, nullptr, nullptr, Glyph::kDisplay, {{P::kPatternPage, 1, "Display"}}},

      // Stages.
      {cmd::kStageStart, nullptr, nullptr, Glyph::kStart,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Start"}}},
      {cmd::kStagePicture, nullptr, nullptr, Glyph::kPicture,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Picture"}}},
      {cmd::kStageSettings, nullptr, nullptr, Glyph::kSettings,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Settings"}}},
      {cmd::kStagePattern, nullptr, nullptr, Glyph::kPattern,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Pattern"}}},
      {cmd::kStageFinish, nullptr, nullptr, Glyph::kFinish,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Finish"}}},

      // The pattern.
      {cmd::kCreateDrawingPattern, nullptr, nullptr,
       Glyph::kCreatePattern, {{P::kPatternMenu, 0}, {P::kStandardBar, 2}}},
      {cmd::kViewAsColorBlocks, nullptr, nullptr, Glyph::kViewConverted, {{P::kPatternMenu, 0}}},
      {cmd::kPaintingColors, "Ctrl+K", nullptr, Glyph::kPaintingColors,
       {{P::kPatternMenu, 1}, {P::kStandardBar, 4}, {P::kSettingsPage, 0, "Colors"}}},
      {cmd::kCurrentPaintColor, nullptr, nullptr, Glyph::kCurrentColor, {{P::kPatternMenu, 3}}},
      {cmd::kTogglePaletteWindow, "F9", nullptr, Glyph::kPaletteWindow, {{P::kViewMenu, 2}}},
      {cmd::kToggleNavigator, "F8", nullptr, Glyph::kNone, {{P::kViewMenu, 2}}},
      {cmd::kLaunchWizard, nullptr, nullptr, Glyph::kNone, {{P::kFileMenu, 0}}},
      {cmd::kBorderColor, nullptr, nullptr, Glyph::kBorders,
       {{P::kPatternMenu, 1}, {P::kSettingsPage, 0, "Borders color"}}},
      {cmd::kPatternSize, nullptr, nullptr, Glyph::kPatternSize,
       {{P::kPatternMenu, 1}, {P::kStandardBar, 4}, {P::kSettingsPage, 0, "Size"}}},
      {cmd::kPatternTypeChoice, nullptr, nullptr,
       Glyph::kPatternType, {{P::kPatternMenu, 1}, {P::kSettingsPage, 0, "Pattern Type"}}},
      {cmd::kSelectOneArea, nullptr, nullptr, Glyph::kSelectArea,
       {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Select Area"}}},
      {cmd::kRemoveSmallAreas, nullptr, nullptr, Glyph::kRemoveSpots,
       {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Remove Spots"}}},
      {cmd::kMergeSmallAreas, nullptr, nullptr,
       Glyph::kMergeAreas, {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Merge Small"}}},
      {cmd::kToggleMergeWhenCreating, nullptr, nullptr, Glyph::kNone, {{P::kPatternMenu, 2}}},

      // Drawing on the pattern by hand.
      {cmd::kDrawMenu, nullptr, nullptr, Glyph::kDraw,
       {{P::kPatternPage, 2, "Draw"}, {P::kStandardBar, 6}}},
      {cmd::kFillMenu, nullptr, nullptr, Glyph::kFill,
       {{P::kPatternPage, 2, "Fill"}, {P::kStandardBar, 6}}},
      {cmd::kPenSizeMenu, nullptr, nullptr, Glyph::kPenSize,
       {{P::kPatternPage, 2, "Pen Size"}, {P::kStandardBar, 6}}},
      {cmd::kPenShapeMenu, nullptr, nullptr, Glyph::kPenShape,
       {{P::kPatternPage, 2, "Pen Shape"}, {P::kStandardBar, 6}}},
      {cmd::kPenTool, nullptr, nullptr, Glyph::kPen, {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kLineTool, nullptr, nullptr, Glyph::kLine, {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kRectangleTool, nullptr, nullptr, Glyph::kRectangle,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kEllipseTool, nullptr, nullptr, Glyph::kEllipse,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kPenWidth1 + 0, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 1, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 2, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 3, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 4, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 5, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 6, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 7, nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kRoundPen, nullptr, nullptr, Glyph::kNone, {{P::kPenShapeMenu, 0}}},
      {cmd::kSquarePen, nullptr, nullptr, Glyph::kNone, {{P::kPenShapeMenu, 0}}},
      {cmd::kFillSelection, nullptr, nullptr, Glyph::kFill, {{P::kFillMenu, 0}}},
      {cmd::kRecolorPicked, nullptr, nullptr, Glyph::kRecolor, {{P::kFillMenu, 0}}},
      {cmd::kPickColor, nullptr, nullptr, Glyph::kPicker,
       {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Pick Color"}}},
      {cmd::kPickColorInfo, nullptr, nullptr, Glyph::kInfo, {{P::kPatternMenu, 5}}},
      {cmd::kAddText, nullptr, nullptr, Glyph::kAddText,
       {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Add Text"}}},
      {cmd::kInsertPicture, nullptr, nullptr,
       Glyph::kInsertPicture, {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Insert Picture"}}},

      // Options, interface, help.
      {cmd::kColorCorrection, nullptr, nullptr, Glyph::kColorCorrection, {{P::kOptionsMenu, 0}}},
      {cmd::kAutoSave, nullptr, nullptr, Glyph::kNone, {{P::kOptionsMenu, 0}}},
      {cmd::kStandardInterface, nullptr, nullptr, Glyph::kNone, {{P::kInterfaceMenu, 0}}},
      {cmd::kToggleMenu, nullptr, nullptr, Glyph::kNone, {{P::kInterfaceMenu, 1}}},
      {cmd::kToggleToolbars, nullptr, nullptr, Glyph::kNone, {{P::kInterfaceMenu, 1}}},
      {cmd::kToggleAnimation, nullptr, nullptr, Glyph::kNone, {{P::kInterfaceMenu, 1}}},
      {cmd::kAbout, "F1", "help-about", Glyph::kAbout, {{P::kHelpMenu, 0}}},
  };
  // The recent projects, between the picture information and Exit.
  for (int i = 0; i < cmd::kRecentFileCount; ++i) {
    entries.push_back({cmd::kRecentFile1 + i, nullptr, nullptr, Glyph::kNone, {{P::kFileMenu, 4}}});
  }
  for (CommandEntry& entry : entries) entry.menuText = MenuTextOf(entry.id);
  return entries;
}

}  // namespace

const std::vector<CommandEntry>& CommandCatalog() {
  static const std::vector<CommandEntry> catalog = MakeCatalog();
  return catalog;
}

const CommandEntry* FindCommandEntry(CommandId id) {
  for (const CommandEntry& entry : CommandCatalog()) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

namespace {

struct Placed {
  int group;
  CommandId id;
  const char* caption;
};

std::vector<Placed> PlacedAt(Place place) {
  std::vector<Placed> placed;
  for (const CommandEntry& entry : CommandCatalog()) {
    for (const Spot& spot : entry.spots) {
      if (spot.place == place) placed.push_back({spot.group, entry.id, spot.caption});
    }
  }
  std::stable_sort(placed.begin(), placed.end(),
                   [](const Placed& a, const Placed& b) { return a.group < b.group; });
  return placed;
}

}  // namespace

std::vector<CommandId> CommandsAt(Place place) {
  std::vector<CommandId> ids;
  std::vector<Placed> placed = PlacedAt(place);
  for (size_t i = 0; i < placed.size(); ++i) {
    if (i > 0 && placed[i].group != placed[i - 1].group) ids.push_back(kSeparator);
    ids.push_back(placed[i].id);
  }
  return ids;
}

std::vector<PanelButton> PanelButtonsAt(Place place) {
  std::vector<PanelButton> buttons;
  for (const Placed& placed : PlacedAt(place)) {
    buttons.push_back({placed.caption != nullptr ? placed.caption : "", placed.id});
  }
  return buttons;
}

Glyph GlyphOf(CommandId id) {
  const CommandEntry* entry = FindCommandEntry(id);
  return entry != nullptr ? entry->glyph : Glyph::kNone;
}

}  // namespace tintara
