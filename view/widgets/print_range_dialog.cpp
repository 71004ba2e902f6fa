#include "view/widgets/print_range_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

PrintRangeDialog::PrintRangeDialog(int pagesPerSide, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Print range"));
  const int n = qMax(pagesPerSide, 1);
  all_ = new QRadioButton(QStringLiteral("&All %1 pages").arg(n * n), this);
  one_ = new QRadioButton(QStringLiteral("&One page"), this);
  all_->setChecked(true);
  row_ = new QSpinBox(this);
  column_ = new QSpinBox(this);
  for (QSpinBox* box : {row_, column_}) box->setRange(1, n);
  rowLabel_ = new QLabel(QStringLiteral("&Row:"), this);
  rowLabel_->setBuddy(row_);
  columnLabel_ = new QLabel(QStringLiteral("&Column:"), this);
  columnLabel_->setBuddy(column_);
  auto* grid = new QGridLayout;
  grid->addWidget(all_, 0, 0, 1, 4);
  grid->addWidget(one_, 1, 0, 1, 4);
  grid->addWidget(rowLabel_, 2, 0);
  grid->addWidget(row_, 2, 1);
  grid->addWidget(columnLabel_, 2, 2);
  grid->addWidget(column_, 2, 3);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  connect(one_, &QRadioButton::toggled, this, &PrintRangeDialog::FollowChoice);
  FollowChoice();
  FitWidthToTitle(this);
}

// The row and column show only while one page is chosen.
void PrintRangeDialog::FollowChoice() {
  const bool one = one_->isChecked();
  for (QWidget* part : {static_cast<QWidget*>(rowLabel_), static_cast<QWidget*>(row_),
                        static_cast<QWidget*>(columnLabel_), static_cast<QWidget*>(column_)}) {
    part->setVisible(one);
  }
}

PrintRangeChoice PrintRangeDialog::Choice() const {
  if (!one_->isChecked()) return {};
  return {true, row_->value(), column_->value()};
}

}  // namespace tintara
