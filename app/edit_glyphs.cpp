// The pictograms of picture editing: turns, mirrors, tone changes, filters
// and sizes, drawn from the shared pieces of the glyph family.
#include <QPainter>
#include <QPainterPath>

#include "app/icon_glyphs.h"
#include "app/icon_parts.h"

namespace tintara {

namespace {

using namespace glyph;

// A curved arrow around the middle, clockwise or not.
void TurnAround(QPainter& p, bool clockwise) {
  p.setPen(Stroke(2.6, kTeal));
  p.setBrush(Qt::NoBrush);
  const int start = clockwise ? 200 * 16 : -20 * 16;
  p.drawArc(QRectF(6, 6, 20, 20), start, clockwise ? -250 * 16 : 250 * 16);
  p.setPen(Stroke(1.0, kTeal));
  p.setBrush(kTeal);
  if (clockwise) {
    Polygon(p, {{20, 22}, {27, 21}, {25, 28}});
  } else {
    Polygon(p, {{12, 22}, {5, 21}, {7, 28}});
  }
}

// The photo and its mirror image on either side of a dashed axis.
void Mirror(QPainter& p, bool horizontal, bool vertical) {
  Photo(p, QRectF(7, 7, 18, 18));
  p.setPen(QPen(kTerracotta, 2.0, Qt::DashLine));
  if (horizontal) p.drawLine(QPointF(16, 2), QPointF(16, 30));
  if (vertical) p.drawLine(QPointF(2, 16), QPointF(30, 16));
  p.setPen(Stroke(1.0, kTerracotta));
  p.setBrush(kTerracotta);
  if (horizontal) {
    Polygon(p, {{2, 4}, {6, 1}, {6, 7}});
    Polygon(p, {{30, 4}, {26, 1}, {26, 7}});
  }
  if (vertical) {
    Polygon(p, {{4, 30}, {1, 26}, {7, 26}});
    Polygon(p, {{28, 30}, {25, 26}, {31, 26}});
  }
}

// A sun whose rays grow (lighter) or a dimmed disc (darker).
void Sun(QPainter& p, bool lighter) {
  const QColor body = lighter ? kOchre : QColor(110, 104, 96);
  p.setPen(Stroke(2.0, body));
  for (int i = 0; i < 8; ++i) {
    p.save();
    p.translate(16, 16);
    p.rotate(45 * i);
    p.drawLine(QPointF(0, lighter ? 10 : 9), QPointF(0, lighter ? 14 : 11));
    p.restore();
  }
  Outline(p, body, 1.8);
  p.drawEllipse(QPointF(16, 16), 7, 7);
}

// A half-black, half-white disc; more contrast widens the split.
void Contrast(QPainter& p, bool more) {
  Outline(p, more ? kPaper : QColor(200, 200, 200), 2.0);
  p.drawEllipse(QPointF(16, 16), 12, 12);
  p.setBrush(more ? kInk : QColor(128, 128, 128));
  QPainterPath half;
  half.moveTo(16, 4);
  half.arcTo(QRectF(4, 4, 24, 24), 90, 180);
  half.closeSubpath();
  p.drawPath(half);
  p.setPen(Stroke(2.4, kTerracotta));
  p.drawLine(QPointF(24, 4), QPointF(30, 4));
  if (more) p.drawLine(QPointF(27, 1), QPointF(27, 7));
}

// A jagged edge (sharpen) or a soft wave (smooth).
void Edge(QPainter& p, bool sharp) {
  Photo(p, QRectF(3, 5, 26, 22));
  p.setPen(Stroke(2.4, kTerracotta));
  p.setBrush(Qt::NoBrush);
  QPainterPath line;
  line.moveTo(5, 20);
  if (sharp) {
    for (int i = 0; i < 5; ++i) line.lineTo(8 + 5 * i, i % 2 == 0 ? 10 : 22);
  } else {
    line.cubicTo(12, 8, 20, 26, 27, 14);
  }
  p.drawPath(line);
}

void Wand(QPainter& p) {
  p.setPen(Stroke(3.0, kInk));
  p.drawLine(QPointF(6, 27), QPointF(20, 13));
  p.setPen(Stroke(1.6, kOchre));
  for (QPointF at : {QPointF(24, 7), QPointF(15, 5), QPointF(27, 17)}) {
    p.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
    p.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
  }
}

// A small and a large frame with an arrow between.
void Sizes(QPainter& p) {
  Outline(p, kSky, 1.6);
  p.drawRect(QRectF(3, 17, 10, 10));
  Outline(p, kPaper, 1.6);
  p.drawRect(QRectF(12, 4, 17, 17));
  ArrowInto(p, QPointF(9, 20), QPointF(22, 11), kTeal);
}

void CropMarks(QPainter& p) {
  Photo(p, QRectF(8, 8, 16, 16));
  p.setPen(Stroke(2.6, kInk));
  p.drawPolyline(QPolygonF({QPointF(8, 2), QPointF(8, 24), QPointF(30, 24)}));
  p.drawPolyline(QPolygonF({QPointF(2, 8), QPointF(24, 8), QPointF(24, 30)}));
}

// The panel with a preview: a photo with buttons beside it.
void Panel(QPainter& p, bool filters) {
  Outline(p, kPaper, 1.6);
  p.drawRoundedRect(QRectF(2, 4, 28, 24), 2, 2);
  Photo(p, QRectF(5, 7, 15, 15));
  for (int i = 0; i < 3; ++i) {
    Outline(p, filters ? kOchre : kTeal, 1.2);
    p.drawRect(QRectF(23, 8 + 6 * i, 5, 4));
  }
}

}  // namespace

bool PaintEditGlyph(QPainter& p, Glyph glyph) {
  switch (glyph) {
    case Glyph::kRotateMenu: Photo(p, QRectF(9, 9, 14, 14)); TurnAround(p, true); return true;
    case Glyph::kRotateLeft: TurnAround(p, false); return true;
    case Glyph::kRotateRight: TurnAround(p, true); return true;
    case Glyph::kFlipHorizontal: Mirror(p, true, false); return true;
    case Glyph::kFlipVertical: Mirror(p, false, true); return true;
    case Glyph::kFlipBoth: Mirror(p, true, true); return true;
    case Glyph::kFilterMenu: Edge(p, false); Wand(p); return true;
    case Glyph::kSmartTune: Wand(p); return true;
    case Glyph::kLighter: Sun(p, true); return true;
    case Glyph::kDarker: Sun(p, false); return true;
    case Glyph::kMoreContrast: Contrast(p, true); return true;
    case Glyph::kLessContrast: Contrast(p, false); return true;
    case Glyph::kSharpen: Edge(p, true); return true;
    case Glyph::kSmooth: Edge(p, false); return true;
    case Glyph::kSizeMenu: Sizes(p); return true;
    case Glyph::kCrop: CropMarks(p); return true;
    case Glyph::kAdjustPanel: Panel(p, false); return true;
    case Glyph::kFilterPanel: Panel(p, true); return true;
    default: return false;
  }
}

}  // namespace tintara
