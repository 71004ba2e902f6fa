#include "colors/widgets/pattern_size_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

namespace {

QComboBox* Choices(const QStringList& texts, int selected, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->addItems(texts);
  box->setCurrentIndex(qBound(0, selected, int(texts.size()) - 1));
  return box;
}

QStringList PaperTexts() {
  QStringList texts;
  for (const PaperSize& paper : PaperSizes()) texts << QString::fromUtf8(paper.text);
  return texts;
}

QStringList ResolutionTexts() {
  QStringList texts;
  for (const PrintResolution& resolution : PrintResolutions()) {
    texts << QString::fromUtf8(resolution.text);
  }
  return texts;
}

// A larger stored count than offered stays selectable so that OK keeps it.
QStringList PageCountTexts(int current, int offered) {
  QStringList texts;
  int last = qBound(offered - 1, current, kMaxPagesPerSide - 1);
  for (int count = 0; count <= last; ++count) {
    texts << QString::fromStdString(PageCountText(count));
  }
  return texts;
}

}  // namespace

PatternSizeDialog::PatternSizeDialog(const PatternPageSettings& current,
                                     bool defaultPrinterAvailable, QWidget* parent,
                                     int offeredPageCounts)
    : QDialog(parent) {
  setWindowTitle(QStringLiteral("Size of Painting Pattern"));
  paper_ = Choices(PaperTexts(), current.paperSize, this);
  resolution_ = Choices(ResolutionTexts(), current.printResolution, this);
  pages_ = Choices(PageCountTexts(current.pageCount, offeredPageCounts), current.pageCount, this);
  portrait_ = new QRadioButton(QStringLiteral("&Portrait"), this);
  landscape_ = new QRadioButton(QStringLiteral("&Landscape"), this);
  autoOrientation_ = new QCheckBox(QStringLiteral("&Turn the page to suit the picture"), this);
  autoOrientation_->setChecked(current.autoOrientation == 1);
  defaultPrinter_ =
      new QRadioButton(QStringLiteral("Prepare pattern for current &default printer"), this);
  customPrinter_ = new QRadioButton(QStringLiteral("Prepare pattern for &custom printer"), this);
  // Two separate choices: grouped before anything is checked, since radio
  // buttons of one parent would otherwise exclude each other all four.
  auto* orientation = new QButtonGroup(this);
  orientation->addButton(portrait_);
  orientation->addButton(landscape_);
  auto* printer = new QButtonGroup(this);
  printer->addButton(defaultPrinter_);
  printer->addButton(customPrinter_);
  (current.orientation == 1 ? landscape_ : portrait_)->setChecked(true);
  bool useDefault = defaultPrinterAvailable && current.useDefaultPrinter == 1;
  (useDefault ? defaultPrinter_ : customPrinter_)->setChecked(true);
  defaultPrinter_->setEnabled(defaultPrinterAvailable);
  connect(customPrinter_, &QRadioButton::toggled, this, &PatternSizeDialog::FollowPrinterChoice);

  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Number of pages:"), pages_);
  layout->addLayout(form);
  layout->addWidget(defaultPrinter_);
  layout->addWidget(customPrinter_);
  auto* custom = new QFormLayout;
  custom->setContentsMargins(24, 0, 0, 0);
  custom->addRow(QStringLiteral("Page &size:"), paper_);
  auto* orientationRow = new QHBoxLayout;
  orientationRow->addWidget(portrait_);
  orientationRow->addWidget(landscape_);
  orientationRow->addStretch();
  custom->addRow(orientationRow);
  custom->addRow(QStringLiteral("Resolution:"), resolution_);
  layout->addLayout(custom);
  // Either printer's page can be turned, so this stays outside the custom choices.
  layout->addWidget(autoOrientation_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
  FollowPrinterChoice();
  FitWidthToTitle(this);
}

void PatternSizeDialog::FollowPrinterChoice() {
  // Paper, orientation and resolution describe the custom printer only.
  bool custom = customPrinter_->isChecked();
  for (QWidget* control : {static_cast<QWidget*>(paper_), static_cast<QWidget*>(resolution_),
                           static_cast<QWidget*>(portrait_), static_cast<QWidget*>(landscape_)}) {
    control->setEnabled(custom);
  }
}

PatternPageSettings PatternSizeDialog::Settings() const {
  PatternPageSettings settings;
  settings.pageCount = pages_->currentIndex();
  settings.useDefaultPrinter = defaultPrinter_->isChecked() ? 1 : 0;
  settings.paperSize = paper_->currentIndex();
  settings.printResolution = resolution_->currentIndex();
  settings.orientation = landscape_->isChecked() ? 1 : 0;
  settings.autoOrientation = autoOrientation_->isChecked() ? 1 : 0;
  return settings;
}

}  // namespace tintara
