#include "colors/widgets/color_swatch_grid.h"

#include <QApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "colors/widgets/swatch_painting.h"

namespace tintara {

namespace {

constexpr int kCell = ColorSwatchGrid::kCellSize;
// Where the square sits in its cell: inside the selection outline, a pixel apart.
constexpr int kSquareOffset = 2;

}  // namespace

ColorSwatchGrid::ColorSwatchGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalScrollBar()->setSingleStep(1);
  viewport()->setAutoFillBackground(false);
  UpdateLayout();
}

void ColorSwatchGrid::SetColors(std::vector<CFlossColor> colors, std::vector<ColorNote> notes) {
  colors_ = std::move(colors);
  notes_ = std::move(notes);
  if (notes_.size() != colors_.size()) notes_.assign(colors_.size(), ColorNote{});
  selected_ = -1;
  UpdateLayout();
  verticalScrollBar()->setValue(0);
  viewport()->update();
}

void ColorSwatchGrid::SetSelected(int position) {
  selected_ = (position >= 0 && position < int(colors_.size())) ? position : -1;
  if (selected_ >= 0) EnsureVisible(selected_);
  viewport()->update();
}

int ColorSwatchGrid::CellCount() const {
  return std::max(kMinimumCells, int(colors_.size()));
}

int ColorSwatchGrid::RowCount() const { return (CellCount() + columns_ - 1) / columns_; }

int ColorSwatchGrid::LeftMargin() const { return (viewport()->width() - columns_ * kCell) / 2; }

QRect ColorSwatchGrid::CellRect(int position) const {
  if (position < 0 || position >= int(colors_.size())) return {};
  const int row = position / columns_ - verticalScrollBar()->value();
  const QRect cell(LeftMargin() + position % columns_ * kCell, row * kCell, kCell, kCell);
  return cell.intersects(viewport()->rect()) ? cell : QRect();
}

int ColorSwatchGrid::PositionAt(QPoint point) const {
  const int x = point.x() - LeftMargin();
  if (x < 0 || x >= columns_ * kCell || point.y() < 0) return -1;
  const int row = point.y() / kCell + verticalScrollBar()->value();
  const int position = row * columns_ + x / kCell;
  return position < int(colors_.size()) ? position : -1;
}

QSize ColorSwatchGrid::SizeForCells(int columns, int rows) const {
  const int frame = 2 * frameWidth();
  return {columns * kCell + frame, rows * kCell + frame};
}

QSize ColorSwatchGrid::minimumSizeHint() const {
  return SizeForCells(8, 4) + QSize(verticalScrollBar()->sizeHint().width(), 0);
}

QSize ColorSwatchGrid::sizeHint() const {
  return SizeForCells(16, 8) + QSize(verticalScrollBar()->sizeHint().width(), 0);
}

// The columns follow from the whole inner width when every row fits, and from
// the width beside a scroll bar otherwise; both depend on the frame's size
// alone, so showing or hiding the bar cannot change the answer.
void ColorSwatchGrid::UpdateLayout() {
  const QRect inner = contentsRect();
  const int barWidth = verticalScrollBar()->sizeHint().width();
  const int cells = CellCount();
  int columns = std::max(1, inner.width() / kCell);
  const bool needsBar = (cells + columns - 1) / columns * kCell > inner.height();
  if (needsBar) columns = std::max(1, (inner.width() - barWidth) / kCell);
  columns_ = columns;
  const int visibleRows = std::max(1, inner.height() / kCell);
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, std::max(0, RowCount() - visibleRows));
  bar->setPageStep(visibleRows);
  const Qt::ScrollBarPolicy policy = needsBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
}

void ColorSwatchGrid::EnsureVisible(int position) {
  const int row = position / columns_;
  const int visibleRows = std::max(1, viewport()->height() / kCell);
  QScrollBar* bar = verticalScrollBar();
  if (row < bar->value()) {
    bar->setValue(row);
  } else if (row >= bar->value() + visibleRows) {
    bar->setValue(row - visibleRows + 1);
  }
}

void ColorSwatchGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateLayout();
  if (selected_ >= 0) EnsureVisible(selected_);
}

void ColorSwatchGrid::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

void ColorSwatchGrid::PaintCell(QPainter& painter, int position, QRect cell) const {
  const CFlossColor& color = colors_[size_t(position)];
  const QRect square(cell.x() + kSquareOffset, cell.y() + kSquareOffset, kSquareSize, kSquareSize);
  PaintSwatch(painter, square, color, !notes_[size_t(position)].similarPaints.empty());
  if (position == selected_) {
    painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(0, 0, -1, -1));
  }
}

void ColorSwatchGrid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  // Cells past the end of the list are white with a white outline: the background.
  painter.fillRect(viewport()->rect(), Qt::white);
  const int firstRow = verticalScrollBar()->value();
  const int rowsShown = viewport()->height() / kCell + 1;
  const int left = LeftMargin();
  for (int row = firstRow; row < firstRow + rowsShown; ++row) {
    for (int column = 0; column < columns_; ++column) {
      const int position = row * columns_ + column;
      if (position >= int(colors_.size())) return;
      PaintCell(painter, position,
                QRect(left + column * kCell, (row - firstRow) * kCell, kCell, kCell));
    }
  }
}

void ColorSwatchGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  const int position = PositionAt(event->position().toPoint());
  if (position < 0) return;
  if (position != selected_) {
    SetSelected(position);
    emit cellSelected(position);
  }
  emit cellClicked(position);
}

void ColorSwatchGrid::MoveSelection(int step) {
  if (colors_.empty()) return;
  if (selected_ < 0) {
    SetSelected(0);
    emit cellSelected(0);
    return;
  }
  const int target = selected_ + step;
  if (target < 0 || target >= int(colors_.size())) {
    QApplication::beep();
    emit beeped();
    return;
  }
  SetSelected(target);
  emit cellSelected(target);
}

void ColorSwatchGrid::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left: return MoveSelection(-1);
    case Qt::Key_Right: return MoveSelection(1);
    case Qt::Key_Up: return MoveSelection(-columns_);
    case Qt::Key_Down: return MoveSelection(columns_);
    default: QAbstractScrollArea::keyPressEvent(event);
  }
}

bool ColorSwatchGrid::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int position = PositionAt(help->pos());
    if (position < 0) {
      QToolTip::hideText();
    } else {
      const CFlossColor& color = colors_[size_t(position)];
      // Colours without a name (the border grid) are told by their RGB value.
      const QString tip = color.colorName.empty()
                              ? QString::fromStdString(color.RgbLine())
                              : ColorInfoLine(color, &notes_[size_t(position)]);
      QToolTip::showText(help->globalPos(), tip, viewport(), CellRect(position));
    }
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

}  // namespace tintara
