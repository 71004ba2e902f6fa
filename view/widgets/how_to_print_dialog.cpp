#include "view/widgets/how_to_print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

namespace {

constexpr int kMaxSides = 10;

QSpinBox* SpinBox(int lo, int hi, int value, const QString& suffix, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(lo, hi);
  box->setValue(qBound(lo, value, hi));
  box->setSuffix(suffix);
  return box;
}

}  // namespace

QStringList PagesPerSideEntries() {
  QStringList entries{QStringLiteral("1 page")};
  for (int n = 2; n <= kMaxSides; ++n) {
    entries << QStringLiteral("%1x%1 (%2 pages)").arg(n).arg(n * n);
  }
  return entries;
}

HowToPrintDialog::HowToPrintDialog(const PrintSetupChoice& current,
                                   std::function<void()> printerSetup, QWidget* parent)
    : QDialog(parent), printerSetup_(std::move(printerSetup)) {
  setWindowTitle(QStringLiteral("How to print"));
  pages_ = new QComboBox(this);
  pages_->addItems(PagesPerSideEntries());
  pages_->setCurrentIndex(qBound(1, current.pagesPerSide, kMaxSides) - 1);
  auto* label = new QLabel(QStringLiteral("Number of pages:"), this);
  label->setBuddy(pages_);
  printer_ = new QPushButton(QStringLiteral("&Printer..."), this);
  printer_->setAutoDefault(false);
  connect(printer_, &QPushButton::clicked, this, [this] {
    if (printerSetup_) printerSetup_();
  });
  auto* top = new QHBoxLayout;
  top->addWidget(label);
  top->addWidget(pages_, 1);
  top->addWidget(printer_);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(MakeSheetAids(current));
  layout->addWidget(MakeShopping(current));
  layout->addWidget(buttons);
  connect(pages_, &QComboBox::currentIndexChanged, this, &HowToPrintDialog::FollowChoices);
  connect(shopping_, &QCheckBox::toggled, this, &HowToPrintDialog::FollowChoices);
  FollowChoices();
  FitWidthToTitle(this);
}

QWidget* HowToPrintDialog::MakeSheetAids(const PrintSetupChoice& current) {
  auto* group = new QGroupBox(QStringLiteral("Joining the sheets"), this);
  sheetColors_ = new QCheckBox(QStringLiteral("List the &colors of each sheet"), group);
  sheetColors_->setChecked(current.sheetColors);
  overlap_ = SpinBox(0, 15, current.overlapMm, QStringLiteral(" mm"), group);
  marks_ = new QCheckBox(QStringLiteral("&Registration marks at the corners"), group);
  marks_->setChecked(current.registrationMarks);
  auto* form = new QFormLayout(group);
  form->addRow(sheetColors_);
  form->addRow(QStringLiteral("&Overlap:"), overlap_);
  form->addRow(marks_);
  return group;
}

QWidget* HowToPrintDialog::MakeShopping(const PrintSetupChoice& current) {
  auto* group = new QGroupBox(QStringLiteral("Color key"), this);
  shopping_ = new QCheckBox(QStringLiteral("&Shopping list of paint"), group);
  shopping_->setChecked(current.shoppingList);
  coverage_ = SpinBox(1, 100000, current.coverageMicrolitres, QStringLiteral(" µl per 10 cm²"),
                      group);
  coats_ = SpinBox(1, 20, current.coats, QString(), group);
  pot_ = SpinBox(1, 100000, current.potMillilitres, QStringLiteral(" ml"), group);
  auto* form = new QFormLayout(group);
  form->addRow(shopping_);
  form->addRow(QStringLiteral("Paint for one coa&t:"), coverage_);
  form->addRow(QStringLiteral("Co&ats:"), coats_);
  form->addRow(QStringLiteral("Pot si&ze:"), pot_);
  return group;
}

// The sheet aids matter only over more than one sheet, the amounts only with
// the list.
void HowToPrintDialog::FollowChoices() {
  const bool sheets = pages_->currentIndex() > 0;
  for (QWidget* aid : {static_cast<QWidget*>(sheetColors_), static_cast<QWidget*>(overlap_),
                       static_cast<QWidget*>(marks_)}) {
    aid->setEnabled(sheets);
  }
  for (QSpinBox* amount : {coverage_, coats_, pot_}) amount->setEnabled(shopping_->isChecked());
}

PrintSetupChoice HowToPrintDialog::Choice() const {
  PrintSetupChoice choice;
  choice.pagesPerSide = pages_->currentIndex() + 1;
  choice.sheetColors = sheetColors_->isChecked();
  choice.overlapMm = overlap_->value();
  choice.registrationMarks = marks_->isChecked();
  choice.shoppingList = shopping_->isChecked();
  choice.coverageMicrolitres = coverage_->value();
  choice.coats = coats_->value();
  choice.potMillilitres = pot_->value();
  return choice;
}

}  // namespace tintara
