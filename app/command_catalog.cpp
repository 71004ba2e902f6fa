#include "app/command_catalog.h"

#include <algorithm>

namespace tintara {

namespace {

using P = Place;

std::vector<CommandEntry> MakeCatalog() {
  std::vector<CommandEntry> entries = {
      // Selections; "Select" leads the picture and pattern pages.
      {cmd::kSelectRegion, "&Select...", nullptr, nullptr, Glyph::kSelectRegion,
       {{P::kEditMenu, 3}, {P::kStandardBar, 2}, {P::kPicturePage, 0, "Select"},
        {P::kPatternPage, 0, "Select"}}},
      {cmd::kSelectAll, "Se&lect All", "Ctrl+A", "edit-select-all", Glyph::kSelectAll,
       {{P::kEditMenu, 3}}},
      {cmd::kSelectNone, "Select &None", "Ctrl+R", nullptr, Glyph::kSelectNone,
       {{P::kEditMenu, 3}}},
      {cmd::kSelectInvert, "Select In&vert", "Ctrl+I", nullptr, Glyph::kSelectInvert,
       {{P::kEditMenu, 3}}},

      // Files.
      {cmd::kNewProject, "&New", "Ctrl+N", "document-new", Glyph::kNew, {{P::kFileMenu, 0}}},
      {cmd::kOpenProject, "&Open...", "Ctrl+O", "document-open", Glyph::kOpen,
       {{P::kFileMenu, 0}, {P::kStandardBar, 0}, {P::kStartPage, 0, "Open"}}},
      {cmd::kLoadPicture, "Load picture from dis&k...", "Ctrl+L", "document-import",
       Glyph::kLoadPicture,
       {{P::kFileMenu, 1}, {P::kStandardBar, 0}, {P::kStartPage, 0, "Load Picture"}}},
      {cmd::kSaveProject, "&Save", "Ctrl+S", "document-save", Glyph::kSave,
       {{P::kFileMenu, 0}, {P::kStandardBar, 0}, {P::kFinishPage, 0, "Save"}}},
      {cmd::kSaveProjectAs, "Save &As...", "Ctrl+Shift+S", "document-save-as", Glyph::kSaveAs,
       {{P::kFileMenu, 0}}},
      {cmd::kPastePicture, "Paste picture from clip&board", "Ctrl+V", "edit-paste", Glyph::kPaste,
       {{P::kFileMenu, 1}, {P::kStartPage, 0, "Paste"}}},
      {cmd::kAcquireScanner, "&Get picture from scanner...", nullptr, "scanner", Glyph::kScanner,
       {{P::kFileMenu, 1}, {P::kStartPage, 0, "Use Scanner"}}},
      {cmd::kAcquireCamera, "Get picture from digital ca&mera...", nullptr, "camera-photo",
       Glyph::kCamera, {{P::kFileMenu, 1}, {P::kStartPage, 0, "Use Camera"}}},
      {cmd::kAcquireOther, "Get picture from se&lected TWAIN device...", nullptr, nullptr,
       Glyph::kOtherDevice, {{P::kFileMenu, 1}, {P::kStartPage, 0, "TWAIN"}}},
      {cmd::kTwainOptions, "T&WAIN options...", nullptr, nullptr, Glyph::kDeviceSettings,
       {{P::kFileMenu, 1}}},
      {cmd::kSavePictureAs, "Save P&icture As...", nullptr, nullptr, Glyph::kSavePicture,
       {{P::kFileMenu, 2}, {P::kPictureBar, 1}, {P::kPicturePage, 1, "Save As"}}},
      {cmd::kSaveConvertedAs, "Save &converted picture as...", nullptr, nullptr,
       Glyph::kSaveConverted, {{P::kFileMenu, 2}}},
      {cmd::kSavePatternAs, "Save painting pa&ttern as...", nullptr, nullptr, Glyph::kSavePattern,
       {{P::kFileMenu, 2}}},
      {cmd::kSaveCurrentView, "Save c&urrent view as...", nullptr, nullptr, Glyph::kSaveView,
       {{P::kFileMenu, 2}}},
      {cmd::kSaveColorKey, "Save color ke&y as...", nullptr, nullptr, Glyph::kColorKey,
       {{P::kFileMenu, 2}}},
      // Printing; "Print" and "Print Preview" pop up what to print.
      {cmd::kPrint, "Print", nullptr, "document-print", Glyph::kPrint,
       {{P::kStandardBar, 5}, {P::kFinishPage, 0, "Print"}}},
      {cmd::kPrintSetup, "P&rint Setup...", nullptr, nullptr, Glyph::kPrintSetup,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Print Setup"}}},
      {cmd::kPrintPreview, "Print Preview", nullptr, "document-print-preview",
       Glyph::kPrintPreview, {{P::kStandardBar, 5}, {P::kFinishPage, 0, "Print Preview"}}},
      {cmd::kSaveAsPdf, "Save as P&DF...", nullptr, nullptr, Glyph::kSavePdf,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Save as PDF"}}},
      {cmd::kSavePatternSvg, "Sav&e pattern as SVG...", nullptr, nullptr, Glyph::kSaveSvg,
       {{P::kFileMenu, 3}, {P::kFinishPage, 0, "Save as SVG"}}},
      {cmd::kPrintInitialPicture, "&Initial picture", nullptr, nullptr, Glyph::kNone,
       {{P::kPrintChoice, 0}}},
      {cmd::kPrintConvertedPicture, "&Converted picture", nullptr, nullptr, Glyph::kNone,
       {{P::kPrintChoice, 0}}},
      {cmd::kPrintPaintingPattern, "&Painting pattern", nullptr, nullptr, Glyph::kNone,
       {{P::kPrintChoice, 0}}},
      {cmd::kPrintMaterialList, "Color &Key", nullptr, nullptr, Glyph::kNone,
       {{P::kPrintChoice, 1}}},
      {cmd::kPreviewInitialPicture, "&Initial picture", nullptr, nullptr, Glyph::kNone,
       {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewConvertedPicture, "&Converted picture", nullptr, nullptr, Glyph::kNone,
       {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewPaintingPattern, "&Painting pattern", nullptr, nullptr, Glyph::kNone,
       {{P::kPreviewChoice, 0}}},
      {cmd::kPreviewMaterialList, "Color &Key", nullptr, nullptr, Glyph::kNone,
       {{P::kPreviewChoice, 1}}},
      {cmd::kPictureInformation, "Picture/pattern in&formation...", nullptr,
       "document-properties", Glyph::kInfo, {{P::kFileMenu, 3}}},
      // The recent projects come here (below).
      {cmd::kExit, "E&xit", "Alt+F4", "application-exit", Glyph::kExit,
       {{P::kFileMenu, 5}, {P::kFinishPage, 0, "Exit"}}},

      // Undo and picture editing.
      {cmd::kUndo, "&Undo", "Ctrl+Z", "edit-undo", Glyph::kUndo,
       {{P::kEditMenu, 0}, {P::kStandardBar, 1}, {P::kContextMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kRedo, "Re&do", "Ctrl+Y; Ctrl+Shift+Z", "edit-redo", Glyph::kRedo,
       {{P::kEditMenu, 0}, {P::kStandardBar, 1}, {P::kContextMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kOptions, "&General options...", nullptr, "preferences-system", Glyph::kOptions,
       {{P::kOptionsMenu, 0}, {P::kPanelTools, 0}}},
      {cmd::kStartPictureEditing, "Start picture &editing", nullptr, nullptr, Glyph::kEditPicture,
       {{P::kEditMenu, 1}, {P::kStandardBar, 2}}},
      {cmd::kReduceColorLevels, "&Posterize...", nullptr, nullptr, Glyph::kPosterize,
       {{P::kEditMenu, 2}, {P::kPictureBar, 0}, {P::kFilterPopup, 1, "Posterize..."}}},
      {cmd::kReduceColorsOptimized, "Reduce &Colors...", nullptr, nullptr, Glyph::kReduceColors,
       {{P::kEditMenu, 2}, {P::kPictureBar, 0}, {P::kFilterPopup, 1, "Reduce Colors..."}}},
      {cmd::kRotatePopup, "R&otate a picture", nullptr, nullptr, Glyph::kRotateMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Rotate"}}},
      {cmd::kFilterPopup, "Apply filter &to picture", nullptr, nullptr, Glyph::kFilterMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Filter"}}},
      {cmd::kSizePopup, "C&hange picture size", nullptr, nullptr, Glyph::kSizeMenu,
       {{P::kEditMenu, 3}, {P::kPictureBar, 0}, {P::kPicturePage, 0, "Size"}}},
      {cmd::kRotateLeft, "Rotate picture &left by 90 degree", nullptr, "object-rotate-left",
       Glyph::kRotateLeft, {{P::kRotatePopup, 0, "Left 90"}}},
      {cmd::kRotateRight, "Rotate picture &right by 90 degree", nullptr, "object-rotate-right",
       Glyph::kRotateRight, {{P::kRotatePopup, 0, "Right 90"}}},
      {cmd::kRotateByAngle, "Set &angle of rotation...", nullptr, nullptr, Glyph::kRotateMenu,
       {{P::kRotatePopup, 0, "By Degree..."}}},
      {cmd::kFlipHorizontal, "Flip &horizontal", nullptr, "object-flip-horizontal",
       Glyph::kFlipHorizontal, {{P::kRotatePopup, 1, "Flip Horizontal"}}},
      {cmd::kFlipVertical, "Flip &vertical", nullptr, "object-flip-vertical", Glyph::kFlipVertical,
       {{P::kRotatePopup, 1, "Flip Vertical"}}},
      {cmd::kFlipBoth, "Flip horizontal and vertical", nullptr, nullptr, Glyph::kFlipBoth,
       {{P::kRotatePopup, 1, "Flip Both"}}},
      {cmd::kSmartTune, "Adjust colors &automatically...", nullptr, nullptr, Glyph::kSmartTune,
       {{P::kFilterPopup, 0, "Smart Tune..."}}},
      {cmd::kLighter, "Make picture &lighter", nullptr, nullptr, Glyph::kLighter,
       {{P::kFilterPopup, 0, "Lighter"}}},
      {cmd::kDarker, "Make picture &darker", nullptr, nullptr, Glyph::kDarker,
       {{P::kFilterPopup, 0, "Darker"}}},
      {cmd::kMoreContrast, "&Increase contrast", nullptr, nullptr, Glyph::kMoreContrast,
       {{P::kFilterPopup, 0, "More Contrast"}}},
      {cmd::kLessContrast, "D&ecrease contrast", nullptr, nullptr, Glyph::kLessContrast,
       {{P::kFilterPopup, 0, "Less Contrast"}}},
      {cmd::kSharpen, "S&harpen picture", nullptr, nullptr, Glyph::kSharpen,
       {{P::kFilterPopup, 2, "Sharpen"}}},
      {cmd::kSmooth, "Sm&ooth picture", nullptr, nullptr, Glyph::kSmooth,
       {{P::kFilterPopup, 2, "Smooth"}}},
      {cmd::kCropToSelection, "&Crop selected region", nullptr, nullptr, Glyph::kCrop,
       {{P::kSizePopup, 0, "Crop To  Selection"}}},
      {cmd::kResizePicture, "Set new picture &size...", nullptr, nullptr, Glyph::kSizeMenu,
       {{P::kSizePopup, 0, "Resize..."}}},
      {cmd::kAdjustImagePanel, "Ad&just Image...", nullptr, nullptr, Glyph::kAdjustPanel,
       {{P::kEditMenu, 3}}},
      {cmd::kFilterImagePanel, "Filter Ima&ge...", nullptr, nullptr, Glyph::kFilterPanel,
       {{P::kEditMenu, 3}}},
      {cmd::kFinishPictureEditing, "&Finish picture editing", nullptr, nullptr,
       Glyph::kFinishEditing, {{P::kEditMenu, 1}, {P::kPictureBar, 2}}},
      {cmd::kUndoAllPictureEdits, "Undo &all picture edits", nullptr, nullptr, Glyph::kReset,
       {{P::kEditMenu, 1}, {P::kPictureBar, 1}, {P::kPicturePage, 0, "Reset"}}},

      // Viewing.
      {cmd::kZoomIn, "&Zoom in", "Ctrl++; Ctrl+=", "zoom-in", Glyph::kZoomIn,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kZoomOut, "Zoom &out", "Ctrl+-", "zoom-out", Glyph::kZoomOut,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kActualSize, "&Actual Size (1:1)", "Ctrl+0", "zoom-original", Glyph::kActualSize,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kFitToWindow, "&Fit in window", "Ctrl+9", "zoom-fit-best", Glyph::kFitToWindow,
       {{P::kViewMenu, 1}, {P::kStandardBar, 1}, {P::kPanelTools, 0}}},
      {cmd::kViewInitialPicture, "&Initial picture", nullptr, nullptr, Glyph::kViewInitial,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kViewConvertedPicture, "&Converted picture", nullptr, nullptr, Glyph::kViewConverted,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kViewPaintingPattern, "&Painting pattern", nullptr, nullptr, Glyph::kViewPattern,
       {{P::kViewMenu, 0}, {P::kStandardBar, 3}, {P::kViewChoice, 0}}},
      {cmd::kWhatToDisplay, nullptr, nullptr, nullptr, Glyph::kDisplay,
       {{P::kSettingsPage, 1, "Display"}}},
      {cmd::kWhatToView, nullptr, nullptr, nullptr, Glyph::kDisplay,
       {{P::kPatternPage, 1, "Display"}}},

      // Stages.
      {cmd::kStageStart, "&Start your work", nullptr, nullptr, Glyph::kStart,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Start"}}},
      {cmd::kStagePicture, "Edit your &picture", nullptr, nullptr, Glyph::kPicture,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Picture"}}},
      {cmd::kStageSettings, "S&ettings", nullptr, nullptr, Glyph::kSettings,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Settings"}}},
      {cmd::kStagePattern, "Edit painting p&attern", nullptr, nullptr, Glyph::kPattern,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Pattern"}}},
      {cmd::kStageFinish, "Save, print, s&hare", nullptr, nullptr, Glyph::kFinish,
       {{P::kStageMenu, 0}, {P::kTaskBar, 0, "Finish"}}},

      // The pattern.
      {cmd::kCreateDrawingPattern, "&Create drawing pattern", nullptr, nullptr,
       Glyph::kCreatePattern, {{P::kPatternMenu, 0}, {P::kStandardBar, 2}}},
      {cmd::kViewAsColorBlocks, "&View as color blocks", nullptr, nullptr, Glyph::kViewConverted,
       {{P::kPatternMenu, 0}}},
      {cmd::kPaintingColors, "&Painting colors...", "Ctrl+K", nullptr, Glyph::kPaintingColors,
       {{P::kPatternMenu, 1}, {P::kStandardBar, 4}, {P::kSettingsPage, 0, "Colors"}}},
      {cmd::kCurrentPaintColor, "C&urrent color for painting...", nullptr, nullptr,
       Glyph::kCurrentColor, {{P::kPatternMenu, 3}}},
      {cmd::kTogglePaletteWindow, "Show/hide color pa&lette", "F9", nullptr, Glyph::kPaletteWindow,
       {{P::kViewMenu, 2}}},
      {cmd::kToggleNavigator, "Show/hide &navigator window", "F8", nullptr, Glyph::kNone,
       {{P::kViewMenu, 2}}},
      {cmd::kLaunchWizard, "Wi&zard...", nullptr, nullptr, Glyph::kNone, {{P::kFileMenu, 0}}},
      {cmd::kBorderColor, "Color of &borders and digits...", nullptr, nullptr, Glyph::kBorders,
       {{P::kPatternMenu, 1}, {P::kSettingsPage, 0, "Borders color"}}},
      {cmd::kPatternSize, "Si&ze of painting pattern...", nullptr, nullptr, Glyph::kPatternSize,
       {{P::kPatternMenu, 1}, {P::kStandardBar, 4}, {P::kSettingsPage, 0, "Size"}}},
      {cmd::kPatternTypeChoice, "Type &of color identification...", nullptr, nullptr,
       Glyph::kPatternType, {{P::kPatternMenu, 1}, {P::kSettingsPage, 0, "Pattern Type"}}},
      {cmd::kSelectOneArea, "&Select one area", nullptr, nullptr, Glyph::kSelectArea,
       {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Select Area"}}},
      {cmd::kRemoveSmallAreas, "&Remove small areas", nullptr, nullptr, Glyph::kRemoveSpots,
       {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Remove Spots"}}},
      {cmd::kMergeSmallAreas, "&Merge areas too small to paint", nullptr, nullptr,
       Glyph::kMergeAreas, {{P::kPatternMenu, 2}, {P::kPatternPage, 0, "Merge Small"}}},
      {cmd::kToggleMergeWhenCreating, "Merge small areas &when creating the pattern", nullptr,
       nullptr, Glyph::kNone, {{P::kPatternMenu, 2}}},

      // Drawing on the pattern by hand.
      {cmd::kDrawMenu, "&Draw over pattern", nullptr, nullptr, Glyph::kDraw,
       {{P::kPatternPage, 2, "Draw"}, {P::kStandardBar, 6}}},
      {cmd::kFillMenu, "&Fill selected area", nullptr, nullptr, Glyph::kFill,
       {{P::kPatternPage, 2, "Fill"}, {P::kStandardBar, 6}}},
      {cmd::kPenSizeMenu, "Pen si&ze", nullptr, nullptr, Glyph::kPenSize,
       {{P::kPatternPage, 2, "Pen Size"}, {P::kStandardBar, 6}}},
      {cmd::kPenShapeMenu, "Pen s&hape", nullptr, nullptr, Glyph::kPenShape,
       {{P::kPatternPage, 2, "Pen Shape"}, {P::kStandardBar, 6}}},
      {cmd::kPenTool, "&Pen", nullptr, nullptr, Glyph::kPen,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kLineTool, "&Line", nullptr, nullptr, Glyph::kLine,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kRectangleTool, "&Rectangle", nullptr, nullptr, Glyph::kRectangle,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kEllipseTool, "&Ellipse", nullptr, nullptr, Glyph::kEllipse,
       {{P::kDrawMenu, 0}, {P::kStandardBar, 5}}},
      {cmd::kPenWidth1 + 0, "&1 Pixel", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 1, "&2 Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 2, "&4 Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 3, "&8 Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 4, "1&6 Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 5, "&32 Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 6, "64 &Pixels", nullptr, nullptr, Glyph::kNone, {{P::kPenSizeMenu, 0}}},
      {cmd::kPenWidth1 + 7, "128 P&ixels", nullptr, nullptr, Glyph::kNone,
       {{P::kPenSizeMenu, 0}}},
      {cmd::kRoundPen, "&Round", nullptr, nullptr, Glyph::kNone, {{P::kPenShapeMenu, 0}}},
      {cmd::kSquarePen, "&Square", nullptr, nullptr, Glyph::kNone, {{P::kPenShapeMenu, 0}}},
      {cmd::kFillSelection, "&Selection", nullptr, nullptr, Glyph::kFill, {{P::kFillMenu, 0}}},
      {cmd::kRecolorPicked, "&Change color", nullptr, nullptr, Glyph::kRecolor,
       {{P::kFillMenu, 0}}},
      {cmd::kPickColor, "P&ick color from pattern", nullptr, nullptr, Glyph::kPicker,
       {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Pick Color"}}},
      {cmd::kPickColorInfo, "Pick information &about color", nullptr, nullptr, Glyph::kInfo,
       {{P::kPatternMenu, 5}}},
      {cmd::kAddText, "Add &text...", nullptr, nullptr, Glyph::kAddText,
       {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Add Text"}}},
      {cmd::kInsertPicture, "I&nsert picture from file...", nullptr, nullptr,
       Glyph::kInsertPicture, {{P::kPatternMenu, 5}, {P::kPatternPage, 3, "Insert Picture"}}},

      // Options, interface, help.
      {cmd::kColorCorrection, "Color &correction...", nullptr, nullptr, Glyph::kColorCorrection,
       {{P::kOptionsMenu, 0}}},
      {cmd::kAutoSave, "Auto &save project each 5 minutes", nullptr, nullptr, Glyph::kNone,
       {{P::kOptionsMenu, 0}}},
      {cmd::kStandardInterface, "&Standard interface", nullptr, nullptr, Glyph::kNone,
       {{P::kInterfaceMenu, 0}}},
      {cmd::kToggleMenu, "Show/hide standard &menu", nullptr, nullptr, Glyph::kNone,
       {{P::kInterfaceMenu, 1}}},
      {cmd::kToggleToolbars, "Show/hide &toolbars", nullptr, nullptr, Glyph::kNone,
       {{P::kInterfaceMenu, 1}}},
      {cmd::kToggleAnimation, "&Animate toolbars", nullptr, nullptr, Glyph::kNone,
       {{P::kInterfaceMenu, 1}}},
      {cmd::kAbout, "&About Tintara...", "F1", "help-about", Glyph::kAbout, {{P::kHelpMenu, 0}}},
  };
  // The recent projects, between the picture information and Exit.
  for (int i = 0; i < cmd::kRecentFileCount; ++i) {
    entries.push_back({cmd::kRecentFile1 + i, nullptr, nullptr, nullptr, Glyph::kNone,
                       {{P::kFileMenu, 4}}});
  }
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
