#include "app/window_title_fit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QWidget>
#include <algorithm>

namespace tintara {

namespace {

// Title bars often use a slightly larger face than the widgets do.
constexpr qreal kTitleFontGrowth = 1.15;
// The icon and three buttons, each about a bar high, and padding on both sides.
constexpr int kBarsBesideTitle = 6;

}  // namespace

int WidthForWindowTitle(const QString& title) {
  QFont font = QApplication::font();
  font.setBold(true);
  if (font.pointSizeF() > 0) {
    font.setPointSizeF(font.pointSizeF() * kTitleFontGrowth);
  } else {
    font.setPixelSize(qRound(font.pixelSize() * kTitleFontGrowth));
  }
  QFontMetrics metrics(font);
  int barHeight = metrics.height() + 8;
  return metrics.horizontalAdvance(title) + kBarsBesideTitle * barHeight;
}

void FitWidthToTitle(QWidget* window) {
  int width = std::max(window->minimumWidth(), WidthForWindowTitle(window->windowTitle()));
  // A minimum width set on the window replaces its layout's, which must still hold.
  if (QLayout* layout = window->layout()) {
    width = std::max(width, layout->totalMinimumSize().width());
  }
  window->setMinimumWidth(width);
}

}  // namespace tintara
