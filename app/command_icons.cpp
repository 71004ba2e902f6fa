#include "app/command_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>

namespace tintara {

Glyph GlyphOf(CommandId id) {
  switch (id) {
    case cmd::kStageStart: return Glyph::kStart;
    case cmd::kStagePicture: return Glyph::kPicture;
    case cmd::kStageSettings: return Glyph::kSettings;
    case cmd::kStagePattern: return Glyph::kPattern;
    case cmd::kStageFinish: return Glyph::kFinish;
    case cmd::kNewProject: return Glyph::kNew;
    case cmd::kOpenProject: return Glyph::kOpen;
    case cmd::kSaveProject: return Glyph::kSave;
    case cmd::kSaveProjectAs: return Glyph::kSaveAs;
    case cmd::kExit: return Glyph::kExit;
    case cmd::kLoadPicture: return Glyph::kLoadPicture;
    case cmd::kPastePicture: return Glyph::kPaste;
    case cmd::kUndoAllPictureEdits: return Glyph::kReset;
    case cmd::kSavePictureAs: return Glyph::kSavePicture;
    case cmd::kSaveConvertedAs: return Glyph::kSaveConverted;
    case cmd::kSavePatternAs: return Glyph::kSavePattern;
    case cmd::kSaveCurrentView: return Glyph::kSaveView;
    case cmd::kSaveColorKey: return Glyph::kColorKey;
    case cmd::kBorderColor: return Glyph::kBorders;
    case cmd::kWhatToDisplay:
    case cmd::kWhatToView: return Glyph::kDisplay;
    case cmd::kSelectOneArea: return Glyph::kSelectArea;
    case cmd::kRemoveSmallAreas: return Glyph::kRemoveSpots;
    case cmd::kUndo: return Glyph::kUndo;
    case cmd::kRedo: return Glyph::kRedo;
    case cmd::kZoomIn: return Glyph::kZoomIn;
    case cmd::kZoomOut: return Glyph::kZoomOut;
    case cmd::kActualSize: return Glyph::kActualSize;
    case cmd::kOptions: return Glyph::kOptions;
    case cmd::kViewInitialPicture: return Glyph::kViewInitial;
    case cmd::kViewConvertedPicture:
    case cmd::kViewAsColorBlocks: return Glyph::kViewConverted;
    case cmd::kViewPaintingPattern: return Glyph::kViewPattern;
    case cmd::kCreateDrawingPattern: return Glyph::kCreatePattern;
    case cmd::kStartPictureEditing: return Glyph::kEditPicture;
    case cmd::kFinishPictureEditing: return Glyph::kFinishEditing;
    case cmd::kPictureInformation: return Glyph::kInfo;
    case cmd::kAbout: return Glyph::kAbout;
    case cmd::kColorCorrection: return Glyph::kColorCorrection;
    case cmd::kReduceColorLevels: return Glyph::kPosterize;
    case cmd::kReduceColorsOptimized: return Glyph::kReduceColors;
    default: return Glyph::kNone;
  }
}

namespace {

QPixmap RenderGlyph(Glyph glyph, int side, qreal devicePixelRatio, bool disabled) {
  int physical = qMax(1, qRound(side * devicePixelRatio));
  QImage image(physical, physical, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.scale(physical / 32.0, physical / 32.0);
    PaintGlyph(painter, glyph);
  }
  if (disabled) {
    // Grey at reduced strength: clearly unavailable, still recognisable.
    for (int y = 0; y < image.height(); ++y) {
      auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < image.width(); ++x) {
        QRgb c = row[x];
        int alpha = qAlpha(c) * 2 / 5;
        int grey = qGray(c) * 2 / 5;  // premultiplied, scaled with the alpha
        row[x] = qRgba(grey, grey, grey, alpha);
      }
    }
  }
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

}  // namespace

QPixmap GlyphPixmap(Glyph glyph, int side, qreal devicePixelRatio, bool disabled) {
  // Buttons repaint on every hover and press: draw each look once and share it.
  QString key = QStringLiteral("tintara-glyph:%1:%2:%3:%4")
                    .arg(int(glyph))
                    .arg(side)
                    .arg(devicePixelRatio, 0, 'g', 6)
                    .arg(disabled ? 1 : 0);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  pixmap = RenderGlyph(glyph, side, devicePixelRatio, disabled);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

QIcon CommandIcon(CommandId id) {
  Glyph glyph = GlyphOf(id);
  if (glyph == Glyph::kNone) return {};
  qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  QIcon icon;
  for (int side : {16, 20, 24, 32}) {
    icon.addPixmap(GlyphPixmap(glyph, side, ratio, false), QIcon::Normal);
    icon.addPixmap(GlyphPixmap(glyph, side, ratio, true), QIcon::Disabled);
  }
  return icon;
}

}  // namespace tintara
