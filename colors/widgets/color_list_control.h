// The colour list shared by the colour dialogs and the palette window: a
// swatch grid or a detail list of paint colours, with one selection.
#pragma once

#include <QWidget>
#include <vector>

#include "colors/floss_color.h"
#include "colors/widgets/color_note.h"

class QAbstractScrollArea;
class QStackedLayout;
class QTreeWidget;

namespace tintara {

class ColorSwatchGrid;
class ColorDetailList;

class ColorListControl : public QWidget {
  Q_OBJECT

 public:
  explicit ColorListControl(QWidget* parent = nullptr);

  // Shows `colors` in list order; `notes` is empty or one per colour. Clears the selection.
  void SetColors(std::vector<CFlossColor> colors, std::vector<ColorNote> notes = {});
  const std::vector<CFlossColor>& Colors() const { return colors_; }
  const std::vector<ColorNote>& Notes() const { return notes_; }

  void SetDetailsView(bool details);  // false: swatch grid, true: detail list
  bool DetailsView() const;

  // Position in the list given to SetColors (not the sorted row); -1 none.
  int Selected() const { return selected_; }
  // Selects and scrolls it into view; emits nothing. -1 clears.
  void SetSelected(int position);

  // The two views, and where cell `position` is drawn in the swatch view's
  // viewport coordinates (empty rect when not visible). The detail view is a
  // QTreeWidget.
  QAbstractScrollArea* SwatchView() const;
  QTreeWidget* DetailView() const;
  QRect CellRect(int position) const;

 signals:
  void colorSelected(int position);  // the user selected (click or key) in either view
  void colorClicked(int position);   // a mouse click on a colour
  void beeped();                     // a key move outside the list

 private:
  void TakeSelection(int position);

  std::vector<CFlossColor> colors_;
  std::vector<ColorNote> notes_;
  int selected_ = -1;
  ColorSwatchGrid* grid_;
  ColorDetailList* details_;
  QStackedLayout* stack_;
};

}  // namespace tintara
