// The detail view of the colour lists: swatch, name, number and brand (and
// the area share once there is a pattern), sorted by a click on a header.
#pragma once

#include <QTreeWidget>
#include <vector>

#include "colors/floss_color.h"
#include "colors/widgets/color_note.h"

namespace tintara {

class ColorDetailDelegate;

class ColorDetailList : public QTreeWidget {
  Q_OBJECT

 public:
  enum Column { kColorColumn, kNameColumn, kNumberColumn, kBrandColumn, kAreaColumn };

  explicit ColorDetailList(QWidget* parent = nullptr);

  // Keeps the order chosen by the headers, if any.
  void SetColors(const std::vector<CFlossColor>& colors, const std::vector<ColorNote>& notes);
  // Selects without signalling and scrolls the row into view; -1 clears.
  void SetSelected(int position);
  int PositionOfRow(int row) const;
  int SortColumn() const { return sortColumn_; }
  // What the cell draws as text, cut to its column.
  QString ShownText(int row, int column) const;

 signals:
  void positionSelected(int position);
  void positionClicked(int position);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyColumnWidths();
  void SortBy(int column);

  ColorDetailDelegate* delegate_;
  int sortColumn_ = -1;
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  bool updating_ = false;
};

}  // namespace tintara
