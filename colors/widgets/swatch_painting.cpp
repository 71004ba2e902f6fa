#include "colors/widgets/swatch_painting.h"

#include <QPainter>
#include <QPolygon>

#include "colors/widgets/color_note.h"

namespace tintara {

namespace {

constexpr int kMarkSize = 7;

// A triangle in the top right corner, dark on light colours and light on dark
// ones, so that it shows on every paint.
void PaintMark(QPainter& painter, const QRect& inside, const CFlossColor& color) {
  const int size = qMin(kMarkSize, qMin(inside.width(), inside.height()));
  const QPoint corner = inside.topRight();
  QPolygon triangle;
  triangle << corner << QPoint(corner.x() - size + 1, corner.y())
           << QPoint(corner.x(), corner.y() + size - 1);
  const QColor ink = IsLightColor(color) ? Qt::black : Qt::white;
  painter.setPen(ink);
  painter.setBrush(ink);
  painter.drawPolygon(triangle);
}

}  // namespace

void PaintSwatch(QPainter& painter, const QRect& square, const CFlossColor& color, bool marked) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.fillRect(square, QColor(color.red, color.green, color.blue));
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.setBrush(Qt::NoBrush);
  // A one-pixel pen draws right and bottom edges one pixel further out.
  painter.drawRect(square.adjusted(0, 0, -1, -1));
  if (marked) PaintMark(painter, square.adjusted(1, 1, -1, -1), color);
  painter.restore();
}

}  // namespace tintara
