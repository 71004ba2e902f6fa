// The floating "Select Region" window: the selection tool's shape, combining
// mode, square and fixed size, and the button that removes the selection.
#pragma once

#include <QButtonGroup>
#include <QWidget>

#include "editing/select_params.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace tintara {

class SelectRegionWindow : public QWidget {
  Q_OBJECT

 public:
  // Edits `params` in place; the owner keeps it alive longer than the window.
  SelectRegionWindow(CSelectParams& params, QWidget* parent = nullptr);

  // Controls by their captions, for the owner and the tests.
  QToolButton* ShapeButton(int shape) const;
  QToolButton* ModeButton(int mode) const;
  QToolButton* RemoveButton() const { return remove_; }
  QCheckBox* SizeBox() const { return size_; }
  QCheckBox* SquareBox() const { return square_; }
  QSpinBox* WidthField() const { return width_; }
  QSpinBox* HeightField() const { return height_; }
  QSpinBox* ToleranceField() const { return tolerance_; }

 signals:
  // Every value was written to the settings.
  void paramsChanged();
  // The "N" button: the selection is to be removed (pendingAction is set).
  void removeRequested();
  // The window closes at this screen position.
  void closing(QPoint topLeft);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  QToolButton* PictureButton(const QString& caption, const QString& tip, int glyph);
  // Writes every control's value at once, then shows what now applies.
  void WriteAll();
  void ShowApplicable();

  CSelectParams& params_;
  QButtonGroup shapes_;
  QButtonGroup modes_;
  QToolButton* remove_ = nullptr;
  QCheckBox* size_ = nullptr;
  QCheckBox* square_ = nullptr;
  QLabel* widthLabel_ = nullptr;
  QLabel* heightLabel_ = nullptr;
  QSpinBox* width_ = nullptr;
  QSpinBox* height_ = nullptr;
  QLabel* toleranceLabel_ = nullptr;
  QSpinBox* tolerance_ = nullptr;
};

}  // namespace tintara
