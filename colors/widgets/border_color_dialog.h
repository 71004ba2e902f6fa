// "Set borders color": 216 evenly spaced colours for the borders and digits
// of the pattern; a click on one chooses it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "colors/floss_color.h"

class QLabel;

namespace tintara {

class ColorListControl;

// Red, green and blue each 0, 51, ..., 255; red changes slowest, blue fastest.
std::vector<Rgb> BorderGridColors();

class BorderColorDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens with `current` (red in the low byte) or the grid colour nearest to it selected.
  explicit BorderColorDialog(uint32_t current, QWidget* parent = nullptr);

  // The colour chosen, once the dialog was accepted.
  std::optional<uint32_t> Chosen() const { return chosen_; }
  ColorListControl* List() const { return list_; }
  QLabel* InfoLine() const { return info_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowInfo(int position);
  void Choose(int position);

  ColorListControl* list_;
  QLabel* info_;
  std::optional<uint32_t> chosen_;
};

}  // namespace tintara
