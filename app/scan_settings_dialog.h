// "Scan Settings": what a device scans — resolution, colour or grey, the
// area in millimetres and a quick preview — within what it offers.
#pragma once

#include <QDialog>

#include "ports/scanner_library.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace tintara {

class ScanSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ScanSettingsDialog(const std::string& device, const ScanCapabilities& offered,
                     const ScanOptions& initial, QWidget* parent = nullptr);

  ScanOptions Options() const;

  QComboBox* Resolution() const { return resolution_; }
  QComboBox* Mode() const { return mode_; }
  QDoubleSpinBox* Left() const { return left_; }
  QDoubleSpinBox* Top() const { return top_; }
  QDoubleSpinBox* Width() const { return width_; }
  QDoubleSpinBox* Height() const { return height_; }
  QCheckBox* Preview() const { return preview_; }

 private:
  // Keeps the area inside the bed: the size may not pass the far edge.
  void FitArea();

  ScanCapabilities offered_;
  QComboBox* resolution_;
  QComboBox* mode_;
  QDoubleSpinBox* left_;
  QDoubleSpinBox* top_;
  QDoubleSpinBox* width_;
  QDoubleSpinBox* height_;
  QCheckBox* preview_;
};

}  // namespace tintara
