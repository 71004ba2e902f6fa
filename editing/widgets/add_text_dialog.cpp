#include "editing/widgets/add_text_dialog.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tintara {

namespace {

QFont ToQFont(const TextFont& font) {
  QFont qfont(QString::fromStdString(font.family), font.pointSize > 0 ? font.pointSize : 12);
  qfont.setBold(font.bold);
  qfont.setItalic(font.italic);
  return qfont;
}

}  // namespace

AddTextDialog::AddTextDialog(TextFont& font, QWidget* parent)
    : QDialog(parent), font_(font), field_(new QLineEdit(this)),
      fontButton_(new QPushButton(QStringLiteral("Select &Font"), this)) {
  setWindowTitle(QStringLiteral("Add text"));
  chooser_ = [this](QFont& chosen) {
    bool ok = false;
    QFont picked = QFontDialog::getFont(&ok, chosen, this, QStringLiteral("Font"));
    if (ok) chosen = picked;
    return ok;
  };
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(fontButton_, &QPushButton::clicked, this, &AddTextDialog::ChooseFont);
  auto* row = new QHBoxLayout;
  row->addWidget(field_, 1);
  row->addWidget(fontButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(buttons);
  field_->setMinimumWidth(320);
  ShowFont();
}

QString AddTextDialog::Text() const { return field_->text(); }

void AddTextDialog::ShowFont() { field_->setFont(ToQFont(font_)); }

void AddTextDialog::ChooseFont() {
  QFont chosen = ToQFont(font_);
  if (!chooser_ || !chooser_(chosen)) return;
  font_.family = chosen.family().toStdString();
  font_.pointSize = chosen.pointSize() > 0 ? chosen.pointSize() : font_.pointSize;
  font_.bold = chosen.bold();
  font_.italic = chosen.italic();
  ShowFont();
}

}  // namespace tintara
