#include "app/picture_info_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/window_title_fit.h"

namespace tintara {

namespace {

QLabel* Field(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

QDialogButtonBox* OkButton(QDialog* dialog) {
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  return buttons;
}

}  // namespace

QString LengthText(double length) { return QString::number(length, 'f', 2); }

PictureInfoDialog::PictureInfoDialog(const PictureInfo& info, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Picture info"));
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(10);
  QString unit = QString::fromStdString(info.unitLabel);
  struct Row {
    const char* label;
    int pixels;
    std::optional<double> length;
    const char* key;
  };
  const Row rows[] = {{"Horizontal size:", info.width, info.widthLength, "width"},
                      {"Vertical size:", info.height, info.heightLength, "height"}};
  for (int r = 0; r < 2; ++r) {
    const Row& row = rows[r];
    QString key = QString::fromLatin1(row.key);
    grid->addWidget(new QLabel(QString::fromLatin1(row.label), this), r, 0);
    grid->addWidget(Field(key + QStringLiteral("Pixels"), QString::number(row.pixels), this), r, 1,
                    Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("pixels"), this), r, 2);
    if (row.length) {
      grid->addWidget(Field(key + QStringLiteral("Length"), LengthText(*row.length), this), r, 3,
                      Qt::AlignRight);
      grid->addWidget(Field(key + QStringLiteral("Unit"), unit, this), r, 4);
    }
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addSpacing(8);
  layout->addWidget(new QLabel(QStringLiteral("Picture was opened from:"), this));
  QLabel* origin = Field(QStringLiteral("origin"), QString::fromStdString(info.origin), this);
  origin->setWordWrap(true);
  layout->addWidget(origin);
  layout->addWidget(OkButton(this));
  setMinimumWidth(380);
  FitWidthToTitle(this);
}

QString PictureInfoDialog::FieldText(const QString& name) const {
  auto* label = findChild<QLabel*>(name);
  return label != nullptr ? label->text() : QString();
}

PatternInfoDialog::PatternInfoDialog(const PatternInfo& info, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Painting pattern info"));
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Number of used colors:"), this), 0, 0);
  count_ = Field(QStringLiteral("usedColors"), QString::number(info.usedColors), this);
  grid->addWidget(count_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Brands:"), this), 1, 0);
  brands_ = new QComboBox(this);
  for (const std::string& brand : info.brands) brands_->addItem(QString::fromStdString(brand));
  if (brands_->count() > 0) brands_->setCurrentIndex(0);
  grid->addWidget(brands_, 1, 1);
  if (info.meanDifference) {
    grid->addWidget(new QLabel(QStringLiteral("Mean difference to the photo (ΔE00):"), this), 2, 0);
    grid->addWidget(Field(QStringLiteral("meanDifference"),
                          QString::number(*info.meanDifference, 'f', 2), this),
                    2, 1);
  }
  grid->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(OkButton(this));
  setMinimumWidth(340);
  FitWidthToTitle(this);
}

QString PatternInfoDialog::CountText() const { return count_->text(); }

}  // namespace tintara
