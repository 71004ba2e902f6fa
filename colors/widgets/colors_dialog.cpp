#include "colors/widgets/colors_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "colors/color_selector.h"
#include "colors/colors_editor.h"
#include "colors/widgets/color_notes.h"
#include "colors/widgets/select_color_dialog.h"

namespace tintara {

ColorsDialog::ColorsDialog(ColorsEditor& editor, QWidget* parent)
    : QDialog(parent), editor_(editor), allBrands_(LoadAllBrands(editor.Brands())) {
  setWindowTitle(QStringLiteral("Colors"));
  BuildLayout();
  ShowBrand();
  ShowPalette(-1);
  details_->setChecked(editor_.detailsView);
  list_->SetDetailsView(editor_.detailsView);
  Connect();
}

void ColorsDialog::BuildLayout() {
  numberLabel_ = new QLabel(this);
  number_ = new QLineEdit(this);
  number_->setObjectName(QStringLiteral("numberField"));
  number_->setValidator(new QIntValidator(0, 9999, number_));
  number_->setMaximumWidth(60);
  number_->installEventFilter(this);
  numberLabel_->setBuddy(number_);
  auto* up = new QToolButton(this);
  up->setArrowType(Qt::UpArrow);
  auto* down = new QToolButton(this);
  down->setArrowType(Qt::DownArrow);
  connect(up, &QToolButton::clicked, this, [this] { StepNumber(1); });
  connect(down, &QToolButton::clicked, this, [this] { StepNumber(-1); });

  brands_ = new QComboBox(this);
  for (const BrandListEntry& brand : editor_.Brands()) {
    brands_->addItem(QString::fromStdString(brand.brandName));
  }
  auto* brandLabel = new QLabel(QStringLiteral("Use Colors From &Brand:"), this);
  brandLabel->setBuddy(brands_);
  brandCount_ = new QLabel(this);
  list_ = new ColorListControl(this);
  paletteCount_ = new QLabel(this);
  info_ = new QLabel(this);
  info_->setMinimumHeight(info_->fontMetrics().height() * 2);
  info_->setWordWrap(true);

  forPicture_ = new QPushButton(QStringLiteral("For &picture"), this);
  forBrand_ = new QPushButton(QStringLiteral("For bra&nd"), this);
  add_ = new QPushButton(QStringLiteral("&Add..."), this);
  delete_ = new QPushButton(QStringLiteral("&Delete"), this);
  save_ = new QPushButton(QStringLiteral("&Save..."), this);
  load_ = new QPushButton(QStringLiteral("&Load..."), this);
  details_ = new QCheckBox(QStringLiteral("&View Details"), this);
  forPicture_->setEnabled(editor_.HasPicture());
  delete_->setEnabled(false);

  auto* numberRow = new QHBoxLayout;
  numberRow->addWidget(numberLabel_);
  numberRow->addWidget(number_);
  numberRow->addWidget(up);
  numberRow->addWidget(down);
  numberRow->addStretch();
  auto* brandRow = new QHBoxLayout;
  brandRow->addWidget(brandLabel);
  brandRow->addWidget(brands_, 1);
  brandRow->addWidget(new QLabel(QStringLiteral("Colors in Brand:"), this));
  brandRow->addWidget(brandCount_);

  // Listed in PaintChoice order.
  choice_ = new QComboBox(this);
  choice_->setObjectName(QStringLiteral("paintChoice"));
  choice_->addItems({QStringLiteral("Classic"), QStringLiteral("Closest to the picture")});
  choice_->setCurrentIndex(int(editor_.Choice()));
  auto* choiceLabel = new QLabel(QStringLiteral("C&hoose paints:"), this);
  choiceLabel->setBuddy(choice_);
  auto* choiceRow = new QHBoxLayout;
  choiceRow->addWidget(choiceLabel);
  choiceRow->addWidget(choice_);
  choiceRow->addStretch();

  auto* side = new QVBoxLayout;
  for (QWidget* button : {static_cast<QWidget*>(forPicture_), static_cast<QWidget*>(forBrand_),
                          static_cast<QWidget*>(add_), static_cast<QWidget*>(delete_),
                          static_cast<QWidget*>(save_), static_cast<QWidget*>(load_)}) {
    side->addWidget(button);
  }
  side->addStretch();
  side->addWidget(details_);
  auto* middle = new QHBoxLayout;
  middle->addWidget(list_, 1);
  middle->addLayout(side);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(QStringLiteral("Number of colors:"), this));
  countRow->addWidget(paletteCount_);
  countRow->addStretch();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(numberRow);
  layout->addLayout(brandRow);
  layout->addLayout(choiceRow);
  layout->addLayout(middle, 1);
  layout->addLayout(countRow);
  layout->addWidget(info_);
  layout->addWidget(buttons);
  resize(640, 440);
}

void ColorsDialog::Connect() {
  connect(brands_, &QComboBox::activated, this, [this](int index) {
    TakeNumber();
    editor_.SelectBrand(index);
    ShowBrand();
    ShowPalette(-1);
  });
  connect(choice_, &QComboBox::activated, this, [this](int index) {
    TakeNumber();
    if (editor_.SetChoice(PaintChoice(index))) {
      ShowPalette(-1);
    } else {
      choice_->setCurrentIndex(int(editor_.Choice()));
    }
    ShowBrand();
  });
  connect(forPicture_, &QPushButton::clicked, this, [this] {
    TakeNumber();
    if (editor_.BuildForPicture()) ShowPalette(-1);
    ShowBrand();
  });
  connect(forBrand_, &QPushButton::clicked, this, [this] {
    TakeNumber();
    if (editor_.BuildForBrand()) ShowPalette(-1);
    ShowBrand();
  });
  connect(add_, &QPushButton::clicked, this, &ColorsDialog::AddColor);
  connect(delete_, &QPushButton::clicked, this, &ColorsDialog::DeleteColor);
  connect(save_, &QPushButton::clicked, this, [this] { editor_.Save(); });
  connect(load_, &QPushButton::clicked, this, [this] {
    if (editor_.Load()) ShowPalette(-1);
  });
  connect(details_, &QCheckBox::toggled, this, [this](bool on) {
    editor_.detailsView = on;
    list_->SetDetailsView(on);
  });
  connect(list_, &ColorListControl::colorSelected, this, &ColorsDialog::ShowSelection);
}

void ColorsDialog::ShowBrand() {
  // The editor may have clamped the number or kept the old brand.
  const int top = editor_.MaxNumber();
  numberLabel_->setText(QStringLiteral("&Maximum number of colors (1-%1):").arg(top));
  number_->setText(QString::number(editor_.Number()));
  if (editor_.SelectedBrand() >= 0) brands_->setCurrentIndex(editor_.SelectedBrand());
  brandCount_->setText(QString::number(editor_.BrandSize()));
}

void ColorsDialog::ShowPalette(int select) {
  const std::vector<CFlossColor>& palette = editor_.Palette();
  list_->SetColors(palette, MakeColorNotes(palette, editor_.shares, allBrands_));
  paletteCount_->setText(QString::number(palette.size()));
  list_->SetSelected(select);
  ShowSelection(select);
  add_->setEnabled(editor_.CanAdd());
}

void ColorsDialog::ShowSelection(int position) {
  delete_->setEnabled(position >= 0 && size_t(position) < editor_.Palette().size());
  info_->setText(InfoLineAt(*list_, position));
}

void ColorsDialog::TakeNumber() {
  bool ok = false;
  int typed = number_->text().toInt(&ok);
  if (ok) editor_.SetNumber(typed);
}

void ColorsDialog::StepNumber(int step) {
  TakeNumber();
  const int top = std::max(editor_.MaxNumber(), kMinNumColors);
  editor_.SetNumber(std::clamp(editor_.Number() + step, kMinNumColors, top));
  number_->setText(QString::number(editor_.Number()));
}

bool ColorsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == number_ && event->type() == QEvent::KeyPress) {
    int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      StepNumber(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ColorsDialog::AddColor() {
  if (!editor_.CanAdd()) return;
  ColorSelector selector(editor_.Params(), editor_.Context().programFolder, true,
                         editor_.Context().host);
  selector.detailsView = editor_.detailsView;
  selector.shares = editor_.shares;
  SelectColorDialog dialog(selector, this);
  if (dialog.exec() != QDialog::Accepted) return;
  int added = editor_.Add(selector.Chosen());
  // A colour already in the palette changes nothing.
  if (added >= 0) ShowPalette(added);
}

void ColorsDialog::DeleteColor() {
  int position = list_->Selected();
  if (position < 0) return;
  ShowPalette(editor_.Delete(position));
}

void ColorsDialog::reject() {
  if (!editor_.ConfirmUnsavedChanges()) return;
  QDialog::reject();
}

bool ColorsDialog::TakeAnswer() {
  editor_.detailsView = details_->isChecked();
  TakeNumber();
  return editor_.Finish();
}

void ColorsDialog::accept() {
  if (!TakeAnswer()) return;
  QDialog::accept();
}

}  // namespace tintara
