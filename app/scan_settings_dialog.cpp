#include "app/scan_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace tintara {

namespace {

QDoubleSpinBox* MillimetreBox(double value, double maximum, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setDecimals(1);
  box->setSuffix(QStringLiteral(" mm"));
  box->setRange(0, maximum);
  box->setValue(value);
  return box;
}

}  // namespace

ScanSettingsDialog::ScanSettingsDialog(const std::string& device, const ScanCapabilities& offered,
                                       const ScanOptions& initial, QWidget* parent)
    : QDialog(parent), offered_(offered) {
  setWindowTitle(QStringLiteral("Scan Settings"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Device: %1").arg(QString::fromStdString(device)), this));

  auto* form = new QFormLayout;
  resolution_ = new QComboBox(this);
  for (int dpi : offered.resolutions) resolution_->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
  resolution_->setCurrentIndex(std::max(0, resolution_->findData(initial.resolution)));
  form->addRow(QStringLiteral("&Resolution:"), resolution_);
  mode_ = new QComboBox(this);
  if (offered.hasColor) mode_->addItem(QStringLiteral("Color"), true);
  if (offered.hasGray) mode_->addItem(QStringLiteral("Gray"), false);
  mode_->setCurrentIndex(std::max(0, mode_->findData(initial.color)));
  form->addRow(QStringLiteral("&Mode:"), mode_);
  layout->addLayout(form);

  auto* area = new QGroupBox(QStringLiteral("Scan area"), this);
  auto* areaForm = new QFormLayout(area);
  left_ = MillimetreBox(initial.area.left, offered.maxWidth, area);
  top_ = MillimetreBox(initial.area.top, offered.maxHeight, area);
  width_ = MillimetreBox(initial.area.width, offered.maxWidth, area);
  height_ = MillimetreBox(initial.area.height, offered.maxHeight, area);
  areaForm->addRow(QStringLiteral("&Left:"), left_);
  areaForm->addRow(QStringLiteral("&Top:"), top_);
  areaForm->addRow(QStringLiteral("&Width:"), width_);
  areaForm->addRow(QStringLiteral("&Height:"), height_);
  auto* whole = new QPushButton(QStringLiteral("W&hole area"), area);
  areaForm->addRow(whole);
  area->setEnabled(offered.maxWidth > 0 && offered.maxHeight > 0);
  layout->addWidget(area);
  connect(whole, &QPushButton::clicked, this, [this] {
    left_->setValue(0);
    top_->setValue(0);
    width_->setValue(offered_.maxWidth);
    height_->setValue(offered_.maxHeight);
  });
  for (QDoubleSpinBox* box : {left_, top_, width_, height_}) {
    connect(box, &QDoubleSpinBox::valueChanged, this, &ScanSettingsDialog::FitArea);
  }

  preview_ = new QCheckBox(QStringLiteral("&Preview (quick, low quality)"), this);
  preview_->setChecked(initial.preview && offered.hasPreview);
  preview_->setEnabled(offered.hasPreview);
  layout->addWidget(preview_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Scan"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  FitArea();
}

void ScanSettingsDialog::FitArea() {
  width_->setMaximum(std::max(0.0, offered_.maxWidth - left_->value()));
  height_->setMaximum(std::max(0.0, offered_.maxHeight - top_->value()));
}

ScanOptions ScanSettingsDialog::Options() const {
  ScanOptions options;
  options.resolution = resolution_->currentData().toInt();
  options.color = mode_->currentData().toBool();
  options.area = {left_->value(), top_->value(), width_->value(), height_->value()};
  options.preview = preview_->isChecked();
  return options;
}

}  // namespace tintara
