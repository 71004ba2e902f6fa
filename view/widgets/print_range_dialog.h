// "Print range": every sheet of a picture printed over n × n sheets, or one
// sheet chosen by its row and column.
#pragma once

#include <QDialog>

#include "ports/dialogs.h"

class QLabel;
class QRadioButton;
class QSpinBox;

namespace tintara {

class PrintRangeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit PrintRangeDialog(int pagesPerSide, QWidget* parent = nullptr);
  PrintRangeChoice Choice() const;

  QRadioButton* All() const { return all_; }
  QRadioButton* OnePage() const { return one_; }
  QSpinBox* Row() const { return row_; }
  QSpinBox* Column() const { return column_; }

 private:
  void FollowChoice();

  QRadioButton* all_;
  QRadioButton* one_;
  QLabel* rowLabel_;
  QSpinBox* row_;
  QLabel* columnLabel_;
  QSpinBox* column_;
};

}  // namespace tintara
