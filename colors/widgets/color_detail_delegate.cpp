#include "colors/widgets/color_detail_delegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include "colors/widgets/swatch_painting.h"

namespace tintara {

QString ElideWithDots(const QString& text, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  const QString dots = QStringLiteral("...");
  // The longest start that fits with the dots: advances grow with length.
  qsizetype low = 0;
  qsizetype high = text.size();
  while (low < high) {
    const qsizetype middle = (low + high + 1) / 2;
    if (metrics.horizontalAdvance(text.left(middle) + dots) <= width) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  // Never split a surrogate pair.
  if (low > 0 && text.at(low - 1).isHighSurrogate()) --low;
  return text.left(low) + dots;
}

QString ColorDetailDelegate::ShownText(QStyleOptionViewItem option,
                                       const QModelIndex& index) const {
  initStyleOption(&option, index);
  return Elided(option);
}

QString ColorDetailDelegate::Elided(const QStyleOptionViewItem& option) const {
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &option, widget);
  // The style keeps this margin on each side of the text inside its rectangle.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  return ElideWithDots(option.text, option.fontMetrics, textRect.width() - 2 * margin);
}

void ColorDetailDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem item = option;
  initStyleOption(&item, index);
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  const QVariant color = index.data(kColorRole);
  if (!color.isValid()) {
    item.text = Elided(item);
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    return;
  }
  item.text.clear();
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  const QColor value = color.value<QColor>();
  CFlossColor swatch;
  swatch.red = uint8_t(value.red());
  swatch.green = uint8_t(value.green());
  swatch.blue = uint8_t(value.blue());
  const QRect square = option.rect.adjusted(4, 2, -4, -2);
  if (square.isValid()) PaintSwatch(*painter, square, swatch, index.data(kMarkedRole).toBool());
}

}  // namespace tintara
