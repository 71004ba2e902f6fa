// The look shared by the graphical interface's panels, buttons and status
// bar: a warm paper tone with one accent colour.
#pragma once

#include <QColor>
#include <QFont>

class QPainter;
class QRect;

namespace tintara {

struct PanelColors {
  QColor paperTop;
  QColor paperBottom;
  QColor sideTop;
  QColor sideBottom;
  QColor rule;
  QColor text;
  QColor disabledText;
  QColor title;
  QColor accent;
  QColor hot;
  QColor hotEdge;
  QColor pressed;
  QColor current;
};

const PanelColors& Panel();

// Captions under the panel buttons.
QFont PanelCaptionFont();
// The page name at the start of the tool panel.
QFont PanelTitleFont();

// Backgrounds: the tool panel and status bar (horizontal) and the task bar
// (vertical), each with the rule towards the picture.
void PaintToolPanelBackground(QPainter& painter, const QRect& area);
void PaintTaskBarBackground(QPainter& painter, const QRect& area);
void PaintStatusBarBackground(QPainter& painter, const QRect& area);

}  // namespace tintara
