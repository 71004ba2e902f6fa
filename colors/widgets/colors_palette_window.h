// "Colors palette": the floating tool window beside the pattern that shows the
// working palette and sets the current painting colour.
#pragma once

#include <QPoint>
#include <QWidget>
#include <vector>

#include "colors/widgets/color_list_control.h"

class QLabel;
class QPushButton;

namespace tintara {

class ColorsPaletteWindow : public QWidget {
  Q_OBJECT

 public:
  explicit ColorsPaletteWindow(QWidget* parent = nullptr);

  // The whole list again, with `current` selected.
  void Reload(const std::vector<CFlossColor>& palette, std::vector<ColorNote> notes, int current);
  // Only the selection follows the current colour.
  void SelectCurrent(int current);

  ColorListControl* List() const { return list_; }
  QPushButton* AddButton() const { return add_; }

 signals:
  void colorChosen(int position);
  void addRequested();
  // The window is closing at this top-left screen position.
  void closing(QPoint topLeft);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ShowInfo(int position);

  ColorListControl* list_ = nullptr;
  QPushButton* add_ = nullptr;
  QLabel* info_ = nullptr;
};

}  // namespace tintara
