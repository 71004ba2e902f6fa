#include "app/command_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmapCache>

#include "app/command_catalog.h"

namespace tintara {

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

QIcon GlyphIcon(Glyph glyph) {
  if (glyph == Glyph::kNone) return {};
  qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
  QIcon icon;
  for (int side : {16, 20, 24, 32}) {
    icon.addPixmap(GlyphPixmap(glyph, side, ratio, false), QIcon::Normal);
    icon.addPixmap(GlyphPixmap(glyph, side, ratio, true), QIcon::Disabled);
  }
  return icon;
}

QIcon CommandIcon(CommandId id) {
  const CommandEntry* entry = FindCommandEntry(id);
  if (entry == nullptr) return {};
  QIcon own = GlyphIcon(entry->glyph);
  // Standard actions look like the rest of the desktop where its theme has them.
  if (entry->themeIcon != nullptr) return QIcon::fromTheme(QString::fromLatin1(entry->themeIcon), own);
  return own;
}

}  // namespace tintara
