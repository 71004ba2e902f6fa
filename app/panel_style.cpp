#include "app/panel_style.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRect>

namespace tintara {

const PanelColors& Panel() {
  static const PanelColors colors{
      QColor(252, 249, 243),  // paperTop
      QColor(240, 233, 221),  // paperBottom
      QColor(64, 74, 90),     // sideTop
      QColor(44, 52, 65),     // sideBottom
      QColor(206, 192, 170),  // rule
      QColor(52, 46, 40),     // text
      QColor(160, 152, 142),  // disabledText
      QColor(176, 96, 48),    // title
      QColor(208, 112, 58),   // accent
      QColor(255, 255, 255, 200),
      QColor(222, 196, 160),  // hotEdge
      QColor(244, 222, 196),  // pressed
      QColor(255, 244, 228),  // current
  };
  return colors;
}

QFont PanelCaptionFont() {
  QFont font;
  font.setPointSizeF(8.5);
  return font;
}

QFont PanelTitleFont() {
  QFont font;
  font.setPointSizeF(13);
  font.setBold(true);
  return font;
}

namespace {

void FillTopToBottom(QPainter& painter, const QRect& area, const QColor& top,
                     const QColor& bottom) {
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(area, gradient);
}

}  // namespace

void PaintToolPanelBackground(QPainter& painter, const QRect& area) {
  const PanelColors& colors = Panel();
  FillTopToBottom(painter, area, colors.paperTop, colors.paperBottom);
  painter.setPen(colors.rule);
  painter.drawLine(area.bottomLeft(), area.bottomRight());
}

void PaintTaskBarBackground(QPainter& painter, const QRect& area) {
  const PanelColors& colors = Panel();
  FillTopToBottom(painter, area, colors.sideTop, colors.sideBottom);
}

void PaintStatusBarBackground(QPainter& painter, const QRect& area) {
  const PanelColors& colors = Panel();
  FillTopToBottom(painter, area, colors.paperBottom, colors.paperTop);
  painter.setPen(colors.rule);
  painter.drawLine(area.topLeft(), area.topRight());
}

}  // namespace tintara
