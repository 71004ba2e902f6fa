// Numbers of the program's commands. The numbers are stable: menus, tool bars,
// stage panels and scripts all name commands by them.
#pragma once

#include <cstdint>

namespace tintara {

using CommandId = int32_t;

namespace cmd {

// Undo and display.
constexpr CommandId kUndo = 57643;
constexpr CommandId kRedo = 57644;
constexpr CommandId kStartPictureEditing = 32855;
constexpr CommandId kFinishPictureEditing = 32856;
constexpr CommandId kUndoAllPictureEdits = 32818;
constexpr CommandId kViewInitialPicture = 32834;
constexpr CommandId kViewConvertedPicture = 33109;
constexpr CommandId kViewPaintingPattern = 33110;
constexpr CommandId kWhatToDisplay = 32825;
constexpr CommandId kWhatToView = 32851;
constexpr CommandId kViewAsColorBlocks = 32869;
constexpr CommandId kCreateDrawingPattern = 32857;

// Stages of the guided interface.
constexpr CommandId kStageStart = 32788;
constexpr CommandId kStagePicture = 32792;
constexpr CommandId kStageSettings = 32833;
constexpr CommandId kStagePattern = 32819;
constexpr CommandId kStageFinish = 32789;

// Pattern clean-up and areas.
constexpr CommandId kRemoveSmallAreas = 33118;
constexpr CommandId kSelectOneArea = 33119;
constexpr CommandId kBorderColor = 33117;

// Selections.
constexpr CommandId kSelectRegion = 32773;
constexpr CommandId kSelectAll = 32781;
constexpr CommandId kSelectNone = 32782;
constexpr CommandId kSelectInvert = 32783;

// Drawing on the pattern by hand.
constexpr CommandId kPenTool = 32840;
constexpr CommandId kLineTool = 32841;
constexpr CommandId kRectangleTool = 32842;
constexpr CommandId kEllipseTool = 32843;
constexpr CommandId kPenWidth1 = 32870;  // .. kPenWidth1 + 7: 1 .. 128 pixels
constexpr CommandId kRoundPen = 32880;
constexpr CommandId kSquarePen = 32881;
constexpr CommandId kPenSizeMenu = 33091;
constexpr CommandId kPenShapeMenu = 33092;
constexpr CommandId kDrawMenu = 32830;
constexpr CommandId kFillMenu = 32832;
constexpr CommandId kFillSelection = 32887;
constexpr CommandId kRecolorPicked = 32888;
constexpr CommandId kPickColor = 32849;
constexpr CommandId kPickColorInfo = 32850;
constexpr CommandId kAddText = 32828;
constexpr CommandId kInsertPicture = 32829;

// Files and the application.
constexpr CommandId kNewProject = 57600;
constexpr CommandId kOpenProject = 57601;
constexpr CommandId kSaveProject = 57603;
constexpr CommandId kSaveProjectAs = 57604;
constexpr CommandId kAbout = 57664;
constexpr CommandId kExit = 57665;

// Printing: the set-up, the two task bar pop-ups and what they offer.
constexpr CommandId kPrintSetup = 57606;
constexpr CommandId kPrint = 57607;
constexpr CommandId kPrintPreview = 57609;
constexpr CommandId kPrintInitialPicture = 34070;
constexpr CommandId kPrintConvertedPicture = 34071;
constexpr CommandId kPrintPaintingPattern = 34072;
constexpr CommandId kPrintMaterialList = 34073;
constexpr CommandId kPreviewInitialPicture = 34074;
constexpr CommandId kPreviewConvertedPicture = 34075;
constexpr CommandId kPreviewPaintingPattern = 34076;
constexpr CommandId kPreviewMaterialList = 34077;
constexpr CommandId kSaveAsPdf = 34078;

// Commands of the application, the main frame and the view that carry no
// number of their own elsewhere: the block from 34000.
constexpr CommandId kRecentFile1 = 34000;  // .. kRecentFile1 + 3
constexpr int kRecentFileCount = 4;
constexpr CommandId kOptions = 34010;
constexpr CommandId kToggleMenu = 34011;
constexpr CommandId kToggleToolbars = 34012;
constexpr CommandId kToggleAnimation = 34013;
constexpr CommandId kStandardInterface = 34014;
constexpr CommandId kAutoSave = 34015;
constexpr CommandId kColorCorrection = 34016;
constexpr CommandId kZoomIn = 34020;
constexpr CommandId kZoomOut = 34021;
constexpr CommandId kActualSize = 34022;
constexpr CommandId kFitToWindow = 34023;
constexpr CommandId kLoadPicture = 34030;
constexpr CommandId kPastePicture = 34031;
constexpr CommandId kSavePictureAs = 34032;
constexpr CommandId kSaveConvertedAs = 34033;
constexpr CommandId kSavePatternAs = 34034;
constexpr CommandId kSaveCurrentView = 34035;
constexpr CommandId kSaveColorKey = 34036;
constexpr CommandId kPictureInformation = 34037;

// Pictures from scanners, cameras and other devices (numbers of our own).
constexpr CommandId kAcquireScanner = 34180;
constexpr CommandId kAcquireCamera = 34181;
constexpr CommandId kAcquireOther = 34182;
constexpr CommandId kTwainOptions = 34183;

// Pattern settings (numbers of our own).
constexpr CommandId kPatternSize = 34040;
constexpr CommandId kPatternTypeChoice = 34041;
constexpr CommandId kPaintingColors = 34042;
constexpr CommandId kCurrentPaintColor = 34043;
constexpr CommandId kTogglePaletteWindow = 34044;

// Areas too small to paint (numbers of our own).
constexpr CommandId kMergeSmallAreas = 34100;
constexpr CommandId kToggleMergeWhenCreating = 34101;

// The navigator, the creation wizard and the project browser (numbers of our own).
constexpr CommandId kToggleNavigator = 34160;
constexpr CommandId kLaunchWizard = 34161;

// Colour reductions of the picture being edited (numbers of our own).
constexpr CommandId kReduceColorLevels = 34500;
constexpr CommandId kReduceColorsOptimized = 34501;
// The two picture panels (numbers of our own).
constexpr CommandId kAdjustImagePanel = 34502;
constexpr CommandId kFilterImagePanel = 34503;

// Transforms and adjustments of the picture being edited.
constexpr CommandId kRotatePopup = 32800;
constexpr CommandId kRotateLeft = 32801;
constexpr CommandId kRotateRight = 32802;
constexpr CommandId kRotateByAngle = 32803;
constexpr CommandId kFlipHorizontal = 32804;
constexpr CommandId kFlipVertical = 32805;
constexpr CommandId kFlipBoth = 32806;
constexpr CommandId kLighter = 32807;
constexpr CommandId kDarker = 32808;
constexpr CommandId kMoreContrast = 32809;
constexpr CommandId kLessContrast = 32810;
constexpr CommandId kSharpen = 32811;
constexpr CommandId kSmooth = 32812;
constexpr CommandId kCropToSelection = 32813;
constexpr CommandId kResizePicture = 32814;
constexpr CommandId kSmartTune = 32815;
constexpr CommandId kFilterPopup = 32816;
constexpr CommandId kSizePopup = 32817;

// The pattern as a vector drawing (numbers of our own).
constexpr CommandId kSavePatternSvg = 34140;

}  // namespace cmd
}  // namespace tintara
