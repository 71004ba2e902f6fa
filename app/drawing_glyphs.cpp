// Pictograms of the drawing tools: a pencil over what it draws, the pen's
// sizes and shapes, a paint can for filling and a dropper for picking.
#include <QPainter>

#include "app/icon_glyphs.h"
#include "app/icon_parts.h"

namespace tintara {

namespace {

using namespace glyph;

void Dropper(QPainter& p) {
  p.save();
  p.translate(8, 24);
  p.rotate(-45);
  Outline(p, kSky, 1.6);
  p.drawRect(QRectF(2, -2.5, 14, 5));
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(16, -4.5, 8, 9), 2, 2);
  p.restore();
  p.setPen(Stroke(1.0, kTeal));
  p.setBrush(kTeal);
  p.drawEllipse(QPointF(6, 27), 2.6, 2.6);
}

void PaintCan(QPainter& p, const QColor& paint) {
  Outline(p, kPaper, 1.8);
  Polygon(p, {{6, 12}, {20, 6}, {26, 20}, {12, 26}});
  p.setPen(Stroke(1.0, paint));
  p.setBrush(paint);
  p.drawEllipse(QPointF(25, 26), 3.5, 3.5);
}

void PenDots(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  qreal x = 4;
  for (qreal r : {1.5, 2.5, 4.0, 6.0}) {
    p.drawEllipse(QPointF(x + r, 16), r, r);
    x += 2 * r + 2;
  }
}

}  // namespace

void PaintDrawingGlyph(QPainter& p, Glyph glyph) {
  p.save();
  switch (glyph) {
    case Glyph::kDraw:
      NumberedAreas(p, QRectF(2, 2, 22, 22), true);
      Pencil(p, QPointF(14, 30), 18);
      break;
    case Glyph::kPen:
      p.setPen(Stroke(2.4, kTerracotta));
      p.drawArc(QRectF(3, 14, 18, 14), 0, 180 * 16);
      Pencil(p, QPointF(20, 21), 16);
      break;
    case Glyph::kLine:
      p.setPen(Stroke(2.6, kTerracotta));
      p.drawLine(QPointF(4, 28), QPointF(28, 4));
      break;
    case Glyph::kRectangle:
      p.setPen(Stroke(2.4, kTerracotta));
      p.drawRect(QRectF(4, 8, 24, 16));
      break;
    case Glyph::kEllipse:
      p.setPen(Stroke(2.4, kTerracotta));
      p.drawEllipse(QRectF(3, 7, 26, 18));
      break;
    case Glyph::kPenSize: PenDots(p); break;
    case Glyph::kPenShape:
      Outline(p, kInk, 1.0);
      p.drawEllipse(QPointF(9, 16), 6, 6);
      p.drawRect(QRectF(18, 10, 12, 12));
      break;
    case Glyph::kFill: PaintCan(p, kTerracotta); break;
    case Glyph::kRecolor:
      PaintCan(p, kTeal);
      p.setPen(Stroke(2.0, kOchre));
      p.drawLine(QPointF(2, 4), QPointF(10, 4));
      break;
    case Glyph::kPicker: Dropper(p); break;
    case Glyph::kInsertPicture:
      Photo(p, QRectF(8, 8, 22, 18));
      ArrowInto(p, QPointF(2, 2), QPointF(12, 12), kBlue);
      break;
    case Glyph::kAddText: {
      QFont font = p.font();
      font.setBold(true);
      font.setPixelSize(24);
      p.setFont(font);
      p.setPen(kTerracotta);
      p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("A"));
      p.setPen(Stroke(1.6, kInk));
      p.drawLine(QPointF(4, 29), QPointF(28, 29));
      break;
    }
    default: break;
  }
  p.restore();
}

}  // namespace tintara
