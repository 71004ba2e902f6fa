#include "platform/image_drawing.h"

#include <QBrush>
#include <QPen>
#include <QTransform>
#include <QVector>
#include <algorithm>
#include <cmath>

#include "view/ink_keeping_scale.h"
#include "view/scroll_layout.h"

namespace tintara {

namespace {

QVector<QRgb> ColourTable(const ImageBuffer& image) {
  int count = PaletteSize(image.Kind());
  std::vector<PaletteEntry> entries(size_t(std::max(count, 0)));
  if (count > 0) image.ReadPalette(0, count, entries.data());
  QVector<QRgb> table(count);
  for (int i = 0; i < count; ++i) table[i] = qRgb(entries[i].red, entries[i].green, entries[i].blue);
  return table;
}

QImage WidenFourBit(const ImageBuffer& image) {
  QImage wide(image.Width(), image.Height(), QImage::Format_Indexed8);
  if (wide.isNull()) return wide;
  for (int32_t y = 0; y < image.Height(); ++y) {
    const uint8_t* in = image.Row(y);
    uchar* out = wide.scanLine(y);
    for (int32_t x = 0; x < image.Width(); ++x) {
      out[x] = (x & 1) ? (in[x >> 1] & 0x0F) : (in[x >> 1] >> 4);
    }
  }
  wide.setColorTable(ColourTable(image));
  return wide;
}

}  // namespace

QImage WrapImageRows(const ImageBuffer& image) {
  const uchar* bits = image.Bits();
  int w = image.Width();
  int h = image.Height();
  qsizetype stride = image.Stride();
  switch (image.Kind()) {
    case kKindRgb24: return QImage(bits, w, h, stride, QImage::Format_BGR888);
    case kKind1Bit: {
      QImage wrapped(bits, w, h, stride, QImage::Format_Mono);
      wrapped.setColorTable(ColourTable(image));
      return wrapped;
    }
    case kKind8Bit:
    case kKindGray8: {
      QImage wrapped(bits, w, h, stride, QImage::Format_Indexed8);
      wrapped.setColorTable(ColourTable(image));
      return wrapped;
    }
    case kKind4Bit: return WidenFourBit(image);
    default: return {};
  }
}

QRect PictureWindowRect(const ImageSize& picture, const ZoomFactor& zoom, Point scroll) {
  ImageSize shown = DisplayedSize(picture, zoom);
  return QRect(-scroll.x, -scroll.y, shown.width, shown.height);
}

namespace {

// The source rectangle of a true-colour picture passed through the tables.
QImage ThroughTables(const QImage& wrapped, const QRect& source, const PreviewTables& tables) {
  QImage part = wrapped.copy(source);
  for (int y = 0; y < part.height(); ++y) {
    uchar* bgr = part.scanLine(y);
    for (int x = 0; x < part.width(); ++x, bgr += 3) {
      bgr[0] = tables.blue[bgr[0]];
      bgr[1] = tables.green[bgr[1]];
      bgr[2] = tables.red[bgr[2]];
    }
  }
  return part;
}

// The window pixels of the picture passed through the tables. The tables act on
// each channel alone and nearest-neighbour scaling only picks pixels, so
// converting after scaling shows exactly what converting the picture first
// would, at the cost of the window rather than of the visible picture part.
QImage ScaledThroughTables(const QImage& wrapped, const QRectF& source, const QTransform& flip,
                           const QRect& target, qreal ratio, const PreviewTables& tables) {
  QImage window((QSizeF(target.size()) * ratio).toSize(), QImage::Format_RGB32);
  if (window.isNull()) return window;
  window.setDevicePixelRatio(ratio);
  window.fill(Qt::black);
  {
    QPainter inner(&window);
    inner.setRenderHint(QPainter::SmoothPixmapTransform, false);
    inner.setTransform(flip * QTransform::fromTranslate(-target.left(), -target.top()));
    inner.drawImage(source, wrapped, source);
  }
  for (int y = 0; y < window.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(window.scanLine(y));
    for (int x = 0; x < window.width(); ++x) {
      QRgb p = row[x];
      row[x] = qRgb(tables.red[qRed(p)], tables.green[qGreen(p)], tables.blue[qBlue(p)]);
    }
  }
  return window;
}

// The target's window pixels of a pattern scaled down with its lines kept.
QImage InkKeepingWindow(const ImageBuffer& image, uint8_t ink, const ImageSize& shown,
                        const QRect& target, Point scroll) {
  QImage window(target.size(), QImage::Format_RGB32);
  if (window.isNull()) return window;
  const ShownPart part{target.left() + scroll.x, target.top() + scroll.y, target.width(),
                       target.height()};
  ScaleDownKeepingInk(image, PaletteColors(image), ink, shown, part,
                      reinterpret_cast<uint32_t*>(window.bits()),
                      size_t(window.bytesPerLine() / 4));
  return window;
}

}  // namespace

void DrawImageBuffer(QPainter& painter, const ImageBuffer& image, const ZoomFactor& zoom,
                     Point scroll, const QRect& clip, const PreviewTables* tables, int ink) {
  ImageSize picture{image.Width(), image.Height()};
  QRect target = PictureWindowRect(picture, zoom, scroll) & clip;
  if (target.isEmpty() || picture.IsEmpty()) return;
  if (ink >= 0 && ink <= 255 && image.Kind() == kKind8Bit &&
      IsScaledDown(picture, DisplayedSize(picture, zoom))) {
    QImage window = InkKeepingWindow(image, uint8_t(ink), DisplayedSize(picture, zoom), target, scroll);
    if (!window.isNull()) {
      painter.drawImage(target.topLeft(), window);
      return;
    }
  }
  QImage wrapped = WrapImageRows(image);
  if (wrapped.isNull()) return;
  ImageSize shown = DisplayedSize(picture, zoom);
  double scaleX = double(shown.width) / picture.width;
  double scaleY = double(shown.height) / picture.height;
  // Source columns and bottom-up rows behind the target, widened by a pixel.
  double left = (target.left() + scroll.x) / scaleX;
  double right = (target.right() + 1 + scroll.x) / scaleX;
  double topFromTop = (target.top() + scroll.y) / scaleY;
  double bottomFromTop = (target.bottom() + 1 + scroll.y) / scaleY;
  int x0 = std::max(0, int(std::floor(left)) - 1);
  int x1 = std::min(picture.width, int(std::ceil(right)) + 1);
  int r0 = std::max(0, picture.height - int(std::ceil(bottomFromTop)) - 1);
  int r1 = std::min(picture.height, picture.height - int(std::floor(topFromTop)) + 1);
  if (x0 >= x1 || r0 >= r1) return;

  painter.save();
  painter.setClipRect(target, Qt::IntersectClip);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  // Wrapped row r (picture y = r) spans window y from (H - r - 1) to (H - r) scaled.
  QTransform flip(scaleX, 0, 0, -scaleY, -scroll.x, shown.height - scroll.y);
  QRectF source(x0, r0, x1 - x0, r1 - r0);
  bool preview = tables != nullptr && image.Kind() == kKindRgb24;
  qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatio() : 1.0;
  double windowPixels = double(target.width()) * target.height() * ratio * ratio;
  if (preview && source.width() * source.height() > windowPixels) {
    // Zoomed out: converting the window's pixels is the smaller job.
    painter.drawImage(target.topLeft(),
                      ScaledThroughTables(wrapped, source, flip, target, ratio, *tables));
  } else {
    painter.setTransform(flip, true);
    if (preview) {
      painter.drawImage(source, ThroughTables(wrapped, source.toRect(), *tables));
    } else {
      painter.drawImage(source, wrapped, source);
    }
  }
  painter.restore();
}

QImage MakeBackgroundTile() {
  const int side = kBackgroundTileSide;
  QImage tile(side, side, QImage::Format_RGB32);
  const double turn = 2.0 * 3.14159265358979323846 / side;
  for (int y = 0; y < side; ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(tile.scanLine(y));
    for (int x = 0; x < side; ++x) {
      // Warp and weft threads with a period that divides the tile, so the
      // edges meet; a hashed grain gives the canvas its tooth.
      double warp = std::sin(x * turn * 39.0) * 0.5 + 0.5;
      double weft = std::sin(y * turn * 39.0) * 0.5 + 0.5;
      double slub = std::sin((x + 2 * y) * turn * 3.0) * 0.5 + 0.5;
      uint32_t hash = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u;
      hash = (hash ^ (hash >> 13)) * 0x5bd1e995u;
      double grain = double((hash >> 24) & 0xFF) / 255.0;
      double light = 150 + 16 * (x % 3 == 0 ? warp : weft) + 4 * slub + 14 * grain;
      int v = std::clamp(int(light), 0, 255);
      row[x] = qRgb(std::min(255, v + 12), std::min(255, v + 6), v - 6);
    }
  }
  return tile;
}

void DrawBackgroundTiles(QPainter& painter, const QRect& area, const QImage& tile, Point scroll) {
  if (tile.isNull()) return;
  Point origin = BackgroundTileOrigin(scroll, tile.width(), tile.height());
  painter.save();
  painter.setBrushOrigin(origin.x, origin.y);
  painter.fillRect(area, QBrush(tile));
  painter.restore();
}

void DrawSelectionOutline(QPainter& painter, const std::vector<OutlineSegment>& outline,
                          const ViewMapping& mapping, const QRect& clip, int dashPhase,
                          bool inverted) {
  if (outline.empty()) return;
  QVector<QLine> lines;
  QRect widened = clip.adjusted(-1, -1, 1, 1);
  for (const OutlineSegment& segment : outline) {
    Point a = mapping.ImageToWindow(segment.from);
    Point b = mapping.ImageToWindow(segment.to);
    QRect box = QRect(QPoint(std::min(a.x, b.x), std::min(a.y, b.y)),
                      QPoint(std::max(a.x, b.x), std::max(a.y, b.y)));
    if (box.intersects(widened)) lines.append(QLine(a.x, a.y, b.x, b.y));
  }
  if (lines.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(Qt::white, 0));
  painter.drawLines(lines);
  QPen dashes(inverted ? QColor(210, 20, 20) : QColor(Qt::black), 0, Qt::CustomDashLine);
  dashes.setDashPattern({4, 4});
  dashes.setDashOffset(dashPhase);
  painter.setPen(dashes);
  painter.drawLines(lines);
  painter.restore();
}

void DrawRubberBand(QPainter& painter, const RubberBand& band) {
  if (!band.Shown()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  // White xor-ed onto any pixel inverts it: the band shows on every picture.
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::white, 0));
  painter.setBrush(Qt::NoBrush);
  const LtrbRect& r = band.rect;
  QRect box(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
  switch (band.kind) {
    case RubberBand::Kind::kRectangle: painter.drawRect(box); break;
    case RubberBand::Kind::kEllipse: painter.drawEllipse(box); break;
    case RubberBand::Kind::kLines: {
      QPolygon line;
      for (const Point& p : band.points) line << QPoint(p.x, p.y);
      painter.drawPolyline(line);
      break;
    }
    case RubberBand::Kind::kNone: break;
  }
  painter.restore();
}

void DrawTextPreview(QPainter& painter, const ImageBuffer& mask, const QRect& target) {
  const int width = mask.Width();
  const int height = mask.Height();
  QImage hatch(width, height, QImage::Format_ARGB32);
  if (hatch.isNull() || target.isEmpty()) return;
  hatch.fill(Qt::transparent);
  for (int y = 0; y < height; ++y) {
    const uint8_t* bytes = mask.Row(height - 1 - y);
    auto* line = reinterpret_cast<QRgb*>(hatch.scanLine(y));
    for (int x = 0; x < width; ++x) {
      // Diagonal stripes show on light and dark paints alike.
      if (bytes[x] != 0) line[x] = (x + y) % 4 < 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    }
  }
  painter.drawImage(target, hatch);
}

}  // namespace tintara
