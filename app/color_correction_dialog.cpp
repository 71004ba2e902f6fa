#include "app/color_correction_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

ColorCorrectionDialog::ColorCorrectionDialog(int percent, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Color correction"));
  factor_ = new QSpinBox(this);
  factor_->setRange(kMinBrightnessFactor, kMaxBrightnessFactor);
  factor_->setValue(percent);
  auto* label = new QLabel(QStringLiteral("Brightness fa&ctor:"), this);
  label->setBuddy(factor_);
  auto* form = new QFormLayout;
  form->addRow(label, factor_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
  FitWidthToTitle(this);
}

int ColorCorrectionDialog::Percent() const {
  // A value typed but not yet committed by the spin box counts too.
  factor_->interpretText();
  return factor_->value();
}

std::optional<int> AskBrightnessFactor(int percent, QWidget* parent) {
  ColorCorrectionDialog dialog(percent, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Percent();
}

}  // namespace tintara
