#include "colors/widgets/select_color_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "colors/color_selector.h"
#include "colors/widgets/color_notes.h"

namespace tintara {

SelectColorDialog::SelectColorDialog(ColorSelector& selector, QWidget* parent)
    : QDialog(parent), selector_(selector), allBrands_(LoadAllBrands(selector.Brands())) {
  setWindowTitle(QStringLiteral("Select color"));
  BuildLayout();
  details_->setChecked(selector_.detailsView);
  list_->SetDetailsView(selector_.detailsView);
  ShowList();
}

void SelectColorDialog::BuildLayout() {
  brands_ = new QComboBox(this);
  for (const BrandListEntry& brand : selector_.Brands()) {
    brands_->addItem(QString::fromStdString(brand.brandName));
  }
  brandLabel_ = new QLabel(QStringLiteral("&Brand:"), this);
  brandLabel_->setBuddy(brands_);
  current_ = new QRadioButton(QStringLiteral("Show &current colors"), this);
  all_ = new QRadioButton(QStringLiteral("Show &all colors from brand"), this);
  list_ = new ColorListControl(this);
  details_ = new QCheckBox(QStringLiteral("View &Details"), this);
  info_ = new QLabel(this);
  info_->setWordWrap(true);
  info_->setMinimumHeight(info_->fontMetrics().height() * 2);
  // In adding mode only brand colours are offered.
  current_->setVisible(!selector_.Adding());
  all_->setVisible(!selector_.Adding());

  auto* brandRow = new QHBoxLayout;
  brandRow->addWidget(brandLabel_);
  brandRow->addWidget(brands_, 1);
  auto* choiceRow = new QHBoxLayout;
  choiceRow->addWidget(current_);
  choiceRow->addWidget(all_);
  choiceRow->addStretch();
  choiceRow->addWidget(details_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choiceRow);
  layout->addLayout(brandRow);
  layout->addWidget(list_, 1);
  layout->addWidget(info_);
  layout->addWidget(buttons);
  resize(560, 420);

  connect(current_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    selector_.ShowCurrentColors();
    ShowList();
  });
  connect(all_, &QRadioButton::toggled, this, [this](bool on) {
    if (!on) return;
    selector_.ShowBrand(std::max(brands_->currentIndex(), 0));
    ShowList();
  });
  connect(brands_, &QComboBox::activated, this, [this](int index) {
    selector_.ShowBrand(index);
    ShowList();
  });
  connect(details_, &QCheckBox::toggled, this, [this](bool on) {
    selector_.detailsView = on;
    list_->SetDetailsView(on);
  });
  connect(list_, &ColorListControl::colorSelected, this, &SelectColorDialog::ShowSelection);
}

void SelectColorDialog::ShowList() {
  const bool brand = selector_.ShowingBrand();
  {
    const QSignalBlocker blockCurrent(current_);
    const QSignalBlocker blockAll(all_);
    current_->setChecked(!brand);
    all_->setChecked(brand);
  }
  brandLabel_->setVisible(brand);
  brands_->setVisible(brand);
  if (selector_.SelectedBrand() >= 0) brands_->setCurrentIndex(selector_.SelectedBrand());
  const std::vector<CFlossColor>& shown = selector_.Shown();
  list_->SetColors(shown, MakeColorNotes(shown, selector_.shares, allBrands_));
  list_->SetSelected(selector_.InitialSelection());
  ShowSelection(selector_.InitialSelection());
}

void SelectColorDialog::ShowSelection(int position) { info_->setText(InfoLineAt(*list_, position)); }

void SelectColorDialog::accept() {
  selector_.detailsView = details_->isChecked();
  // Nothing chosen, or no room for the colour: the dialog ends as cancelled.
  if (selector_.Accept(list_->Selected()) != ColorSelector::Result::kChosen) {
    QDialog::reject();
    return;
  }
  QDialog::accept();
}

}  // namespace tintara
