#include "app/icon_parts.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace tintara::glyph {

QPen Stroke(qreal width, const QColor& color) {
  QPen pen(color, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Outline(QPainter& p, const QColor& fill, qreal width) {
  p.setPen(Stroke(width));
  p.setBrush(fill);
}

void Polygon(QPainter& p, std::initializer_list<QPointF> corners) {
  p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
}

namespace {

// `r` with its upper right corner cut off `cut` along both sides.
QPolygonF CutCorner(const QRectF& r, qreal cut) {
  return QPolygonF({r.topLeft(), QPointF(r.right() - cut, r.top()),
                    QPointF(r.right(), r.top() + cut), r.bottomRight(), r.bottomLeft()});
}

}  // namespace

void Photo(QPainter& p, const QRectF& r) {
  p.save();
  Outline(p, kSky);
  p.drawRoundedRect(r, 2, 2);
  p.setClipRect(r.adjusted(1, 1, -1, -1));
  p.setPen(Qt::NoPen);
  p.setBrush(kOchre);
  p.drawEllipse(QPointF(r.right() - r.width() * 0.28, r.top() + r.height() * 0.3),
                r.width() * 0.11, r.width() * 0.11);
  QPainterPath hills;
  hills.moveTo(r.left(), r.bottom());
  hills.lineTo(r.left(), r.bottom() - r.height() * 0.25);
  hills.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.4);
  hills.lineTo(r.left() + r.width() * 0.62, r.bottom() - r.height() * 0.3);
  hills.lineTo(r.left() + r.width() * 0.78, r.bottom() - r.height() * 0.45);
  hills.lineTo(r.right(), r.bottom() - r.height() * 0.2);
  hills.lineTo(r.right(), r.bottom());
  p.setBrush(kGreen);
  p.drawPath(hills);
  p.restore();
  p.setPen(Stroke());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 2, 2);
}

void NumberedAreas(QPainter& p, const QRectF& r, bool coloured) {
  p.save();
  Outline(p, kPaper);
  p.drawRoundedRect(r, 2, 2);
  p.setClipRect(r);
  QPainterPath left;
  left.moveTo(r.left() + r.width() * 0.45, r.top());
  left.cubicTo(r.left() + r.width() * 0.3, r.top() + r.height() * 0.4,
               r.left() + r.width() * 0.7, r.top() + r.height() * 0.6,
               r.left() + r.width() * 0.5, r.bottom());
  QPainterPath cross;
  cross.moveTo(r.left() + r.width() * 0.52, r.top() + r.height() * 0.55);
  cross.cubicTo(r.left() + r.width() * 0.7, r.top() + r.height() * 0.45,
                r.left() + r.width() * 0.85, r.top() + r.height() * 0.62, r.right(),
                r.top() + r.height() * 0.5);
  if (coloured) {
    QPainterPath leftArea = left;
    leftArea.lineTo(r.bottomLeft());
    leftArea.lineTo(r.topLeft());
    leftArea.closeSubpath();
    p.fillPath(leftArea, kSky);
  }
  p.setPen(Stroke(1.6, kTerracotta));
  p.setBrush(Qt::NoBrush);
  p.drawPath(left);
  p.drawPath(cross);
  QFont font;
  font.setPixelSize(int(r.height() * 0.36));
  font.setBold(true);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(QRectF(r.left(), r.top() + r.height() * 0.2, r.width() * 0.42, r.height() * 0.5),
             Qt::AlignCenter, QStringLiteral("1"));
  p.drawText(QRectF(r.left() + r.width() * 0.58, r.top(), r.width() * 0.42, r.height() * 0.5),
             Qt::AlignCenter, QStringLiteral("2"));
  p.drawText(QRectF(r.left() + r.width() * 0.58, r.top() + r.height() * 0.52,
                    r.width() * 0.42, r.height() * 0.48),
             Qt::AlignCenter, QStringLiteral("3"));
  p.restore();
  p.setPen(Stroke());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 2, 2);
}

void ColourBlocks(QPainter& p, const QRectF& r) {
  const QColor colours[] = {kTerracotta, kOchre, kTeal, kBlue};
  qreal w = r.width() / 2;
  qreal h = r.height() / 2;
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colours[i]);
    p.drawRect(QRectF(r.left() + (i % 2) * w, r.top() + (i / 2) * h, w, h));
  }
  p.setPen(Stroke());
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r, 2, 2);
}

void Disk(QPainter& p, const QRectF& r, const QColor& body) {
  Outline(p, body);
  p.drawPolygon(CutCorner(r, r.width() * 0.22));
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawRect(QRectF(r.left() + r.width() * 0.22, r.top() + r.height() * 0.55, r.width() * 0.56,
                    r.height() * 0.45 - 1.5));
  p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top() + 1, r.width() * 0.4,
                    r.height() * 0.28));
  p.setBrush(body);
  p.drawRect(QRectF(r.left() + r.width() * 0.5, r.top() + 2.5, r.width() * 0.1,
                    r.height() * 0.18));
}

void DiskBadge(QPainter& p) { Disk(p, QRectF(17, 17, 13, 13)); }


void Page(QPainter& p, const QRectF& r) {
  qreal fold = r.width() * 0.3;
  Outline(p, kPaper);
  p.drawPolygon(CutCorner(r, fold));
  p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()),
                            QPointF(r.right() - fold, r.top() + fold),
                            QPointF(r.right(), r.top() + fold)}));
}

void Check(QPainter& p, const QPointF& at, qreal size, const QColor& color) {
  p.setPen(Stroke(3.0, color));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({at, at + QPointF(size * 0.35, size * 0.35),
                            at + QPointF(size, -size * 0.45)}));
}

void Pencil(QPainter& p, QPointF tip, qreal length) {
  p.save();
  p.translate(tip);
  p.rotate(-45);
  Outline(p, kOchre, 1.6);
  p.drawRect(QRectF(4, -2.6, length - 4, 5.2));
  p.setBrush(kTerracotta);
  p.drawRect(QRectF(length - 3, -2.6, 3, 5.2));
  p.setBrush(kPaper);
  Polygon(p, {{0, 0}, {4, -2.6}, {4, 2.6}});
  p.restore();
}

void ArrowInto(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(Stroke(2.8, color));
  p.drawLine(from, to);
  QPointF d = to - from;
  qreal len = std::hypot(d.x(), d.y());
  QPointF u = d / len;
  QPointF n(-u.y(), u.x());
  p.setPen(Stroke(1.0, color));
  p.setBrush(color);
  Polygon(p, {to + u * 2, to - u * 5 + n * 4.5, to - u * 5 - n * 4.5});
}

}  // namespace tintara::glyph
