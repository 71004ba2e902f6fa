// "Posterize" (levels per colour channel) and "Reduce colors" (the number
// of colours of an optimised reduction), both opened on the picture being
// edited.
#pragma once

#include <QDialog>
#include <functional>

#include "ports/dialogs.h"

class QSpinBox;

namespace tintara {

class PosterizeDialog : public QDialog {
  Q_OBJECT

 public:
  // `changed` hears every valid triple while the user edits, for a preview.
  PosterizeDialog(const PosterizeLevels& initial,
                  std::function<void(const PosterizeLevels&)> changed, QWidget* parent = nullptr);
  PosterizeLevels Levels() const;
  QSpinBox* Red() const { return red_; }
  QSpinBox* Green() const { return green_; }
  QSpinBox* Blue() const { return blue_; }

 private:
  QSpinBox* red_;
  QSpinBox* green_;
  QSpinBox* blue_;
};

class ReduceColorsDialog : public QDialog {
  Q_OBJECT

 public:
  ReduceColorsDialog(int initial, QWidget* parent = nullptr);
  int Colors() const;
  QSpinBox* ColorsBox() const { return colors_; }

 private:
  QSpinBox* colors_;
};

}  // namespace tintara
