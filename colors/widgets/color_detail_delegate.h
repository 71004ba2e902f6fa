// Draws the cells of the colour detail list: a swatch in the first column,
// and text cut with three dots where it does not fit.
#pragma once

#include <QStyledItemDelegate>

class QFontMetrics;

namespace tintara {

// `text` when it fits `width` pixels, else its longest start that fits
// followed by "..." (three full stops, never the single ellipsis character).
QString ElideWithDots(const QString& text, const QFontMetrics& metrics, int width);

class ColorDetailDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  // Item data roles the list fills for the swatch column.
  static constexpr int kColorRole = Qt::UserRole + 10;
  static constexpr int kMarkedRole = Qt::UserRole + 11;

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  // The text the cell at `index` draws within the option's rectangle.
  QString ShownText(QStyleOptionViewItem option, const QModelIndex& index) const;

 private:
  QString Elided(const QStyleOptionViewItem& filled) const;
};

}  // namespace tintara
