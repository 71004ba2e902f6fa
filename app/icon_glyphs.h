// The program's own pictograms, drawn by code so that they stay sharp at any
// size and screen scale. Each glyph fills a 32 × 32 box.
#pragma once

class QPainter;

namespace tintara {

enum class Glyph {
  kNone,
  kStart,
  kPicture,
  kSettings,
  kPattern,
  kFinish,
  kNew,
  kOpen,
  kSave,
  kSaveAs,
  kExit,
  kLoadPicture,
  kPaste,
  kReset,
  kSavePicture,
  kSaveConverted,
  kSavePattern,
  kSaveView,
  kColorKey,
  kBorders,
  kDisplay,
  kSelectArea,
  kRemoveSpots,
  kUndo,
  kRedo,
  kZoomIn,
  kZoomOut,
  kActualSize,
  kFitToWindow,
  kOptions,
  kViewInitial,
  kViewConverted,
  kViewPattern,
  kCreatePattern,
  kEditPicture,
  kFinishEditing,
  kInfo,
  kAbout,
  kColorCorrection,
  kPosterize,
  kReduceColors,
  kPatternSize,
  kPatternType,
  kPaintingColors,
  kCurrentColor,
  kPaletteWindow,
  kSelectRegion,
  kSelectAll,
  kSelectNone,
  kSelectInvert,
  kDraw,
  kPen,
  kLine,
  kRectangle,
  kEllipse,
  kPenSize,
  kPenShape,
  kFill,
  kRecolor,
  kPicker,
  kInsertPicture,
  kAddText,
  kRotateMenu,
  kRotateLeft,
  kRotateRight,
  kFlipHorizontal,
  kFlipVertical,
  kFlipBoth,
  kFilterMenu,
  kSmartTune,
  kLighter,
  kDarker,
  kMoreContrast,
  kLessContrast,
  kSharpen,
  kSmooth,
  kSizeMenu,
  kCrop,
  kAdjustPanel,
  kFilterPanel,
  kPrint,
  kPrintSetup,
  kPrintPreview,
  kSavePdf,
  kScanner,
  kCamera,
  kOtherDevice,
  kDeviceSettings,
};

// Paints `glyph` into the box (0, 0)–(32, 32) of the painter's coordinates.
void PaintGlyph(QPainter& painter, Glyph glyph);
// The pictograms of the drawing tools (drawing_glyphs.cpp).
void PaintDrawingGlyph(QPainter& painter, Glyph glyph);
// The pictograms of picture editing; false for any other glyph.
bool PaintEditGlyph(QPainter& painter, Glyph glyph);
// The pictograms of scanners and cameras (device_glyphs.cpp).
void PaintDeviceGlyph(QPainter& painter, Glyph glyph);

}  // namespace tintara
