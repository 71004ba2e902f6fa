#include "app/reduction_dialogs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

#include "app/window_title_fit.h"

namespace tintara {

namespace {

QSpinBox* SpinBox(int minimum, int maximum, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(minimum, maximum);
  box->setValue(value);
  return box;
}

QDialogButtonBox* OkCancel(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

}  // namespace

PosterizeDialog::PosterizeDialog(const PosterizeLevels& initial,
                                 std::function<void(const PosterizeLevels&)> changed,
                                 QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Posterize"));
  red_ = SpinBox(1, 256, initial.red, this);
  green_ = SpinBox(1, 256, initial.green, this);
  blue_ = SpinBox(1, 256, initial.blue, this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Levels in &Red:"), red_);
  form->addRow(QStringLiteral("Levels in &Green:"), green_);
  form->addRow(QStringLiteral("Levels in &Blue:"), blue_);
  form->addRow(OkCancel(this));
  FitWidthToTitle(this);
  if (!changed) return;
  for (QSpinBox* box : {red_, green_, blue_}) {
    // A spin box holds only values in its range, so every triple is valid.
    connect(box, &QSpinBox::valueChanged, this, [this, changed] { changed(Levels()); });
  }
}

PosterizeLevels PosterizeDialog::Levels() const {
  for (QSpinBox* box : {red_, green_, blue_}) box->interpretText();
  return {red_->value(), green_->value(), blue_->value()};
}

ReduceColorsDialog::ReduceColorsDialog(int initial, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Reduce colors"));
  colors_ = SpinBox(2, 256, initial, this);
  auto* form = new QFormLayout(this);
  form->addRow(QStringLiteral("Number of &Colors:"), colors_);
  form->addRow(OkCancel(this));
  FitWidthToTitle(this);
}

int ReduceColorsDialog::Colors() const {
  colors_->interpretText();
  return colors_->value();
}

}  // namespace tintara
