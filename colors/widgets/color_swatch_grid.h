// The swatch view of the colour lists: a grid of 24 × 24 cells, as many
// columns as fit, centred, scrolled by whole rows.
#pragma once

#include <QAbstractScrollArea>
#include <vector>

#include "colors/floss_color.h"
#include "colors/widgets/color_note.h"

namespace tintara {

class ColorSwatchGrid : public QAbstractScrollArea {
  Q_OBJECT

 public:
  static constexpr int kCellSize = 24;
  static constexpr int kSquareSize = 21;
  // Cells up to this count are drawn even past the end of the list.
  static constexpr int kMinimumCells = 256;

  explicit ColorSwatchGrid(QWidget* parent = nullptr);

  void SetColors(std::vector<CFlossColor> colors, std::vector<ColorNote> notes);
  // Selects without signalling and scrolls the cell into view; -1 clears.
  void SetSelected(int position);
  int Selected() const { return selected_; }

  int Columns() const { return columns_; }
  // The cell's rectangle in viewport coordinates; empty when not visible.
  QRect CellRect(int position) const;
  // The list position under a viewport point, -1 for none.
  int PositionAt(QPoint point) const;
  // The frame size that shows `columns` × `rows` cells without a scroll bar.
  QSize SizeForCells(int columns, int rows) const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 signals:
  void cellSelected(int position);
  void cellClicked(int position);
  void beeped();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  int CellCount() const;
  int RowCount() const;
  int LeftMargin() const;
  void UpdateLayout();
  void EnsureVisible(int position);
  void MoveSelection(int step);
  void PaintCell(QPainter& painter, int position, QRect cell) const;

  std::vector<CFlossColor> colors_;
  std::vector<ColorNote> notes_;
  int selected_ = -1;
  int columns_ = 1;
};

}  // namespace tintara
