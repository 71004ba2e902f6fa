// "Color correction": the brightness factor in percent applied before colours
// are matched to paint colours.
#pragma once

#include <QDialog>
#include <optional>

class QSpinBox;

namespace tintara {

constexpr int kMinBrightnessFactor = 0;
constexpr int kMaxBrightnessFactor = 10000;

class ColorCorrectionDialog : public QDialog {
  Q_OBJECT

 public:
  ColorCorrectionDialog(int percent, QWidget* parent = nullptr);
  int Percent() const;
  QSpinBox* FactorBox() const { return factor_; }

 private:
  QSpinBox* factor_;
};

// The new percent after OK, nothing after Cancel.
std::optional<int> AskBrightnessFactor(int percent, QWidget* parent = nullptr);

}  // namespace tintara
